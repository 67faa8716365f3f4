#pragma once
// A run ended from outside (SIGTERM from the desktop session or `kill`, SIGHUP from a closed
// terminal, SIGINT from Ctrl+C) ends as a quit from the menu does: the event loops return, and
// what main and the program's statics hold is destroyed, the temporary folder a run keeps its
// reports in with it. A second of these signals ends the program at once, as the signal's
// default action does, also where the quit cannot come (a save waiting for a lock that another
// program holds). A signal the program was started with ignored (nohup) stays ignored.

namespace calvex::widgets {

// Installs the handlers; once, after the application object exists.
void endOnTerminationSignals();

// 128 plus the signal that asked the program to end, as a shell reports it; 0 while none did.
// A signal that came before the main event loop started (while the start message waits, say)
// has ended the loops that ran then, not the one still to come: main starts it only while this
// is 0.
int terminationStatus();

} // namespace calvex::widgets
