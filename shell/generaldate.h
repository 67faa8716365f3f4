#pragma once
// The general date format: the short date followed by the long time, as the locale writes
// them; a moment whose time part is zero (midnight) is written as the date alone.

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace calvex::shell {

QString generalDateText(const QDateTime& moment, const QLocale& locale = QLocale());

} // namespace calvex::shell
