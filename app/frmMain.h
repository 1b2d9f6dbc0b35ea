#pragma once

#include "app/AppState.h"
#include "app/Settings.h"
#include "catalogue/Catalogue.h"
#include "catalogue/ImageList.h"

#include <QList>
#include <QMainWindow>
#include <QTimer>

#include <memory>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;
class MainMenuCommands;
class frmWindow;

// The frame of the editor: script windows in its child-window area, the command
// tree on the right, the status bar and every menu.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain(Prompt& prompt, const QString& catalogueFile, QWidget* parent = nullptr);
    ~frmMain() override;

    // The catalogue beside the executable, or else the installed data folder.
    static QString defaultCatalogueFile();

    // Start-up. False when the program must end at once (no database driver).
    bool Form_Load();

    AppState& state() { return m_state; }
    const ImageList& imgSmall() const { return m_imgSmall; }

    // A new, empty script window, shown and made the active one.
    frmWindow* createScriptWindow();
    // The File, Clear and Window menu commands.
    MainMenuCommands& mainMenu() { return *m_mainMenu; }

    // Controls other parts of the program and the tests reach.
    QTreeWidget* tvwTreeView1 = nullptr;
    QLabel* sbStatusBar1 = nullptr;  // the status bar's first panel
    QWidget* picBar = nullptr;
    QMdiArea* mdiArea = nullptr;
    QTimer tmHelp;
    QMenu* mnuPopup = nullptr;
    QAction* mnuInsert = nullptr;
    QAction* mnuHelp = nullptr;
    QAction* mnuFreeType = nullptr;
    // Menu item arrays; mnuArgs is indexed 1 to 9 (index 0 stays empty).
    QList<QAction*> mnuBreeds;
    QList<QAction*> mnuProfessions;
    QList<QAction*> mnuArgs;
    QList<QAction*> mnuRename;

public slots:
    void tmHelp_Timer();
    void tvwTreeView1_Collapse(QTreeWidgetItem* node);
    void tvwTreeView1_Expand(QTreeWidgetItem* node);
    void tvwTreeView1_NodeClick(QTreeWidgetItem* node);
    // F1 on the tree; true when the key was consumed.
    bool tvwTreeView1_KeyDown(int key);
    // A right click at a point of the tree's viewport; true when a menu was shown.
    bool tvwTreeView1_MouseDown(Qt::MouseButton button, const QPoint& at);
    void tvwTreeView1_DblClick();
    void mnuInsert_Click();
    void mnuHelp_Click();
    void mnuAbout_Click();
    void mnuAllC_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenus();
    void createSidePanel();
    // Where the player left the window last time, or a first-start place.
    void restoreWindowLayout();
    void saveWindowLayout();
    void checkScriptsFolder();
    void fillArgumentItems();
    void fillListItems(const QString& sql, const QString& field, QMenu* menu, QList<QAction*>& items);
    void Form_Unload();

    Settings m_settings;
    Catalogue m_catalogue;
    AppState m_state;
    ImageList m_imgSmall;
    std::unique_ptr<MainMenuCommands> m_mainMenu;
    QMenu* m_breedMenu = nullptr;
    QMenu* m_professionMenu = nullptr;
    QMenu* m_variablesMenu = nullptr;
};
