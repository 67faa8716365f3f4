#pragma once
// The shell's own windows in the window registry, and the program's start.

namespace calvex::shell {

// Makes the frame, the launcher and the two start windows loadable, and every window of the
// other subsystems known by name (each not available until its subsystem registers it).
void registerShellWindows();

// Shows the cover window, which leads through the splash to the frame.
void startProgram();

} // namespace calvex::shell
