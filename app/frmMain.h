#pragma once

#include "catalogue/Catalogue.h"
#include "editor/ScriptWindows.h"
#include "platform/Settings.h"
#include "state/AppState.h"

#include <QList>
#include <QMainWindow>
#include <QTimer>

#include <memory>

class CommandTreePanel;
class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class MainMenuCommands;
class TreeFilterField;
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

    // Controls other parts of the program and the tests reach.
    QLabel* sbStatusBar1 = nullptr;  // the status bar's first panel
    CommandTreePanel* picBar = nullptr;  // the command tree
    QMdiArea* mdiArea = nullptr;
    QTimer tmHelp;
    QAction* mnuFreeType = nullptr;
    // Menu item arrays; mnuArgs is indexed 1 to 9 (index 0 stays empty).
    QList<QAction*> mnuBreeds;
    QList<QAction*> mnuProfessions;
    QList<QAction*> mnuArgs;
    QList<QAction*> mnuRename;

public slots:
    void tmHelp_Timer();
    void mnuAbout_Click();
    void mnuAllC_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createMenus();
    void checkScriptsFolder();
    void fillArgumentItems();
    void fillListItems(const QStringList& captions, QMenu* menu, QList<QAction*>& items);
    void Form_Unload();

    Settings m_settings;
    Catalogue m_catalogue;
    AppState m_state;
    std::unique_ptr<MainMenuCommands> m_mainMenu;
    QMenu* m_breedMenu = nullptr;
    QMenu* m_professionMenu = nullptr;
    QMenu* m_variablesMenu = nullptr;
};
