#include "app/WindowPlacement.h"

#include <algorithm>

namespace WindowPlacement {

QRect firstStart(const QRect& available, const QSize& least)
{
    const QSize share = (available.size() * 3) / 4;
    const QSize size = share.expandedTo(least).boundedTo(available.size());
    return QRect(available.left() + (available.width() - size.width()) / 2,
                 available.top() + (available.height() - size.height()) / 2, size.width(), size.height());
}

QRect fitted(const QRect& frame, const QRect& available)
{
    if (!available.isValid())
        return frame;
    const QSize size = frame.size().boundedTo(available.size());
    const int left = std::clamp(frame.left(), available.left(), available.right() + 1 - size.width());
    const int top = std::clamp(frame.top(), available.top(), available.bottom() + 1 - size.height());
    return QRect(QPoint(left, top), size);
}

}
