#pragma once


#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;
class ScriptArea;
class ScriptWindow;

// The File and Window menus of the main window, acting on the script windows of
// its child-window area. Owned by the main window.
class MainMenuCommands : public QObject {
    Q_OBJECT
public:
    MainMenuCommands(QMainWindow& main, ScriptArea& area);

    // The File and the Window menu, each item connected to its command.
    QMenu& addFileMenu(QMenuBar& bar);
    void addWindowMenu(QMenuBar& bar);

public slots:
    void newWindow();
    // Creates a window first when none is active.
    void open();
    void save();
    void saveAs();
    void print();
    void printPreview();
    // Closes the script windows one by one, then the main window; stops at the
    // first script window that stays open.
    void exit();
    void cascade();
    void tileHorizontally();
    void tileVertically();
    void minimizeAll();
    void maximizeAll();

    // Lists the open script windows below the Window menu's own entries (run each
    // time the menu opens).
    void listWindows();

    // The entries listWindows added, in order.
    const QList<QAction*>& windowListEntries() const { return m_windowEntries; }

private:
    void addCommand(QMenu& menu, const char* name, const QString& caption, void (MainMenuCommands::*handler)(),
                    const QKeySequence& shortcut = {});
    QList<ScriptWindow*> tileableWindows() const;
    void setAllWindowStates(bool maximise);

    QMainWindow& m_main;
    ScriptArea& m_area;
    QPointer<QMenu> m_windowsMenu;
    QList<QAction*> m_windowEntries;
};
