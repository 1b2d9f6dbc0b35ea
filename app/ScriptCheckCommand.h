#pragma once

#include <QObject>

class QDockWidget;
class QMainWindow;
class ScriptCheckPanel;
class ScriptWorkspace;
class AppState;

// Edit > Check Script: checks the active script against the catalogue and the game's
// scripts folder and lists the findings in a panel along the bottom of the main
// window. The Edit menu's item calls it; a child of the main window.
class ScriptCheckCommand : public QObject {
    Q_OBJECT
public:
    ScriptCheckCommand(AppState& state, ScriptWorkspace& windows, QMainWindow& main);

    ScriptCheckPanel* panel() const { return m_panel; }

public slots:
    // Nothing without a script window.
    void checkActiveScript();

private:
    AppState& m_state;
    ScriptWorkspace& m_windows;
    QMainWindow& m_main;
    QDockWidget* m_dock = nullptr;
    ScriptCheckPanel* m_panel = nullptr;
};
