#include "widgets/resultviewer.h"

#include "services/pointsfile.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/scratchfolder.h"
#include "tests/support/scriptedui.h"
#include "tests/support/tabchain.h"
#include "widgets/aboutbox.h"
#include "widgets/plotcallbacks.h"
#include "widgets/savefiledialog.h"
#include "widgets/viewerwindows.h"
#include "widgets/webbrowser.h"
#include "widgets/windowregistry.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <functional>

namespace calvex::widgets {
namespace {

using testing::ScratchFolder;
using testing::ScriptedUi;

// Every window the ResultKind table names, as a test double that records its calls.
const char* const plottingWindows[] = {
    "MolarVolumeCalculator", "SaturationPressureCalculator", "SaturationTemperatureCalculator",
    "PureComponentFugacityCalculator", "DepartureFunctionCalculator", "EntropyCalculator", "EnthalpyCalculator",
    "SelectComponentForm1", "FugacitySelectComponentForm1", "DepartureSelectComponentForm1", "PxyMargules",
    "TxyMargules", "PxyVanlaar", "TxyVanlaar", "fMain", "Pxywilsons", "Txywilsons", "Pxynrtl", "Txynrtl",
};

struct CallLog {
    std::vector<std::string> calls;     // "Window.operation(argument)"
    std::vector<std::string> labelText; // Label1 of the viewer while each call ran
    std::function<void()> during;       // what a call does besides being recorded
};

class DoubleWindow : public QWidget, public PlotCallbacks, public UnifacPlotCallbacks {
public:
    explicit DoubleWindow(CallLog& log) : m_log(log) {}
    void graphplotting(const std::string& argument) override { record("graphplotting", argument); }
    void graphplottingPXY(const std::string& argument) override { record("graphplottingPXY", argument); }
    void graphplottingTXY(const std::string& argument) override { record("graphplottingTXY", argument); }

private:
    void record(const std::string& operation, const std::string& argument)
    {
        m_log.calls.push_back(objectName().toStdString() + "." + operation + "(" + argument + ")");
        if (QWidget* viewer = WindowRegistry::instance().find("frmTextEditor"))
            m_log.labelText.push_back(viewer->findChild<QLabel*>("Label1")->text().toStdString());
        if (m_log.during)
            m_log.during();
    }
    CallLog& m_log;
};

class ResultViewerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        registerViewerWindows();
        for (const char* name : plottingWindows)
            registry.registerWindow(name, [this] { return new DoubleWindow(log); });
        registry.registerWindow("frmAbout", [] { return new AboutBox; }, Placement::Dialog);
        frame.setObjectName("MDIForm1");
        frameToolbar = frame.addToolBar("frame");
        frameToolbar->setObjectName("Toolbar");
        frame.setCentralWidget(area);
        registry.noteLoaded(&frame);
        registry.setMdiArea(area);
        frame.resize(1100, 850);
        frame.show();
    }

    void TearDown() override
    {
        setSaveFileChooser({});
        for (QWidget* window : registry.loadedWindows())
            if (window != &frame)
                registry.unload(window);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        registry.setMdiArea(nullptr);
    }

    frmTextEditor* viewer() { return registry.loadAs<frmTextEditor>("frmTextEditor"); }
    QPushButton* key(int index) { return viewer()->findChild<QPushButton*>(QString("key(%1)").arg(index)); }
    QGroupBox* panel(const char* name) { return viewer()->findChild<QGroupBox*>(name); }
    QLabel* label1() { return viewer()->findChild<QLabel*>("Label1"); }
    void press(const char* key) { viewer()->findChild<QAction*>(key)->trigger(); }
    void plotWithKind(const QString& text)
    {
        viewer()->Text1()->setText(text);
        press("Plot");
    }

    WindowRegistry& registry = WindowRegistry::instance();
    CallLog log;
    QMainWindow frame;
    QMdiArea* area = new QMdiArea;
    QToolBar* frameToolbar = nullptr;
    ScriptedUi ui;
};

struct KindCase {
    int kind;
    const char* caption0;
    const char* call0; // empty: calls nothing
    const char* caption1; // nullptr: one button only
    const char* call1;
};

