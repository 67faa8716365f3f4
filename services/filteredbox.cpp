#include "services/filteredbox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>

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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyTest m_test;
    QLineEdit& m_box;
};

KeyFilterGuard::KeyFilterGuard(KeyTest test, QLineEdit& box) : QObject(&box), m_test(std::move(test)), m_box(box)
{
    box.installEventFilter(this);
}

bool KeyFilterGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &m_box || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Paste)) {
        typeThroughFilter(m_box, m_test, QGuiApplication::clipboard()->text().toStdString());
        return true;
    }
    if (passesUntested(*key))
        return false;
    const QString text = key->text();
    const char16_t c = text.front().unicode();
    const bool accepted = text.size() == 1 && c < 0x80 && m_test(m_box.text().toStdString(), static_cast<char>(c));
    return !accepted;
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

void typeThroughFilter(QLineEdit& box, KeyFilter filter, std::string_view text)
{
    typeThroughFilter(box, testOf(filter), text);
}

void typeThroughFilter(QLineEdit& box, const KeyTest& test, std::string_view text)
{
    for (const char c : text) {
        if (!test(box.text().toStdString(), c))
            continue;
        if (c == backspaceKey)
            box.backspace();
        else
            box.insert(QString(QChar(c)));
    }
}

} // namespace calvex::services
