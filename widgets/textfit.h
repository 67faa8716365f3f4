#pragma once
// Windows whose controls stand at fixed rectangles, laid out for the usual desktop font: at a
// larger one their text would be cut. They grow instead, all of one factor, so the arrangement
// stays as designed.

class QWidget;

namespace calvex::widgets {

// The factor by which `control` (a label, push button or text box) must grow, across and down
// alike, to show its whole text in its own font; 1 or less when it does already. Other controls
// need no room: 0.
double growthForText(const QWidget& control);

// Scales the fixed size of `window` and the rectangle of each control placed directly on it by
// the largest growth its controls need, when that is above 1.
void growWithText(QWidget& window);

} // namespace calvex::widgets