void PrintTo(const KindCase& c, std::ostream* os) { *os << "kind " << c.kind; }

class ResultViewerKinds : public ResultViewerTest, public ::testing::WithParamInterface<KindCase> {};

TEST_P(ResultViewerKinds, OfferTheCaptionsAndCallTheWindowBack)
{
    const KindCase& c = GetParam();
    plotWithKind(QString::number(c.kind));

    ASSERT_FALSE(panel("Frame1")->isHidden());
    EXPECT_TRUE(panel("Frame2")->isHidden());
    EXPECT_EQ(key(0)->text().toStdString(), c.caption0);
    EXPECT_FALSE(key(0)->isHidden());
    EXPECT_EQ(key(1)->isHidden(), c.caption1 == nullptr);
    if (c.caption1) {
        EXPECT_EQ(key(1)->text().toStdString(), c.caption1);
    }

    const std::pair<int, const char*> presses[] = {{0, c.call0}, {1, c.call1}};
    for (const auto& [index, call] : presses) {
        if (index == 1 && !c.caption1)
            break;
        log.calls.clear();
        log.labelText.clear();
        key(index)->click();
        EXPECT_TRUE(panel("Frame1")->isHidden());
        EXPECT_FALSE(panel("Frame2")->isHidden());
        EXPECT_EQ(label1()->text(), "plotting complete");
        if (*call) {
            EXPECT_EQ(log.calls, std::vector<std::string>{call});
            EXPECT_EQ(log.labelText, std::vector<std::string>{"Plotting may take time so please wait"});
        } else {
            EXPECT_TRUE(log.calls.empty());
        }
    }
    EXPECT_TRUE(ui.messages().empty());
}

// Captions and calls as the viewer's table gives them, double blanks included.
INSTANTIATE_TEST_SUITE_P(
    Table, ResultViewerKinds,
    ::testing::Values(
        KindCase{1, "Plot T vs V", "MolarVolumeCalculator.graphplotting(T)", "Plot P vs V", "MolarVolumeCalculator.graphplotting(P)"},
        KindCase{2, "Plot Saturation Pressure  vs T", "SaturationPressureCalculator.graphplotting()", nullptr, nullptr},
        KindCase{3, "Plot Saturation Temperature vs P", "SaturationTemperatureCalculator.graphplotting()", nullptr, nullptr},
        KindCase{4, "Plot Fugacity  vs T", "PureComponentFugacityCalculator.graphplotting(T)", "Plot Fugacity  vs P",
                 "PureComponentFugacityCalculator.graphplotting(P)"},
        KindCase{5, "Plot Departure Function vs T", "DepartureFunctionCalculator.graphplotting(T)",
                 "Plot Departure Function vs P", "DepartureFunctionCalculator.graphplotting(P)"},
        KindCase{6, "Plot Entropy vs T", "EntropyCalculator.graphplotting(T)", "Plot Entropy vs P", "EntropyCalculator.graphplotting(P)"},
        KindCase{7, "Plot Enthalpy vs T", "EnthalpyCalculator.graphplotting(T)", "Plot Enthalpy vs P", "EnthalpyCalculator.graphplotting(P)"},
        KindCase{8, "Plot T vs V", "SelectComponentForm1.graphplotting(T)", "Plot P vs V", "SelectComponentForm1.graphplotting(P)"},
        KindCase{9, "Plot Fugacity  vs T", "FugacitySelectComponentForm1.graphplotting(T)", "Plot Fugacity  vs P",
                 "FugacitySelectComponentForm1.graphplotting(P)"},
        KindCase{10, "No Plot", "", nullptr, nullptr},
        KindCase{11, "Plot Departure Function vs T", "DepartureSelectComponentForm1.graphplotting(T)",
                 "Plot Departure Function vs P", "DepartureSelectComponentForm1.graphplotting(P)"},
        KindCase{12, "No Plot", "", nullptr, nullptr}, KindCase{13, "No Plot", "", nullptr, nullptr},
        KindCase{14, "No Plot", "", nullptr, nullptr}, KindCase{15, "No Plot", "", nullptr, nullptr},
        KindCase{16, "No Plot", "", nullptr, nullptr},
        KindCase{18, "Plot P-x-y Graph", "PxyMargules.graphplotting(P)", "X-Y Graph", "PxyMargules.graphplotting(XY)"},
        KindCase{19, "T-x-y Graph", "TxyMargules.graphplotting(T)", "X-Y Graph", "TxyMargules.graphplotting(XY)"},
        KindCase{20, "P-x-y", "PxyVanlaar.graphplotting(P)", "X-Y Graph", "PxyVanlaar.graphplotting(XY)"},
        KindCase{21, "T-x-y Graph", "TxyVanlaar.graphplotting(T)", "X-Y Graph", "TxyVanlaar.graphplotting(XY)"},
        KindCase{22, "P-x-y", "fMain.graphplottingPXY(P)", "X-Y Graph", "fMain.graphplottingPXY(XY)"},
        KindCase{23, "Plot T-x-y Graph", "fMain.graphplottingTXY(T)", "X-Y Graph", "fMain.graphplottingTXY(XY)"},
        KindCase{28, "P-x-y", "Pxywilsons.graphplotting(P)", "X-Y Graph", "Pxywilsons.graphplotting(XY)"},
        KindCase{29, "T-x-y Graph", "Txywilsons.graphplotting(T)", "X-Y Graph", "Txywilsons.graphplotting(XY)"},
        KindCase{30, "P-x-y", "Pxynrtl.graphplotting(P)", "X-Y Graph", "Pxynrtl.graphplotting(XY)"},
        KindCase{31, "T-x-y Graph", "Txynrtl.graphplotting(T)", "X-Y Graph", "Txynrtl.graphplotting(XY)"}));

