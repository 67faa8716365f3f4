#include "shell/clipboardactions.h"

#include "widgets/filteredbox.h"
#include "widgets/windowregistry.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTextDocumentFragment>
#include <QTextEdit>

namespace calvex::shell {
namespace {

QClipboard* clipboard() { return QApplication::clipboard(); }

// The line edit inside a combo box or spin box stands for the box it belongs to.
QWidget* controlOf(QWidget* widget)
{
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        if (auto* combo = qobject_cast<QComboBox*>(edit->parentWidget()))
            return combo;
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(edit->parentWidget()))
            return spin;
    }
    return widget;
}

QLineEdit* spinEdit(QAbstractSpinBox* spin) { return spin->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly); }

// The text-box view of a control: a line edit, a spin box's line edit, or a text editor.
struct TextBox {
    QLineEdit* line = nullptr;
    QTextEdit* rich = nullptr;
    QPlainTextEdit* plain = nullptr;

    static TextBox of(QWidget* control)
    {
        TextBox box;
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(control))
            box.line = spinEdit(spin);
        else
            box.line = qobject_cast<QLineEdit*>(control);
        box.rich = qobject_cast<QTextEdit*>(control);
        box.plain = qobject_cast<QPlainTextEdit*>(control);
        return box;
    }
    bool exists() const { return line || rich || plain; }
    bool readOnly() const
    {
        return line ? line->isReadOnly() : rich ? rich->isReadOnly() : plain->isReadOnly();
    }
    QString selectedText() const
    {
        if (line)
            return line->selectedText();
        if (rich)
            return rich->textCursor().selection().toPlainText();
        return plain->textCursor().selection().toPlainText();
    }
    void removeSelection() const
    {
        if (line) {
            if (line->hasSelectedText())
                line->del();
        }
        else if (rich)
            rich->textCursor().removeSelectedText();
        else
            plain->textCursor().removeSelectedText();
    }
    // A number box takes the text as it takes its own paste, or not at all.
    void pasteReplacing(const QString& text) const
    {
        if (line)
            widgets::pasteReplacingText(*line, text);
        else if (rich)
            rich->setPlainText(text);
        else
            plain->setPlainText(text);
    }
};

void putText(const QString& text)
{
    if (!text.isEmpty())
        clipboard()->setText(text);
}

QString listText(const QListWidget* list)
{
    const QListWidgetItem* item = list->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

// What the copy and cut put on the clipboard; true when the control is of a kind they serve.
bool copyContent(QWidget* control)
{
    if (const TextBox box = TextBox::of(control); box.exists()) {
        putText(box.selectedText());
        return true;
    }
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        putText(combo->currentText());
        return true;
    }
    if (auto* list = qobject_cast<QListWidget*>(control)) {
        putText(listText(list));
        return true;
    }
    if (auto* picture = qobject_cast<QLabel*>(control)) {
        if (const QPixmap pixmap = picture->pixmap(); !pixmap.isNull())
            clipboard()->setPixmap(pixmap);
        return true;
    }
    return false;
}

} // namespace

QWidget* focusedControl()
{
    QWidget* focused = QApplication::focusWidget();
    // While the click on the toolbar is still bringing the frame back, the frame has no active
    // child and no control has the focus: the current child and the control it last focused
    // stand in.
    if (const QMdiArea* area = widgets::WindowRegistry::instance().mdiArea()) {
        if (const QMdiSubWindow* current = area->currentSubWindow(); current && current->widget()) {
            QWidget* child = current->widget();
            if (!(focused && child->isAncestorOf(focused)))
                focused = child->focusWidget();
        } else if (!focused) {
            focused = area->window()->focusWidget();
        }
    }
    return focused ? controlOf(focused) : nullptr;
}

void copyFromControl(QWidget* control)
{
    clipboard()->clear();
    if (control)
        copyContent(control);
}

void cutFromControl(QWidget* control)
{
    clipboard()->clear();
    if (!control || !copyContent(control))
        return;
    if (const TextBox box = TextBox::of(control); box.exists()) {
        if (!box.readOnly())
            box.removeSelection();
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        if (combo->isEditable())
            combo->setEditText(QString());
    } else if (auto* list = qobject_cast<QListWidget*>(control)) {
        if (const int row = list->currentRow(); row >= 0 && list->currentItem()->isSelected())
            delete list->takeItem(row);
    } else if (auto* picture = qobject_cast<QLabel*>(control)) {
        if (!picture->pixmap().isNull())
            picture->setPixmap(QPixmap());
    }
}

void pasteIntoControl(QWidget* control)
{
    if (!control)
        return;
    const QString text = clipboard()->text();
    if (const TextBox box = TextBox::of(control); box.exists()) {
        if (!text.isEmpty() && !box.readOnly())
            box.pasteReplacing(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        if (text.isEmpty())
            return;
        if (combo->isEditable())
            combo->setEditText(text);
        else
            combo->setCurrentText(text);
    } else if (auto* list = qobject_cast<QListWidget*>(control)) {
        if (!text.isEmpty())
            list->addItem(text);
    } else if (auto* picture = qobject_cast<QLabel*>(control)) {
        if (const QPixmap pixmap = clipboard()->pixmap(); !pixmap.isNull())
            picture->setPixmap(pixmap);
    }
}

} // namespace calvex::shell
