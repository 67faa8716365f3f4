#include "shell/editingkeys.h"

#include "shell/framemenu.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace calvex::shell {
namespace {

bool isEditingKey(const QKeyEvent* event)
{
    if (event->modifiers() != Qt::ControlModifier)
        return false;
    switch (event->key()) {
    case Qt::Key_A:
    case Qt::Key_C:
    case Qt::Key_V:
    case Qt::Key_X:
    case Qt::Key_Z:
    case Qt::Key_Y:
        return true;
    default:
        return false;
    }
}

// Redo on Ctrl+Y, which not every desktop binds to redo.
bool redoes(QWidget* widget)
{
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget))
        widget = spin->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly);
    else if (auto* combo = qobject_cast<QComboBox*>(widget))
        widget = combo->lineEdit();
    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        line->redo();
        return true;
    }
    if (auto* rich = qobject_cast<QTextEdit*>(widget)) {
        rich->redo();
        return true;
    }
    if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
        plain->redo();
        return true;
    }
    return false;
}

} // namespace

bool isEditingControl(const QWidget* widget)
{
    if (!widget)
        return false;
    if (qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QTextEdit*>(widget)
        || qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget))
        return true;
    if (auto* combo = qobject_cast<const QComboBox*>(widget))
        return combo->isEditable();
    return false;
}

EditingKeys::EditingKeys(QObject* parent) : QObject(parent)
{
    for (const FrameMenuItem& item : frameMenuItems())
        if (*item.shortcut)
            m_menuKeys.append(QKeySequence(QString::fromLatin1(item.shortcut)));
}

bool EditingKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    auto* key = static_cast<QKeyEvent*>(event);
    if (!isEditingControl(widget))
        return false;
    if (!isEditingKey(key)) {
        // Left unaccepted, the override lets the shortcut map choose the menu item.
        if (event->type() != QEvent::ShortcutOverride || !m_menuKeys.contains(QKeySequence(key->keyCombination())))
            return false;
        event->ignore();
        return true;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (key->key() == Qt::Key_Y && !key->matches(QKeySequence::Redo))
        return redoes(widget);
    return false;
}

} // namespace calvex::shell
