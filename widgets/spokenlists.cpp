#include "widgets/spokenlists.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace calvex::widgets {
namespace {

// On the Linux desktop Qt hands a reader a list's entry as the list's name only, and a reader
// names a list by the caption it is labelled by; Orca looks for the entry next among the list's
// selected children, which Qt's bridge cannot offer, and last in the list's text. So the list is
// Qt's own combo box for a reader, with its entry as a text that cannot be edited. A list that
// takes typing keeps its text box, which a reader reads already.
class SpokenList final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit SpokenList(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox)
    {
        // A changed text is told so that a braille display shows the new entry at once; Orca
        // speaks a text change only where the user typed it, and drops the list's name change.
        QObject::connect(list, &QComboBox::currentTextChanged, list,
                         [list, shown = list->currentText()](const QString& entry) mutable {
                             if (!list->isEditable()) {
                                 QAccessibleTextUpdateEvent event(list, 0, shown, entry);
                                 QAccessible::updateAccessibility(&event);
                             }
                             shown = entry;
                         });
    }

    QComboBox* list() const { return static_cast<QComboBox*>(widget()); }

    // The drop-down part, then the text box of a list that takes typing.
    int childCount() const override { return list()->isEditable() ? 2 : 1; }
    QAccessibleInterface* child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(list()->view());
        if (index == 1 && list()->isEditable())
            return QAccessible::queryAccessibleInterface(list()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (child->object() == list()->view())
            return 0;
        return list()->isEditable() && child->object() == list()->lineEdit() ? 1 : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        const bool inText = list()->isEditable() && list()->lineEdit()->rect().contains(x, y);
        return inText ? child(1) : nullptr;
    }
    // The text box of a typed list never has the focus itself: the list is its focus proxy.
    QAccessibleInterface* focusChild() const override { return list()->isEditable() ? child(1) : nullptr; }

    QString text(QAccessible::Text kind) const override
    {
        QString said;
        if (kind == QAccessible::Name || kind == QAccessible::Value)
            said = entry();
        else if (kind == QAccessible::Accelerator)
            said = QKeySequence(Qt::Key_Down).toString(QKeySequence::NativeText);
        return said.isEmpty() ? QAccessibleWidget::text(kind) : said;
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = list()->view()->isVisible();
        return state;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    QString localizedActionDescription(const QString& action) const override
    {
        return actionNames().contains(action) ? QComboBox::tr("Open the combo box selection popup") : QString();
    }
    void doAction(const QString& action) override
    {
        if (!actionNames().contains(action))
            return;
        if (list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface && !list()->isEditable())
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // The entry as a text without selection or caret to move.
    QString text(int startOffset, int endOffset) const override
    {
        return entry().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(entry().size()); }
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }
    // Where the entry's characters stand on the screen, for a reader's review of the window.
    QRect characterRect(int offset) const override
    {
        const QString shown = entry();
        if (offset < 0 || offset >= shown.size())
            return {};
        QStyleOptionComboBox option;
        option.initFrom(list());
        const QRect field =
            list()->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list());
        const QFontMetrics metrics = list()->fontMetrics();
        const QPoint left(field.left() + metrics.horizontalAdvance(shown.left(offset)), field.top());
        return {list()->mapToGlobal(left), QSize(metrics.horizontalAdvance(shown.at(offset)), field.height())};
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        for (int offset = 0; offset < characterCount(); ++offset)
            if (characterRect(offset).contains(point))
                return offset;
        return -1;
    }

private:
    QString entry() const { return list()->isEditable() ? list()->lineEdit()->text() : list()->currentText(); }
};

QAccessibleInterface* spokenList(const QString&, QObject* object)
{
    auto* list = qobject_cast<QComboBox*>(object);
    return list ? new SpokenList(list) : nullptr;
}

} // namespace

void announceListEntries()
{
    QAccessible::installFactory(spokenList);
}

} // namespace calvex::widgets
