#pragma once

#include <QRect>
#include <QSize>

class QFont;

// Turns a window's designed twip positions into pixels for the font the window is
// shown with. The designs were drawn for a system font whose characters averaged 6
// by 13 pixels; a larger font stretches the layout by as much as its characters are
// wider and taller (the way dialog units follow the dialog's font), so every caption
// keeps the room it was given. A smaller font keeps the designed size.
class DesignScale {
public:
    explicit DesignScale(const QFont& font);

    // Horizontal and vertical lengths and positions.
    int x(int twips) const;
    int y(int twips) const;
    // Edges are scaled rather than sizes, so controls that touch in the design
    // still touch and never overlap by a rounding pixel.
    QRect rect(int left, int top, int width, int height) const;
    QSize size(int width, int height) const;

private:
    double m_x = 1.0;
    double m_y = 1.0;
};
