#pragma once

#include <QStyledItemDelegate>

// Draws the tree's nodes as usual and, where the panel is too narrow for a node's
// text and the text ends in "...", shows the whole text as the node's tooltip. A
// node that shows whole gets none, so the pointer resting on the tree stays quiet.
class CutNodeToolTip : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
};
