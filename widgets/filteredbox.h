#pragma once
// A line edit whose typed characters pass a key filter (services/keyfilter.h), the way the
// number boxes of the dialogs and calculator windows take their input.

#include "services/keyfilter.h"

#include <cstddef>
#include <functional>
#include <string_view>

class QLineEdit;
class QString;

namespace calvex::widgets {

// Filters the characters typed into `box` from now on. Keys that type nothing (arrows, Delete,
// Home, End), Tab, Enter, Escape and the editing keys that cannot bring in a refused character
// (copy, cut, select all, undo, redo) pass; a paste, by key, from the box's menu or of the
// desktop's selection by the middle button, is typed through `filter` on a copy of the box's
// text, up to its first refused character, and taken only when every character passes (blanks
// around it aside) and the result fits in the box's maxLength: then the box changes by one edit,
// which Ctrl+Z takes back; otherwise it keeps its text, cursor and selection. Composed input is
// typed as typeThroughFilter types; dropped text is refused; every other character goes through
// `filter`.
void setKeyFilter(QLineEdit& box, services::KeyFilter filter);

// A filter of its own: true when `key` typed into a box holding `text` passes. It is asked once
// for every key that reaches the filter, so it may also act on the key press.
using KeyTest = std::function<bool(std::string_view text, char key)>;
void setKeyFilter(QLineEdit& box, KeyTest test);

// Replaces the whole text of `box` with `text`. A box with a key filter takes it as it takes a
// paste: through the filter, into the box emptied, whole or not at all; blank text leaves it as
// it was.
void pasteReplacingText(QLineEdit& box, const QString& text);

// Types `text` into `box` one character after another, each through `filter` given the text
// the box would hold by then, replacing the selection as typing does; Backspace ('\b') erases,
// refused characters are dropped. The typing is done on a copy of the text, and the box changes
// once, by one edit that Ctrl+Z takes back. Returns how many characters were taken: those that
// passed and, but for a Backspace, found room within the box's maxLength.
std::size_t typeThroughFilter(QLineEdit& box, services::KeyFilter filter, std::string_view text);
std::size_t typeThroughFilter(QLineEdit& box, const KeyTest& test, std::string_view text);

} // namespace calvex::widgets
