#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class AppState;

// The game folder: shown, chosen by browsing to anarchy.exe, and saved with Apply
// or OK. Browsing changes the program's game path at once, even if the dialog is
// then cancelled; the stored setting changes only on Apply or OK.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit OptionsDialog(AppState& state, QWidget* owner = nullptr);


    // Writes the path field to the setting "AOPath".
    void saveSettings();

public slots:
    void loadSettings();
    void browse();
    void apply();
    void confirm();
    void cancel();

private:
    QLabel* descriptionLabel = nullptr;
    QLabel* pathLabel = nullptr;
    QLineEdit* pathField = nullptr;
    QToolButton* browseButton = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* applyButton = nullptr;
    QPushButton* cancelButton = nullptr;
    AppState& m_state;
};
