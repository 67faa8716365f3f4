#pragma once
// How the menus, the launcher and the toolbar change the windows on show: at most one
// calculation is open at a time, so opening one closes every other window first.

#include "widgets/unifacmodes.h"

#include <QString>

class QWidget;

namespace calvex::shell {

using widgets::UnifacMode;
using widgets::UnifacModes;

// The window a menu item or launcher button opens: a calculator window by name, or, when
// `window` is null, the UNIFAC window in `unifacMode`.
struct CalculatorChoice {
    const char* window = nullptr;
    UnifacMode unifacMode = UnifacMode::ActivityCoefficients;
};

// The caption the switching compares with the frame's. The frame's title also shows a
// maximised child's ("Calvex - [MAIN MENU]"); its own caption is the part before that.
QString captionOf(const QWidget* window);

// Closes every loaded window except those bearing the frame's caption, shows a new launcher,
// then `target` in front of it. Stops silently at the first failure, and at once, closing
// nothing, with the short note when `target` is not available yet.
void CloseOthersAndShow(const QString& target);

// Closes every window except the frame, leaves the launcher closed, shows the UNIFAC window
// and switches it to `mode`.
void ShowUnifacCalculator(UnifacMode mode);

void openCalculator(const CalculatorChoice& choice);

// Closes windows from position 1 on until two are left (the frame and the most recently loaded
// other window), then loads the launcher when it is not loaded.
void ShowMainPage();

// Hides the window at `position` of the list of loaded windows (it stays loaded); nothing when
// fewer windows are loaded.
void hideLoadedWindowAt(int position);

// Shows the window modally when it is a dialog and as a window of its own otherwise; the short
// note when it is not available yet.
void showModally(const QString& name);

// The short note for a window that is not available yet.
void noteNotAvailable();

} // namespace calvex::shell
