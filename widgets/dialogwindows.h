#pragma once
// Registers the data-entry dialogs with the window registry by name, as dialogs: the seven
// missing-constants instances (GetPcTcOmega, GetPcTcOmega1..GetPcTcOmega6) and InputABCD.

namespace calvex::widgets {

void registerDialogWindows();

} // namespace calvex::widgets
