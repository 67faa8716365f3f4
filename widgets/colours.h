#pragma once
// Colours come in pairs. Where a window's design fixes a background, the text on it is fixed
// with it; where it fixes only a text colour, that colour stands on the background the desktop
// gives and is shaded, lighter or darker, until it reads there, again whenever the desktop's
// colours change. Readable means a contrast ratio (WCAG 2) of at least 4.5:1.

#include <QColor>

class QWidget;

namespace calvex::widgets {

// `text` on `background`, whatever the desktop's colours.
void setFixedColours(QWidget& widget, const QColor& text, const QColor& background);
// The desktop's colours again.
void clearFixedColours(QWidget& widget);

enum class Shading {
    Free,        // lighter or darker, as the background asks
    KeptOnLight, // a colour the design gives: kept as it is on a light background, lightened on a dark one
};

// The widget's text in `wanted` or in its shade nearest to it that is readable on the
// backgrounds the desktop gives the widget, now and after every change of the desktop's colours.
// Once for a widget.
void setTextColour(QWidget& widget, const QColor& wanted, Shading shading = Shading::Free);

// Our own colours, chosen for a light window, that several windows share.
QColor titleColour();
QColor headingRed();

} // namespace calvex::widgets
