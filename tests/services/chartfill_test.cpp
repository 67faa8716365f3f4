#include "services/chartfill.h"

#include "services/numbers.h"
#include "services/pointsfile.h"
#include "tests/services/goldenpoints.h"
#include "tests/support/scratchfolder.h"

#include <gtest/gtest.h>

namespace calvex::services {
namespace {

using testing::goldenText;
using testing::ScratchFolder;


std::string sweepFile(int rows, int curves)
{
    std::string text = std::to_string(rows) + "\r\n" + std::to_string(curves) + "\r\n";
    for (int i = 1; i <= rows; ++i) {
        text += std::to_string(10 * i);
        for (int j = 1; j <= curves; ++j)
            text += "," + std::to_string(i * 100 + j);
        text += "\r\n";
    }
    return text;
}

TEST(SweepFill, TwoCurvesShareTheXColumn)
{
    ScratchFolder folder;
    folder.write("points1.dat", sweepFile(20, 2));
    const SweepFillOutcome outcome = sweepFill(SweepPlot::EnthalpyEntropy, "points1.dat");
    ASSERT_EQ(outcome.result, SweepFillOutcome::Result::Filled);
    const ChartArray& data = outcome.fill.data;
    ASSERT_EQ(data.rows(), 20);
    ASSERT_EQ(data.columns(), 4);
    EXPECT_EQ(outcome.fill.rowCount, 20);
    for (int row = 1; row <= 20; ++row) {
        EXPECT_EQ(data.cell(row, 1), 10.0f * row);
        EXPECT_EQ(data.cell(row, 3), data.cell(row, 1));
        EXPECT_EQ(data.cell(row, 2), row * 100 + 1.0f);
        EXPECT_EQ(data.cell(row, 4), row * 100 + 2.0f);
    }
}

struct SweepTitleCase {
    const char* name;
    SweepPlot plot;
    const char* file;
    int curves;
    const char* xTitle;
    const char* yTitle;
    std::vector<SeriesLegend> legends;
};

void PrintTo(const SweepTitleCase& c, std::ostream* os) { *os << c.name; }

class SweepFillTitles : public ::testing::TestWithParam<SweepTitleCase> {};

TEST_P(SweepFillTitles, FollowTheWindowsTable)
{
    const SweepTitleCase& c = GetParam();
    ScratchFolder folder;
    folder.write(c.file, sweepFile(20, c.curves));
    const SweepFillOutcome outcome = sweepFill(c.plot, c.file);
    ASSERT_EQ(outcome.result, SweepFillOutcome::Result::Filled);
    EXPECT_EQ(outcome.fill.title, "");
    EXPECT_EQ(outcome.fill.xTitle, c.xTitle);
    EXPECT_EQ(outcome.fill.yTitle, c.yTitle);
    EXPECT_EQ(outcome.fill.legends, c.legends);
    EXPECT_EQ(outcome.fill.legendShown, !c.legends.empty());
}

const char* const T = "Temperature(kelvin)";
const char* const P = "Pressure(bar)";
const char* const HS = "Enthalpy(KJ/mole) and Entropy(J/mole-K)";

INSTANTIATE_TEST_SUITE_P(
    Table, SweepFillTitles,
    ::testing::Values(
        SweepTitleCase{"EnthalpyT", SweepPlot::EnthalpyEntropy, "points1.dat", 2, T, HS, {{1, "Enthalpy"}, {3, "Entropy"}}},
        SweepTitleCase{"EnthalpyP", SweepPlot::EnthalpyEntropy, "points2.dat", 2, P, HS, {{1, "Enthalpy"}, {3, "Entropy"}}},
        SweepTitleCase{"DepartureT", SweepPlot::PureDeparture, "points1.dat", 2, T,
                       "Enthalpy(KJ/mole) and Entropy(J/mole-K) Departures",
                       {{1, "Enthalpy Departure"}, {3, "Entropy Departure"}}},
        SweepTitleCase{"DepartureP", SweepPlot::PureDeparture, "points2.dat", 2, P,
                       "Enthalpy(KJ/mole) and Entropy(J/mole-K) departures",
                       {{1, "Enthalpy Departure"}, {3, "Entropy Departure"}}},
        SweepTitleCase{"MixtureDepartureP", SweepPlot::MixtureDeparture, "points2.dat", 2, P,
                       "Enthalpy(KJ/mole) and Entropy(J/mole-K) departures",
                       {{1, "Enthalpy Departure"}, {3, "Entropy Departure"}}},
        SweepTitleCase{"FugacityT", SweepPlot::PureFugacity, "points1.dat", 1, T, "Fugacity(bar)", {}},
        SweepTitleCase{"VolumeP", SweepPlot::MolarVolume, "points2.dat", 1, P, "Volume(cc)", {}},
        SweepTitleCase{"MixtureFugacityT", SweepPlot::MixtureFugacity, "points1.dat", 1, T,
                       "Fugacity Of Mixture(bar)", {{1, " Fugacity of Mixture"}}},
        SweepTitleCase{"MixtureFugacityP", SweepPlot::MixtureFugacity, "points2.dat", 1, P,
                       "Fugacity of mixture(bar)", {{1, "Fugacity of Mixture"}}},
        SweepTitleCase{"SaturationPressure", SweepPlot::SaturationPressure, "points1.dat", 1, T,
                       "Saturation Pressure(bar)", {}},
        SweepTitleCase{"SaturationTemperatureOnPoints1", SweepPlot::SaturationTemperature, "points1.dat", 1, P,
                       "Saturation Temperature(kelvin)", {}},
        SweepTitleCase{"SaturationPressureAnyName", SweepPlot::SaturationPressure, "mine.dat", 1, T,
                       "Saturation Pressure(bar)", {}}));

TEST(SweepFill, AnotherFileNameIsReadButNotDrawn)
{
    ScratchFolder folder;
    folder.write("points3.dat", sweepFile(20, 1));
    EXPECT_EQ(sweepFill(SweepPlot::MolarVolume, "points3.dat").result, SweepFillOutcome::Result::Untouched);
    // Read all the same: a broken file of another name still fails.
    folder.write("points3.dat", "20\r\n1\r\n");
    EXPECT_EQ(sweepFill(SweepPlot::MolarVolume, "points3.dat").result, SweepFillOutcome::Result::Failed);
}

// A molar-volume sweep leaves out its points in two phases: its curve breaks across them, and a
// sweep with none left is an empty chart. The step is the smallest spacing or the first x (every
// sweep starts one step above zero); other charts join all their rows as before.
struct LeftOutCase {
    const char* name;
    SweepPlot plot;
    std::vector<float> x;
    std::vector<int> breaks; // the rows after which the curve breaks
};

void PrintTo(const LeftOutCase& c, std::ostream* os) { *os << c.name; }

class SweepFillLeftOut : public ::testing::TestWithParam<LeftOutCase> {};

TEST_P(SweepFillLeftOut, BreaksTheCurveWherePointsAreMissing)
{
    const LeftOutCase& c = GetParam();
    ScratchFolder folder;
    std::string text = std::to_string(c.x.size()) + "\r\n1\r\n";
    for (const float x : c.x)
        text += singleText(x) + ",1\r\n";
    folder.write("points2.dat", text);
    const SweepFillOutcome outcome = sweepFill(c.plot, "points2.dat");
    ASSERT_EQ(outcome.result, SweepFillOutcome::Result::Filled);
    const ChartArray& data = outcome.fill.data;
    ASSERT_EQ(data.rows(), static_cast<int>(c.x.size()));
    EXPECT_EQ(data.columns(), 2);
    std::vector<int> breaks;
    for (int row = 0; row <= data.rows() + 1; ++row)
        if (data.breaksAfter(row))
            breaks.push_back(row);
    EXPECT_EQ(breaks, c.breaks);
}

std::vector<float> grid(float step, std::vector<int> points)
{
    std::vector<float> x;
    for (const int i : points)
        x.push_back(static_cast<float>(static_cast<double>(step) * i));
    return x;
}

INSTANTIATE_TEST_SUITE_P(
    Table, SweepFillLeftOut,
    ::testing::Values(
        LeftOutCase{"NoneLeftOut", SweepPlot::MolarVolume, grid(2, {1, 2, 3, 4, 5}), {}},
        LeftOutCase{"PureGridOfTc", SweepPlot::MolarVolume, grid(369.83f / 20, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), {}},
        LeftOutCase{"MiddleLeftOut", SweepPlot::MolarVolume, grid(20, {1, 2, 3, 4, 5, 6, 7, 8, 12, 13, 20}), {8, 10}},
        LeftOutCase{"StartLeftOut", SweepPlot::MolarVolume, grid(2, {16, 17, 18, 19, 20}), {}},
        LeftOutCase{"NoNeighboursLeft", SweepPlot::MolarVolume, grid(2, {1, 20}), {1}},
        LeftOutCase{"OnePoint", SweepPlot::MolarVolume, grid(2, {7}), {}},
        LeftOutCase{"EveryPointLeftOut", SweepPlot::MolarVolume, {}, {}},
        LeftOutCase{"SaturationJoinsItsRows", SweepPlot::SaturationPressure, grid(20, {1, 2, 5, 6}), {}},
        LeftOutCase{"FugacityJoinsItsRows", SweepPlot::MixtureFugacity, grid(20, {1, 2, 5, 6}), {}}));

struct SweepFailureCase {
    const char* name;
    SweepPlot plot;
    const char* content; // nullptr: no file
    const char* message;
};

void PrintTo(const SweepFailureCase& c, std::ostream* os) { *os << c.name; }

class SweepFillFailures : public ::testing::TestWithParam<SweepFailureCase> {};

TEST_P(SweepFillFailures, GiveTheWindowsMessage)
{
    const SweepFailureCase& c = GetParam();
    ScratchFolder folder;
    if (c.content)
        folder.write("points1.dat", c.content);
    const SweepFillOutcome outcome = sweepFill(c.plot, "points1.dat");
    EXPECT_EQ(outcome.result, SweepFillOutcome::Result::Failed);
    EXPECT_EQ(outcome.message, c.message);
    EXPECT_FALSE(outcome.failure.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SweepFillFailures,
    ::testing::Values(SweepFailureCase{"Missing", SweepPlot::EnthalpyEntropy, nullptr, "error in plot"},
                      SweepFailureCase{"ShortRows", SweepPlot::PureFugacity, "20\r\n1\r\n1,2\r\n", "error in plot"},
                      SweepFailureCase{"ShortCurve", SweepPlot::PureDeparture, "1\r\n2\r\n1,2\r\n", "error in plot"},
                      SweepFailureCase{"NoHeader", SweepPlot::MolarVolume, "", "error in plot"},
                      SweepFailureCase{"SaturationTemperature", SweepPlot::SaturationTemperature, "20\r\n1\r\n",
                                       "error in graphplottig"},
                      SweepFailureCase{"MixtureDeparture", SweepPlot::MixtureDeparture, "40\r\n2\r\n",
                                       "error in plot"}));

TEST(DiagramFill, TxyPhaseDiagramDrawsAll21Rows)
{
    ScratchFolder folder;
    folder.write("points1.dat", goldenText("txy_points.dat"));
    const auto fill = diagramFill(VleDiagram::Txy, "T", "benzene");
    ASSERT_TRUE(fill);
    EXPECT_EQ(fill->rowCount, 50);
    ASSERT_EQ(fill->data.rows(), 21);
    ASSERT_EQ(fill->data.columns(), 4);
    const auto points = testing::txyPoints();
    for (int row = 1; row <= 21; ++row) {
        const auto& p = points[row - 1];
        EXPECT_FLOAT_EQ(fill->data.cell(row, 1), p.x1);
        EXPECT_FLOAT_EQ(fill->data.cell(row, 2), p.T_K);
        EXPECT_NEAR(fill->data.cell(row, 3), p.y1, 5e-7 * p.y1); // through its 7-digit text
        EXPECT_FLOAT_EQ(fill->data.cell(row, 4), p.T_K);
    }
    EXPECT_EQ(fill->title, "Binary Vapor LIquid Equilibrium");
    EXPECT_EQ(fill->xTitle, "X  -   Y of benzene");
    EXPECT_EQ(fill->yTitle, "Temperature(kelvin)");
    EXPECT_EQ(fill->legends, (std::vector<SeriesLegend>{{1, "T - x(Graph)"}, {3, "T -y(Graph)"}}));
    EXPECT_TRUE(fill->legendShown);
}

TEST(DiagramFill, PxyPhaseDiagramTitles)
{
    ScratchFolder folder;
    folder.write("points1.dat", goldenText("pxy_points.dat"));
    const auto fill = diagramFill(VleDiagram::Pxy, "P", "acetone");
    ASSERT_TRUE(fill);
    ASSERT_EQ(fill->data.rows(), 50);
    EXPECT_FLOAT_EQ(fill->data.cell(50, 2), static_cast<float>(40.0 + 50 / 3.0));
    EXPECT_EQ(fill->yTitle, "Pressure(kpa)");
    EXPECT_EQ(fill->legends, (std::vector<SeriesLegend>{{1, "P - x(Graph)"}, {3, "P -y(Graph)"}}));
}

struct DiagonalCase {
    const char* name;
    VleDiagram diagram;
    const char* golden;
    int rows;
    double first; // diagonal of the first row
    double step;  // from row to row
    std::vector<float> (*expectedY1)();
};

template <class Points>
std::vector<float> vapourFractions(const Points& points)
{
    std::vector<float> y1;
    for (const auto& point : points)
        y1.push_back(point.y1);
    return y1;
}
std::vector<float> txyY1() { return vapourFractions(testing::txyPoints()); }
std::vector<float> pxyY1() { return vapourFractions(testing::pxyPoints()); }

void PrintTo(const DiagonalCase& c, std::ostream* os) { *os << c.name; }

class DiagramFillXY : public ::testing::TestWithParam<DiagonalCase> {};

TEST_P(DiagramFillXY, DrawsYAgainstXAndTheDiagonal)
{
    const DiagonalCase& c = GetParam();
    ScratchFolder folder;
    folder.write("points1.dat", goldenText(c.golden));
    const auto fill = diagramFill(c.diagram, "XY", "water");
    ASSERT_TRUE(fill);
    EXPECT_EQ(fill->rowCount, 20);
    ASSERT_EQ(fill->data.rows(), c.rows);
    for (int row = 1; row <= c.rows; ++row) {
        const auto diagonal = static_cast<float>(c.first + c.step * (row - 1));
        EXPECT_FLOAT_EQ(fill->data.cell(row, 3), diagonal) << row;
        EXPECT_FLOAT_EQ(fill->data.cell(row, 4), diagonal) << row;
        // y1 went through its 7-digit text: within half a unit of the 7th digit.
        const float y1 = c.expectedY1()[row - 1];
        EXPECT_NEAR(fill->data.cell(row, 2), y1, 5e-7 * y1) << row;
    }
    EXPECT_FLOAT_EQ(fill->data.cell(c.rows, 3), 1.0f);
    EXPECT_EQ(fill->xTitle, "X  of water");
    EXPECT_EQ(fill->yTitle, "Y of water");
    EXPECT_EQ(fill->legends, (std::vector<SeriesLegend>{{1, "y - x(Graph)"}}));
}

INSTANTIATE_TEST_SUITE_P(Diagrams, DiagramFillXY,
                         ::testing::Values(DiagonalCase{"Txy", VleDiagram::Txy, "txy_points.dat", 21, 1.0 / 21, 1.0 / 21, txyY1},
                                           DiagonalCase{"UnifacTxy", VleDiagram::UnifacTxy, "txy_points.dat", 21, 0.0, 0.05, txyY1},
                                           DiagonalCase{"Pxy", VleDiagram::Pxy, "pxy_points.dat", 50, 0.02, 0.02, pxyY1}));

TEST(DiagramFill, OtherModesFillNothingAndReadNothing)
{
    ScratchFolder folder; // no points1.dat: a mode that draws nothing must not read it
    for (const char* mode : {"", "t", "xy", "P", "T "})
        EXPECT_FALSE(diagramFill(VleDiagram::Txy, mode, "a")) << mode;
    EXPECT_FALSE(diagramFill(VleDiagram::Pxy, "T", "a"));
}

TEST(DiagramFill, MissingOrShortFileThrows)
{
    ScratchFolder folder;
    EXPECT_THROW(diagramFill(VleDiagram::Pxy, "P", "a"), PlotFailure);
    // A T-x-y file is 29 lines short of a P-x-y diagram.
    folder.write("points1.dat", goldenText("txy_points.dat"));
    EXPECT_THROW(diagramFill(VleDiagram::Pxy, "XY", "a"), PlotFailure);
    folder.write("points1.dat", "0.1,300,0.2\r\n");
    EXPECT_THROW(diagramFill(VleDiagram::Txy, "T", "a"), PlotFailure);
}

} // namespace
} // namespace calvex::services
