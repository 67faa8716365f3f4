#pragma once
// Placing windows and controls by the twips (1/1440 inch) their layouts are given in, on the
// screen the widget is on; the arithmetic itself is services/numbers.h's.

#include <QSize>

class QWidget;

namespace calvex::widgets {

// A rectangle in twips.
struct TwipsRect {
    double left;
    double top;
    double width;
    double height;
};

// A size in twips in whole pixels at the dots per inch of `reference`'s screen.
QSize sizeFromTwips(const QWidget& reference, double width, double height);

// Moves `control` to a rectangle given in twips.
void placeInTwips(QWidget& control, const TwipsRect& rect);

// Resizes `window`'s inner area to a size given in twips and fixes it there.
void fixInnerSizeInTwips(QWidget& window, double width, double height);

// Moves `window` across its screen to the centre and down to 1/`heightDivisor` of the free
// height, the arithmetic done in twips on its outer size; its size is unchanged.
void placeOnScreen(QWidget& window, int heightDivisor = 2);

// Moves `window` (by its outer size) to the centre of an area of `area` pixels, the
// arithmetic done in twips.
void centreIn(QWidget& window, QSize area);

// Moves the top-level `window` (by its outer size) to the centre of `owner`'s outer rectangle on
// the screen, the arithmetic done in twips; `owner` may sit inside the frame. The window stays
// within the screen's free area.
void centreOver(QWidget& window, const QWidget& owner);

} // namespace calvex::widgets
