#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// Names the program and its version and says in a few lines what it is for.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* owner = nullptr);

    static QString caption();
    static QString aboutText();

    QWidget* Picture1 = nullptr;
    QLabel* lblAbout = nullptr;
    QPushButton* cmdOk = nullptr;
};
