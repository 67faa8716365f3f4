#include "shell/windowswitching.h"

#include "shell/mainmenuform.h"
#include "tests/shell/shellfixture.h"
#include "tests/support/scriptedui.h"
#include "widgets/windownames.h"

#include <QAction>
#include <QMenuBar>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>
#include <QToolBar>

namespace calvex::shell::testing {
namespace {

class WindowSwitching : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        standInsForAll();
        frame = openFrame();
    }
    // Two calculators, a selection window, the result viewer and the help browser open.
    void openMany()
    {
        registry.show("MolarVolumeCalculator");
        registry.show("MixtureMolarVolumeCalculator");
        registry.show("SelectComponentForm1");
        registry.show(widgets::resultViewerWindow);
        registry.show(widgets::helpWindow);
        ASSERT_EQ(loadedNames().size(), 7);
        ASSERT_FALSE(frame->Toolbar->isVisibleTo(frame));
    }
    void chooseMenu(const char* control) { frame->menuBar()->findChild<QAction*>(QString::fromLatin1(control))->trigger(); }
    MAINMENUFORM* launcher() const { return registry.findAs<MAINMENUFORM>(widgets::launcherWindow); }
    QString unifacMode() const { return registry.findAs<UnifacStandIn>(widgets::unifacWindow)->mode; }

    MDIForm1* frame = nullptr;
};

TEST_F(WindowSwitching, FrameStartsWithTheLauncherCentredInIt)
{
    EXPECT_EQ(loadedNames(), (QStringList{"MDIForm1", "MAINMENUFORM"}));
    EXPECT_EQ(frame->windowTitle(), "Calvex");
    ASSERT_NE(launcher(), nullptr);
    const QRect outer = widgets::WindowRegistry::outerWindow(launcher())->geometry();
    const QSize area = frame->mdiArea()->viewport()->size();
    EXPECT_LE(std::abs(outer.left() * 2 + outer.width() - area.width()), 2);
    EXPECT_LE(std::abs(outer.top() * 2 + outer.height() - area.height()), 2);
}

TEST_F(WindowSwitching, MenuItemLeavesExactlyFrameNewLauncherAndChosenWindow)
{
    openMany();
    const QPointer<QWidget> firstLauncher = launcher();
    chooseMenu("FlashCal");
    EXPECT_EQ(loadedNames(), (QStringList{"MDIForm1", "MAINMENUFORM", "FlashCalculator"}));
    EXPECT_TRUE(frame->Toolbar->isVisibleTo(frame)) << "closing the viewer shows the toolbar again";
    destroyUnloaded();
    EXPECT_TRUE(firstLauncher.isNull());
    QWidget* flash = registry.find("FlashCalculator");
    EXPECT_EQ(frame->mdiArea()->activeSubWindow(), widgets::WindowRegistry::outerWindow(flash));
}

TEST_F(WindowSwitching, LauncherButtonLeavesExactlyFrameNewLauncherAndChosenWindow)
{
    openMany();
    MAINMENUFORM* first = launcher();
    first->key[16]->click();
    EXPECT_EQ(loadedNames(), (QStringList{"MDIForm1", "MAINMENUFORM", "FlashCalculator"}));
    EXPECT_NE(launcher(), first);
}

// A closing window hands the front to the window that was behind it: the chart window to the
// viewer, the viewer ("back") to the calculator. The launcher, loaded first, stays behind.
TEST_F(WindowSwitching, ClosingChartAndViewerActivatesTheWindowBehindNotTheLauncher)
{
    launcher()->key[16]->click();
    registry.show(widgets::resultViewerWindow);
    registry.show(widgets::chartWindow);
    const auto front = [&] {
        QWidget* top = nullptr;
        for (QMdiSubWindow* child : frame->mdiArea()->subWindowList(QMdiArea::StackingOrder))
            if (child->isVisible())
                top = child->widget();
        return top;
    };
    const auto active = [&] { return frame->mdiArea()->activeSubWindow()->widget(); };

    registry.find(widgets::chartWindow)->close(); // its title bar
    QTest::qWait(50);
    destroyUnloaded();
    EXPECT_TRUE(frame->isActiveWindow());
    EXPECT_EQ(active(), registry.find(widgets::resultViewerWindow));
    EXPECT_EQ(front(), active());

    registry.unload(widgets::resultViewerWindow); // "back"
    destroyUnloaded();
    EXPECT_EQ(active(), registry.find("FlashCalculator"));
    EXPECT_EQ(front(), active());
}

