#include "app/WindowTiling.h"

namespace {
// Edge i of count bands over [origin, origin + extent); 64-bit so a huge area times
// many windows cannot overflow.
int edge(int origin, int extent, int i, int count)
{
    return origin + int(qint64(extent) * i / count);
}
}

QList<QRect> WindowTiling::horizontal(const QRect& area, int count)
{
    QList<QRect> rects;
    if (count <= 0 || !area.isValid())
        return rects;
    rects.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int top = edge(area.top(), area.height(), i, count);
        const int bottom = edge(area.top(), area.height(), i + 1, count);
        rects.append(QRect(area.left(), top, area.width(), bottom - top));
    }
    return rects;
}

QList<QRect> WindowTiling::vertical(const QRect& area, int count)
{
    QList<QRect> rects;
    if (count <= 0 || !area.isValid())
        return rects;
    rects.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int left = edge(area.left(), area.width(), i, count);
        const int right = edge(area.left(), area.width(), i + 1, count);
        rects.append(QRect(left, area.top(), right - left, area.height()));
    }
    return rects;
}
