#include "tree/CutNodeToolTip.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

bool CutNodeToolTip::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                               const QModelIndex& index)
{
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    // Only the part of the row inside the viewport can be seen; the row asks for as
    // much room as its picture and its whole text take.
    const int shown = option.rect.intersected(view->viewport()->rect()).width();
    if (sizeHint(option, index).width() > shown)
        QToolTip::showText(event->globalPos(), index.data(Qt::DisplayRole).toString(), view->viewport(), option.rect);
    else
        QToolTip::hideText();
    return true;
}
