#pragma once

#include "editor/frmWindow.h"

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QMainWindow;
class QMdiArea;
class QMenu;
class QMenuBar;
class AppState;

// The File and Window menus of the main window, and the script windows in its
// child-window area. Owned by the main window.
//
// The file commands do not do the work: they start the active script window's
// one-shot timer, and the window runs the action about 100 ms later.
class MainMenuCommands : public QObject {
    Q_OBJECT
public:
    // The script windows live in `area`; each new one is given `host`.
    MainMenuCommands(AppState& state, QMainWindow& main, QMdiArea& area, frmWindow::Host host);

    // The script window the menus act on, or null when none is open.
    frmWindow* activeScriptWindow() const;

    // The File and the Window menu, each item connected to its command.
    QMenu& addFileMenu(QMenuBar& bar);
    void addWindowMenu(QMenuBar& bar);

public slots:
    // A new, empty script window, shown and made the active one.
    frmWindow* mnuNew_Click();
    // Creates a window first when none is active.
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuPrint_Click();
    // Closes the script windows one by one, then the main window; stops at the
    // first script window that stays open.
    void mnuExit_Click();
    void mnuCascade_Click();
    void mnuTileHorizontally_Click();
    void mnuTileVertically_Click();
    void mnuMinAll_Click();
    void mnuMaxAll_Click();

    // Lists the open script windows below the Window menu's own entries (run each
    // time the menu opens).
    void mnuWindows_List();

    // False as soon as one script window refuses to close (Exit and the main
    // window's close box end the same way).
    bool closeScriptWindows();
    // The entries mnuWindows_List added, in order.
    const QList<QAction*>& windowListEntries() const { return m_windowEntries; }

private:
    void addCommand(QMenu& menu, const char* name, const QString& caption, void (MainMenuCommands::*handler)(),
                    const QKeySequence& shortcut = {});
    QList<frmWindow*> tileableWindows() const;
    void setAllWindowStates(bool maximise);

    AppState& m_state;
    QMainWindow& m_main;
    QMdiArea& m_area;
    frmWindow::Host m_host;
    QPointer<QMenu> m_windowsMenu;
    QList<QAction*> m_windowEntries;
};
