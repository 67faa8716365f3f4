#pragma once
// What a screen reader reads of a drop-down list: its caption, and the entry it holds when the
// list gets the focus, on where-am-I and after each change.

namespace calvex::widgets {

// Every list of the program hands a reader its entry from here on: call once, after the
// application object is made and before the first window, so no list is read the old way.
void announceListEntries();

} // namespace calvex::widgets