TEST_F(ResultViewerTest, KindsWithoutButtonsShowNoPanel)
{
    for (const char* text : {"17", "24", "25", "27", "32", "0", "1.5", "", "abc", "-1"}) {
        plotWithKind(text);
        EXPECT_TRUE(panel("Frame1")->isHidden()) << text;
        EXPECT_TRUE(panel("Frame2")->isHidden()) << text;
    }
}

TEST_F(ResultViewerTest, KindIsReadAsTheNumberItStartsWith)
{
    for (const char* text : {"07", "  7", "7abc", "7.0"}) {
        plotWithKind(text);
        EXPECT_FALSE(panel("Frame1")->isHidden()) << text;
        EXPECT_EQ(key(0)->text(), "Plot Enthalpy vs T") << text;
    }
}

TEST_F(ResultViewerTest, OneButtonKindHidesTheSecondButtonLeftByAnEarlierKind)
{
    plotWithKind("1");
    ASSERT_FALSE(key(1)->isHidden());
    plotWithKind("2");
    EXPECT_FALSE(key(0)->isHidden());
    EXPECT_TRUE(key(1)->isHidden());
}

TEST_F(ResultViewerTest, EveryToolbarButtonHidesBothPanels)
{
    for (const char* button : {"Clear", "Plot"}) {
        plotWithKind("4");
        key(0)->click();
        ASSERT_FALSE(panel("Frame2")->isHidden());
        plotWithKind("4");
        ASSERT_FALSE(panel("Frame1")->isHidden());
        viewer()->Text1()->setText("17");
        press(button);
        EXPECT_TRUE(panel("Frame1")->isHidden()) << button;
        EXPECT_TRUE(panel("Frame2")->isHidden()) << button;
    }
}

TEST_F(ResultViewerTest, TabReachesTheToolbarAfterThePageAndThePlotButtonsOnceShown)
{
    registry.show("frmTextEditor");
    viewer()->Text1()->setText("1");
    const std::vector<std::string> toolbar = {"Save", "SaveAs", "Clear", "Plot", "About", "back"};
    std::vector<std::string> round = toolbar;
    round.push_back("WebBrowser1");
    EXPECT_EQ(testing::tabStops(*viewer()->WebBrowser1(), 7), round);

    ASSERT_EQ(testing::tabStops(*viewer()->WebBrowser1(), 4).back(), "Plot");
    QTest::keyClick(viewer()->window()->focusWidget(), Qt::Key_Space);
    ASSERT_FALSE(panel("Frame1")->isHidden());
    round = {"key(0)", "key(1)"};
    round.insert(round.end(), toolbar.begin(), toolbar.end());
    EXPECT_EQ(testing::tabStops(*viewer()->WebBrowser1(), 8), round);
}

