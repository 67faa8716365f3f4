#include "widgets/chartcontrol.h"

#include <QChart>
#include <QCoreApplication>
#include <QChartView>
#include <QFontMetricsF>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

namespace calvex::widgets {
namespace {

// Colour and dash differ from curve to curve, so the curves stay apart on a grey print too.
struct CurveStyle {
    QColor colour;
    Qt::PenStyle dash;
};
const CurveStyle curveStyles[] = {
    {QColor(0x1f, 0x4e, 0x96), Qt::SolidLine},   // deep blue
    {QColor(0xc8, 0x50, 0x1e), Qt::DashLine},    // burnt orange
    {QColor(0x2e, 0x7d, 0x32), Qt::DashDotLine}, // green
    {QColor(0x6a, 0x1b, 0x9a), Qt::DotLine},     // purple
};
constexpr double curveWidth = 2.2;
constexpr double markerSize = 6.0;
const QColor inkColour(0x30, 0x30, 0x30);
const QColor gridColour(0xdc, 0xdc, 0xdc);

constexpr int axisCount = 4;

bool validAxis(int axis) { return axis >= 0 && axis < axisCount; }

// A tick step of 1, 2 or 5 times a power of ten giving about eight ticks over `span`.
double niceStep(double span)
{
    const double rough = span / 8;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0})
        if (rough <= factor * power)
            return factor * power;
    return 10 * power;
}

struct AxisScale {
    double low;
    double high;
    double step;
    double anchor; // a tick lies here, and every step from it
};

// The range an axis shows for values from `low` to `high`: a little wider than the data, so the
// markers at either end are drawn whole, with ticks on round values. Never empty, so a flat
// curve is drawn in the middle of the plot instead of on its edge.
AxisScale axisScale(double low, double high)
{
    if (!(low <= high) || !std::isfinite(low) || !std::isfinite(high))
        return {0.0, 1.0, 0.2, 0.0};
    if (low == high) {
        const double pad = std::max(std::fabs(low) * 0.1, 1.0);
        low -= pad;
        high += pad;
    }
    const double step = niceStep(high - low);
    const double margin = 0.03 * (high - low);
    return {low - margin, high + margin, step, std::ceil((low - margin) / step) * step};
}

// Axis and legend texts are drawn as rich text: blanks are kept as typed (the titles hold
// double blanks) and markup characters in a component name are shown, not obeyed.
QString displayText(const QString& text)
{
    return text.toHtmlEscaped().replace(QLatin1Char(' '), QStringLiteral("&nbsp;"));
}

// A title longer than its axis is broken into two lines at the blank nearest its middle.
QString fittedTitle(const QString& text, const QFont& font, double length)
{
    if (length <= 0 || QFontMetricsF(font).horizontalAdvance(text) <= length)
        return displayText(text);
    const int middle = static_cast<int>(text.size() / 2);
    int best = -1;
    for (int i = 0; i < text.size(); ++i)
        if (text[i] == QLatin1Char(' ') && (best < 0 || std::abs(i - middle) < std::abs(best - middle)))
            best = i;
    if (best <= 0)
        return displayText(text);
    return displayText(text.left(best)) + QStringLiteral("<br>") + displayText(text.mid(best + 1));
}

} // namespace

ChartControl::ChartControl(QWidget* parent)
    : QWidget(parent), m_chart(new QChart), m_view(new QChartView(m_chart, this)), m_axisX(new QValueAxis),
      m_axisY(new QValueAxis)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    m_view->setRenderHint(QPainter::Antialiasing);
    // A marker reaches half its size beyond what its series reports as drawn; with the view's
    // minimal updates a new chart left pieces of the previous chart's markers on the screen.
    m_view->setViewportUpdateMode(QGraphicsView::FullViewportUpdate);

    m_chart->setTheme(QChart::ChartThemeLight);
    m_chart->setAnimationOptions(QChart::NoAnimation);
    m_chart->setBackgroundRoundness(0);
    m_chart->setBackgroundBrush(Qt::white);
    m_chart->setPlotAreaBackgroundVisible(false);
    QFont titleFont = font();
    titleFont.setPointSizeF(12);
    titleFont.setBold(true);
    m_chart->setTitleFont(titleFont);
    m_chart->setTitleBrush(inkColour);

    for (QValueAxis* axis : {m_axisX, m_axisY}) {
        QFont labels = font();
        labels.setPointSizeF(9);
        axis->setLabelsFont(labels);
        axis->setLabelsColor(inkColour);
        axis->setLabelFormat(QStringLiteral("%.6g"));
        axis->setLinePenColor(inkColour);
        axis->setGridLineColor(gridColour);
        axis->setMinorGridLineVisible(false);
        axis->setTitleBrush(inkColour);
        axis->setRange(0, 1);
    }
    m_chart->addAxis(m_axisX, Qt::AlignBottom);
    m_chart->addAxis(m_axisY, Qt::AlignLeft);
    connect(m_chart, &QChart::plotAreaChanged, this, &ChartControl::updateAxisTitles);

    m_legendFont = font();
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_chart->legend()->setLabelColor(inkColour);
    updateAxisTitles();
    updateLegend();
}

