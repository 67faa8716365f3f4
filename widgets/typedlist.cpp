#include "widgets/typedlist.h"

#include <QComboBox>

namespace calvex::widgets {

void makeTypedList(QComboBox& list)
{
    // The editable list makes its completer with its line edit, so it is taken away afterwards.
    list.setEditable(true);
    list.setCompleter(nullptr);
    list.setInsertPolicy(QComboBox::NoInsert);
}

} // namespace calvex::widgets
