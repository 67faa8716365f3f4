#pragma once
// What the calculator windows' controls share: the label and box fonts, and the place of a new
// entry in a list kept in alphabetical order.

#include <QFont>
#include <QString>

#include <optional>

class QComboBox;
class QEvent;
class QKeyEvent;
class QWidget;

namespace calvex::services {

QFont labelFont(int points = 9);
QFont boxFont();

// Where `name` goes in a list kept in alphabetical order without regard to case: after the
// entries that compare equal, as a sorted list box inserts.
int sortedPosition(const QComboBox* list, const QString& name);

// A key press that types a character for a key handler to judge; shortcuts, navigation keys
// and Tab, which moves the focus, are not.
bool isTypedCharacter(const QKeyEvent& key);
// The character code (KeyAscii) of a key press that types a character; empty for any other event.
std::optional<int> typedKeyAscii(const QEvent& event);

// A focus loss of a control of `window` that is the user leaving it: opening a list's own
// drop-down, switching to another window and closing `window` are not.
bool isLeavingControl(const QEvent& event, const QWidget& window);

} // namespace calvex::services