TEST_F(WindowSwitching, LauncherClosingItselfInsideItsClickHandlerDoesNotCrash)
{
    const QPointer<MAINMENUFORM> first = launcher();
    first->key[1]->click();
    EXPECT_FALSE(first.isNull()) << "destroyed only after its handler returned";
    EXPECT_FALSE(registry.loadedWindows().contains(first.data()));
    destroyUnloaded();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(loadedNames(), (QStringList{"MDIForm1", "MAINMENUFORM", "MolarVolumeCalculator"}));
}

TEST_F(WindowSwitching, EveryLauncherButtonOpensItsWindow)
{
    const std::vector<std::pair<int, const char*>> buttons = {
        {1, "MolarVolumeCalculator"}, {2, "SaturationPressureCalculator"}, {3, "SaturationTemperatureCalculator"},
        {4, "PureComponentFugacityCalculator"}, {5, "DepartureFunctionCalculator"}, {6, "EntropyCalculator"},
        {7, "EnthalpyCalculator"}, {8, "MixtureMolarVolumeCalculator"}, {9, "MixtureFugacityCalculator"},
        {10, "PartialFugacityCalculator"}, {11, "MixtureDepartureCalculator"}, {12, "DewPressureCalculator"},
        {13, "DewTemperatureCalculator"}, {14, "BubblePressureCalculator"}, {15, "BubbleTemperatureCalculator"},
        {16, "FlashCalculator"}, {18, "PxyMargules"}, {19, "TxyMargules"}, {20, "PxyVanlaar"},
        {21, "TxyVanlaar"}, {22, "ParametersForm1"}, {28, "Pxywilsons"}, {29, "Txywilsons"},
        {30, "Pxynrtl"}, {31, "Txynrtl"},
    };
    for (const auto& [index, window] : buttons) {
        launcher()->key_Click(index);
        EXPECT_EQ(loadedNames(), (QStringList{"MDIForm1", "MAINMENUFORM", window})) << "button " << index;
    }
}

TEST_F(WindowSwitching, ClockAndCategoryButtonsOpenAndCloseNothing)
{
    registry.show("EnthalpyCalculator");
    for (int index : {0, 24, 25, 26}) {
        launcher()->key[static_cast<std::size_t>(index)]->click();
        EXPECT_EQ(loadedNames(), (QStringList{"MDIForm1", "MAINMENUFORM", "EnthalpyCalculator"})) << "button " << index;
    }
}

TEST_F(WindowSwitching, UnifacButtonsLeaveNoLauncherAndSetTheMode)
{
    openMany();
    launcher()->key[23]->click();
    EXPECT_EQ(loadedNames(), (QStringList{"MDIForm1", "fMain"}));
    EXPECT_EQ(unifacMode(), "T-x-y");
    chooseMenu("PxybyUnifac");
    EXPECT_EQ(loadedNames(), (QStringList{"MDIForm1", "fMain"}));
    EXPECT_EQ(unifacMode(), "P-x-y");
    chooseMenu("Unifacl");
    EXPECT_EQ(unifacMode(), "activity coefficients");
    chooseMenu("TxybyUnifac");
    EXPECT_EQ(unifacMode(), "T-x-y");
}

TEST_F(WindowSwitching, ChoosingTheOpenWindowLoadsItAfresh)
{
    chooseMenu("Enthalpy");
    const QPointer<QWidget> first = registry.find("EnthalpyCalculator");
    chooseMenu("Enthalpy");
    destroyUnloaded();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(loadedNames(), (QStringList{"MDIForm1", "MAINMENUFORM", "EnthalpyCalculator"}));
}

