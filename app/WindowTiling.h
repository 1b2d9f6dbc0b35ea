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
};
