#include "widgets/chartwindow.h"

#include "services/numbers.h"
#include "services/pointsfile.h"
#include "tests/services/goldenpoints.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/scratchfolder.h"
#include "tests/support/scriptedui.h"
#include "tests/support/tabchain.h"
#include "widgets/aboutbox.h"
#include "widgets/chartcontrol.h"
#include "widgets/savefiledialog.h"
#include "widgets/viewerwindows.h"
#include "widgets/windowregistry.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QtCharts/QChartView>

#include <gtest/gtest.h>

namespace calvex::widgets {
namespace {

using testing::goldenText;
using testing::ScratchFolder;
using testing::ScriptedUi;

std::string sweepFile(int rows, int curves, float scale = 1, float xStep = 20)
{
    std::string text = std::to_string(rows) + "\r\n" + std::to_string(curves) + "\r\n";
    for (int i = 1; i <= rows; ++i) {
        text += services::singleText(xStep * i);
        for (int j = 1; j <= curves; ++j)
            text += "," + services::singleText(scale * (j == 1 ? 0.5f * i * i : 100.0f - 3.0f * i));
        text += "\r\n";
    }
    return text;
}

class ChartWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        registerViewerWindows();
        registry.registerWindow("frmAbout", [] { return new AboutBox; }, Placement::Dialog);
    }
    void TearDown() override
    {
        setSaveFileChooser({});
        for (QWidget* window : registry.loadedWindows())
            registry.unload(window);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    plotfrmTextEditor1* window() { return registry.findAs<plotfrmTextEditor1>("plotfrmTextEditor1"); }
    ChartControl* chart() { return window()->MSChart1(); }
    void press(const char* key) { window()->findChild<QAction*>(key)->trigger(); }

    WindowRegistry& registry = WindowRegistry::instance();
    ScratchFolder folder;
    ScriptedUi ui;
};

TEST_F(ChartWindowTest, TabGoesFromTheChartToEachToolbarButton)
{
    registry.show("plotfrmTextEditor1");
    auto* view = chart()->findChild<QChartView*>();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(testing::tabStops(*view, 6),
              (std::vector<std::string>{"Save", "SaveAs", "Clear", "Close", "About", "unnamed QChartView"}));
}

TEST_F(ChartWindowTest, SweepFillDrawsEveryCurveWithItsTitles)
{
    folder.write("points2.dat", sweepFile(20, 2));
    ASSERT_TRUE(plotSweep(services::SweepPlot::EnthalpyEntropy, "points2.dat"));
    ASSERT_NE(window(), nullptr) << "filling the chart loads its window";
    EXPECT_FALSE(window()->isVisible()) << "the caller shows it";
    ASSERT_EQ(chart()->curveCount(), 2);
    for (int curve = 1; curve <= 2; ++curve) {
        const auto points = chart()->curvePoints(curve);
        ASSERT_EQ(points.size(), 20);
        for (int i = 1; i <= 20; ++i) {
            EXPECT_EQ(points[i - 1].x(), 20.0 * i);
            EXPECT_EQ(points[i - 1].y(), curve == 1 ? 0.5 * i * i : 100.0 - 3.0 * i);
        }
    }
    EXPECT_EQ(chart()->axisTitleText(ChartControl::AxisX), "Pressure(bar)");
    EXPECT_EQ(chart()->axisTitleText(ChartControl::AxisY), "Enthalpy(KJ/mole) and Entropy(J/mole-K)");
    for (int axis = 0; axis < 4; ++axis) {
        EXPECT_EQ(chart()->axisTitleFontSize(axis), 14);
        EXPECT_TRUE(chart()->axisTitleVisible(axis));
    }
    EXPECT_EQ(chart()->seriesLegendText(1), "Enthalpy");
    EXPECT_EQ(chart()->seriesLegendText(3), "Entropy");
    EXPECT_TRUE(chart()->curveInLegend(1));
    EXPECT_TRUE(chart()->curveInLegend(2));
    EXPECT_EQ(chart()->legendFont().family(), "Arial");
    EXPECT_EQ(chart()->legendFont().pointSizeF(), 8);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(ChartWindowTest, LaterFillLeavesNoTraceOfAnEarlierOne)
{
    folder.write("points1.dat", goldenText("txy_points.dat"));
    plotDiagram(services::VleDiagram::Txy, "T", "benzene");
    ASSERT_EQ(chart()->titleText(), "Binary Vapor LIquid Equilibrium");
    folder.write("points1.dat", sweepFile(5, 1));
    ASSERT_TRUE(plotSweep(services::SweepPlot::PureFugacity, "points1.dat"));
    EXPECT_EQ(chart()->rowCount(), 5);
    EXPECT_EQ(chart()->curveCount(), 1);
    EXPECT_EQ(chart()->curvePoints(1).size(), 5);
    EXPECT_EQ(chart()->titleText(), "");
    EXPECT_FALSE(chart()->curveInLegend(1)) << "no legend names the fugacity curve";
}

TEST_F(ChartWindowTest, SweepFillFailureShowsTheMessageAndKeepsTheChart)
{
    folder.write("points1.dat", sweepFile(20, 1));
    ASSERT_TRUE(plotSweep(services::SweepPlot::MolarVolume, "points1.dat"));
    folder.write("points1.dat", "20\r\n1\r\n300,1\r\n");
    EXPECT_FALSE(plotSweep(services::SweepPlot::MolarVolume, "points1.dat"));
    std::filesystem::remove(folder.file("points1.dat"));
    EXPECT_FALSE(plotSweep(services::SweepPlot::SaturationTemperature, "points1.dat"));
    EXPECT_EQ(ui.messages(), (std::vector<std::string>{"error in plot", "error in graphplottig"}));
    EXPECT_EQ(chart()->curvePoints(1).size(), 20);
    EXPECT_EQ(chart()->axisTitleText(ChartControl::AxisY), "Volume(cc)");
}

// A molar-volume sweep with points left out: the curve is drawn in pieces, none across the gap;
// with every point left out the chart is empty, with its titles and no message.
TEST_F(ChartWindowTest, MolarVolumeSweepIsDrawnWithAGapWherePointsAreLeftOut)
{
    folder.write("points2.dat", "5\r\n1\r\n2,100\r\n4,50\r\n10,2\r\n12,1.9\r\n14,1.8\r\n");
    ASSERT_TRUE(plotSweep(services::SweepPlot::MolarVolume, "points2.dat"));
    ASSERT_EQ(chart()->curveCount(), 1);
    EXPECT_EQ(chart()->curvePieces(1),
              (QList<QList<QPointF>>{{{2, 100}, {4, 50}}, {{10, 2}, {12, 1.9f}, {14, 1.8f}}}));
    EXPECT_EQ(chart()->curvePoints(1).size(), 5);

    folder.write("points2.dat", "0\r\n1\r\n");
    ASSERT_TRUE(plotSweep(services::SweepPlot::MolarVolume, "points2.dat"));
    EXPECT_EQ(chart()->rowCount(), 0);
    EXPECT_TRUE(chart()->curvePoints(1).isEmpty());
    EXPECT_EQ(chart()->axisTitleText(ChartControl::AxisX), "Pressure(bar)");
    EXPECT_EQ(chart()->axisTitleText(ChartControl::AxisY), "Volume(cc)");
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(ChartWindowTest, SweepFillOfAnotherFileLeavesTheChartAsItWas)
{
    folder.write("points1.dat", sweepFile(20, 1));
    ASSERT_TRUE(plotSweep(services::SweepPlot::MolarVolume, "points1.dat"));
    folder.write("mine.dat", sweepFile(3, 1));
    EXPECT_FALSE(plotSweep(services::SweepPlot::MolarVolume, "mine.dat"));
    EXPECT_EQ(chart()->rowCount(), 20);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(ChartWindowTest, DiagramFillShowsTheWindow)
{
    folder.write("points1.dat", goldenText("pxy_points.dat"));
    plotDiagram(services::VleDiagram::Pxy, "XY", "acetone");
    ASSERT_NE(window(), nullptr);
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(chart()->curveCount(), 2);
    EXPECT_EQ(chart()->curvePoints(2).size(), 50);
    EXPECT_EQ(chart()->axisTitleText(ChartControl::AxisY), "Y of acetone");
    EXPECT_TRUE(chart()->curveInLegend(1));
    EXPECT_FALSE(chart()->curveInLegend(2)) << "the diagonal has no legend";
}

TEST_F(ChartWindowTest, DiagramWithAnotherModeOnlyShowsTheWindow)
{
    plotDiagram(services::VleDiagram::Txy, "P", "a");
    ASSERT_NE(window(), nullptr);
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(chart()->curveCount(), 0);
}

TEST_F(ChartWindowTest, DiagramFromAMissingFileThrowsAndShowsNothing)
{
    EXPECT_THROW(plotDiagram(services::VleDiagram::UnifacTxy, "T", "a"), services::PlotFailure);
    EXPECT_EQ(window(), nullptr);
}

TEST_F(ChartWindowTest, WindowStaysOnTopCentredOnTheScreen)
{
    showChartWindow();
    ASSERT_NE(window(), nullptr);
    EXPECT_TRUE(window()->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window()->isWindow());
    const QScreen* screen = window()->screen();
    const QRect area = screen->geometry();
    const double dpi = screen->logicalDotsPerInch();
    const QSize size = window()->frameGeometry().size();
    const auto expected = [&](int outer, int inner) {
        const long origin = services::freeSpaceOrigin(services::twipsFromPixels(outer, dpi), services::twipsFromPixels(inner, dpi), 2);
        return qRound(services::pixelsFromTwips(origin, dpi));
    };
    EXPECT_NEAR(window()->frameGeometry().left(), area.left() + expected(area.width(), size.width()), 1);
    EXPECT_NEAR(window()->frameGeometry().top(), area.top() + expected(area.height(), size.height()), 1);
}

class ChartPictureTest : public ChartWindowTest {
protected:
    void SetUp() override
    {
        ChartWindowTest::SetUp();
        folder.write("points1.dat", sweepFile(20, 2));
        ASSERT_TRUE(plotSweep(services::SweepPlot::PureDeparture, "points1.dat"));
        showChartWindow();
        QApplication::processEvents();
    }
    std::optional<SaveFileRequest> request;
    void chooseFile(std::optional<QString> path)
    {
        setSaveFileChooser([this, path](const SaveFileRequest& r) {
            request = r;
            return path;
        });
    }
};

// Pixels near enough to a colour (antialiasing blends the edges of a curve).
int pixelsLike(const QImage& image, QColor colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                    std::abs(c.blue() - colour.blue()) < 40)
                ++count;
        }
    return count;
}

TEST_F(ChartPictureTest, SavedBitmapIsThePictureOfTheChart)
{
    const QString path = QString::fromStdString(folder.file("chart.bmp").string());
    chooseFile(path);
    press("Save");
    ASSERT_TRUE(request);
    EXPECT_EQ(request->title, "Save File");
    EXPECT_EQ(request->filter, "Bitmap Files (*.bmp);;All Files (*.*)");
    EXPECT_EQ(request->defaultSuffix, "bmp");

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(2), "BM");
    file.close();
    QImage saved;
    ASSERT_TRUE(saved.load(path, "BMP"));
    EXPECT_EQ(saved.size(), chart()->size());
    EXPECT_GT(saved.width(), 300);
    // Not blank: white paper with both curves drawn in their own colours.
    EXPECT_GT(pixelsLike(saved, Qt::white), saved.width() * saved.height() / 2);
    EXPECT_GT(pixelsLike(saved, QColor(0x1f, 0x4e, 0x96)), 100);
    EXPECT_GT(pixelsLike(saved, QColor(0xc8, 0x50, 0x1e)), 100);
    EXPECT_EQ(QApplication::clipboard()->image().size(), saved.size());
    EXPECT_TRUE(ui.messages().empty());
}

// A second sweep drawn into the open window (temperature sweep, then pressure sweep): what is
// on the screen is what a fresh paint of the chart draws, with no remnant of the first curves'
// markers left where the first axes had put them. The window must have been painted once before
// the second fill, or the offscreen platform paints it whole and hides the fault.
TEST_F(ChartPictureTest, ScreenShowsOnlyTheLatestFill)
{
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window()));
    QTest::qWait(50);
    folder.write("points2.dat", sweepFile(20, 2, -0.25f, 2.124f));
    ASSERT_TRUE(plotSweep(services::SweepPlot::PureDeparture, "points2.dat"));
    QTest::qWait(50);
    const QImage painted = chart()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage shown = window()->screen()->grabWindow(window()->winId()).toImage()
                             .copy(QRect(chart()->mapTo(window(), QPoint(0, 0)), chart()->size()))
                             .convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), painted.size());
    int differing = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            differing += shown.pixel(x, y) != painted.pixel(x, y);
    EXPECT_EQ(differing, 0);
}

