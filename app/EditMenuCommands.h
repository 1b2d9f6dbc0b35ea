#pragma once

#include <QObject>

class QAction;
class QMainWindow;
class AppState;
class ScriptWindows;

// Edit > Find, Edit > Free Type and Edit > Options of the main window. Finds the
// actions by objectName (mnuFind, mnuFreeType, mnuOptions); a child of the main
// window.
class EditMenuCommands : public QObject {
    Q_OBJECT
public:
    EditMenuCommands(AppState& state, ScriptWindows& windows, QMainWindow& main);

public slots:
    // The find dialog on the active script, modal; nothing without a script window.
    void mnuFind_Click();
    // Flips free typing: the setting ("1"/"0"), the check mark and the flag at once.
    void mnuFreeType_Click();
    void mnuOptions_Click();

private:
    AppState& m_state;
    ScriptWindows& m_windows;
    QMainWindow& m_main;
    QAction* m_freeType = nullptr;
};
