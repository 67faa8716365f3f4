#pragma once
// The chart window plotfrmTextEditor1: a window of its own (not inside the frame, but with the
// frame as its parent) that centres itself when it loads and stays above every other window,
// holding the chart MSChart1. It copies the chart to the clipboard and saves it as a .bmp picture.
//
// The calculators draw through the functions at the end of this header, so that no window
// repeats a fill: a pure or mixture window's `plot`(datafilename) is one call of plotSweep with
// its SweepPlot, a T-x-y or P-x-y window's `graphplotting`(mode) one call of plotDiagram.

#include "services/chartfill.h"
#include "widgets/windowregistry.h"

#include <QMainWindow>

#include <string>

class QLabel;
class QToolBar;

namespace calvex::widgets {

class ChartControl;

class plotfrmTextEditor1 : public QMainWindow, public LoadHandler {
    Q_OBJECT

public:
    explicit plotfrmTextEditor1(QWidget* parent = nullptr);

    ChartControl* MSChart1() const { return m_chart; }

    // Copies the chart to the clipboard, then asks where to save it as a bitmap and saves it
    // there. Cancel ends silently with the picture on the clipboard; a failed save shows
    // "ERROR: <description>. [Error #<number>]".
    void SaveChartPicture();

    // Centres the window on the screen; it stays above every other window.
    void Form_Load() override;
    void mnuFileExit_Click();
    // "Save" and "SaveAs": SaveChartPicture; "Clear": nothing; "Close": unload; "About": the
    // about box titled "Graph Plotter ", not modal.
    void Toolbar_ButtonClick(const QString& key);

protected:
    void showEvent(QShowEvent* event) override;

private:
    ChartControl* m_chart;
    QLabel* m_picture;
    QToolBar* m_toolbar;
    bool m_shownBefore = false;
};

// The chart of the chart window, loading the window first when it is not loaded.
ChartControl* loadedChart();

// Makes the chart window visible (loading it first) above the other windows.
void showChartWindow();

// `plot`(datafilename) of the pure-component and mixture windows: reads the SweepPointsFile
// of that name from the program folder and fills the chart with the titles of `plot`'s table.
// True when the chart was filled. When the file is missing, short or holds something that is
// not a number, shows the window's message ("error in plot", "error in graphplottig") and
// returns false. A file name other than points1.dat and points2.dat fills nothing (the saturation
// windows always fill). The caller makes the chart window visible afterwards.
bool plotSweep(services::SweepPlot plot, const std::string& datafilename);

// `graphplotting`(mode) of the T-x-y and P-x-y windows (and graphplottingTXY / graphplottingPXY
// of fMain with VleDiagram::UnifacTxy / VleDiagram::Pxy): reads points1.dat, fills the chart
// ("T" or "P": the phase diagram, "XY": the y-x diagram; any other mode fills nothing), titled
// with the first component's name, then makes the chart window visible. Throws PlotFailure
// when points1.dat is missing or short; the result viewer reports it.
void plotDiagram(services::VleDiagram diagram, const std::string& mode, const std::string& componentName);

} // namespace calvex::widgets
