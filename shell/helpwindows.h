#pragma once
// Registers the help browser helpSoftware (a window of its own) and the about box frmAbout (a
// dialog) with the window registry by name.

namespace calvex::shell {

void registerHelpWindows();

} // namespace calvex::shell
