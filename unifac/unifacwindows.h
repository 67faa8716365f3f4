#pragma once
// Makes the UNIFAC calculator window loadable by name; its dialogs are made anew for each use.

namespace calvex::unifac {

void registerUnifacWindows();

} // namespace calvex::unifac
