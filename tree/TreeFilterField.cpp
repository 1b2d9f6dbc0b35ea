#include "tree/TreeFilterField.h"

#include "tree/TreeFilter.h"
#include "tree/TreeNode.h"

#include <QAction>
#include <QKeyEvent>
#include <QTreeWidget>

TreeFilterField::TreeFilterField(QTreeWidget& tree, std::function<void()> insertSelected, QWidget* parent)
    : QLineEdit(parent), m_tree(tree), m_insertSelected(std::move(insertSelected))
{
    setObjectName(QStringLiteral("filterField"));
    setPlaceholderText(QStringLiteral("Filter (Ctrl+K)"));
    setClearButtonEnabled(true);
    setToolTip(QStringLiteral("Show only the commands and scripts that hold this text"));
    auto* focus = new QAction(this);
    focus->setObjectName(QStringLiteral("mnuFilterFocus"));
    focus->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    focus->setShortcutContext(Qt::WindowShortcut);
    connect(focus, &QAction::triggered, this, [this] {
        setFocus(Qt::ShortcutFocusReason);
        selectAll();
    });
    addAction(focus);
    connect(this, &QLineEdit::textChanged, this, &TreeFilterField::applyFilter);
}

void TreeFilterField::applyFilter(const QString& text)
{
    const int groupCount = m_tree.topLevelItemCount();
    const bool filtering = !text.trimmed().isEmpty();
    if (filtering && m_openBefore.isEmpty()) {
        for (int g = 0; g < groupCount; ++g)
            m_openBefore.append(m_tree.topLevelItem(g)->isExpanded());
    }

    QList<TreeFilter::Group> groups;
    groups.reserve(groupCount);
    for (int g = 0; g < groupCount; ++g) {
        const QTreeWidgetItem* node = m_tree.topLevelItem(g);
        TreeFilter::Group group;
        group.open = g < m_openBefore.size() ? m_openBefore[g] : node->isExpanded();
        group.rows.reserve(node->childCount());
        for (int r = 0; r < node->childCount(); ++r)
            group.rows.append({node->child(r)->text(0), TreeNode::tag(node->child(r))});
        groups.append(group);
    }
    const QList<TreeFilter::GroupView> views = TreeFilter::apply(groups, text);

    // Only what changes is touched: each hide or expand makes the tree lay out again.
    for (int g = 0; g < groupCount; ++g) {
        QTreeWidgetItem* node = m_tree.topLevelItem(g);
        const TreeFilter::GroupView& view = views[g];
        for (int r = 0; r < node->childCount(); ++r) {
            if (node->child(r)->isHidden() == view.rowShown[r])
                node->child(r)->setHidden(!view.rowShown[r]);
        }
        if (node->isHidden() == view.shown)
            node->setHidden(!view.shown);
        if (node->isExpanded() != view.open)
            node->setExpanded(view.open);
    }
    if (!filtering)
        m_openBefore.clear();
}

QTreeWidgetItem* TreeFilterField::firstMatch() const
{
    if (text().trimmed().isEmpty())
        return nullptr;
    for (int g = 0; g < m_tree.topLevelItemCount(); ++g) {
        QTreeWidgetItem* node = m_tree.topLevelItem(g);
        for (int r = 0; !node->isHidden() && r < node->childCount(); ++r) {
            if (!node->child(r)->isHidden())
                return node->child(r);
        }
    }
    return nullptr;
}

void TreeFilterField::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        if (!text().isEmpty()) {
            clear();
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (QTreeWidgetItem* match = firstMatch()) {
            m_tree.setCurrentItem(match);
            if (m_insertSelected)
                m_insertSelected();
        }
        return;
    case Qt::Key_Down:
        if (QTreeWidgetItem* match = firstMatch())
            m_tree.setCurrentItem(match);
        m_tree.setFocus(Qt::TabFocusReason);
        return;
    default:
        break;
    }
    QLineEdit::keyPressEvent(event);
}
