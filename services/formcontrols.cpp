#include "services/formcontrols.h"

#include <QComboBox>
#include <QKeyEvent>

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

} // namespace calvex::services
