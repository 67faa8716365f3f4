#pragma once
// A line edit whose typed characters pass a key filter (services/keyfilter.h), the way the
// number boxes of the dialogs and calculator windows take their input.

#include "services/keyfilter.h"

#include <cstddef>
#include <functional>
#include <string_view>

class QLineEdit;
class QString;

namespace calvex::services {

// Filters the characters typed into `box` from now on. Keys that type nothing (arrows, Delete,
// Home, End), Tab, Enter, Escape and the editing keys that cannot bring in a refused character
// (copy, cut, select all, undo, redo) pass; a paste, by key, from the box's menu or of the
// desktop's selection by the middle button, is typed through `filter` and taken only when every
// character passes (blanks around it aside); composed input is typed through `filter`; dropped
// text is refused; every other character goes through `filter`.
void setKeyFilter(QLineEdit& box, KeyFilter filter);

// A filter of its own: true when `key` typed into a box holding `text` passes. It is asked once
// for every key that reaches the filter, so it may also act on the key press.
using KeyTest = std::function<bool(std::string_view text, char key)>;
void setKeyFilter(QLineEdit& box, KeyTest test);

// Replaces the whole text of `box` with `text`. A box with a key filter takes it as it takes a
// paste: through the filter, whole or not at all; blank text leaves it as it was.
void pasteReplacingText(QLineEdit& box, const QString& text);

// Types `text` into `box` one character after another, each through `filter`, replacing the
// selection as typing does; Backspace ('\b') erases. Returns how many characters passed.
std::size_t typeThroughFilter(QLineEdit& box, KeyFilter filter, std::string_view text);
std::size_t typeThroughFilter(QLineEdit& box, const KeyTest& test, std::string_view text);

} // namespace calvex::services