void ChartControl::setRowCount(int rows)
{
    m_data.resize(rows, m_data.columns());
    rebuildCurves();
}

void ChartControl::setColumnCount(int columns)
{
    m_data.resize(m_data.rows(), columns);
    rebuildCurves();
}

void ChartControl::setChartData(const services::ChartArray& data)
{
    m_data = data;
    m_legendTexts.clear();
    rebuildCurves();
}

void ChartControl::setTitleText(const QString& text)
{
    m_title = text;
    m_chart->setTitle(displayText(text));
}

QString ChartControl::titleText() const { return m_title; }

void ChartControl::setAxisTitleText(int axis, const QString& text)
{
    if (!validAxis(axis))
        return;
    m_axisTitles[axis].text = text;
    updateAxisTitles();
}

QString ChartControl::axisTitleText(int axis) const { return validAxis(axis) ? m_axisTitles[axis].text : QString(); }

void ChartControl::setAxisTitleFontSize(int axis, double points)
{
    if (!validAxis(axis) || !(points > 0))
        return;
    m_axisTitles[axis].fontSize = points;
    updateAxisTitles();
}

double ChartControl::axisTitleFontSize(int axis) const { return validAxis(axis) ? m_axisTitles[axis].fontSize : 0; }

void ChartControl::setAxisTitleVisible(int axis, bool visible)
{
    if (!validAxis(axis))
        return;
    m_axisTitles[axis].visible = visible;
    updateAxisTitles();
}

bool ChartControl::axisTitleVisible(int axis) const { return validAxis(axis) && m_axisTitles[axis].visible; }

void ChartControl::setSeriesLegendText(int series, const QString& text)
{
    m_legendTexts[series] = text;
    updateLegend();
}

QString ChartControl::seriesLegendText(int series) const
{
    const auto it = m_legendTexts.find(series);
    return it == m_legendTexts.end() ? QString() : it->second;
}

void ChartControl::setLegendVisible(bool visible)
{
    m_legendVisible = visible;
    updateLegend();
}

void ChartControl::setLegendFont(const QFont& font)
{
    m_legendFont = font;
    updateLegend();
}

void ChartControl::apply(const services::ChartFill& fill)
{
    setVisible(true);
    setRowCount(fill.rowCount);
    setColumnCount(fill.data.columns());
    setChartData(fill.data);
    setTitleText(QString::fromStdString(fill.title));
    for (int axis = 0; axis < axisCount; ++axis) {
        setAxisTitleFontSize(axis, 14);
        setAxisTitleVisible(axis, true);
    }
    setAxisTitleText(AxisX, QString::fromStdString(fill.xTitle));
    setAxisTitleText(AxisY, QString::fromStdString(fill.yTitle));
    for (const services::SeriesLegend& legend : fill.legends)
        setSeriesLegendText(legend.series, QString::fromStdString(legend.text));
    if (fill.legendShown) {
        setLegendVisible(true);
        QFont legend(QStringLiteral("Arial"));
        legend.setPointSizeF(8);
        legend.setBold(true);
        setLegendFont(legend);
    }
}

int ChartControl::curveCount() const { return static_cast<int>(m_curves.size()); }

QList<QPointF> ChartControl::curvePoints(int curve) const
{
    QList<QPointF> points;
    for (const QList<QPointF>& piece : curvePieces(curve))
        points.append(piece);
    return points;
}

QList<QList<QPointF>> ChartControl::curvePieces(int curve) const
{
    if (curve < 1 || curve > curveCount())
        return {};
    QList<QList<QPointF>> pieces;
    for (const QLineSeries* series : m_curves[static_cast<std::size_t>(curve - 1)])
        pieces.append(series->points());
    return pieces;
}

bool ChartControl::curveInLegend(int curve) const
{
    if (!m_chart->legend()->isVisible() || curve < 1 || curve > curveCount())
        return false;
    const auto markers = m_chart->legend()->markers(m_curves[static_cast<std::size_t>(curve - 1)].front());
    return !markers.isEmpty() && markers.first()->isVisible();
}

