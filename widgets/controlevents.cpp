#include "widgets/controlevents.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QWidget>

namespace calvex::widgets {
namespace {

bool isTypedCharacter(const QKeyEvent& key)
{
    return !key.text().isEmpty() && key.key() != Qt::Key_Tab && key.key() != Qt::Key_Backtab
        && !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

} // namespace

std::optional<int> typedKeyAscii(const QEvent& event)
{
    if (event.type() != QEvent::KeyPress)
        return std::nullopt;
    const auto& key = static_cast<const QKeyEvent&>(event);
    if (!isTypedCharacter(key))
        return std::nullopt;
    return key.text().at(0).unicode();
}

bool isLeavingControl(const QEvent& event, const QWidget& window)
{
    if (event.type() != QEvent::FocusOut)
        return false;
    const Qt::FocusReason reason = static_cast<const QFocusEvent&>(event).reason();
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && window.isVisible();
}

} // namespace calvex::widgets
