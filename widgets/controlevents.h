#pragma once
// How the calculator windows tell their key and focus handlers' events: a key press that types
// a character, and the focus leaving a control.

#include <optional>

class QEvent;
class QWidget;

namespace calvex::widgets {

// The character code (KeyAscii) of a key press that types a character for a key handler to
// judge; empty for any other event (shortcuts, navigation keys and Tab, which moves the focus).
std::optional<int> typedKeyAscii(const QEvent& event);

// A focus loss of a control of `window` that is the user leaving it: opening a list's own
// drop-down, switching to another window and closing `window` are not.
bool isLeavingControl(const QEvent& event, const QWidget& window);

} // namespace calvex::widgets
