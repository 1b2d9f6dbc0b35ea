#pragma once

#include "catalogue/Catalogue.h"
#include "platform/Settings.h"
#include "state/AppState.h"

#include <QMainWindow>

#include <memory>

class CommandTreePanel;
class EditMenuCommands;
class InserterMenu;
class QLabel;
class ScriptArea;
class QSplitter;
class MainMenuCommands;
class RunPreviewCommand;
class ScriptCheckCommand;
class ScriptWindow;

// The frame of the editor: script windows in its child-window area, the command
// tree on the right, the status bar and every menu.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Prompt& prompt, const QString& catalogueFile, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The catalogue beside the executable, or else the installed data folder.
    static QString defaultCatalogueFile();

    // Start-up. False when the program must end at once (no database driver).
    bool start();

    AppState& state() { return m_state; }

    // The script windows and the child-window area that holds them.
    ScriptArea& scriptArea() const { return *m_scriptArea; }
    ScriptWindow* activeScriptWindow() const;
    ScriptWindow* newScriptWindow();
    // The File, Clear and Window menu commands.
    MainMenuCommands& mainMenu() { return *m_mainMenu; }
    // Scripts named outside the Open dialog (command line, drops, recent list),
    // each in a window of its own.
    void openScripts(const QStringList& paths);

    // The Special menu and its item arrays.
    InserterMenu& specialMenu() { return *m_specialMenu; }
    // The command tree beside the scripts.
    CommandTreePanel& treePanel() const { return *m_treePanel; }

public slots:
    // Help > All Commands (F1).
    void openCommandBook();
    void showAbout();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    // Where the player left the window last time, or a first-start place.
    void restoreWindowLayout();
    void saveWindowLayout();
    // The tree's width as the player left it, or at the first start one that shows
    // the group names whole.
    void placeTree();
    void checkScriptsFolder();
    void shutDown();
    // The title names the active script; the status bar gives its full path.
    void showActiveScript();

    Settings m_settings;
    Catalogue m_catalogue;
    AppState m_state;
    std::unique_ptr<MainMenuCommands> m_mainMenu;
    QLabel* m_statusLabel = nullptr;  // the status bar's first panel
    CommandTreePanel* m_treePanel = nullptr;
    ScriptArea* m_scriptArea = nullptr;
    QSplitter* m_treeSplitter = nullptr;  // between the scripts and the tree
    // Children of the window: they live as long as it does.
    EditMenuCommands* m_editMenu = nullptr;
    InserterMenu* m_specialMenu = nullptr;
    ScriptCheckCommand* m_checkScript = nullptr;
    RunPreviewCommand* m_runPreview = nullptr;
    bool m_firstStart = false;  // no stored place for the window
};
