#include "services/formcontrols.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QWidget>

namespace calvex::services {

QFont labelFont(int points)
{
    QFont font(QStringLiteral("Verdana"), points, QFont::Bold);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont boxFont()
{
    QFont font(QStringLiteral("MS Sans Serif"), 9);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

int sortedPosition(const QComboBox* list, const QString& name)
{
    int position = 0;
    while (position < list->count() && QString::compare(list->itemText(position), name, Qt::CaseInsensitive) <= 0)
        ++position;
    return position;
}

bool isTypedCharacter(const QKeyEvent& key)
{
    return !key.text().isEmpty() && key.key() != Qt::Key_Tab && key.key() != Qt::Key_Backtab
        && !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

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

} // namespace calvex::services