TEST_F(WindowSwitching, WindowsBearingTheFrameCaptionStayAndStopTheClosing)
{
    registry.registerWindow("Impostor", [] {
        auto* window = new StandIn("Impostor");
        window->setWindowTitle(widgets::frameCaption);
        return window;
    });
    registry.show("Impostor");
    registry.show("EnthalpyCalculator");
    chooseMenu("FlashCal");
    EXPECT_EQ(loadedNames(), (QStringList{"MDIForm1", "Impostor"}));
    registry.registerWindow("Impostor", {});
}

TEST_F(WindowSwitching, MaximisedChildLeavesTheFrameOpen)
{
    QWidget* calculator = registry.show("EnthalpyCalculator");
    widgets::WindowRegistry::outerWindow(calculator)->showMaximized();
    chooseMenu("FlashCal");
    EXPECT_EQ(loadedNames(), (QStringList{"MDIForm1", "MAINMENUFORM", "FlashCalculator"}));
    EXPECT_EQ(captionOf(frame), "Calvex") << frame->windowTitle().toStdString();
}

TEST_F(WindowSwitching, WindowNotBuiltYetGivesTheNoteAndClosesNothing)
{
    registry.registerWindow("Txynrtl", {});
    registry.show("EnthalpyCalculator");
    calvex::testing::ScriptedUi ui;
    chooseMenu("Txynrtlcal");
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"This calculation is not available in this version of Calvex yet."});
    EXPECT_EQ(loadedNames(), (QStringList{"MDIForm1", "MAINMENUFORM", "EnthalpyCalculator"}));
}

TEST_F(WindowSwitching, MainPageWithFrameAndLauncherChangesNothing)
{
    MAINMENUFORM* first = launcher();
    frame->Toolbar_ButtonClick("MainPage");
    EXPECT_EQ(loadedNames(), (QStringList{"MDIForm1", "MAINMENUFORM"}));
    EXPECT_EQ(launcher(), first);
}

TEST_F(WindowSwitching, MainPageKeepsTheSelectionWindowAndShowsANewLauncher)
{
    registry.show("BubblePressureCalculator");
    registry.show("BubblePressureSelectComponentForm1");
    frame->Toolbar_ButtonClick("MainPage");
    EXPECT_EQ(loadedNames(), (QStringList{"MDIForm1", "BubblePressureSelectComponentForm1", "MAINMENUFORM"}));
    EXPECT_TRUE(launcher()->isVisible());
}

TEST_F(WindowSwitching, BackHidesTheSelectionWindowAndKeepsItLoaded)
{
    registry.show("DewPressureCalculator");
    QWidget* selection = registry.show("DewPressureSelectComponentForm1");
    frame->Toolbar->findChild<QAction*>("Back")->trigger();
    EXPECT_FALSE(widgets::WindowRegistry::outerWindow(selection)->isVisible());
    EXPECT_TRUE(widgets::WindowRegistry::outerWindow(registry.find("DewPressureCalculator"))->isVisible());
    EXPECT_EQ(loadedNames().size(), 4);
}

TEST_F(WindowSwitching, BackWithFewerThanFourWindowsDoesNothing)
{
    QWidget* calculator = registry.show("DewPressureCalculator");
    frame->Toolbar_ButtonClick("Back");
    EXPECT_TRUE(widgets::WindowRegistry::outerWindow(calculator)->isVisible());
    EXPECT_TRUE(launcher()->isVisible());
}

TEST_F(WindowSwitching, HelpShowsTheHelpBrowserBesideTheOtherWindows)
{
    registry.show("EntropyCalculator");
    chooseMenu("Help");
    EXPECT_EQ(loadedNames(), (QStringList{"MDIForm1", "MAINMENUFORM", "EntropyCalculator", "helpSoftware"}));
    EXPECT_TRUE(registry.find(widgets::helpWindow)->isWindow());
}

} // namespace
} // namespace calvex::shell::testing
