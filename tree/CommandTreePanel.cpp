#include "tree/CommandTreePanel.h"

#include "dialogs/HelpWindow.h"
#include "editor/ScriptWorkspace.h"
#include "state/AppState.h"
#include "tree/CommandTreeBuilder.h"
#include "tree/CutNodeToolTip.h"
#include "tree/TreeFilterField.h"
#include "tree/TreeInsertion.h"
#include "tree/TreeNode.h"
#include "platform/PathLookup.h"

#include <QAction>
#include <QFileSystemWatcher>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

CommandTreePanel::CommandTreePanel(AppState& state, ScriptWorkspace& windows, QWidget* parent)
    : QWidget(parent), m_state(state), m_windows(windows)
{
    setObjectName(QStringLiteral("treePanel"));
    createTree();
    createPopup();
    m_folderWatcher = new QFileSystemWatcher(this);
    connect(m_folderWatcher, &QFileSystemWatcher::directoryChanged, this, &CommandTreePanel::followScriptsFolder);
}

void CommandTreePanel::createTree()
{
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("tree"));
    m_tree->setAccessibleName(QStringLiteral("Command tree"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setIconSize(QSize(16, 16));
    m_tree->setItemDelegate(new CutNodeToolTip(m_tree));
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    font.setBold(true);
    m_tree->setFont(font);
    m_tree->installEventFilter(this);
    m_tree->viewport()->installEventFilter(this);

    m_filterField = new TreeFilterField(*m_tree, [this] { insertNode(); }, this);
    m_filterField->setObjectName(QStringLiteral("filterField"));
    m_filterField->setAccessibleName(QStringLiteral("Filter the command tree"));
    // The filter on top, the tree down to the panel's foot whatever its width.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_filterField);
    layout->addWidget(m_tree, 1);

    connect(m_tree, &QTreeWidget::itemCollapsed, this, &CommandTreePanel::nodeCollapsed);
    connect(m_tree, &QTreeWidget::itemExpanded, this, &CommandTreePanel::nodeExpanded);
    connect(m_tree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* node) { showNodeTag(node); });
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this] { insertNode(); });
    // The status bar follows the node the arrow keys move to, as it follows a click.
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* node) {
        if (node)
            showNodeTag(node);
    });
}

void CommandTreePanel::fill()
{
    CommandTreeBuilder(m_state.catalogue, m_imgSmall).fill(*m_tree, m_state.gamePath());
    watchScriptsFolder();
}

void CommandTreePanel::watchScriptsFolder()
{
    if (const QStringList watched = m_folderWatcher->directories(); !watched.isEmpty())
        m_folderWatcher->removePaths(watched);
    m_scriptsFolder = PathLookup::findDirectory(m_state.gamePath(), QStringLiteral("scripts"));
    QStringList folders{m_scriptsFolder};
    if (!m_state.gamePath().isEmpty())
        folders << m_state.gamePath();
    folders.removeAll(QString());
    if (!folders.isEmpty())
        m_folderWatcher->addPaths(folders);
}

void CommandTreePanel::followScriptsFolder()
{
    // A scripts folder made, removed or renamed changes the whole scripts group.
    if (PathLookup::findDirectory(m_state.gamePath(), QStringLiteral("scripts")) != m_scriptsFolder) {
        fill();
        return;
    }
    if (m_scriptsFolder.isEmpty())
        return;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* group = m_tree->topLevelItem(i);
        if (TreeNode::kind(group) == TreeNode::Kind::Group && TreeNode::id(group) == CommandGroup::Scripts) {
            CommandTreeBuilder(m_state.catalogue, m_imgSmall).listScripts(*group, m_scriptsFolder);
            return;
        }
    }
}

int CommandTreePanel::fittingWidth() const
{
    QTreeWidget& tree = *m_tree;
    tree.ensurePolished();
    // The option the tree draws its rows with; the tree's own is not reachable from here.
    QStyleOptionViewItem option;
    option.initFrom(&tree);
    option.widget = &tree;
    option.font = tree.font();
    option.decorationSize = tree.iconSize();
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    int widest = 0;
    for (int g = 0; g < tree.topLevelItemCount(); ++g) {
        const QModelIndex index = tree.model()->index(g, 0);
        widest = std::max(widest, tree.itemDelegateForIndex(index)->sizeHint(option, index).width());
    }
    // Beside the name: the group's arrow, the tree's frame, and the scroll bar that
    // comes once a long group is opened.
    const int arrow = tree.rootIsDecorated() ? tree.indentation() : 0;
    return widest + arrow + 2 * tree.frameWidth() + tree.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &tree);
}

