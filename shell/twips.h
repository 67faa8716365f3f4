#pragma once
// Window geometry given in twips (1440 to the inch) placed on a screen measured in pixels.

#include <QRect>
#include <QSize>

class QWidget;

namespace calvex::shell {

// Twips to whole pixels at the dots per inch of the screen `reference` is on.
int pixelsFromTwips(double twips, const QWidget* reference);
double twipsFromPixels(int pixels, const QWidget* reference);
QRect rectFromTwips(double left, double top, double width, double height, const QWidget* reference);
QSize sizeFromTwips(double width, double height, const QWidget* reference);

// Moves `window` (a top-level window) to the centre of its screen, keeping its size; the
// arithmetic is done in twips on the outer sizes, as every self-centring window does it.
void centreOnScreen(QWidget* window);

// Moves `outer` to the centre of an area of `area` pixels, with the same arithmetic.
void centreIn(QWidget* outer, QSize area);

} // namespace calvex::shell
