#pragma once
// The frame's own toolbar, which the result viewer hides while it is loaded.

namespace calvex::widgets {

// Shows or hides the toolbar "Toolbar" of the frame MDIForm1 (the frame's own, not one of a
// child window's). Does nothing while there is no frame.
void setFrameToolbarVisible(bool visible);

} // namespace calvex::widgets
