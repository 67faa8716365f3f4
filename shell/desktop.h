#pragma once
// What the program asks of the desktop: a frame without a Close button, starting the desktop
// calculator, opening a web page or mail address, and ending the program.

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace calvex::shell {

// Takes the Close button off `form`'s title bar; the window itself ignores close requests
// (see ignoresCloseRequests).
void DisableCloseButton(QWidget* form);

// The desktop calculators looked for on the PATH, in order of preference.
QStringList desktopCalculatorPrograms();
// Starts the first desktop calculator found on the PATH, detached; nothing happens when there
// is none or it cannot be started.
void startDesktopCalculator();

// Opens a web address ("http://…") or mail address ("mailto:…") with the desktop's program for it.
void openAddress(const QString& address);
// Replaces what openAddress does (tests record the address instead); an empty function restores
// the desktop's handler.
void setAddressOpener(std::function<void(const QString&)> opener);

// Ends the program at once: no question, no window's unload handling.
void endProgram();
// Replaces what endProgram does (tests record the request instead); an empty function restores
// the real ending.
void setProgramEnding(std::function<void()> ending);

} // namespace calvex::shell
