#include "shell/startwindows.h"

#include "tests/shell/shellfixture.h"
#include "widgets/windownames.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

namespace calvex::shell::testing {
namespace {

class StartWindows : public ShellTest {
protected:
    calvexcover* showCover() { return qobject_cast<calvexcover*>(registry.show(widgets::coverWindow)); }
    CalvexStartup* showSplash() { return qobject_cast<CalvexStartup*>(registry.show(widgets::splashWindow)); }
    static QColor titleColour(const CalvexStartup* splash) { return splash->Label1->palette().color(QPalette::WindowText); }
};

TEST_F(StartWindows, CoverTypesItsTextAndHandsOverAtTheNinthTick)
{
    calvexcover* cover = showCover();
    ASSERT_NE(cover, nullptr);
    EXPECT_EQ(cover->windowTitle(), "Calvex");
    EXPECT_EQ(cover->Timer3->interval(), 100);
    EXPECT_TRUE(cover->Timer3->isActive());
    const QStringList typed = {"", "", " ", " C", " Ca", " Cal", " Calv", " Calve", " Calvex"};
    for (int tick = 1; tick <= 8; ++tick) {
        cover->Timer3_Timer();
        EXPECT_EQ(cover->Label1->text(), typed[tick]) << "tick " << tick;
        EXPECT_EQ(loadedNames(), QStringList{"calvexcover"}) << "tick " << tick;
    }
    cover->Timer3_Timer();
    EXPECT_EQ(loadedNames(), QStringList{"CalvexStartup"});
    EXPECT_FALSE(cover->Timer3->isActive());
}

TEST_F(StartWindows, SplashTypesTitleAndCreditAndHandsOverToTheFrameAtTick42)
{
    CalvexStartup* splash = showSplash();
    ASSERT_NE(splash, nullptr);
    ASSERT_EQ(CalvexStartup::creditText.size(), 40);
    EXPECT_TRUE(CalvexStartup::creditText.endsWith(QLatin1Char(' ')));
    EXPECT_EQ(splash->Timer4->interval(), 1);
    for (int tick = 1; tick <= 41; ++tick) {
        splash->Timer3_Timer();
        EXPECT_EQ(splash->Label2->text().size(), tick - 1) << "tick " << tick;
        EXPECT_EQ(loadedNames(), QStringList{"CalvexStartup"}) << "tick " << tick;
    }
    EXPECT_EQ(splash->Label1->text(), " Calvex ");
    EXPECT_EQ(splash->Label2->text(), CalvexStartup::creditText);
    splash->Timer3_Timer();
    EXPECT_EQ(loadedNames(), (QStringList{"MDIForm1", "MAINMENUFORM"}));
    EXPECT_TRUE(registry.find(widgets::frameWindow)->isVisible());
}

TEST_F(StartWindows, SplashTitleColourCyclesFromGreenTowardsMagenta)
{
    CalvexStartup* splash = showSplash();
    ASSERT_NE(splash, nullptr);
    splash->Timer4->stop();
    // red = blue = tick mod 255 and green = 255 - red, the counters wrapping at 255 and 0.
    for (int tick = 1; tick <= 520; ++tick) {
        splash->Timer4_Timer();
        const int red = tick % 255;
        ASSERT_EQ(titleColour(splash), QColor(red, 255 - red, red)) << "tick " << tick;
    }
    EXPECT_EQ(splash->Label2->palette().color(QPalette::WindowText), QColor(200, 20, 20));
}

TEST_F(StartWindows, ClickOnTheCoverShowsTheSplashAtOnce)
{
    calvexcover* cover = showCover();
    ASSERT_NE(cover, nullptr);
    QTest::mouseClick(cover, Qt::LeftButton, {}, cover->Label1->geometry().center());
    EXPECT_EQ(loadedNames(), QStringList{"CalvexStartup"});
}

TEST_F(StartWindows, KeyOnTheSplashShowsTheFrameAtOnce)
{
    CalvexStartup* splash = showSplash();
    ASSERT_NE(splash, nullptr);
    splash->Timer3_Timer();
    QTest::keyClick(splash, Qt::Key_Space);
    EXPECT_EQ(loadedNames(), (QStringList{"MDIForm1", "MAINMENUFORM"}));
    destroyUnloaded();
}

TEST_F(StartWindows, CoverAndSplashShowTheirPicturesOnTheirBackground)
{
    calvexcover* cover = showCover();
    ASSERT_NE(cover, nullptr);
    for (int tick = 0; tick < 8; ++tick)
        cover->Timer3_Timer();
    ASSERT_FALSE(cover->Picture1->pixmap().isNull());
    QImage image = screenshot(cover, "cover");
    EXPECT_EQ(image.pixelColor(2, image.height() - 2), QColor(224, 224, 224));
    cover->Timer3_Timer();

    auto* splash = registry.findAs<CalvexStartup>(widgets::splashWindow);
    ASSERT_NE(splash, nullptr);
    splash->Timer4->stop();
    for (int tick = 0; tick < 41; ++tick)
        splash->Timer3_Timer();
    for (int tick = 0; tick < 100; ++tick)
        splash->Timer4_Timer();
    ASSERT_FALSE(splash->Picture2->pixmap().isNull());
    image = screenshot(splash, "splash");
    EXPECT_EQ(image.pixelColor(2, image.height() - 2), QColor(224, 224, 224));
}

TEST_F(StartWindows, StartRunsOnItsTimersThroughCoverAndSplashToTheFrame)
{
    registry.show(widgets::coverWindow);
    EXPECT_TRUE(QTest::qWaitFor([&] { return registry.find(widgets::splashWindow) != nullptr; }, 5000));
    EXPECT_EQ(registry.find(widgets::coverWindow), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return registry.find(widgets::frameWindow) != nullptr; }, 10000));
    EXPECT_EQ(loadedNames(), (QStringList{"MDIForm1", "MAINMENUFORM"}));
}

} // namespace
} // namespace calvex::shell::testing
