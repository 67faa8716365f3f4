#pragma once
// Walking a window with the Tab key, as a user without a mouse does.

#include <string>
#include <vector>

class QWidget;

namespace calvex::testing {

// Gives `start` the focus and presses Tab `count` times: the names of the controls reached, in
// order, a toolbar button named by its key.
std::vector<std::string> tabStops(QWidget& start, int count);

} // namespace calvex::testing
