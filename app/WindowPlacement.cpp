#include "app/WindowPlacement.h"

namespace WindowPlacement {

QRect firstStart(const QRect& available, const QSize& least)
{
    const QSize share = (available.size() * 3) / 4;
    const QSize size = share.expandedTo(least).boundedTo(available.size());
    return QRect(available.left() + (available.width() - size.width()) / 2,
                 available.top() + (available.height() - size.height()) / 2, size.width(), size.height());
}

}
