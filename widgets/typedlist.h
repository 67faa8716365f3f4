#pragma once
// A list that also takes typed values (a count, say) holds the text as the user typed it: no
// inline completion turns a typed "1" into the first entry that starts with it, and Return adds
// no entry of its own, so the list offers only its items and reads back only what was typed or
// chosen.

class QComboBox;

namespace calvex::widgets {

// Makes `list` editable on those terms; before its caption is tied, which then names the text box.
void makeTypedList(QComboBox& list);

} // namespace calvex::widgets
