#pragma once
// The frame toolbar's cut, copy and paste on the control that has the focus in the active
// window. The control's kind is tested in this order: text box, combo box, list box, picture
// box; any other control only has the clipboard cleared (cut and copy) or nothing (paste).

class QWidget;

namespace calvex::shell {

// The control with the focus in the frame's current child window (the one that is or was last
// active), or in the active window when the frame has no child; the control that had the focus
// last stands in while the frame is not active yet. nullptr when none has it.
QWidget* focusedControl();

void copyFromControl(QWidget* control);
// Puts the control's selected text (a combo box's or list box's text, a picture box's picture)
// on the clipboard and removes it from the control.
void cutFromControl(QWidget* control);
// Replaces a text box's or combo box's text with the clipboard's, appends it to a list box,
// or sets a picture box's picture; with no text (picture) on the clipboard nothing changes. A
// number box takes the text only when its key filter passes all of it.
void pasteIntoControl(QWidget* control);

} // namespace calvex::shell
