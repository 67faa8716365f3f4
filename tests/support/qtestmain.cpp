// main() of the window tests: a QApplication on the offscreen platform when there is no display.

#include "tests/support/environmentlocale.h"
#include "widgets/spokenlists.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char* argv[])
{
    const char* display = std::getenv("DISPLAY");
    if ((!display || !*display) && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // QApplication takes the locale too, and says nothing where it is missing.
    calvex::testing::takeEnvironmentLocale();
    QApplication application(argc, argv);
    // The lists are read as the program reads them.
    calvex::widgets::announceListEntries();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
