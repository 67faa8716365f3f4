#include "services/chartfill.h"

#include "services/pointsfile.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace calvex::services {
namespace {

constexpr int maxCount = std::numeric_limits<std::int16_t>::max();
// Two columns a curve, and the column count is a 16-bit number too.
constexpr int maxCurves = maxCount / 2;

const char* const temperatureTitle = "Temperature(kelvin)";
const char* const pressureTitle = "Pressure(bar)";

// The titles of one sweep window; a pair holds the points1.dat text and the points2.dat text.
struct SweepTitles {
    std::pair<std::string, std::string> yTitle;
    std::pair<std::string, std::string> legend1; // empty: no legend
    std::string legend3;
    std::string message;
    const char* fixedXTitle = nullptr; // the saturation windows: always this X title, any file name
    // The molar-volume sweeps leave out the points in two phases: the curve breaks across them.
    bool breaksAtLeftOutPoints = false;
};

SweepTitles sweepTitles(SweepPlot plot)
{
    const std::string enthalpyEntropy = "Enthalpy(KJ/mole) and Entropy(J/mole-K)";
    switch (plot) {
    case SweepPlot::EnthalpyEntropy:
        return {{enthalpyEntropy, enthalpyEntropy}, {"Enthalpy", "Enthalpy"}, "Entropy", "error in plot"};
    case SweepPlot::PureDeparture:
    case SweepPlot::MixtureDeparture:
        return {{enthalpyEntropy + " Departures", enthalpyEntropy + " departures"},
                {"Enthalpy Departure", "Enthalpy Departure"},
                "Entropy Departure",
                "error in plot"};
    case SweepPlot::PureFugacity:
        return {{"Fugacity(bar)", "Fugacity(bar)"}, {}, {}, "error in plot"};
    case SweepPlot::MolarVolume:
        return {{"Volume(cc)", "Volume(cc)"}, {}, {}, "error in plot", nullptr, true};
    case SweepPlot::MixtureFugacity:
        return {{"Fugacity Of Mixture(bar)", "Fugacity of mixture(bar)"},
                {" Fugacity of Mixture", "Fugacity of Mixture"},
                {},
                "error in plot"};
    case SweepPlot::SaturationPressure:
        return {{"Saturation Pressure(bar)", "Saturation Pressure(bar)"}, {}, {}, "error in plot", temperatureTitle};
    case SweepPlot::SaturationTemperature:
        return {{"Saturation Temperature(kelvin)", "Saturation Temperature(kelvin)"}, {}, {}, "error in graphplottig",
                pressureTitle};
    }
    return {};
}

ChartArray readSweepArray(const std::string& datafilename)
{
    PointsFileReader reader(datafilename);
    // A sweep whose every point was left out has no rows: an empty chart.
    const int rows = reader.nextCount(maxCount, 0);
    const int curves = reader.nextCount(maxCurves);
    ChartArray data(0, 2 * curves);
    std::vector<float> cells(static_cast<std::size_t>(2 * curves));
    for (int row = 1; row <= rows; ++row) {
        const float x = reader.nextSingle();
        for (int curve = 0; curve < curves; ++curve) {
            cells[2 * curve] = x;
            cells[2 * curve + 1] = reader.nextSingle();
        }
        data.appendRow(cells);
    }
    return data;
}

// Neighbouring points of a sweep lie one step apart (to single precision); a point left out
// between two rows puts them two steps apart.
constexpr double leftOutSpacing = 1.5;

// A sweep steps evenly and starts one step above zero (20 K, 2 bar, a twentieth of Tc), so its
// step is the smallest of the first x and the spacings of neighbouring rows: the first x gives it
// where no two neighbouring points are left. Rows further apart than a step have points left out
// between them.
void breakAtLeftOutPoints(ChartArray& data)
{
    double step = std::numeric_limits<double>::infinity();
    if (data.rows() > 0 && data.cell(1, 1) > 0)
        step = data.cell(1, 1);
    for (int row = 1; row < data.rows(); ++row)
        if (const double spacing = double(data.cell(row + 1, 1)) - data.cell(row, 1); spacing > 0)
            step = std::min(step, spacing);
    for (int row = 1; row < data.rows(); ++row)
        if (double(data.cell(row + 1, 1)) - data.cell(row, 1) > leftOutSpacing * step)
            data.breakAfter(row);
}

struct DiagramShape {
    int rows;
    double divisor;  // of the diagonal d = r / divisor
    int firstRow;    // the row number of the first line
    const char* phaseMode;
    const char* yTitle;
    const char* legend1;
    const char* legend3;
};

DiagramShape diagramShape(VleDiagram diagram)
{
    switch (diagram) {
    case VleDiagram::Txy: return {21, 21, 1, "T", "Temperature(kelvin)", "T - x(Graph)", "T -y(Graph)"};
    case VleDiagram::Pxy: return {50, 50, 1, "P", "Pressure(kpa)", "P - x(Graph)", "P -y(Graph)"};
    case VleDiagram::UnifacTxy: return {21, 20, 0, "T", "Temperature(kelvin)", "T - x(Graph)", "T -y(Graph)"};
    }
    return {21, 21, 1, "T", "", "", ""};
}

} // namespace

ChartArray::ChartArray(int rows, int columns)
{
    resize(rows, columns);
}

