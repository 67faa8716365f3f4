#pragma once
// The component lists of the binary and parameter windows: both filled from the database at
// load, each leaving its "not listed" entry opening that component's missing-constants
// dialog, and lists that take no typed text.

#include "activity/binarycomponents.h"
#include "pure/purecalculator.h"

#include <array>

class QBoxLayout;
class QComboBox;
class QFont;
class QWidget;

namespace calvex::activity {

// Adds to `layout` the frames "Component 1" and "Component2" side by side (Frame0_0, Frame0_1,
// captions in `captionFont`), each a label "Compound" and its list Combo2_0 or Combo2_1.
std::array<QComboBox*, 2> addComponentFrames(QWidget& window, QBoxLayout& layout, const QFont& captionFont);

// Fills both lists (component 1's first) and selects their first entries. False, after the
// message "error in loading data", when the database cannot be read or holds no row; the lists
// then keep what was read.
bool loadComponentLists(pure::PureWindowServices& services, const std::array<QComboBox*, 2>& lists);

// From now on the focus leaving list i while it reads "not listed" shows GetPcTcOmega<i+1>
// modally, each time. Opening the list's own drop-down, switching to another window and
// closing the window are not leaving it.
void showDialogsOnLeavingNotListed(pure::PureWindowServices& services, const std::array<QComboBox*, 2>& lists);

// What a calculation takes of a list: its text, the SNO kept with its entry, and whether it
// shows a database entry (`listed`) or "not listed".
ComponentChoice componentChoice(const QComboBox& list, bool listed);

// Every typed character is discarded: the entry is picked from the list only.
void makePickOnly(QComboBox& list);

} // namespace calvex::activity