QImage ChartControl::picture()
{
    if (layout())
        layout()->activate();
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    render(&painter);
    return image;
}

void ChartControl::rebuildCurves()
{
    m_chart->removeAllSeries();
    m_curves.clear();
    const int curves = m_data.curves();
    for (int curve = 1; curve <= curves; ++curve) {
        // One series per unbroken piece; a curve without rows keeps one, empty.
        std::vector<QList<QPointF>> pieces(1);
        for (int row = 1; row <= m_data.rows(); ++row) {
            pieces.back().append(QPointF(m_data.cell(row, 2 * curve - 1), m_data.cell(row, 2 * curve)));
            if (row < m_data.rows() && m_data.breaksAfter(row))
                pieces.emplace_back();
        }
        const CurveStyle& style = curveStyles[(curve - 1) % std::size(curveStyles)];
        const QPen pen(style.colour, curveWidth, style.dash, Qt::RoundCap, Qt::RoundJoin);
        std::vector<QLineSeries*>& drawn = m_curves.emplace_back();
        for (const QList<QPointF>& points : pieces) {
            auto* series = new QLineSeries;
            series->replace(points);
            series->setPen(pen);
            series->setPointsVisible(true);
            series->setMarkerSize(markerSize);
            m_chart->addSeries(series);
            series->attachAxis(m_axisX);
            series->attachAxis(m_axisY);
            drawn.push_back(series);
        }
    }
    rescaleAxes();
    updateLegend();
}

void ChartControl::rescaleAxes()
{
    double lowX = std::numeric_limits<double>::infinity();
    double highX = -lowX;
    double lowY = lowX;
    double highY = -lowX;
    for (int row = 1; row <= m_data.rows(); ++row) {
        for (int column = 1; column + 1 <= m_data.columns(); column += 2) {
            const double x = m_data.cell(row, column);
            const double y = m_data.cell(row, column + 1);
            lowX = std::min(lowX, x);
            highX = std::max(highX, x);
            lowY = std::min(lowY, y);
            highY = std::max(highY, y);
        }
    }
    const std::pair<QValueAxis*, AxisScale> scales[] = {{m_axisX, axisScale(lowX, highX)},
                                                        {m_axisY, axisScale(lowY, highY)}};
    for (const auto& [axis, scale] : scales) {
        // A new range under the previous chart's tick interval could ask for tens of thousands
        // of ticks (a volume axis after a fugacity one) and freeze the window drawing them.
        axis->setTickType(QValueAxis::TicksFixed);
        axis->setRange(scale.low, scale.high);
        axis->setTickAnchor(scale.anchor);
        axis->setTickInterval(scale.step);
        axis->setTickType(QValueAxis::TicksDynamic);
    }
}

void ChartControl::updateAxisTitles()
{
    const QRectF plot = m_chart->plotArea();
    const std::tuple<QValueAxis*, int, double> drawn[] = {{m_axisX, AxisX, plot.width()},
                                                          {m_axisY, AxisY, plot.height()}};
    for (const auto& [axis, id, length] : drawn) {
        const AxisTitle& title = m_axisTitles[id];
        QFont titleFont = font();
        titleFont.setPointSizeF(title.fontSize);
        if (axis->titleFont() != titleFont)
            axis->setTitleFont(titleFont);
        const QString text = fittedTitle(title.text, titleFont, length);
        // Setting the same text again would lay the chart out again, and this runs on layout.
        if (axis->titleText() != text)
            axis->setTitleText(text);
        axis->setTitleVisible(title.visible && !title.text.isEmpty());
    }
}

void ChartControl::updateLegend()
{
    QLegend* legend = m_chart->legend();
    legend->setFont(m_legendFont);
    bool anyEntry = false;
    for (std::size_t index = 0; index < m_curves.size(); ++index) {
        const QString text = seriesLegendText(2 * static_cast<int>(index) + 1);
        const bool entry = !text.isEmpty();
        for (QLineSeries* piece : m_curves[index]) {
            piece->setName(displayText(text));
            // One entry a curve, however many pieces it is drawn in.
            for (QLegendMarker* marker : legend->markers(piece))
                marker->setVisible(entry && piece == m_curves[index].front());
        }
        anyEntry = anyEntry || entry;
    }
    legend->setVisible(m_legendVisible && anyEntry);
    // Marker visibility reaches the legend through a posted layout request; settle it now so
    // the legend is right for a picture taken before the event loop runs again.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

} // namespace calvex::widgets
