// The partial-fugacity, mixture-departure and mixture-fugacity windows as a user meets them,
// offscreen: the quoted values at the stable root, each run's own prompt order and wording,
// the report lines of a smaller mixture after a failed larger one, and the plot buttons.

#include "tests/mixture/windows/mixturefixture.h"

#include "services/numbers.h"
#include "widgets/chartcontrol.h"
#include "widgets/chartwindow.h"
#include "widgets/windownames.h"
#include "widgets/windowregistry.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace calvex::mixture::testing {
namespace {

using K = MixtureWindowKind;
using Mixture = std::vector<std::pair<QString, QString>>;

const Mixture propaneButane{{"propane", ".5"}, {"n-butane", ".5"}};
const Mixture threeAlkanes{{"methane", ".2"}, {"ethane", ".3"}, {"propane", ".5"}};

class FamilyWindows : public MixtureWindowTest {
protected:
    // One Calculate in the windows of `kind`; the report values, or none when no report was shown.
    Texts run(K kind, const Mixture& components, const QString& T, const QString& p, int option,
              const QString& Tunit = QStringLiteral("kelvin"))
    {
        if (!input || input->config().kind != kind)
            open(kind);
        setTemperature(T, Tunit);
        setPressure(p);
        chooseEquation(option);
        mixture(components);
        const std::size_t reports = reportedKinds.size();
        calculate();
        if (reportedKinds.size() == reports)
            return {};
        EXPECT_EQ(reportedKinds.back(), mixtureWindowConfig(kind).resultKind);
        return folder.reportValues();
    }
};

double number(const std::string& text) { return services::val(text); }

struct Quoted {
    const char* what;
    K kind;
    int option;
    Mixture components;
    const char* T;
    std::vector<std::pair<int, double>> lines; // the quoted values, ±1e-4 as rounded lines
};

// 10 bar: propane + n-butane at 300 K and methane + ethane + propane at 250 K with Peng-Robinson
// are liquids (the stable smallest root), the second with van der Waals a vapour.
const Quoted quoted[] = {
    {"partial PR", K::PartialFugacity, 2, propaneButane, "300", {{11, 0.8467}, {12, 4.2335}, {18, 0.2478}}},
    {"fugacity vdW, three", K::MixtureFugacity, 1, threeAlkanes, "250", {{49, 8.8557}}},
    {"departure PR, three", K::MixtureDeparture, 2, threeAlkanes, "250", {{49, -13.6947}, {50, -52.2542}}},
};

TEST_F(FamilyWindows, QuotedValuesAtTheStableRoot)
{
    for (const Quoted& q : quoted) {
        const Texts values = run(q.kind, q.components, q.T, "10", q.option);
        ASSERT_FALSE(values.empty()) << q.what;
        for (const auto& [line, value] : q.lines)
            EXPECT_NEAR(number(values.at(static_cast<std::size_t>(line))), value, 1e-4) << q.what << " line " << line;
        EXPECT_TRUE(ui.texts().empty()) << q.what;
        TearDown();
        SetUp();
        input = nullptr;
    }
}

struct PromptCase {
    const char* what;
    K kind;
    Mixture components;
    QString T;
    QString p;
    QString Tunit;
    std::vector<std::string> answers;
    Texts texts;                               // messages and prompts, in order
    std::vector<std::pair<int, std::string>> lines; // empty: no report
};

const Mixture firstMissing{{"methane", ""}, {"ethane", ".5"}, {"propane", ".5"}};
const std::string fractionPrompt = "invalid molfraction of methane value type number between 0 and 1";
const std::string temperatureMessage = "Temperature cannot be zero or negative";
const std::string temperaturePrompt = "Enter valid Temperature in kelvin";
const std::string pressureMessage = "Pressure cannot be zero";
const std::string pressurePrompt = "Enter valid Pressure in bar";

const PromptCase prompts[] = {
    {"departure, celsius", K::MixtureDeparture, propaneButane, "25", "1", "celsius", {}, {},
     {{1, "25 (celsius)"}, {33, "298.15"}, {34, "100000"}}},
    {"partial, both re-entered", K::PartialFugacity, propaneButane, "", "", "kelvin", {"300", "2"},
     {temperatureMessage, temperaturePrompt, pressureMessage, pressurePrompt},
     {{1, "300(kelvin)"}, {2, "2(bar)"}, {4, "300"}, {5, "200000"}}},
    {"departure, both re-entered", K::MixtureDeparture, propaneButane, "", "", "kelvin", {"300", "2"},
     {temperatureMessage, temperaturePrompt, pressureMessage, pressurePrompt},
     {{1, "300 (kelvin)"}, {2, "2 (bar)"}, {33, "300"}, {34, "200000"}, {51, ""}}},
    {"fugacity, no pressure", K::MixtureFugacity, propaneButane, "", "", "kelvin", {}, {"error in command"}, {}},
    {"fugacity, temperature re-entered", K::MixtureFugacity, propaneButane, "", "2", "kelvin", {"300"},
     {temperatureMessage, temperaturePrompt}, {{1, "300 (kelvin)"}, {33, "300"}, {34, "200000"}, {50, ""}, {51, ""}}},
    {"partial takes a fraction of 0", K::PartialFugacity, firstMissing, "300", "2", "kelvin", {"0"}, {fractionPrompt},
     {{10, "0"}, {12, "0"}, {17, "0.5"}}},
    {"fugacity takes a fraction of 0", K::MixtureFugacity, firstMissing, "300", "2", "kelvin", {"0"}, {fractionPrompt},
     {{7, "0"}, {12, "0.5"}}},
    {"departure refuses a fraction of 0", K::MixtureDeparture, firstMissing, "300", "2", "kelvin", {"0"},
     {fractionPrompt, "invalid input so quiting"}, {}},
    {"partial, every fraction 0", K::PartialFugacity, {{"methane", ""}, {"ethane", ""}}, "300", "2", "kelvin", {"0", "0"},
     {fractionPrompt, "invalid molfraction of ethane value type number between 0 and 1", "error in command"}, {}},
};

TEST_F(FamilyWindows, EachRunsPromptsInItsOrder)
{
    for (const PromptCase& c : prompts) {
        for (const std::string& answer : c.answers)
            ui.answer(answer);
        const Texts values = run(c.kind, c.components, c.T, c.p, 2, c.Tunit);
        EXPECT_EQ(ui.texts(), c.texts) << c.what;
        EXPECT_EQ(values.empty(), c.lines.empty()) << c.what;
        for (const auto& [line, text] : c.lines) {
            if (!values.empty()) {
                EXPECT_EQ(values.at(static_cast<std::size_t>(line)), text) << c.what << " line " << line;
            }
        }
        TearDown();
        SetUp();
        ui.clear();
        input = nullptr;
    }
}

// The temperature is checked before the names; only the partial-fugacity run shows its input
// window again after refusing them.
TEST_F(FamilyWindows, DuplicatesAfterTheTemperaturePrompt)
{
    for (K kind : {K::PartialFugacity, K::MixtureDeparture, K::MixtureFugacity}) {
        open(kind);
        ui.answer("300");
        setTemperature("0");
        setPressure("2");
        mixture({{"propane", ".5"}, {"propane", ".5"}});
        input->hide();
        calculate();
        EXPECT_EQ(ui.texts(), (Texts{temperatureMessage, temperaturePrompt,
                                     "Two or more components cannot have same name so exiting"}));
        EXPECT_EQ(input->isVisible(), kind == K::PartialFugacity);
        EXPECT_TRUE(reportedKinds.empty());
        TearDown();
        SetUp();
        ui.clear();
    }
}

// A six-component run that ends in "error in command", then a three-component one: no row of
// a fourth to sixth component.
TEST_F(FamilyWindows, SmallerMixtureAfterAFailedLargerOne)
{
    for (int i = 0; i < 6; ++i)
        ui.answer("0");
    EXPECT_TRUE(run(K::PartialFugacity,
                    {{"methane", ""}, {"ethane", ""}, {"propane", ""}, {"n-butane", ""}, {"nitrogen", ""}, {"air", ""}},
                    "300", "2", 2)
                    .empty());
    EXPECT_EQ(ui.messages().back(), "error in command");
    const Texts values = run(K::PartialFugacity, threeAlkanes, "250", "10", 2);
    ASSERT_EQ(values.size(), 48u);
    for (int line = 27; line <= 47; ++line)
        EXPECT_EQ(values.at(static_cast<std::size_t>(line)), "") << line;
}

widgets::ChartControl& chart()
{
    widgets::ChartControl* loaded = widgets::loadedChart();
    EXPECT_NE(loaded, nullptr);
    return *loaded;
}

bool chartShown()
{
    QWidget* window = widgets::WindowRegistry::instance().find(widgets::chartWindow);
    return window && window->isVisible();
}

struct PlotCase {
    K kind;
    std::string argument;
    int rows;
    int columns;
    const char* yTitle;
    int row; // a row checked against its quoted x and y
    double x;
    double y;
    int guessPrompts; // the molar-volume run's bubble and dew guesses, answered blank
};

// Propane + n-butane 50/50, Peng-Robinson, 300 K, 2 bar: the molar volume and the fugacity at the
// stable root (the vapour's volume at 2 bar, the liquid's fugacity from 10.055 bar on), the molar
// volume without the point at 6 bar, between the dew and bubble points (4.15 and 6.06 bar); H at
// 800 K and 2 bar from a double-precision solve (-0.0525782 kJ/mol).
const PlotCase plots[] = {
    {K::MolarVolume, "P", 19, 2, "Volume(cc)", 1, 2, 11927.6, 2},
    {K::MixtureFugacity, "P", 20, 2, "Fugacity of mixture(bar)", 5, 10.055, 4.5813, 0},
    {K::MixtureDeparture, "T", 40, 4, "Enthalpy(KJ/mole) and Entropy(J/mole-K) Departures", 40, 800, -0.0526, 0},
};

// The plot buttons sweep the state of the last report: an aborted run since changes nothing,
// and arguments other than "T" and "P" do nothing.
TEST_F(FamilyWindows, PlotButtonsDrawTheSweepOfTheLastReport)
{
    for (const PlotCase& c : plots) {
        const std::string& name = mixtureWindowConfig(c.kind).selectionName;
        for (int i = 0; i < c.guessPrompts; ++i)
            ui.answer("");
        ASSERT_FALSE(run(c.kind, propaneButane, "300", "2", 2).empty()) << name;
        selection()->graphplotting(c.argument);
        ASSERT_TRUE(chartShown()) << name;
        EXPECT_EQ(chart().rowCount(), c.rows) << name;
        EXPECT_EQ(chart().columnCount(), c.columns) << name;
        EXPECT_EQ(chart().axisTitleText(widgets::ChartControl::AxisY), c.yTitle) << name;
        EXPECT_NEAR(chart().chartData().cell(c.row, 1), c.x, 1e-4) << name;
        EXPECT_NEAR(chart().chartData().cell(c.row, 2), c.y, 1e-4 * std::max(1.0, std::fabs(c.y))) << name;
        const std::string file = c.argument == "T" ? "points1.dat" : "points2.dat";
        const std::string points = folder.read(file);

        ui.cancel();
        EXPECT_TRUE(run(c.kind, propaneButane, "0", "2", 2).empty()) << name;
        selection()->graphplotting(c.argument);
        EXPECT_EQ(folder.read(file), points) << name;
        for (const std::string argument : {"t", ""})
            selection()->graphplotting(argument);
        EXPECT_EQ(ui.messages(), Texts{temperatureMessage}) << name;
        TearDown();
        SetUp();
        ui.clear();
        input = nullptr;
    }
}

// The sweep writers under the windows' own names write the sweep the plot button writes for
// their code, and nothing for a code their window has no sweep of.
TEST_F(FamilyWindows, TheNamedSweepWritersWriteTheSweepOfTheirCode)
{
    using Writer = std::string (MixtureCalculator::*)(const std::string&);
    struct Call {
        std::string code;
        std::string argument; // the plot button's sweep of the same file; empty: nothing written
    };
    struct Case {
        K kind;
        Writer writer;
        std::vector<Call> calls;
        int guessPrompts;
    };
    const Case cases[] = {
        {K::MolarVolume, &MixtureCalculator::PVorTVpoints, {{"TV", "T"}, {"PV", "P"}, {"TD", ""}, {"T", ""}}, 2},
        {K::MixtureFugacity, &MixtureCalculator::MakePlotPoints, {{"TD", "T"}, {"PD", "P"}, {"PV", ""}}, 0},
        {K::MixtureDeparture, &MixtureCalculator::MakePlotPoints, {{"PD", "P"}, {"TV", ""}, {"", ""}}, 0},
    };
    for (const Case& c : cases) {
        const std::string& name = mixtureWindowConfig(c.kind).selectionName;
        for (int i = 0; i < c.guessPrompts; ++i)
            ui.answer("");
        ASSERT_FALSE(run(c.kind, propaneButane, "300", "2", 2).empty()) << name;
        MixtureCalculator& calculator = selection()->calculator();
        for (const Call& call : c.calls) {
            const std::string file = call.argument.empty() ? "" : call.argument == "T" ? "points1.dat" : "points2.dat";
            std::filesystem::remove(folder.file("points1.dat"));
            std::filesystem::remove(folder.file("points2.dat"));
            EXPECT_EQ((calculator.*c.writer)(call.code), file) << name << ' ' << call.code;
            if (file.empty()) {
                EXPECT_FALSE(std::filesystem::exists(folder.file("points1.dat"))) << name << ' ' << call.code;
                EXPECT_FALSE(std::filesystem::exists(folder.file("points2.dat"))) << name << ' ' << call.code;
                continue;
            }
            const std::string written = folder.read(file);
            ASSERT_EQ(calculator.writeSweep(call.argument), file) << name;
            EXPECT_EQ(written, folder.read(file)) << name << ' ' << call.code;
        }
        EXPECT_TRUE(ui.messages().empty()) << name;
        TearDown();
        SetUp();
        ui.clear();
        input = nullptr;
    }
}

} // namespace
} // namespace calvex::mixture::testing
