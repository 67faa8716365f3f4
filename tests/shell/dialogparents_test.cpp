// Every dialog and window the program opens on the screen belongs to the frame, directly or through
// the window that opened it, also while no window is active, as on Wayland right after a modal box
// closes; a box without such a parent opens where the compositor likes and can hide behind the
// frame it blocks.

#include "tests/shell/shellfixture.h"
#include "unifac/componentbuilder.h"
#include "unifac/databaseeditor.h"
#include "widgets/aboutbox.h"
#include "widgets/chartwindow.h"
#include "widgets/constantsdialog.h"
#include "widgets/dialogwindows.h"
#include "widgets/inputabcd.h"
#include "widgets/qtui.h"
#include "widgets/savefiledialog.h"
#include "widgets/windownames.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <functional>

namespace calvex::shell::testing {
namespace {

using services::ui;

class DialogParents : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        standInsForAll();
        widgets::registerDialogWindows();
        registry.registerWindow(widgets::aboutWindow, [] { return new widgets::AboutBox; },
                                widgets::Placement::Dialog);
        registry.registerWindow(widgets::chartWindow, [] { return new widgets::plotfrmTextEditor1; },
                                widgets::Placement::TopLevel);
        frame = openFrame();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    }

    // The parent of every box `open` shows, each box closed as soon as it is up and no window
    // left active after it.
    static QList<QWidget*> parentsOfBoxes(const std::function<void()>& open)
    {
        QList<QWidget*> parents;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&parents] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            parents.append(box->parentWidget());
            box->reject();
            QApplication::setActiveWindow(nullptr);
        });
        closer.start(5);
        QApplication::setActiveWindow(nullptr);
        open();
        return parents;
    }

    // Whether `parent` is the frame or a window whose parents lead to it: what keeps a window and
    // its boxes above the frame on Wayland.
    bool reachesFrame(const QWidget* parent) const
    {
        for (const QWidget* window = parent ? parent->window() : nullptr; window;
             window = window->parentWidget() ? window->parentWidget()->window() : nullptr)
            if (window == frame)
                return true;
        return false;
    }

    widgets::QtUi onScreen;
    services::ScopedUi scopedUi{onScreen};
    MDIForm1* frame = nullptr;
};

TEST_F(DialogParents, EveryDialogHasAWindowOfTheProgramAsItsParentWithNoWindowActive)
{
    const auto showModal = [](QDialog& dialog) { ui().showModal(dynamic_cast<services::ModalDialog&>(dialog)); };
    const struct {
        const char* dialog;
        int boxes;
        std::function<void()> open;
    } rows[] = {
        {"message", 1, [] { ui().message("Temperature cannot be zero or negative"); }},
        {"prompt", 1, [] { ui().ask("Enter valid Temperature in kelvin"); }},
        {"yes/no question", 1, [] { ui().yesNo("Want To End Calvex"); }},
        {"message, prompt, message", 3,
         [] {
             ui().message("Temperature cannot be zero or negative");
             ui().ask("Enter valid Temperature in kelvin");
             ui().message("Pressure cannot be zero or negative");
         }},
        {"About box from the frame's toolbar", 1, [this] { frame->Toolbar_ButtonClick(QStringLiteral("About")); }},
        {"constants dialog", 1,
         [&] { showModal(*registry.loadAs<widgets::ConstantsDialog>(widgets::ConstantsDialog::instanceName(2))); }},
        {"heat-capacity dialog", 1,
         [&] { showModal(*registry.loadAs<widgets::InputABCD>(QStringLiteral("InputABCD"))); }},
        {"UNIFAC builder, name step", 1, [&] { unifac::fUName step; showModal(step); }},
        {"UNIFAC builder, subgroup step", 1, [&] { unifac::fBuilder step; showModal(step); }},
        {"UNIFAC component database", 1, [&] { unifac::fDatabase editor; showModal(editor); }},
        {"UNIFAC rename dialog", 1, [&] { unifac::fRename rename; showModal(rename); }},
        {"UNIFAC About box", 1, [] { widgets::showUnifacAbout(); }},
        {"save dialog", 1, [] { widgets::chooseSaveFile(nullptr, {QStringLiteral("Save File"), {}, {}, {}}); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.dialog);
        const QList<QWidget*> parents = parentsOfBoxes(row.open);
        ASSERT_EQ(parents.size(), row.boxes);
        for (const QWidget* parent : parents)
            EXPECT_TRUE(parent && parent->window()->isVisible() && reachesFrame(parent));
    }
}

TEST_F(DialogParents, TheChartWindowItsSaveDialogAndItsAboutBoxBelongToTheFrame)
{
    auto* chart = qobject_cast<widgets::plotfrmTextEditor1*>(registry.show(widgets::chartWindow));
    ASSERT_NE(chart, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(chart));
    auto* toolbar = chart->findChild<QToolBar*>();
    const auto click = [toolbar](const char* key) {
        QTest::mouseClick(toolbar->widgetForAction(toolbar->findChild<QAction*>(key)), Qt::LeftButton);
    };
    const struct {
        const char* window;
        std::function<QList<QWidget*>()> parentsOf;
    } rows[] = {
        {"chart window", [chart] { return QList<QWidget*>{chart->parentWidget()}; }},
        {"its Save dialog", [&] { return parentsOfBoxes([&] { click("SaveAs"); }); }},
        {"its About box",
         [&] {
             click("About");
             QWidget* about = registry.find(widgets::aboutWindow);
             return about && about->isVisible() ? QList<QWidget*>{about->parentWidget()} : QList<QWidget*>{};
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.window);
        const QList<QWidget*> parents = row.parentsOf();
        ASSERT_EQ(parents.size(), 1);
        EXPECT_TRUE(reachesFrame(parents.constFirst()));
    }
    EXPECT_TRUE(chart->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) << "X11 keeps it above every window";
}

TEST_F(DialogParents, ABoxPassesOverAShownWindowWithoutParentForTheFrame)
{
    QWidget stray;
    stray.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&stray));
    QTest::mouseClick(&stray, Qt::LeftButton);
    EXPECT_EQ(parentsOfBoxes([] { ui().message("Temperature cannot be zero or negative"); }), QList<QWidget*>{frame});
}

TEST_F(DialogParents, ABoxBelongsToTheWindowLastClickedWhileItIsShownElseToTheFrame)
{
    QWidget* help = registry.show(widgets::helpWindow);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    // The click that brings the program back reaches the window before it is active.
    QTest::mouseClick(help, Qt::LeftButton);
    EXPECT_EQ(parentsOfBoxes([] { ui().message("Temperature cannot be zero or negative"); }), QList<QWidget*>{help});
    help->hide();
    EXPECT_EQ(parentsOfBoxes([] { ui().message("Temperature cannot be zero or negative"); }), QList<QWidget*>{frame});
}

} // namespace
} // namespace calvex::shell::testing
