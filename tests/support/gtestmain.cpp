// main() of the tests without windows: under the environment's locale, so that a run under a
// desktop's language tests the libraries as the program calls them there.

#include "tests/support/environmentlocale.h"

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    calvex::testing::takeEnvironmentLocale();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
