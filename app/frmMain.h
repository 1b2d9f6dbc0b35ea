#pragma once

#include "catalogue/Catalogue.h"
#include "editor/ScriptWindows.h"
#include "platform/Settings.h"
#include "state/AppState.h"

#include <QMainWindow>
#include <QTimer>

#include <memory>

class CommandTreePanel;
class EditMenuCommands;
class InserterMenu;
class QLabel;
class QMdiArea;
class QSplitter;
class MainMenuCommands;
class ScriptCheckCommand;
class frmWindow;

// The frame of the editor: script windows in its child-window area, the command
// tree on the right, the status bar and every menu.
class frmMain : public QMainWindow, public ScriptWindows {
    Q_OBJECT
public:
    frmMain(Prompt& prompt, const QString& catalogueFile, QWidget* parent = nullptr);
    ~frmMain() override;

    // The catalogue beside the executable, or else the installed data folder.
    static QString defaultCatalogueFile();

    // Start-up. False when the program must end at once (no database driver).
    bool Form_Load();

    AppState& state() { return m_state; }

    frmWindow* activeScriptWindow() const override;
    frmWindow* newScriptWindow() override;
    QWidget* dialogOwner() override { return this; }
    // Arms tmHelp.
    void requestCommandBook() override;
    // The File, Clear and Window menu commands.
    MainMenuCommands& mainMenu() { return *m_mainMenu; }
    // Scripts named outside the Open dialog (command line, drops, recent list),
    // each in a window of its own.
    void openScripts(const QStringList& paths);

    // The Special menu and its item arrays.
    InserterMenu& specialMenu() { return *m_specialMenu; }

    // Controls other parts of the program and the tests reach.
    QLabel* sbStatusBar1 = nullptr;  // the status bar's first panel
    CommandTreePanel* picBar = nullptr;  // the command tree
    QMdiArea* mdiArea = nullptr;
    QSplitter* treeSplitter = nullptr;  // between the scripts and the tree
    QTimer tmHelp;

public slots:
    void tmHelp_Timer();
    void mnuAbout_Click();
    void mnuAllC_Click();

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
    void Form_Unload();

    Settings m_settings;
    Catalogue m_catalogue;
    AppState m_state;
    std::unique_ptr<MainMenuCommands> m_mainMenu;
    // Children of the window: they live as long as it does.
    EditMenuCommands* m_editMenu = nullptr;
    InserterMenu* m_specialMenu = nullptr;
    ScriptCheckCommand* m_checkScript = nullptr;
    bool m_firstStart = false;  // no stored place for the window
};
