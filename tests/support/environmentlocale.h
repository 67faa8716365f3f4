#pragma once
// The C library takes the locale of the environment, as the program's application object makes
// it do. A locale that is not installed would leave the run under C and let it pass without
// testing what it was asked to: the test program stops instead, naming it.

#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace calvex::testing {

inline void takeEnvironmentLocale()
{
    if (std::setlocale(LC_ALL, ""))
        return;
    const char* all = std::getenv("LC_ALL");
    const char* lang = std::getenv("LANG");
    std::fprintf(stderr, "The locale of the environment (LC_ALL=%s, LANG=%s) is not installed.\n", all ? all : "",
                 lang ? lang : "");
    std::exit(EXIT_FAILURE);
}

} // namespace calvex::testing