float& ChartArray::cell(int row, int column)
{
    if (row < 1 || row > m_rows || column < 1 || column > m_columns)
        throw std::out_of_range("chart cell outside the array");
    return m_cells[static_cast<std::size_t>(row - 1) * m_columns + (column - 1)];
}

float ChartArray::cell(int row, int column) const { return const_cast<ChartArray*>(this)->cell(row, column); }

void ChartArray::resize(int rows, int columns)
{
    rows = rows < 0 ? 0 : rows;
    columns = columns < 0 ? 0 : columns;
    std::vector<float> cells(static_cast<std::size_t>(rows) * columns, 0.0f);
    for (int r = 1; r <= rows && r <= m_rows; ++r)
        for (int c = 1; c <= columns && c <= m_columns; ++c)
            cells[static_cast<std::size_t>(r - 1) * columns + (c - 1)] = cell(r, c);
    m_cells = std::move(cells);
    m_rows = rows;
    m_columns = columns;
    std::erase_if(m_breaks, [rows](int row) { return row >= rows; });
}

void ChartArray::appendRow(const std::vector<float>& cells)
{
    if (m_rows == 0)
        m_columns = static_cast<int>(cells.size());
    if (static_cast<int>(cells.size()) != m_columns)
        throw std::invalid_argument("chart row of another width");
    m_cells.insert(m_cells.end(), cells.begin(), cells.end());
    ++m_rows;
}

void ChartArray::breakAfter(int row)
{
    if (row < 1 || row >= m_rows)
        return;
    const auto at = std::lower_bound(m_breaks.begin(), m_breaks.end(), row);
    if (at == m_breaks.end() || *at != row)
        m_breaks.insert(at, row);
}

bool ChartArray::breaksAfter(int row) const { return std::binary_search(m_breaks.begin(), m_breaks.end(), row); }

SweepFillOutcome sweepFill(SweepPlot plot, const std::string& datafilename)
{
    const SweepTitles titles = sweepTitles(plot);
    SweepFillOutcome outcome;
    ChartArray data;
    try {
        data = readSweepArray(datafilename);
    } catch (const PlotFailure& failure) {
        outcome.result = SweepFillOutcome::Result::Failed;
        outcome.message = titles.message;
        outcome.failure = failure.what();
        return outcome;
    }

    const bool temperatureFile = datafilename == points1FileName;
    const bool pressureFile = datafilename == points2FileName;
    if (!titles.fixedXTitle && !temperatureFile && !pressureFile) {
        outcome.result = SweepFillOutcome::Result::Untouched;
        return outcome;
    }

    if (titles.breaksAtLeftOutPoints)
        breakAtLeftOutPoints(data);
    ChartFill& fill = outcome.fill;
    fill.rowCount = data.rows();
    fill.data = std::move(data);
    // A sweep chart has no title: one left by a diagram would name the wrong chart.
    fill.title.clear();
    if (titles.fixedXTitle) {
        fill.xTitle = titles.fixedXTitle;
        fill.yTitle = titles.yTitle.first;
    } else {
        fill.xTitle = temperatureFile ? temperatureTitle : pressureTitle;
        fill.yTitle = temperatureFile ? titles.yTitle.first : titles.yTitle.second;
    }
    const std::string& legend1 = temperatureFile || titles.fixedXTitle ? titles.legend1.first : titles.legend1.second;
    if (!legend1.empty()) {
        fill.legends.push_back({1, legend1});
        if (fill.data.curves() == 2 && !titles.legend3.empty())
            fill.legends.push_back({3, titles.legend3});
        fill.legendShown = true;
    }
    outcome.result = SweepFillOutcome::Result::Filled;
    return outcome;
}

std::optional<ChartFill> diagramFill(VleDiagram diagram, const std::string& mode, const std::string& componentName)
{
    const DiagramShape shape = diagramShape(diagram);
    const bool phase = mode == shape.phaseMode;
    if (!phase && mode != "XY")
        return std::nullopt;

    ChartArray data(shape.rows, 4);
    PointsFileReader reader(points1FileName);
    for (int row = 1; row <= shape.rows; ++row) {
        const float x1 = reader.nextSingle();
        const float first = reader.nextSingle();
        const float y1 = reader.nextSingle();
        const float second = reader.nextSingle();
        if (phase) {
            data.cell(row, 1) = x1;
            data.cell(row, 2) = first;
            data.cell(row, 3) = y1;
            data.cell(row, 4) = second;
        } else {
            const int rowNumber = shape.firstRow + row - 1;
            const auto diagonal = static_cast<float>(rowNumber / shape.divisor);
            data.cell(row, 1) = x1;
            data.cell(row, 2) = y1;
            data.cell(row, 3) = diagonal;
            data.cell(row, 4) = diagonal;
        }
    }

    ChartFill fill;
    fill.rowCount = phase ? 50 : 20;
    fill.data = std::move(data);
    fill.title = "Binary Vapor LIquid Equilibrium";
    if (phase) {
        fill.xTitle = "X  -   Y of " + componentName;
        fill.yTitle = shape.yTitle;
        fill.legends = {{1, shape.legend1}, {3, shape.legend3}};
    } else {
        fill.xTitle = "X  of " + componentName;
        fill.yTitle = "Y of " + componentName;
        fill.legends = {{1, "y - x(Graph)"}};
    }
    fill.legendShown = true;
    return fill;
}

} // namespace calvex::services
