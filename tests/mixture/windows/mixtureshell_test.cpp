// The nine input windows reached as a user reaches them in the running frame: from their menu
// items and their launcher buttons. With CALVEX_SCREENSHOTS set, each window is kept as a PNG.

#include "mixture/windows/componentselectionwindow.h"
#include "mixture/windows/mixtureinputwindow.h"
#include "mixture/windows/mixturewindows.h"
#include "shell/mainmenuform.h"
#include "tests/pure/purefixture.h"
#include "tests/shell/shellfixture.h"
#include "tests/support/scriptedui.h"
#include "widgets/dialogwindows.h"
#include "widgets/resultviewer.h"
#include "widgets/viewerwindows.h"
#include "widgets/windownames.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
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
        widgets::registerDialogWindows();
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

        auto* launcher = registry.findAs<MAINMENUFORM>(widgets::launcherWindow);
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

TEST_F(MixtureMenus, CalculatorsShowTheirPagesInTheViewer)
{
    widgets::registerViewerWindows();
    for (const char* name : {"bubbledew.htm", "Flash.htm"})
        folder.copyProgramFile(name);
    calvex::testing::ScriptedUi ui;
    // Kind, temperature, pressure, guess prompts, and a text the page must hold.
    struct Row {
        MixtureWindowKind kind;
        QString T, P;
        int guesses;
        std::string shows;
    };
    const Row rows[] = {
        {MixtureWindowKind::BubblePressure, "300", "", 1, "Calculated bubble  pressure = "},
        {MixtureWindowKind::DewTemperature, "", "10", 1, "Calculated dew  temperature = "},
        {MixtureWindowKind::Flash, "300", "5", 0, "Split"},
        {MixtureWindowKind::MolarVolume, "300", "5", 2, "The mixture exist in two phase"},
    };
    for (const Row& row : rows) {
        const mixture::MixtureWindowConfig& config = mixture::mixtureWindowConfig(row.kind);
        SCOPED_TRACE(config.inputName);
        auto* input = qobject_cast<mixture::MixtureInputWindow*>(registry.show(QString::fromStdString(config.inputName)));
        ASSERT_NE(input, nullptr);
        if (input->Text1_Temperature())
            QTest::keyClicks(input->Text1_Temperature(), row.T);
        if (input->Text1_Pressure())
            QTest::keyClicks(input->Text1_Pressure(), row.P);
        QTest::mouseClick(input->Command1(), Qt::LeftButton);
        auto* selection = registry.findAs<mixture::ComponentSelectionWindow>(QString::fromStdString(config.selectionName));
        ASSERT_NE(selection, nullptr);
        selection->Combo2(0)->setCurrentIndex(selection->Combo2(0)->findText("propane"));
        selection->Combo2(1)->setCurrentIndex(selection->Combo2(1)->findText("n-butane"));
        QTest::keyClicks(selection->Text1_MolFraction(0), ".5");
        screenshot(frame, QString::fromStdString(config.selectionName) + QStringLiteral("_filled"));
        for (int i = 0; i < row.guesses; ++i)
            ui.answer("");
        QTest::mouseClick(selection->Command1(), Qt::LeftButton);
        auto* viewer = registry.findAs<widgets::frmTextEditor>(widgets::resultViewerWindow);
        ASSERT_NE(viewer, nullptr);
        EXPECT_TRUE(viewer->isVisible());
        EXPECT_EQ(viewer->Text1()->text().toStdString(), std::to_string(config.resultKind));
        EXPECT_NE(folder.read("result.htm").find(row.shows), std::string::npos);
        screenshot(frame, QString::fromStdString(config.inputName) + QStringLiteral("_report"));
        registry.unload(viewer);
    }
}

} // namespace
} // namespace calvex::shell::testing
