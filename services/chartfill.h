#pragma once
// What a chart shows, as plain data: the numeric array of x/y column pairs, the titles and the
// legends, and the two ways the program fills it from a points file (the sweep fill of the pure
// and mixture windows and the T-x-y / P-x-y diagram fill), each with its table of titles.

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace calvex::services {

// A rows × columns array of 32-bit values, indices from 1 as the chart takes them: each pair of
// columns (2k − 1, 2k) is curve k, the odd column x and the even column y, in row order.
class ChartArray {
public:
    ChartArray() = default;
    ChartArray(int rows, int columns); // filled with zeros

    int rows() const { return m_rows; }
    int columns() const { return m_columns; }
    int curves() const { return m_columns / 2; }

    float& cell(int row, int column);
    float cell(int row, int column) const;

    // Grows or cuts the array to rows × columns, keeping the cells that stay and zeroing new ones.
    void resize(int rows, int columns);
    // Adds one row of cells at the bottom.
    void appendRow(const std::vector<float>& cells);

    // A break after `row`: the curves are not drawn on from that row's points to the next row's
    // (a sweep left points out between them). Rows without a next row break nowhere.
    void breakAfter(int row);
    bool breaksAfter(int row) const;

    bool operator==(const ChartArray&) const = default;

private:
    int m_rows = 0;
    int m_columns = 0;
    std::vector<float> m_cells; // row-major
    std::vector<int> m_breaks;  // ascending
};

// A legend text for one series: series 2k − 1 is curve k (the series count the array's columns).
struct SeriesLegend {
    int series = 1;
    std::string text;
    bool operator==(const SeriesLegend&) const = default;
};

// One fill of the chart, in the order the chart takes it.
struct ChartFill {
    int rowCount = 0; // set before the data; the array then decides the rows drawn
    ChartArray data;
    std::string title; // empty: no chart title
    std::string xTitle;
    std::string yTitle;
    std::vector<SeriesLegend> legends;
    bool legendShown = false; // the legend is shown, in "Arial" 8 bold
};

// Sweep plots: which window's table of titles a SweepPointsFile is drawn with.
enum class SweepPlot {
    EnthalpyEntropy,       // EnthalpyCalculator, EntropyCalculator
    PureDeparture,         // DepartureFunctionCalculator
    MixtureDeparture,      // DepartureSelectComponentForm1
    PureFugacity,          // PureComponentFugacityCalculator
    MolarVolume,           // MolarVolumeCalculator, SelectComponentForm1
    MixtureFugacity,       // FugacitySelectComponentForm1
    SaturationPressure,    // SaturationPressureCalculator (fixed titles, any file name)
    SaturationTemperature, // SaturationTemperatureCalculator (fixed titles, any file name)
};

struct SweepFillOutcome {
    enum class Result {
        Filled,    // `fill` is what the chart shows now
        Untouched, // the file was read, but its name is neither points1.dat nor points2.dat
        Failed,    // the file could not be read; `message` is the window's message
    };
    Result result = Result::Failed;
    ChartFill fill;
    std::string message;
    std::string failure; // what was wrong with the file
};

// Reads the SweepPointsFile `datafilename` of the program folder and maps it onto a chart with
// the titles and legends of `plot`'s table. Never throws.
SweepFillOutcome sweepFill(SweepPlot plot, const std::string& datafilename);

// T-x-y and P-x-y diagrams read from points1.dat.
enum class VleDiagram {
    Txy,       // the four T-x-y windows: 21 rows, diagonal r/21
    Pxy,       // the four P-x-y windows and the UNIFAC P-x-y run: 50 rows, diagonal r/50
    UnifacTxy, // the UNIFAC T-x-y run: 21 rows numbered 0..20, diagonal r/20 (0 to 1)
};

// The fill of `diagram` for `mode` ("T" for a T-x-y diagram or "P" for a P-x-y diagram: the
// phase diagram; "XY": y1 against x1 with the diagonal), titled with the first component's
// name. Empty for any other mode. Throws PlotFailure when points1.dat is missing or short.
std::optional<ChartFill> diagramFill(VleDiagram diagram, const std::string& mode, const std::string& componentName);

} // namespace calvex::services