TEST_F(ChartPictureTest, EverySaveKeyAsksForTheFile)
{
    int asked = 0;
    setSaveFileChooser([&](const SaveFileRequest&) -> std::optional<QString> { ++asked; return std::nullopt; });
    for (const char* key : {"Save", "SaveAs", "mnuFileSave", "mnuFileSaveAs"})
        press(key);
    press("Clear");
    EXPECT_EQ(asked, 4);
}

TEST_F(ChartPictureTest, CancelWritesNothingButThePictureIsOnTheClipboard)
{
    QApplication::clipboard()->clear();
    chooseFile(std::nullopt);
    press("SaveAs");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1); // points1.dat
    EXPECT_EQ(QApplication::clipboard()->image().size(), chart()->size());
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(ChartPictureTest, FailedSaveShowsTheErrorMessage)
{
    chooseFile(QString::fromStdString(folder.file("missing/folder/chart.bmp").string()));
    press("Save");
    ASSERT_EQ(ui.messages().size(), 1u);
    const std::string message = ui.messages().front();
    EXPECT_EQ(message.rfind("ERROR: ", 0), 0u) << message;
    EXPECT_NE(message.find(". [Error #"), std::string::npos) << message;
    EXPECT_EQ(message.back(), ']');
    EXPECT_NE(window(), nullptr);
}