TEST_F(ResultViewerTest, APlotButtonGivesTheFocusToThePageWhenItsPanelCloses)
{
    registry.show("frmTextEditor");
    plotWithKind("2");
    ASSERT_EQ(testing::tabStops(*viewer()->WebBrowser1(), 1), std::vector<std::string>{"key(0)"});
    QTest::keyClick(key(0), Qt::Key_Space);
    EXPECT_EQ(log.calls, std::vector<std::string>{"SaturationPressureCalculator.graphplotting()"});
    EXPECT_EQ(viewer()->window()->focusWidget(), viewer()->WebBrowser1());
}

TEST_F(ResultViewerTest, BoldCaptionFollowsThePointer)
{
    plotWithKind("1");
    auto moveOver = [](QPushButton* button) {
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(button, &move);
    };
    moveOver(key(1));
    EXPECT_FALSE(key(0)->font().bold());
    EXPECT_TRUE(key(1)->font().bold());
    moveOver(key(0));
    EXPECT_TRUE(key(0)->font().bold());
    EXPECT_FALSE(key(1)->font().bold());
    moveOver(key(0));
    EXPECT_TRUE(key(0)->font().bold());
}

TEST_F(ResultViewerTest, FrameToolbarIsHiddenWhileTheViewerIsLoaded)
{
    for (const char* way : {"back", "mnuFileExit", "close"}) {
        frameToolbar->show();
        frmTextEditor* shown = viewer();
        EXPECT_TRUE(frameToolbar->isHidden()) << way;
        // The viewer's own toolbar has the same name and stays.
        EXPECT_FALSE(shown->findChild<QToolBar*>("Toolbar")->isHidden());
        if (std::string(way) == "close") {
            registry.show("frmTextEditor");
            shown->parentWidget()->close();
            QApplication::processEvents();
        } else {
            press(way);
        }
        EXPECT_EQ(registry.find("frmTextEditor"), nullptr) << way;
        EXPECT_FALSE(frameToolbar->isHidden()) << way;
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(ResultViewerTest, CallbackThatThrowsLeavesTheViewerUsable)
{
    log.during = [] { throw services::PlotFailure("points1.dat ends before all its points were read"); };
    plotWithKind("19");
    key(0)->click();
    EXPECT_EQ(ui.messages(),
              std::vector<std::string>{"The chart could not be drawn: points1.dat ends before all its points were read."});
    EXPECT_EQ(label1()->text(), "plotting complete");

    log.during = [] { throw std::runtime_error("internal"); };
    plotWithKind("11");
    key(1)->click();
    EXPECT_EQ(ui.messages().back(), "The chart could not be drawn.");
    EXPECT_EQ(label1()->text(), "plotting complete");

    log.during = nullptr;
    log.calls.clear();
    plotWithKind("19");
    key(1)->click();
    EXPECT_EQ(log.calls, std::vector<std::string>{"TxyMargules.graphplotting(XY)"});
}

TEST_F(ResultViewerTest, CallbackShowingItsOwnMessageEndsWithPlottingComplete)
{
    log.during = [] { services::ui().message("error in graph plotting"); };
    plotWithKind("7");
    key(0)->click();
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"error in graph plotting"});
    EXPECT_EQ(label1()->text(), "plotting complete");
}

TEST_F(ResultViewerTest, CallbackMayUnloadTheViewer)
{
    log.during = [this] { registry.unload("frmTextEditor"); };
    plotWithKind("6");
    key(0)->click();
    EXPECT_EQ(registry.find("frmTextEditor"), nullptr);
    EXPECT_EQ(log.calls.size(), 1u);
}

