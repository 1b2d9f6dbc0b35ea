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
class frmOptions : public QDialog {
    Q_OBJECT
public:
    explicit frmOptions(AppState& state, QWidget* owner = nullptr);

    QLabel* lblDescription = nullptr;
    QLabel* lblAoPath = nullptr;
    QLineEdit* txtPath = nullptr;
    QToolButton* cmdBrowse = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdApply = nullptr;
    QPushButton* cmdCancel = nullptr;

    // Writes the path field to the setting "AOPath".
    void savesettings();

public slots:
    void Form_Load();
    void cmdBrowse_Click();
    void cmdApply_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    AppState& m_state;
};
