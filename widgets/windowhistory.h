#pragma once
// What the program remembers of the user's way through its windows: the windows last clicked,
// focused, activated or closed. On Wayland the program learns that a window is active only after
// a round trip with the compositor: right after a modal box closes, and during the click that
// brings the program back, QApplication::activeWindow() is null, and this memory stands in for it.
// (The control last focused in each window Qt keeps itself: QWidget::focusWidget().)

class QWidget;

namespace calvex::widgets {

// The parent of a dialog about to open: `asking` when given, else the window of the program
// last used that is still shown and is the frame or has parents that lead to it, else the frame;
// nullptr only while the program shows no window. `dialog` itself and the windows it owns are
// passed over.
QWidget* dialogParent(QWidget* asking = nullptr, const QWidget* dialog = nullptr);

// Gives a dialog that is not shown yet the parent dialogParent() chooses, when it has none or its
// parent's window is not on the screen; the dialog's window flags stay as they are.
void adoptDialog(QWidget& dialog);

// The window of the program the user was in, or closed, last, shown or not; nullptr when it is
// gone.
QWidget* lastActiveWindow();

} // namespace calvex::widgets
