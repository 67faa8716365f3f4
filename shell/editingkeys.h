#pragma once
// Keeps the standard editing keys (select all, copy, cut, paste, undo, redo: Ctrl+A, C, V, X,
// Z, Y) with the text box or editable list that has the focus, so that they edit its text
// instead of choosing the frame's menu items of the same shortcuts (which would close every
// window and lose what was typed). Every other menu shortcut reaches the menu even from a text
// box that has a binding of its own for the key (Ctrl+E, Ctrl+K and others move the caret or
// delete text on some desktops). With the focus anywhere else the menu shortcut acts.

#include <QKeySequence>
#include <QList>
#include <QObject>

class QWidget;

namespace calvex::shell {

// A text box, spin box or editable combo box (or the line edit inside one).
bool isEditingControl(const QWidget* widget);

class EditingKeys : public QObject {
    Q_OBJECT

public:
    explicit EditingKeys(QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QKeySequence> m_menuKeys;
};

} // namespace calvex::shell
