// The nine input windows reached as a user reaches them in the running frame: from their menu
// items and their launcher buttons. With CALVEX_SCREENSHOTS set, each window is kept as a PNG.

#include "mixture/windows/componentselectionwindow.h"
#include "mixture/windows/mixtureinputwindow.h"
#include "mixture/windows/mixturewindows.h"
#include "services/dialogwindows.h"
#include "shell/mainmenuform.h"
#include "services/windownames.h"
#include "tests/pure/purefixture.h"
#include "tests/shell/shellfixture.h"

#include <QAction>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

namespace calvex::shell::testing {
namespace {

using mixture::MixtureWindowKind;

class MixtureMenus : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        standInsForAll();
        services::registerDialogWindows();
        mixture::registerMixtureWindows();
        frame = openFrame();
    }

    mixture::MixtureInputWindow* shown(MixtureWindowKind kind) const
    {
        auto* window = registry.findAs<mixture::MixtureInputWindow>(
            QString::fromStdString(mixture::mixtureWindowConfig(kind).inputName));
        return window && window->isVisible() ? window : nullptr;
    }

    calvex::testing::PureFixtureFolder folder;
    MDIForm1* frame = nullptr;
};

// Menu item, launcher category and button of each input window.
struct Entry {
    MixtureWindowKind kind;
    const char* menuItem;
    int category;
    int button;
};

const Entry entries[] = {
    {MixtureWindowKind::MolarVolume, "MolarVolumeMixture", 25, 8},
    {MixtureWindowKind::MixtureFugacity, "Fugacity", 25, 9},
    {MixtureWindowKind::PartialFugacity, "PartialFugacity", 25, 10},
    {MixtureWindowKind::MixtureDeparture, "DepartureFunctionMixture", 25, 11},
    {MixtureWindowKind::DewPressure, "DewPressure", 26, 12},
    {MixtureWindowKind::DewTemperature, "DewTemperature", 26, 13},
    {MixtureWindowKind::BubblePressure, "BubblePressure", 26, 14},
    {MixtureWindowKind::BubbleTemperature, "BubbleTemperature", 26, 15},
    {MixtureWindowKind::Flash, "FlashCal", 26, 16},
};

TEST_F(MixtureMenus, EachInputWindowOpensFromItsMenuItemAndItsLauncherButton)
{
    for (const Entry& entry : entries) {
        const std::string& name = mixture::mixtureWindowConfig(entry.kind).inputName;
        SCOPED_TRACE(name);
        frame->menuBar()->findChild<QAction*>(QString::fromLatin1(entry.menuItem))->trigger();
        mixture::MixtureInputWindow* window = shown(entry.kind);
        ASSERT_NE(window, nullptr);
        screenshot(frame, QString::fromStdString(name));

        auto* launcher = registry.findAs<MAINMENUFORM>(services::launcherWindow);
        ASSERT_NE(launcher, nullptr);
        launcher->key_Click(entry.category);
        launcher->key_Click(entry.button);
        ASSERT_NE(shown(entry.kind), nullptr);

        QTest::mouseClick(shown(entry.kind)->Command1(), Qt::LeftButton);
        auto* selection = registry.findAs<mixture::ComponentSelectionWindow>(
            QString::fromStdString(mixture::mixtureWindowConfig(entry.kind).selectionName));
        ASSERT_NE(selection, nullptr);
        EXPECT_TRUE(selection->isVisible());
        screenshot(frame, QString::fromStdString(name) + QStringLiteral("_selection"));
    }
}

} // namespace
} // namespace calvex::shell::testing
