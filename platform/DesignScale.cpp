#include "platform/DesignScale.h"

#include <QFont>
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace {
// Character cell of the font the designs were made with, in pixels at 96 dpi.
constexpr double kDesignCharWidth = 6.0;
constexpr double kDesignCharHeight = 13.0;
constexpr double kTwipsPerPixel = 15.0;
}

DesignScale::DesignScale(const QFont& font)
{
    const QFontMetricsF metrics(font);
    // The average over the alphabet, as dialog units take it: a font's own average
    // width is often that of its narrowest glyphs.
    static const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const double charWidth = metrics.horizontalAdvance(alphabet) / alphabet.size();
    m_x = std::max(1.0, charWidth / kDesignCharWidth);
    m_y = std::max(1.0, metrics.height() / kDesignCharHeight);
}

int DesignScale::x(int twips) const
{
    return static_cast<int>(std::lround(twips * m_x / kTwipsPerPixel));
}

int DesignScale::y(int twips) const
{
    return static_cast<int>(std::lround(twips * m_y / kTwipsPerPixel));
}

QRect DesignScale::rect(int left, int top, int width, int height) const
{
    const int l = x(left);
    const int t = y(top);
    return QRect(l, t, x(left + width) - l, y(top + height) - t);
}

QSize DesignScale::size(int width, int height) const
{
    return QSize(x(width), y(height));
}
