#pragma once
// The component lists of the calculator windows: every row's name, with its SNO as the item
// data, in alphabetical order without regard to case (an entry goes after those that compare
// equal, as a sorted list box inserts it).

#include "pure/componentdatabase.h"

class QComboBox;

namespace calvex::pure {

void fillComponentList(QComboBox& list, const ComponentList& components);

} // namespace calvex::pure
