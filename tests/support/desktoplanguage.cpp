#include "tests/support/desktoplanguage.h"

#include <QString>

namespace calvex::testing {

DecimalCommaDesktop::DecimalCommaDesktop()
{
    QLocale::setDefault(QLocale(QString::fromLatin1(decimalCommaLocale).section(QLatin1Char('.'), 0, 0)));
}

DecimalCommaDesktop::~DecimalCommaDesktop() { QLocale::setDefault(m_previous); }

} // namespace calvex::testing
