// A calculator window closed or replaced while its calculation waits in a message box. A box
// runs an event loop of its own, in which the user can still act (an accessibility action is not
// blocked by a modal box): here the scripted Ui runs such a loop in every box, and the plot's
// first box closes the window from inside it. The window stays until the calculation has
// returned, which goes on as if nothing had happened, and is destroyed once the program's own
// loop has the control again.

#include "pure/purecalculatorwindow.h"
#include "pure/purewindows.h"
#include "shell/windowswitching.h"
#include "tests/mixture/windows/mixturefixture.h"
#include "tests/shell/shellfixture.h"
#include "tests/support/scriptedui.h"
#include "widgets/dialogwindows.h"
#include "widgets/resultviewer.h"
#include "widgets/viewerwindows.h"
#include "widgets/windownames.h"

#include <QAction>
#include <QComboBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <functional>

namespace calvex::shell::testing {
namespace {

const QString saturationWindow = QStringLiteral("SaturationPressureCalculator");

using Close = std::function<void(MDIForm1& frame, QWidget& window)>;

class ClosedDuringCalculation : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        standInsForAll();
        widgets::registerDialogWindows();
        widgets::registerViewerWindows();
        pure::registerPureWindows();
        frame = openFrame();
    }

    // Propane (its vapour-pressure law as components.csv has it) with Peng-Robinson at 300 K,
    // reported; its plot's first point lies below the law's pole.
    void reportSaturationPressure()
    {
        CloseOthersAndShow(saturationWindow);
        window = registry.findAs<pure::PureCalculatorWindow>(saturationWindow);
        ASSERT_FALSE(window.isNull());
        window->Combo2()->setCurrentIndex(window->Combo2()->findText(QStringLiteral("propane")));
        window->Option(2)->click();
        QTest::keyClicks(window->Text1_Temperature(), QStringLiteral("300"));
        QTest::mouseClick(window->calculateButton(), Qt::LeftButton);
        ASSERT_TRUE(ui.texts().empty());
    }

    // Presses the viewer's plot button from the program's loop, each box of the plot running a
    // loop of its own, `close` called inside the first. Returns once the window is destroyed,
    // or once the plot has returned when nothing closed it.
    void plot(const Close& close)
    {
        bool closed = false;
        ui.whileShowingMessages([&](const std::string&) {
            QEventLoop box;
            QTimer::singleShot(0, &box, [&] {
                if (close && !closed) {
                    closed = true;
                    close(*frame, *window);
                }
                // After what the close itself left to the loop.
                QTimer::singleShot(0, &box, &QEventLoop::quit);
            });
            box.exec();
            aliveAfterBoxes.push_back(!window.isNull());
        });
        auto* viewer = registry.findAs<widgets::frmTextEditor>(widgets::resultViewerWindow);
        ASSERT_NE(viewer, nullptr);
        auto* plotButton = viewer->findChild<QPushButton*>(QStringLiteral("key(0)"));
        ASSERT_NE(plotButton, nullptr);
        QEventLoop program;
        QObject::connect(window.data(), &QObject::destroyed, &program, &QEventLoop::quit);
        QTimer::singleShot(0, &program, [&] {
            plotButton->click();
            aliveAfterPlot = !window.isNull();
            if (!close)
                program.quit();
        });
        QTimer::singleShot(5000, &program, &QEventLoop::quit);
        program.exec();
        ui.whileShowingMessages({});
    }

    mixture::testing::MixtureFixtureFolder folder;
    calvex::testing::ScriptedUi ui;
    MDIForm1* frame = nullptr;
    QPointer<pure::PureCalculatorWindow> window;
    std::vector<bool> aliveAfterBoxes;
    bool aliveAfterPlot = false;
};

struct CloseCase {
    const char* what;
    Close close;
    const char* shownAfter; // the calculator that replaced it, if any
};

const CloseCase closes[] = {
    {"its sub-window closed", [](MDIForm1&, QWidget& w) { widgets::WindowRegistry::outerWindow(&w)->close(); }, nullptr},
    {"replaced by another calculator from the menu",
     [](MDIForm1& frame, QWidget&) { frame.menuBar()->findChild<QAction*>(QStringLiteral("MolarVolume"))->trigger(); },
     "MolarVolumeCalculator"},
    {"the main page shown", [](MDIForm1&, QWidget&) { ShowMainPage(); }, nullptr},
};

TEST_F(ClosedDuringCalculation, WindowOutlivesItsPlotAndIsDestroyedOnceItReturned)
{
    reportSaturationPressure();
    plot({});
    const std::vector<std::string> boxes = ui.messages();
    ASSERT_GE(boxes.size(), 2u);
    EXPECT_EQ(boxes.front(), "error in Psatguesseqn3");
    const std::string points = folder.read("points1.dat");

    for (const CloseCase& c : closes) {
        SCOPED_TRACE(c.what);
        ui.clear();
        aliveAfterBoxes.clear();
        reportSaturationPressure();
        ASSERT_FALSE(HasFatalFailure());
        std::filesystem::remove(folder.file("points1.dat"));
        plot(c.close);
        EXPECT_EQ(aliveAfterBoxes, std::vector<bool>(boxes.size(), true));
        EXPECT_TRUE(aliveAfterPlot);
        EXPECT_TRUE(window.isNull());
        EXPECT_EQ(registry.find(saturationWindow), nullptr);
        if (c.shownAfter) {
            EXPECT_NE(registry.find(QString::fromLatin1(c.shownAfter)), nullptr);
        }
        EXPECT_EQ(ui.messages(), boxes);
        EXPECT_EQ(folder.read("points1.dat"), points);
    }
}

} // namespace
} // namespace calvex::shell::testing
