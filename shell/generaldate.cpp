#include "shell/generaldate.h"

#include <QRegularExpression>

namespace calvex::shell {
namespace {

// The locale's long time format without its time-zone part, which the general date format
// does not show.
QString longTimeFormat(const QLocale& locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    static const QRegularExpression zone(QStringLiteral("\\s*\\(?t+\\)?"));
    format.remove(zone);
    return format.trimmed();
}

} // namespace

QString generalDateText(const QDateTime& moment, const QLocale& locale)
{
    const QString date = locale.toString(moment.date(), QLocale::ShortFormat);
    const QTime time = moment.time();
    if (time.hour() == 0 && time.minute() == 0 && time.second() == 0)
        return date;
    return date + QLatin1Char(' ') + locale.toString(time, longTimeFormat(locale));
}

} // namespace calvex::shell
