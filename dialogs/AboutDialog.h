#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// Names the program and its version and says in a few lines what it is for.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* owner = nullptr);

    static QString caption();
    static QString aboutText();


private:
    QWidget* sideStripe = nullptr;
    QLabel* aboutLabel = nullptr;
    QPushButton* okButton = nullptr;
};
