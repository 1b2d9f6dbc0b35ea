#pragma once

#include <QList>
#include <QRect>

// Where child windows go when tiled over an area. The area is cut into count bands
// whose edges fall on whole pixels: together they cover it exactly, none overlap,
// and their sizes differ by one pixel at most.
class WindowTiling {
public:
    // Each as wide as the area, one above another (first on top).
    static QList<QRect> horizontal(const QRect& area, int count);
    // Each as high as the area, side by side (first on the left).
    static QList<QRect> vertical(const QRect& area, int count);
    // Cascaded as a desktop does: one size for all, each a title bar (`step`) lower
    // and to the right of the one before, so every title bar stays in sight; the
    // last is the one in front. Past the area's corner the steps start again at the top.
    static QList<QRect> cascade(const QRect& area, int count, int step);
};
