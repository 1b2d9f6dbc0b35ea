#include "app/WindowTiling.h"

#include <algorithm>

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

QList<QRect> WindowTiling::cascade(const QRect& area, int count, int step)
{
    QList<QRect> rects;
    if (count <= 0 || !area.isValid() || step <= 0)
        return rects;
    // As large as the steps leave room for, but never below two thirds of the area:
    // many windows then go round again rather than shrinking to nothing.
    const int width = std::max(area.width() * 2 / 3, area.width() - (count - 1) * step);
    const int height = std::max(area.height() * 2 / 3, area.height() - (count - 1) * step);
    const int places = std::max(1, std::min((area.width() - width) / step, (area.height() - height) / step) + 1);
    rects.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int offset = (i % places) * step;
        rects.append(QRect(area.left() + offset, area.top() + offset, width, height));
    }
    return rects;
}
