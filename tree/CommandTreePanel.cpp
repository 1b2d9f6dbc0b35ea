#include "tree/CommandTreePanel.h"

#include "dialogs/frmHelp.h"
#include "editor/ScriptWindows.h"
#include "tree/CutNodeToolTip.h"
#include "tree/TreeFilterField.h"
#include "tree/TreeInsertion.h"
#include "tree/TreeNode.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

CommandTreePanel::CommandTreePanel(AppState& state, ScriptWindows& windows, QWidget* parent)
    : QWidget(parent), m_state(state), m_windows(windows)
{
    setObjectName(QStringLiteral("picBar"));
    createTree();
    createPopup();
}

void CommandTreePanel::createTree()
{
    tvwTreeView1 = new QTreeWidget(this);
    tvwTreeView1->setObjectName(QStringLiteral("tvwTreeView1"));
    tvwTreeView1->setHeaderHidden(true);
    tvwTreeView1->setColumnCount(1);
    tvwTreeView1->setIconSize(QSize(16, 16));
    tvwTreeView1->setItemDelegate(new CutNodeToolTip(tvwTreeView1));
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    font.setBold(true);
    tvwTreeView1->setFont(font);
    tvwTreeView1->installEventFilter(this);
    tvwTreeView1->viewport()->installEventFilter(this);

    txtFilter = new TreeFilterField(*tvwTreeView1, [this] { tvwTreeView1_DblClick(); }, this);
    txtFilter->setObjectName(QStringLiteral("txtFilter"));
    // The filter on top, the tree down to the panel's foot whatever its width.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(txtFilter);
    layout->addWidget(tvwTreeView1, 1);

    connect(tvwTreeView1, &QTreeWidget::itemCollapsed, this, &CommandTreePanel::tvwTreeView1_Collapse);
    connect(tvwTreeView1, &QTreeWidget::itemExpanded, this, &CommandTreePanel::tvwTreeView1_Expand);
    connect(tvwTreeView1, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* node) { tvwTreeView1_NodeClick(node); });
    connect(tvwTreeView1, &QTreeWidget::itemDoubleClicked, this, [this] { tvwTreeView1_DblClick(); });
    // The status bar follows the node the arrow keys move to, as it follows a click.
    connect(tvwTreeView1, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* node) {
        if (node)
            tvwTreeView1_NodeClick(node);
    });
}

int CommandTreePanel::fittingWidth() const
{
    QTreeWidget& tree = *tvwTreeView1;
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
    mnuPopup = new QMenu(QStringLiteral("Popup"), this);
    mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    mnuInsert = mnuPopup->addAction(QStringLiteral("Insert"));
    mnuInsert->setObjectName(QStringLiteral("mnuInsert"));
    mnuHelp = mnuPopup->addAction(QStringLiteral("Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuPopup->setDefaultAction(mnuInsert);
    connect(mnuInsert, &QAction::triggered, this, &CommandTreePanel::mnuInsert_Click);
    connect(mnuHelp, &QAction::triggered, this, &CommandTreePanel::mnuHelp_Click);
}

void CommandTreePanel::tvwTreeView1_Collapse(QTreeWidgetItem* node)
{
    if (TreeNode::image(node) == TreeNode::GroupExpanded)
        TreeNode::setImages(node, TreeNode::GroupCollapsed, TreeNode::GroupCollapsed, m_imgSmall);
    else
        TreeNode::setImages(node, TreeNode::image(node), TreeNode::GroupCollapsed, m_imgSmall);
}

void CommandTreePanel::tvwTreeView1_Expand(QTreeWidgetItem* node)
{
    if (TreeNode::image(node) == TreeNode::GroupCollapsed)
        TreeNode::setImages(node, TreeNode::GroupExpanded, TreeNode::GroupExpanded, m_imgSmall);
    else
        TreeNode::setImages(node, TreeNode::image(node), TreeNode::GroupExpanded, m_imgSmall);
}

void CommandTreePanel::tvwTreeView1_NodeClick(QTreeWidgetItem* node)
{
    emit nodeTagShown(TreeNode::tag(node));
}

bool CommandTreePanel::tvwTreeView1_KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    QTreeWidgetItem* node = tvwTreeView1->currentItem();
    const bool command = node && node->childCount() == 0 && !TreeNode::isGroupImage(TreeNode::image(node));
    switch (key) {
    case Qt::Key_F1:
        // With nothing selected there is no command to explain.
        if (command)
            mnuHelp_Click();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter does what a double-click does: a command goes in, a group opens or closes.
        if (command)
            tvwTreeView1_DblClick();
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

bool CommandTreePanel::tvwTreeView1_MouseDown(Qt::MouseButton button, const QPoint& at)
{
    if (button != Qt::RightButton)
        return false;
    QTreeWidgetItem* node = tvwTreeView1->itemAt(at);
    if (!node || TreeNode::isGroupImage(TreeNode::image(node)))
        return true;
    tvwTreeView1->setCurrentItem(node);
    mnuPopup->popup(tvwTreeView1->viewport()->mapToGlobal(at));
    return true;
}

void CommandTreePanel::showPopup(QTreeWidgetItem& node)
{
    tvwTreeView1->scrollToItem(&node);
    const QRect row = tvwTreeView1->visualItemRect(&node);
    mnuPopup->popup(tvwTreeView1->viewport()->mapToGlobal(row.bottomLeft()));
}

bool CommandTreePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tvwTreeView1) {
        // F1 belongs to the tree while it has the focus, not to the Help menu.
        if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
            event->accept();
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            const auto* keyEvent = static_cast<QKeyEvent*>(event);
            return tvwTreeView1_KeyDown(keyEvent->key(), keyEvent->modifiers());
        }
    } else if (watched == tvwTreeView1->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        return tvwTreeView1_MouseDown(mouse->button(), mouse->position().toPoint());
    }
    return QWidget::eventFilter(watched, event);
}

void CommandTreePanel::tvwTreeView1_DblClick()
{
    const QList<QTreeWidgetItem*> selected = tvwTreeView1->selectedItems();
    TreeInsertion(m_state, m_windows).tvwTreeView1_DblClick(selected.isEmpty() ? nullptr : selected.constFirst());
}

void CommandTreePanel::mnuInsert_Click()
{
    tvwTreeView1_DblClick();
}

void CommandTreePanel::mnuHelp_Click()
{
    frmHelp help(m_state, TreeNode::key(tvwTreeView1->currentItem()), m_windows.dialogOwner());
    help.exec();
}
