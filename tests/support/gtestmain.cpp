// main() of the tests without windows: the C library takes the locale of the environment, as the
// program's application object makes it do, so that a run under a desktop's language tests the
// libraries as the program calls them there.

#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char* argv[])
{
    std::setlocale(LC_ALL, "");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
