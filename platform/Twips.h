#pragma once

#include <QRect>
#include <cmath>

// Window layouts are given in twips: 1/1440 inch, 15 to the pixel at 96 dpi.
constexpr int twipsToPixels(int twips)
{
    return (twips + (twips >= 0 ? 7 : -7)) / 15;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}
