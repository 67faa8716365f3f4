#include "widgets/filteredbox.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

namespace calvex::widgets {
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

// The length of a UTF-8 text in the box's measure, UTF-16 units, which its maxLength counts.
qsizetype boxLength(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).size();
}

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The box's Ctrl+Z takes back a run of typing as far as where its cursor last moved: moving the
// cursor away and back ends the run, so that a paste is taken back alone, as the box's own is.
void endTypingRun(QLineEdit& box)
{
    if (box.text().isEmpty())
        return;
    const int cursor = box.cursorPosition();
    box.setCursorPosition(cursor == 0 ? 1 : 0);
    box.setCursorPosition(cursor);
}

// Typing into a box, done on a copy of its text (UTF-8, as a filter sees it) so that the box
// changes once: the box lays out its whole text again after every edit, which over a long
// paste would cost time in the square of its length.
class TypedText {
public:
    // Typing at the box's cursor, over its selection.
    static TypedText atCursor(const QLineEdit& box);
    // Typing into the box emptied first.
    static TypedText replacingAll(const QLineEdit& box);

    std::string_view text() const { return m_text; }
    // False when `typed` cannot fit in the box even if each of its Backspaces erases a character.
    bool canHold(std::string_view typed) const;
    // Types `key` as the box would; false when the box is full and the key brought nothing in.
    bool type(char key);
    // Gives the box the typed text by one edit, which Ctrl+Z takes back whole.
    void applyTo(QLineEdit& box) const;

private:
    TypedText(std::string text, std::size_t cursor, std::size_t selected, std::size_t tail,
              qsizetype selectedLength, const QLineEdit& box);
    void eraseSelection();

    std::string m_text;
    std::size_t m_cursor;
    std::size_t m_selected; // bytes after the cursor
    // Bytes at either end that are still the box's own text.
    std::size_t m_head;
    std::size_t m_tail;
    qsizetype m_length;
    qsizetype m_selectedLength;
    qsizetype m_maxLength;
    bool m_changed = false;
};

TypedText::TypedText(std::string text, std::size_t cursor, std::size_t selected, std::size_t tail,
                     qsizetype selectedLength, const QLineEdit& box)
    : m_text(std::move(text)), m_cursor(cursor), m_selected(selected), m_head(cursor), m_tail(tail),
      m_length(boxLength(m_text)), m_selectedLength(selectedLength), m_maxLength(box.maxLength())
{
}

TypedText TypedText::atCursor(const QLineEdit& box)
{
    const QString text = box.text();
    const int start = box.hasSelectedText() ? box.selectionStart() : box.cursorPosition();
    const int end = box.hasSelectedText() ? box.selectionEnd() : start;
    const std::size_t cursor = text.left(start).toStdString().size();
    const std::size_t selected = text.mid(start, end - start).toStdString().size();
    std::string whole = text.toStdString();
    const std::size_t tail = whole.size() - cursor - selected;
    return TypedText(std::move(whole), cursor, selected, tail, end - start, box);
}

TypedText TypedText::replacingAll(const QLineEdit& box) { return TypedText(std::string(), 0, 0, 0, 0, box); }

bool TypedText::canHold(std::string_view typed) const
{
    const qsizetype erasing = std::count(typed.begin(), typed.end(), services::backspaceKey);
    const qsizetype adding = static_cast<qsizetype>(typed.size()) - erasing;
    return m_length - m_selectedLength + adding - erasing <= m_maxLength;
}

void TypedText::eraseSelection()
{
    if (m_selected == 0)
        return;
    m_text.erase(m_cursor, m_selected);
    m_length -= m_selectedLength;
    m_selected = 0;
    m_selectedLength = 0;
    m_changed = true;
}

bool TypedText::type(char key)
{
    if (key == services::backspaceKey) {
        if (m_selected > 0) {
            eraseSelection();
        } else if (m_cursor > 0) {
            std::size_t start = m_cursor - 1;
            while (start > 0 && isContinuationByte(m_text[start]))
                --start;
            m_length -= boxLength(std::string_view(m_text).substr(start, m_cursor - start));
            m_text.erase(start, m_cursor - start);
            m_cursor = start;
            m_head = std::min(m_head, m_cursor);
            m_changed = true;
        }
        return true;
    }
    eraseSelection();
    if (m_length >= m_maxLength)
        return false;
    // A typed byte becomes the character of that code in Latin-1, as QChar(char) makes it.
    const auto code = static_cast<unsigned char>(key);
    if (code < 0x80) {
        m_text.insert(m_cursor, 1, key);
        m_cursor += 1;
    } else {
        const char utf8[] = {static_cast<char>(0xC0 | (code >> 6)), static_cast<char>(0x80 | (code & 0x3F))};
        m_text.insert(m_cursor, utf8, 2);
        m_cursor += 2;
    }
    ++m_length;
    m_changed = true;
    return true;
}

void TypedText::applyTo(QLineEdit& box) const
{
    if (!m_changed)
        return;
    const std::string_view text = m_text;
    const auto from = static_cast<int>(boxLength(text.substr(0, m_head)));
    const auto to = static_cast<int>(box.text().size() - boxLength(text.substr(text.size() - m_tail)));
    const std::string_view typed = text.substr(m_head, text.size() - m_head - m_tail);
    if (from == to) {
        box.setCursorPosition(from);
        endTypingRun(box);
    } else {
        // Replacing a selection ends the box's run of typing by itself.
        box.setSelection(from, to - from);
    }
    box.insert(QString::fromUtf8(typed.data(), static_cast<qsizetype>(typed.size())));
    endTypingRun(box);
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
    void typeWhole(TypedText typing, const QString& text);

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

void KeyFilterGuard::typeWhole(TypedText typing, const QString& text)
{
    const std::string typed = text.trimmed().toStdString();
    // Refused before the filter, which may act on each key, is asked about any of it.
    if (!typing.canHold(typed))
        return;
    for (const char c : typed)
        if (!m_test(typing.text(), c) || !typing.type(c))
            return;
    typing.applyTo(m_box);
}

void KeyFilterGuard::pasteAtCursor(const QString& text) { typeWhole(TypedText::atCursor(m_box), text); }

void KeyFilterGuard::pasteReplacing(const QString& text)
{
    if (!text.trimmed().isEmpty())
        typeWhole(TypedText::replacingAll(m_box), text);
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

KeyTest testOf(services::KeyFilter filter)
{
    return [filter](std::string_view text, char key) { return services::keyAccepted(filter, text, key); };
}

} // namespace

void setKeyFilter(QLineEdit& box, services::KeyFilter filter) { setKeyFilter(box, testOf(filter)); }

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

std::size_t typeThroughFilter(QLineEdit& box, services::KeyFilter filter, std::string_view text)
{
    return typeThroughFilter(box, testOf(filter), text);
}

std::size_t typeThroughFilter(QLineEdit& box, const KeyTest& test, std::string_view text)
{
    TypedText typing = TypedText::atCursor(box);
    std::size_t accepted = 0;
    for (const char c : text)
        if (test(typing.text(), c) && typing.type(c))
            ++accepted;
    typing.applyTo(box);
    return accepted;
}

} // namespace calvex::widgets