TEST_F(ResultViewerTest, CalledWindowIsCreatedUnshownWhenNotLoaded)
{
    plotWithKind("5");
    ASSERT_EQ(registry.find("DepartureFunctionCalculator"), nullptr);
    key(1)->click();
    QWidget* window = registry.find("DepartureFunctionCalculator");
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(ResultViewerTest, WindowNotAvailableGivesTheNote)
{
    registry.registerWindow("Txynrtl", nullptr);
    plotWithKind("31");
    key(0)->click();
    EXPECT_EQ(ui.messages(), std::vector<std::string>{WindowRegistry::notAvailableText().toStdString()});
    EXPECT_EQ(label1()->text(), "plotting complete");
}

TEST_F(ResultViewerTest, WindowWithoutTheCallbackIsReportedNotCalled)
{
    registry.registerWindow("PxyVanlaar", [] { return new QWidget; });
    plotWithKind("20");
    key(0)->click();
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"PxyVanlaar cannot draw this chart."});
}

TEST_F(ResultViewerTest, AboutRunsTheAboutBoxModally)
{
    bool wasModal = false;
    viewer();
    QTimer::singleShot(0, [&] {
        auto* box = registry.findAs<QDialog>("frmAbout");
        ASSERT_NE(box, nullptr);
        wasModal = box->isModal() && box->isVisible();
        box->accept();
    });
    press("About");
    EXPECT_TRUE(wasModal);
    EXPECT_TRUE(ui.messages().empty());
}

class ResultViewerReports : public ResultViewerTest {
protected:
    ScratchFolder folder;
    services::ResultLines values{"", "propane", "369.83"};

    void SetUp() override
    {
        ResultViewerTest::SetUp();
        folder.write("t.htm", "<html><body><p>variable at variable K</p></body></html>");
    }
    WebBrowser* browser() { return viewer()->WebBrowser1(); }
};

TEST_F(ResultViewerReports, ShowResultReportWritesTheKindAndShowsThePage)
{
    services::ShowResultReport(2, values, "t.htm", 7);
    frmTextEditor* shown = registry.findAs<frmTextEditor>("frmTextEditor");
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(shown->Text1()->text(), "7");
    EXPECT_EQ(std::filesystem::path(browser()->LocationPath().toStdString()), folder.file("result.htm"));
    EXPECT_TRUE(browser()->toPlainText().contains("propane at 369.83 K"));
    EXPECT_TRUE(frameToolbar->isHidden());

    services::ResultLines next{"", "butane", "425.1"};
    services::ShowResultReport(2, next, "t.htm", 6);
    EXPECT_EQ(shown->Text1()->text(), "6");
    EXPECT_TRUE(browser()->toPlainText().contains("butane at 425.1 K")) << "the same page is read anew";
}

TEST_F(ResultViewerReports, PageThatCouldNotBeWrittenIsShownFromMemory)
{
    std::filesystem::create_directory(folder.file("result.htm"));
    services::ShowResultReport(2, values, "t.htm", 1);
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"Error in  making result file so exiting"});
    EXPECT_TRUE(browser()->LocationPath().isEmpty());
    EXPECT_TRUE(browser()->toPlainText().contains("The report could not be made"));
    EXPECT_EQ(viewer()->Text1()->text(), "1");
}

// Another copy of the program writes its own report between this one's write and its read.
TEST_F(ResultViewerReports, ReportShownIsTheOneThisProgramWrote)
{
    folder.write("result.htm", "<html><body>another copy's report</body></html>");
    const QString path = QString::fromStdString(folder.file("result.htm").string());
    browser()->Navigate(path, QByteArrayLiteral("<html><body>this report</body></html>\r\n"));
    EXPECT_EQ(browser()->toPlainText().trimmed(), QStringLiteral("this report"));
    EXPECT_EQ(browser()->LocationPath(), path);
    browser()->reload();
    EXPECT_EQ(browser()->toPlainText().trimmed(), QStringLiteral("this report"));
    browser()->Navigate(path);
    EXPECT_EQ(browser()->toPlainText(), QStringLiteral("another copy's report")) << "a page navigated to is read";
}

