#pragma once

#include "tree/ImageList.h"

#include <QWidget>

class AppState;
class QAction;
class QFileSystemWatcher;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;
class ScriptWorkspace;

// The strip beside the scripts that holds the command tree: the tree, the pictures
// of its nodes, its context menu, and what a click, a double-click, F1 and a right
// click on a node do.
class TreeFilterField;
class CommandTreePanel : public QWidget {
    Q_OBJECT
public:
    CommandTreePanel(AppState& state, ScriptWorkspace& windows, QWidget* parent = nullptr);

    const ImageList& images() const { return m_imgSmall; }
    // As wide as the panel must be to show every group's name whole.
    int fittingWidth() const;

    QTreeWidget* tree() const { return m_tree; }
    // The groups and commands of the catalogue, and the game's script files under
    // My Scripts; run again whenever the game folder changes.
    void fill();
    // The scripts folder or the game folder changed on disk (by this program or
    // another): My Scripts lists the files as they now are.
    void followScriptsFolder();

signals:
    // A node was clicked; `tag` is a group's prefix or a command's description.
    void nodeTagShown(const QString& tag);

public slots:
    void nodeCollapsed(QTreeWidgetItem* node);
    void nodeExpanded(QTreeWidgetItem* node);
    void showNodeTag(QTreeWidgetItem* node);
    // A key on the tree (F1 help, Enter insert, Menu or Shift+F10 the popup); true
    // when the key was consumed.
    bool handleKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // A right click at a point of the tree's viewport; true when a menu was shown.
    bool handleMousePress(Qt::MouseButton button, const QPoint& at);
    void insertNode();
    void insertSelectedNode();
    void showSelectedNodeHelp();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createTree();
    void createPopup();
    // The context menu under a node, for the keyboard's way of asking for it.
    void showPopup(QTreeWidgetItem& node);
    // Watches the scripts folder, and the game folder for one made or renamed.
    void watchScriptsFolder();

    AppState& m_state;
    ScriptWorkspace& m_windows;
    ImageList m_imgSmall;
    QTreeWidget* m_tree = nullptr;
    TreeFilterField* m_filterField = nullptr;  // above the tree
    // The tree's context menu; it never shows in the menu bar.
    QMenu* m_popupMenu = nullptr;
    QAction* m_insertAction = nullptr;
    QAction* m_helpAction = nullptr;
    QFileSystemWatcher* m_folderWatcher = nullptr;
    QString m_scriptsFolder;  // the one the tree lists; empty when it lists none
};
