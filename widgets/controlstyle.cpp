#include "widgets/controlstyle.h"

#include "widgets/windowplacement.h"

namespace calvex::widgets {

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

int widthFromTwips(const QWidget& reference, double twips) { return sizeFromTwips(reference, twips, 0).width(); }

} // namespace calvex::widgets
