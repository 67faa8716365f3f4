#pragma once
// Placing windows and controls by the twips (1/1440 inch) their layouts are given in.

#include <QRect>

class QWidget;

namespace calvex::services {

// Where a window of `innerTwips` starts in `outerTwips` when it sits 1/`divisor` of the free
// space from the start: the difference made a whole number (to nearest, halves to even), then
// divided with truncation toward zero. A divisor of 2 centres it.
long freeSpaceOrigin(double outerTwips, double innerTwips, int divisor);

// The pixel rectangle of a twips rectangle on `widget`'s screen.
QRect rectFromTwips(const QWidget& widget, double left, double top, double width, double height);

// Moves `control` to a rectangle given in twips.
void placeInTwips(QWidget& control, double left, double top, double width, double height);

// Resizes `window`'s inner area to a size given in twips and fixes it there.
void fixInnerSizeInTwips(QWidget& window, double width, double height);

// Moves `window` across its screen to the centre and down to 1/`heightDivisor` of the free
// height, the arithmetic done in twips; its size is unchanged.
void placeOnScreen(QWidget& window, int heightDivisor = 2);

} // namespace calvex::services
