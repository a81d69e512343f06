#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace vornak {

// Where a second window goes. Sizes and rectangles are outer ones, frame and title bar
// included, in the same coordinates as the screen's available area.

// No larger than the screen's available area: a window any larger has its close button or its
// bottom row out of reach.
QSize sizeWithin(QSize size, const QRect& screen);

// The top left corner of a window of `size`, no larger than `screen`, opened from the main
// window framed by `main`, whose file and folder lists take `lists`. It covers as little of the
// main window as it can: beside it, right then left, where it fits whole; else below it; else
// over the options below the lists rather than over the lists, or partly beside the main window
// where that covers less of the lists.
QPoint placeNear(const QRect& screen, const QRect& main, QSize size, const QRect& lists);

// Whether a window where the user left it lies wholly within one of the screens' available
// areas; a screen since unplugged or made smaller leaves it out of reach.
bool liesWithin(const QRect& frame, const QList<QRect>& screens);

} // namespace vornak
