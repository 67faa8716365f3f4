#pragma once
// A desktop whose language writes a decimal comma, as the program meets it: the C library's
// locale and Qt's default locale both follow that language for the life of the object.

#include "tests/support/localescope.h"

#include <QLocale>

namespace calvex::testing {

class DecimalCommaDesktop {
public:
    DecimalCommaDesktop();
    ~DecimalCommaDesktop();
    DecimalCommaDesktop(const DecimalCommaDesktop&) = delete;
    DecimalCommaDesktop& operator=(const DecimalCommaDesktop&) = delete;

private:
    LocaleScope m_cLibrary;
    QLocale m_previous;
};

} // namespace calvex::testing
