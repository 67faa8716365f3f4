#pragma once
// The C library's locale as a desktop language sets it: Qt adopts the desktop's language for the
// C library when the application object is made, so a test of what a user there meets sets the
// locale for a scope.

#include <string>

namespace calvex::testing {

// A language that writes a decimal comma; scripts/setup makes it available.
inline constexpr const char* decimalCommaLocale = "de_DE.UTF-8";

// LC_ALL set to `name` for the life of the object, the locale before restored after. A locale
// that is not installed fails the test rather than letting it pass under another one.
class LocaleScope {
public:
    explicit LocaleScope(const char* name = decimalCommaLocale);
    ~LocaleScope();
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

private:
    std::string m_previous;
};

} // namespace calvex::testing
