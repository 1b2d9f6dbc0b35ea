#pragma once

#include <QRect>
#include <QSize>

// Where the main window opens when no earlier run left it anywhere.
namespace WindowPlacement {

// A comfortable share of the screen's free area, never smaller than `least` unless
// the screen itself is, centred on that area.
QRect firstStart(const QRect& available, const QSize& least);

// `frame` made to fit `available`: no larger than it, and moved inside it, so a
// window stored at another screen size or scale opens whole, status bar and all.
QRect fitted(const QRect& frame, const QRect& available);

}
