#pragma once
// What a screen reader announces for a box: the caption beside it, tied as the box's buddy, or
// a name of its own where no caption stands beside it. Captions keep their text: one holding
// '&' names its box without becoming its buddy. A list reports no caption it is labelled by,
// so it is named after its caption.

#include <QString>

class QLabel;
class QToolBar;
class QWidget;

namespace calvex::widgets {

// `spoken` replaces the caption's words where the caption alone sounds like another box's
// ("Unit" beside both unit lists): the caption's own text stays as it is shown, and a screen
// reader reads the box by the caption it is labelled by. A list that takes typing is made so
// (makeTypedList) before its caption is tied, which names its text box too.
void announceBy(QLabel& caption, QWidget& box, const QString& spoken = {});
// A caption showing `text` beside `box`, read as `spoken`, where the window makes the caption
// itself: named before it has its text, it tells a listening screen reader once, not twice.
QLabel* newSpokenCaption(const QString& text, const QString& spoken, QWidget& box, QWidget* parent);
// A box with no caption beside it; a combo box gets a hidden caption, what AT-SPI reads it by.
void announceAs(QWidget& box, const QString& name);
// The toolbar's buttons whose face is a picture alone say what their tooltip says.
void nameToolbarButtons(QToolBar& toolbar);

} // namespace calvex::widgets
