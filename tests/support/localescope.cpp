#include "tests/support/localescope.h"

#include <gtest/gtest.h>

#include <clocale>

namespace calvex::testing {

LocaleScope::LocaleScope(const char* name) : m_previous(std::setlocale(LC_ALL, nullptr))
{
    if (!std::setlocale(LC_ALL, name))
        ADD_FAILURE() << "the locale " << name << " is not installed (scripts/setup makes it)";
}

LocaleScope::~LocaleScope() { std::setlocale(LC_ALL, m_previous.c_str()); }

} // namespace calvex::testing
