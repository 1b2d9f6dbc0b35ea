#pragma once

#include "tree/ImageList.h"

#include <QWidget>

class AppState;
class QAction;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;
class ScriptWindows;

// The strip beside the scripts that holds the command tree: the tree, the pictures
// of its nodes, its context menu, and what a click, a double-click, F1 and a right
// click on a node do.
class TreeFilterField;
class CommandTreePanel : public QWidget {
    Q_OBJECT
public:
    CommandTreePanel(AppState& state, ScriptWindows& windows, QWidget* parent = nullptr);

    const ImageList& imgSmall() const { return m_imgSmall; }
    // As wide as the panel must be to show every group's name whole.
    int fittingWidth() const;

    QTreeWidget* tvwTreeView1 = nullptr;
    TreeFilterField* txtFilter = nullptr;  // above the tree
    // The tree's context menu; it never shows in the menu bar.
    QMenu* mnuPopup = nullptr;
    QAction* mnuInsert = nullptr;
    QAction* mnuHelp = nullptr;

signals:
    // A node was clicked; `tag` is a group's prefix or a command's description.
    void nodeTagShown(const QString& tag);

public slots:
    void tvwTreeView1_Collapse(QTreeWidgetItem* node);
    void tvwTreeView1_Expand(QTreeWidgetItem* node);
    void tvwTreeView1_NodeClick(QTreeWidgetItem* node);
    // A key on the tree (F1 help, Enter insert, Menu or Shift+F10 the popup); true
    // when the key was consumed.
    bool tvwTreeView1_KeyDown(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // A right click at a point of the tree's viewport; true when a menu was shown.
    bool tvwTreeView1_MouseDown(Qt::MouseButton button, const QPoint& at);
    void tvwTreeView1_DblClick();
    void mnuInsert_Click();
    void mnuHelp_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createTree();
    void createPopup();
    // The context menu under a node, for the keyboard's way of asking for it.
    void showPopup(QTreeWidgetItem& node);

    AppState& m_state;
    ScriptWindows& m_windows;
    ImageList m_imgSmall;
};
