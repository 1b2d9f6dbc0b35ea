#pragma once

#include <QObject>

class QDockWidget;
class QMainWindow;
class ScriptCheckPanel;
class ScriptWindows;
class AppState;

// Edit > Check Script: checks the active script against the catalogue and the game's
// scripts folder and lists the findings in a panel along the bottom of the main
// window. The Edit menu's item calls it; a child of the main window.
class ScriptCheckCommand : public QObject {
    Q_OBJECT
public:
    ScriptCheckCommand(AppState& state, ScriptWindows& windows, QMainWindow& main);

    ScriptCheckPanel* panel() const { return m_panel; }

public slots:
    // Nothing without a script window.
    void mnuCheckScript_Click();

private:
    AppState& m_state;
    ScriptWindows& m_windows;
    QMainWindow& m_main;
    QDockWidget* m_dock = nullptr;
    ScriptCheckPanel* m_panel = nullptr;
};
