#pragma once
// Registers the help browser helpSoftware (a window of its own) with the window registry by name.

namespace calvex::shell {

void registerHelpWindows();

} // namespace calvex::shell
