#pragma once
// The chart of the chart window (objectName "MSChart1"): a two-dimensional XY line chart filled
// from a numeric array of x/y column pairs, with a title, axis titles, series legends and fonts,
// that can paint itself into a picture. Each pair of columns (2k − 1, 2k) is curve k, drawn over
// all rows in row order and broken where the array breaks; the axes are scaled to the data.
// Settings stay until changed; new data clears the legend texts, which belong to the curves they
// named.

#include "services/chartfill.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QWidget>

#include <array>
#include <map>
#include <vector>

class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;

namespace calvex::widgets {

class ChartControl : public QWidget {
    Q_OBJECT

public:
    // Axis ids: X, Y, second Y, Z. A two-dimensional chart draws the first two; the others keep
    // their settings without showing them.
    enum Axis { AxisX = 0, AxisY = 1, AxisY2 = 2, AxisZ = 3 };

    explicit ChartControl(QWidget* parent = nullptr);

    // The array: row and column counts cut or pad it with zeros; new data replaces both.
    void setRowCount(int rows);
    void setColumnCount(int columns);
    int rowCount() const { return m_data.rows(); }
    int columnCount() const { return m_data.columns(); }
    void setChartData(const services::ChartArray& data);
    const services::ChartArray& chartData() const { return m_data; }

    void setTitleText(const QString& text);
    QString titleText() const;

    void setAxisTitleText(int axis, const QString& text);
    QString axisTitleText(int axis) const;
    void setAxisTitleFontSize(int axis, double points);
    double axisTitleFontSize(int axis) const;
    void setAxisTitleVisible(int axis, bool visible);
    bool axisTitleVisible(int axis) const;

    // Series count the array's columns: series 2k − 1 is curve k.
    void setSeriesLegendText(int series, const QString& text);
    QString seriesLegendText(int series) const;
    void setLegendVisible(bool visible);
    bool legendVisible() const { return m_legendVisible; }
    void setLegendFont(const QFont& font);
    QFont legendFont() const { return m_legendFont; }

    // One fill, in the chart's order: rows, columns, data, title, axis titles (font size 14,
    // visible, X and Y texts), legend texts, legend shown in "Arial" 8 bold.
    void apply(const services::ChartFill& fill);

    // What is drawn: the curves (1-based) as x/y points, all of them and each unbroken piece
    // apart, and whether a curve has a legend entry.
    int curveCount() const;
    QList<QPointF> curvePoints(int curve) const;
    QList<QList<QPointF>> curvePieces(int curve) const;
    bool curveInLegend(int curve) const;

    // The chart painted into a picture of the control's size.
    QImage picture();

private:
    struct AxisTitle {
        QString text;
        double fontSize = 10;
        bool visible = true;
    };

    void rebuildCurves();
    void rescaleAxes();
    void updateAxisTitles();
    void updateLegend();

    QChart* m_chart;
    QChartView* m_view;
    QValueAxis* m_axisX;
    QValueAxis* m_axisY;
    // The series of each curve, one per unbroken piece; the first carries the legend entry.
    std::vector<std::vector<QLineSeries*>> m_curves;
    services::ChartArray m_data;
    QString m_title;
    std::array<AxisTitle, 4> m_axisTitles;
    std::map<int, QString> m_legendTexts;
    bool m_legendVisible = false;
    QFont m_legendFont;
};

} // namespace calvex::widgets
