#include "services/filteredbox.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace calvex::services {
namespace {

constexpr char16_t copyKey = 0x03;      // Ctrl+C
constexpr char16_t selectAllKey = 0x01; // Ctrl+A
constexpr char16_t deleteKey = 0x7f;

bool passesUntested(const QKeyEvent& key)
{
    const QString text = key.text();
    if (text.isEmpty())
        return true;
    switch (key.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    default:
        break;
    }
    const char16_t c = text.front().unicode();
    return c == copyKey || c == selectAllKey || c == deleteKey;
}

} // namespace

KeyFilterGuard::KeyFilterGuard(KeyFilter filter, QLineEdit& box) : QObject(&box), m_filter(filter), m_box(box)
{
    box.installEventFilter(this);
}

bool KeyFilterGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &m_box || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (passesUntested(*key))
        return false;
    const QString text = key->text();
    const char16_t c = text.front().unicode();
    const bool accepted = text.size() == 1 && c < 0x80 &&
                          keyAccepted(m_filter, m_box.text().toStdString(), static_cast<char>(c));
    return !accepted;
}

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
