#include "widgets/chartwindow.h"

#include "services/pointsfile.h"
#include "services/ui.h"
#include "widgets/aboutbox.h"
#include "widgets/chartcontrol.h"
#include "widgets/savefiledialog.h"
#include "widgets/windowcommands.h"
#include "widgets/windownames.h"
#include "widgets/windowplacement.h"
#include "widgets/windowregistry.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenuBar>
#include <QSaveFile>
#include <QToolBar>

namespace calvex::widgets {
namespace {

constexpr QSize chartWindowSize(860, 640);

plotfrmTextEditor1* loadedChartWindow()
{
    return WindowRegistry::instance().loadAs<plotfrmTextEditor1>(chartWindow);
}

} // namespace

plotfrmTextEditor1::plotfrmTextEditor1(QWidget* parent)
    : QMainWindow(parent), m_chart(new ChartControl(this)), m_picture(new QLabel(this)), m_toolbar(new QToolBar(this))
{
    setWindowTitle(QStringLiteral("Graph"));
    // Above every window where the window manager honours the hint (X11); a Wayland compositor
    // keeps it above its parent, the frame, only.
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_chart->setObjectName(QStringLiteral("MSChart1"));
    setCentralWidget(m_chart);
    m_picture->setObjectName(QStringLiteral("Picture1"));
    m_picture->hide();

    addFileMenu(menuBar(), this,
                {[this] { SaveChartPicture(); }, [this] { SaveChartPicture(); }, [this] { mnuFileExit_Click(); }});
    fillToolbar(m_toolbar,
                {{"Save", "Save", "save"},
                 {"SaveAs", "Save As", "save"},
                 {"Clear", "Clear", "clear"},
                 {"Close", "Close", "exit"},
                 {"About", "About", "about"}},
                ToolbarFocus::AfterOwnControls, [this](const QString& key) { Toolbar_ButtonClick(key); });
    addToolBar(m_toolbar);
    resize(chartWindowSize);
}

void plotfrmTextEditor1::Form_Load() { placeOnScreen(*this); }

void plotfrmTextEditor1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The window's border is known only once it is on screen: centre it again with it.
    if (!m_shownBefore) {
        m_shownBefore = true;
        placeOnScreen(*this);
    }
}

void plotfrmTextEditor1::SaveChartPicture()
{
    const QImage picture = m_chart->picture();
    m_picture->resize(picture.size());
    m_picture->setPixmap(QPixmap::fromImage(picture));
    QApplication::clipboard()->clear();
    QApplication::clipboard()->setImage(picture);

    const auto chosen = chooseSaveFile(this, {QStringLiteral("Save File"),
                                              QStringLiteral("Bitmap Files (*.bmp);;All Files (*.*)"),
                                              QStringLiteral("bmp"), QString()});
    if (!chosen || chosen->isEmpty())
        return;
    // Written beside the chosen file and renamed, so a picture already there is never left half-written;
    // flushed first, since commit() renames even when the last buffered bytes could not be written.
    QSaveFile out(*chosen);
    const bool saved = out.open(QIODevice::WriteOnly) && picture.save(&out, "BMP") && out.flush() && out.commit();
    if (!saved) {
        const QString description = out.errorString().isEmpty() ? QStringLiteral("The picture could not be written")
                                                                  : out.errorString();
        const int number = out.error() == QFileDevice::NoError ? QFileDevice::WriteError : out.error();
        out.cancelWriting();
        services::ui().message(QStringLiteral("ERROR: %1. [Error #%2]").arg(description).arg(number).toStdString());
    }
}

void plotfrmTextEditor1::mnuFileExit_Click() { WindowRegistry::instance().unload(this); }

void plotfrmTextEditor1::Toolbar_ButtonClick(const QString& key)
{
    if (key == QLatin1String("Save") || key == QLatin1String("SaveAs"))
        SaveChartPicture();
    else if (key == QLatin1String("Close"))
        WindowRegistry::instance().unload(this);
    else if (key == QLatin1String("About"))
        showAboutBoxModeless(QStringLiteral("Graph Plotter "));
}

ChartControl* loadedChart()
{
    plotfrmTextEditor1* window = loadedChartWindow();
    return window ? window->MSChart1() : nullptr;
}

void showChartWindow()
{
    if (plotfrmTextEditor1* window = loadedChartWindow()) {
        window->show();
        window->raise();
    }
}

bool plotSweep(services::SweepPlot plot, const std::string& datafilename)
{
    services::SweepFillOutcome outcome = services::sweepFill(plot, datafilename);
    switch (outcome.result) {
    case services::SweepFillOutcome::Result::Filled:
        if (ChartControl* chart = loadedChart()) {
            chart->apply(outcome.fill);
            return true;
        }
        return false;
    case services::SweepFillOutcome::Result::Untouched:
        return false;
    case services::SweepFillOutcome::Result::Failed:
        break;
    }
    services::ui().message(outcome.message);
    return false;
}

void plotDiagram(services::VleDiagram diagram, const std::string& mode, const std::string& componentName)
{
    if (const auto fill = services::diagramFill(diagram, mode, componentName))
        if (ChartControl* chart = loadedChart())
            chart->apply(*fill);
    showChartWindow();
}

} // namespace calvex::widgets
