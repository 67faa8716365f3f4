#include "services/filteredbox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>

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
    KeyFilterGuard(KeyFilter filter, QLineEdit& box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyFilter m_filter;
    QLineEdit& m_box;
};

KeyFilterGuard::KeyFilterGuard(KeyFilter filter, QLineEdit& box) : QObject(&box), m_filter(filter), m_box(box)
{
    box.installEventFilter(this);
}

bool KeyFilterGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &m_box || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Paste)) {
        typeThroughFilter(m_box, m_filter, QGuiApplication::clipboard()->text().toStdString());
        return true;
    }
    if (passesUntested(*key))
        return false;
    const QString text = key->text();
    const char16_t c = text.front().unicode();
    const bool accepted = text.size() == 1 && c < 0x80 &&
                          keyAccepted(m_filter, m_box.text().toStdString(), static_cast<char>(c));
    return !accepted;
}

} // namespace

void setKeyFilter(QLineEdit& box, KeyFilter filter) { new KeyFilterGuard(filter, box); }

void typeThroughFilter(QLineEdit& box, KeyFilter filter, std::string_view text)
{
    for (const char c : text) {
        if (!keyAccepted(filter, box.text().toStdString(), c))
            continue;
        if (c == backspaceKey)
            box.backspace();
        else
            box.insert(QString(QChar(c)));
    }
}

} // namespace calvex::services