TEST_F(ResultViewerReports, MissingPageSaysSo)
{
    browser()->Navigate(QString::fromStdString(folder.file("nothing.htm").string()));
    EXPECT_TRUE(browser()->toPlainText().contains("The page cannot be displayed"));
}

TEST_F(ResultViewerReports, SaveCopiesThePageShownWhereTheUserChose)
{
    services::ShowResultReport(2, values, "t.htm", 7);
    const std::string shown = folder.read("result.htm");
    // A later calculation, or a second copy of the program, rewrites result.htm meanwhile.
    folder.write("result.htm", "<html><body>another report</body></html>");
    const QString target = QString::fromStdString(folder.file("saved.htm").string());
    int asked = 0;
    setSaveFileChooser([&](const SaveFileRequest&) -> std::optional<QString> { ++asked; return target; });
    for (const char* action : {"Save", "SaveAs", "mnuFileSave", "mnuFileSaveAs"}) {
        std::filesystem::remove(folder.file("saved.htm"));
        press(action);
        EXPECT_EQ(folder.read("saved.htm"), shown) << action;
    }
    EXPECT_EQ(asked, 4);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(ResultViewerReports, CancelledSaveWritesNothing)
{
    services::ShowResultReport(2, values, "t.htm", 7);
    setSaveFileChooser([](const SaveFileRequest&) -> std::optional<QString> { return std::nullopt; });
    press("Save");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2); // t.htm, result.htm
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(ResultViewerReports, FailedSaveSaysSoAndKeepsThePage)
{
    services::ShowResultReport(2, values, "t.htm", 7);
    const QString target = QString::fromStdString(folder.file("no/such/folder/saved.htm").string());
    setSaveFileChooser([&](const SaveFileRequest&) -> std::optional<QString> { return target; });
    press("Save");
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"The page could not be saved as " + target.toStdString() + "."});
    EXPECT_TRUE(browser()->toPlainText().contains("propane at 369.83 K"));
}

// The disk fills while the page is saved. A page sits whole in the file's buffer, so the failure
// shows only when it is flushed: neither an empty file at a new name nor a cut one over the user's
// earlier report may be left.
TEST_F(ResultViewerReports, SaveOntoAFullDiskSaysSoAndKeepsAnEarlierFile)
{
    services::ShowResultReport(2, values, "t.htm", 7);
    const std::size_t pageSize = folder.read("result.htm").size();
    const std::string earlier = "<html><body>a report saved earlier</body></html>";
    folder.write("keep.htm", earlier);
    for (const char* name : {"new.htm", "keep.htm"}) {
        const QString target = QString::fromStdString(folder.file(name).string());
        setSaveFileChooser([&](const SaveFileRequest&) -> std::optional<QString> { return target; });
        ui.clear();
        {
            const testing::FileSizeLimit full(pageSize / 2);
            press("SaveAs");
        }
        EXPECT_EQ(ui.messages(), std::vector<std::string>{"The page could not be saved as " + target.toStdString() + "."})
            << name;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.file("new.htm")));
    EXPECT_EQ(folder.read("keep.htm"), earlier);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 3) // t.htm, result.htm, keep.htm
        << "no temporary file is left";
}

TEST_F(ResultViewerReports, ResizeKeepsTheBrowserFlushLeftWithEqualMargins)
{
    QWidget* shown = registry.show("frmTextEditor")->parentWidget(); // the child window's frame
    for (const QSize size : {QSize(900, 700), QSize(500, 400), QSize(200, 90)}) {
        shown->resize(size);
        QApplication::processEvents();
        const QWidget* client = browser()->parentWidget();
        const QRect geometry = browser()->geometry();
        EXPECT_EQ(geometry.left(), 0);
        EXPECT_EQ(geometry.width(), client->width());
        const int top = geometry.top();
        EXPECT_GT(top, 0);
        if (client->height() > 2 * top)
            EXPECT_EQ(client->height() - geometry.bottom() - 1, top) << size.width() << "x" << size.height();
        else
            EXPECT_EQ(geometry.height(), 0);
    }
}

} // namespace
} // namespace calvex::widgets