// The disk fills as the last bytes of the picture are written: they are still in the file's
// buffer when the writing ends, so the failure shows only when they are flushed.
TEST_F(ChartPictureTest, SaveOntoAFullDiskSaysSoAndKeepsAnEarlierFile)
{
    QBuffer bitmap;
    bitmap.open(QIODevice::WriteOnly);
    ASSERT_TRUE(chart()->picture().save(&bitmap, "BMP"));
    const std::string earlier = "an earlier picture";
    folder.write("keep.bmp", earlier);
    for (const char* name : {"new.bmp", "keep.bmp"}) {
        chooseFile(QString::fromStdString(folder.file(name).string()));
        ui.clear();
        {
            const testing::FileSizeLimit full(bitmap.size() - 1);
            press("Save");
        }
        ASSERT_EQ(ui.messages().size(), 1u) << name;
        const std::string message = ui.messages().front();
        EXPECT_EQ(message.rfind("ERROR: ", 0), 0u) << message;
        EXPECT_NE(message.find(". [Error #"), std::string::npos) << message;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.file("new.bmp")));
    EXPECT_EQ(folder.read("keep.bmp"), earlier);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2) // points1.dat, keep.bmp
        << "no temporary file is left";
}

TEST_F(ChartWindowTest, CloseAndExitUnloadTheWindow)
{
    for (const char* key : {"Close", "mnuFileExit"}) {
        showChartWindow();
        ASSERT_NE(window(), nullptr);
        press(key);
        EXPECT_EQ(window(), nullptr) << key;
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(ChartWindowTest, AboutShowsTheBoxTitledGraphPlotterWithoutWaiting)
{
    showChartWindow();
    press("About");
    auto* box = registry.findAs<QDialog>("frmAbout");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_FALSE(box->isModal());
    EXPECT_EQ(box->findChild<QLabel*>("lblTitle")->text(), "Graph Plotter ");
    EXPECT_TRUE(ui.messages().empty());
}

} // namespace
} // namespace calvex::widgets
