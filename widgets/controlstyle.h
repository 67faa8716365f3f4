#pragma once
// The look the calculator windows share: Verdana bold for labels, headings and buttons, MS Sans
// Serif for boxes and lists (a sans-serif face where those are not installed), and control
// widths given in twips.

#include <QFont>

class QWidget;

namespace calvex::widgets {

QFont labelFont(int points = 9);
QFont boxFont();

// A width in twips in pixels on `reference`'s screen.
int widthFromTwips(const QWidget& reference, double twips);

} // namespace calvex::widgets