void CommandTreePanel::createPopup()
{
    m_popupMenu = new QMenu(QStringLiteral("Popup"), this);
    m_popupMenu->setObjectName(QStringLiteral("popupMenu"));
    m_insertAction = m_popupMenu->addAction(QStringLiteral("&Insert"));
    m_insertAction->setObjectName(QStringLiteral("mnuInsert"));
    m_helpAction = m_popupMenu->addAction(QStringLiteral("&Help"));
    m_helpAction->setObjectName(QStringLiteral("mnuHelp"));
    m_popupMenu->setDefaultAction(m_insertAction);
    connect(m_insertAction, &QAction::triggered, this, &CommandTreePanel::insertSelectedNode);
    connect(m_helpAction, &QAction::triggered, this, &CommandTreePanel::showSelectedNodeHelp);
}

void CommandTreePanel::nodeCollapsed(QTreeWidgetItem* node)
{
    if (TreeNode::image(node) == TreeNode::GroupExpanded)
        TreeNode::setImages(node, TreeNode::GroupCollapsed, TreeNode::GroupCollapsed, m_imgSmall);
    else
        TreeNode::setImages(node, TreeNode::image(node), TreeNode::GroupCollapsed, m_imgSmall);
}

void CommandTreePanel::nodeExpanded(QTreeWidgetItem* node)
{
    if (TreeNode::image(node) == TreeNode::GroupCollapsed)
        TreeNode::setImages(node, TreeNode::GroupExpanded, TreeNode::GroupExpanded, m_imgSmall);
    else
        TreeNode::setImages(node, TreeNode::image(node), TreeNode::GroupExpanded, m_imgSmall);
}

void CommandTreePanel::showNodeTag(QTreeWidgetItem* node)
{
    emit nodeTagShown(TreeNode::tag(node));
}

bool CommandTreePanel::handleKey(int key, Qt::KeyboardModifiers modifiers)
{
    QTreeWidgetItem* node = m_tree->currentItem();
    const bool command = TreeNode::isInsertable(node);
    switch (key) {
    case Qt::Key_F1:
        // With nothing selected there is no command to explain.
        if (command)
            showSelectedNodeHelp();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter does what a double-click does: a command goes in, a group opens or closes.
        if (command)
            insertNode();
        else if (node)
            node->setExpanded(!node->isExpanded());
        return true;
    case Qt::Key_F10:
        if (modifiers != Qt::ShiftModifier)
            return false;
        [[fallthrough]];
    case Qt::Key_Menu:
        if (command)
            showPopup(*node);
        return true;
    default:
        return false;
    }
}

bool CommandTreePanel::handleMousePress(Qt::MouseButton button, const QPoint& at)
{
    if (button != Qt::RightButton)
        return false;
    QTreeWidgetItem* node = m_tree->itemAt(at);
    if (!TreeNode::isInsertable(node))
        return true;
    m_tree->setCurrentItem(node);
    m_popupMenu->popup(m_tree->viewport()->mapToGlobal(at));
    return true;
}

void CommandTreePanel::showPopup(QTreeWidgetItem& node)
{
    m_tree->scrollToItem(&node);
    const QRect row = m_tree->visualItemRect(&node);
    m_popupMenu->popup(m_tree->viewport()->mapToGlobal(row.bottomLeft()));
}

bool CommandTreePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_tree) {
        // F1 belongs to the tree while it has the focus, not to the Help menu.
        if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
            event->accept();
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            const auto* keyEvent = static_cast<QKeyEvent*>(event);
            return handleKey(keyEvent->key(), keyEvent->modifiers());
        }
    } else if (watched == m_tree->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        return handleMousePress(mouse->button(), mouse->position().toPoint());
    }
    return QWidget::eventFilter(watched, event);
}

void CommandTreePanel::insertNode()
{
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    TreeInsertion(m_state, m_windows).insertNode(selected.isEmpty() ? nullptr : selected.constFirst());
}

void CommandTreePanel::insertSelectedNode()
{
    insertNode();
}

void CommandTreePanel::showSelectedNodeHelp()
{
    const QTreeWidgetItem* node = m_tree->currentItem();
    const TreeNode::Kind kind = TreeNode::kind(node);
    const bool command = kind != TreeNode::Kind::None && kind != TreeNode::Kind::Group && kind != TreeNode::Kind::ScriptFile;
    HelpWindow help(m_state.catalogue, command ? std::optional<qint64>(TreeNode::id(node)) : std::nullopt,
                    m_windows.dialogOwner());
    help.exec();
}
