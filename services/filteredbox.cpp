#include "services/filteredbox.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

#include <memory>

#include <utility>

namespace calvex::services {
namespace {

// Editing keys that only move the box between texts it already held, or copy from it.
bool isHarmlessEditingKey(const QKeyEvent& key)
{
    for (const auto standard : {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::SelectAll, QKeySequence::Undo,
                                QKeySequence::Redo})
        if (key.matches(standard))
            return true;
    return false;
}

bool passesUntested(const QKeyEvent& key)
{
    if (key.text().isEmpty() || isHarmlessEditingKey(key))
        return true;
    switch (key.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Delete:
        return true;
    default:
        return false;
    }
}

class KeyFilterGuard : public QObject {
public:
    KeyFilterGuard(KeyTest test, QLineEdit& box);

    // A pasted number is taken whole or not at all: dropping its refused characters would turn
    // "1e40" into 140, or "300,9" into 3009, without a word.
    void pasteAtCursor(const QString& text);
    void pasteReplacing(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool filterKey(const QKeyEvent& key);
    void showContextMenu(const QContextMenuEvent& event);
    void pasteSelection();
    bool typeWhole(const QString& text);

    KeyTest m_test;
    QLineEdit& m_box;
};

KeyFilterGuard::KeyFilterGuard(KeyTest test, QLineEdit& box) : QObject(&box), m_test(std::move(test)), m_box(box)
{
    box.installEventFilter(this);
    // Text dropped on the box would arrive whole, past the filter.
    box.setAcceptDrops(false);
}

bool KeyFilterGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &m_box)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return filterKey(*static_cast<QKeyEvent*>(event));
    case QEvent::ContextMenu:
        showContextMenu(*static_cast<QContextMenuEvent*>(event));
        return true;
    case QEvent::MouseButtonRelease:
        // The middle button pastes the desktop's selection, a route past the keys and the menu.
        if (static_cast<QMouseEvent*>(event)->button() != Qt::MiddleButton)
            return false;
        pasteSelection();
        return true;
    case QEvent::InputMethod: {
        // A composed text is typed like keys; what the filter refuses is dropped.
        auto* input = static_cast<QInputMethodEvent*>(event);
        typeThroughFilter(m_box, m_test, input->commitString().toStdString());
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

bool KeyFilterGuard::filterKey(const QKeyEvent& key)
{
    if (key.matches(QKeySequence::Paste)) {
        pasteAtCursor(QGuiApplication::clipboard()->text());
        return true;
    }
    if (passesUntested(key))
        return false;
    const QString text = key.text();
    const char16_t c = text.front().unicode();
    const bool accepted = text.size() == 1 && c < 0x80 && m_test(m_box.text().toStdString(), static_cast<char>(c));
    return !accepted;
}

// The box's own menu, whose Paste types the clipboard through the filter as Ctrl+V does.
void KeyFilterGuard::showContextMenu(const QContextMenuEvent& event)
{
    const std::unique_ptr<QMenu> menu(m_box.createStandardContextMenu());
    for (QAction* action : menu->actions()) {
        // Qt names the menu's actions only by their (untranslated) texts.
        if (!action->text().startsWith(QStringLiteral("&Paste")))
            continue;
        QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
        QObject::connect(action, &QAction::triggered, this,
                         [this] { pasteAtCursor(QGuiApplication::clipboard()->text()); });
    }
    menu->exec(event.globalPos());
}

bool KeyFilterGuard::typeWhole(const QString& text)
{
    const std::string typed = text.trimmed().toStdString();
    return typeThroughFilter(m_box, m_test, typed) == typed.size();
}

void KeyFilterGuard::pasteAtCursor(const QString& text)
{
    const QString before = m_box.text();
    const int cursor = m_box.cursorPosition();
    const int selectionStart = m_box.selectionStart();
    const int selectionLength = m_box.selectionLength();
    if (typeWhole(text))
        return;
    m_box.setText(before);
    if (selectionStart >= 0)
        m_box.setSelection(selectionStart, selectionLength);
    else
        m_box.setCursorPosition(cursor);
}

void KeyFilterGuard::pasteReplacing(const QString& text)
{
    if (text.trimmed().isEmpty())
        return;
    const QString before = m_box.text();
    m_box.clear();
    if (!typeWhole(text))
        m_box.setText(before);
}

// As the box itself would: at the cursor, which the middle button's press has put at the click.
void KeyFilterGuard::pasteSelection()
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard->supportsSelection() || m_box.isReadOnly())
        return;
    m_box.deselect();
    pasteAtCursor(clipboard->text(QClipboard::Selection));
}

} // namespace

namespace {

KeyTest testOf(KeyFilter filter)
{
    return [filter](std::string_view text, char key) { return keyAccepted(filter, text, key); };
}

} // namespace

void setKeyFilter(QLineEdit& box, KeyFilter filter) { setKeyFilter(box, testOf(filter)); }

void setKeyFilter(QLineEdit& box, KeyTest test) { new KeyFilterGuard(std::move(test), box); }

void pasteReplacingText(QLineEdit& box, const QString& text)
{
    for (QObject* child : box.children())
        if (auto* guard = dynamic_cast<KeyFilterGuard*>(child)) {
            guard->pasteReplacing(text);
            return;
        }
    box.setText(text);
}

std::size_t typeThroughFilter(QLineEdit& box, KeyFilter filter, std::string_view text)
{
    return typeThroughFilter(box, testOf(filter), text);
}

std::size_t typeThroughFilter(QLineEdit& box, const KeyTest& test, std::string_view text)
{
    std::size_t accepted = 0;
    for (const char c : text) {
        if (!test(box.text().toStdString(), c))
            continue;
        ++accepted;
        if (c == backspaceKey)
            box.backspace();
        else
            box.insert(QString(QChar(c)));
    }
    return accepted;
}

} // namespace calvex::services
