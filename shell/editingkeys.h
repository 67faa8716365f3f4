#pragma once
// Keeps the standard editing keys (select all, copy, cut, paste, undo, redo: Ctrl+A, C, V, X,
// Z, Y) with the text box or editable list that has the focus, so that they edit its text
// instead of choosing the frame's menu items of the same shortcuts (which would close every
// window and lose what was typed). With the focus anywhere else the menu shortcut acts.

#include <QObject>

class QWidget;

namespace calvex::shell {

// A text box, spin box or editable combo box (or the line edit inside one).
bool isEditingControl(const QWidget* widget);

class EditingKeys : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace calvex::shell
