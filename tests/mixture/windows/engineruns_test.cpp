// The bubble, dew, flash and mixture molar-volume calculators driven as a user drives them
// (scripted Ui answering the guess prompts blank), their pages read back from result.htm and
// compared with the independent double-precision solve of tests/mixture/engine.
//
// Tolerances: the engine iterates in single precision to its own stop tests, so points agree
// with the converged reference to ±0.02 bar and ±0.15 K, compositions and L to ±0.001;
// compressibility factors and volumes come from one cubic solve, ±2e-5 relative (±5e-5 for a
// small liquid root, where the single-precision coefficients limit it).

#include "mixture/windows/engineruns.h"
#include "services/numbers.h"
#include "tests/mixture/engine/referencemixture.h"
#include "tests/mixture/windows/mixturefixture.h"
#include "tests/support/desktoplanguage.h"
#include "widgets/chartcontrol.h"
#include "widgets/chartwindow.h"

#include <QLineEdit>

#include <cmath>
#include <filesystem>
#include <map>

namespace calvex::mixture::testing {
namespace {

using K = MixtureWindowKind;
using reference::Equation;

constexpr double pressureTolerance = 0.02;   // bar
constexpr double temperatureTolerance = 0.15; // K
constexpr double fractionTolerance = 0.001;

// The fixture rows' constants as the window reads them (single precision).
reference::Component constantsOf(const QString& name)
{
    static const std::map<QString, reference::Component> rows = {
        {"methane", {190.56f, 45.99f, 0.011f, 111.66f}}, {"ethane", {305.32f, 48.72f, 0.099f, 184.55f}},
        {"propane", {369.83f, 42.48f, 0.152f, 231.02f}}, {"n-butane", {425.12f, 37.96f, 0.2f, 272.66f}},
        {"nitrogen", {126.2f, 33.98f, 0.037f, 77.35f}}, {"benzene", {562.05f, 48.95f, 0.21f, 353.24f}},
        {"toluene", {591.75f, 41.08f, 0.264f, 383.79f}},
    };
    return rows.at(name);
}

Equation equationOf(int option)
{
    return option == 2 ? Equation::PengRobinson : option == 4 ? Equation::SoaveRedlichKwong : Equation::RedlichKwong;
}

using Feed = std::vector<std::pair<QString, QString>>;
const Feed propaneButane{{"propane", ".5"}, {"n-butane", ".5"}};
const Feed lightTernary{{"methane", ".2"}, {"ethane", ".3"}, {"propane", ".5"}};
const Feed nitrogenMethane{{"nitrogen", ".3"}, {"methane", ".7"}};
const Feed benzeneToluene{{"benzene", ".5"}, {"toluene", ".5"}};

reference::Mixture referenceOf(int option, const Feed& feed)
{
    std::vector<reference::Component> components;
    for (const auto& [name, fraction] : feed)
        components.push_back(constantsOf(name));
    return reference::Mixture(equationOf(option), components);
}

reference::Composition compositionOf(const Feed& feed)
{
    reference::Composition z;
    for (const auto& [name, fraction] : feed)
        z.push_back(services::val(fraction.toStdString()));
    return z;
}

// The number after the "=" of a report line.
double numberIn(const std::string& line) { return services::val(line.substr(line.find('=') + 1)); }

class EngineRuns : public MixtureWindowTest {
protected:
    // One calculation: the window of `kind` with equation `option`, the feed, the state.
    void calculateWith(K kind, int option, const Feed& feed, const QString& T, const QString& P,
                       const Texts& guesses = {})
    {
        restart();
        open(kind);
        chooseEquation(option);
        mixture(feed);
        if (input->Text1_Temperature())
            setTemperature(T);
        if (input->Text1_Pressure())
            setPressure(P);
        for (const std::string& guess : guesses)
            ui.answer(guess);
        calculate();
    }
    bool reported() const { return std::filesystem::exists(folder.file("result.htm")); }
    bool outEmpty() { return std::ranges::all_of(selection()->calculator().out(), &std::string::empty); }
};

TEST_F(EngineRuns, BubbleAndDewPointsAgreeWithTheReference)
{
    struct Row {
        K kind;
        int option;
        Feed feed;
        double state;  // T in K or P in bar, as given
        double quoted; // the point quoted for these conditions
    };
    const Row rows[] = {
        {K::BubblePressure, 2, propaneButane, 300, 6.0604}, {K::DewPressure, 2, propaneButane, 300, 4.1530},
        {K::BubblePressure, 4, propaneButane, 300, 6.1241}, {K::DewPressure, 4, propaneButane, 300, 4.1763},
        {K::BubblePressure, 3, propaneButane, 300, 7.2927}, {K::DewPressure, 3, propaneButane, 300, 5.5127},
        {K::BubbleTemperature, 2, propaneButane, 10, 320.70}, {K::DewTemperature, 2, propaneButane, 10, 332.79},
        {K::BubbleTemperature, 4, propaneButane, 10, 320.17}, {K::DewTemperature, 4, propaneButane, 10, 332.34},
        {K::BubbleTemperature, 3, propaneButane, 10, 313.83}, {K::DewTemperature, 3, propaneButane, 10, 324.06},
        {K::BubbleTemperature, 2, lightTernary, 20, 229.88},  {K::DewTemperature, 2, lightTernary, 20, 301.34},
        {K::BubblePressure, 2, lightTernary, 185, 7.7328},    {K::BubblePressure, 2, nitrogenMethane, 110, 5.3119},
        {K::DewPressure, 2, nitrogenMethane, 110, 1.2592},
    };
    const std::map<K, int> resultKinds{{K::BubblePressure, 14}, {K::DewPressure, 12}, {K::BubbleTemperature, 15},
                                       {K::DewTemperature, 15}};
    for (const Row& row : rows) {
        const bool pressureRun = row.kind == K::BubblePressure || row.kind == K::DewPressure;
        const bool bubble = row.kind == K::BubblePressure || row.kind == K::BubbleTemperature;
        SCOPED_TRACE(mixtureWindowConfig(row.kind).inputName + " option " + std::to_string(row.option) + " at "
                     + std::to_string(row.state));
        const QString state = QString::number(row.state);
        calculateWith(row.kind, row.option, row.feed, state, state, {""});
        const reference::Mixture mixture = referenceOf(row.option, row.feed);
        const reference::Composition z = compositionOf(row.feed);
        const reference::Mixture::Point point =
            pressureRun ? (bubble ? mixture.bubblePressure(z, row.state) : mixture.dewPressure(z, row.state))
                        : (bubble ? mixture.bubbleTemperature(z, row.state) : mixture.dewTemperature(z, row.state));
        const double tolerance = pressureRun ? pressureTolerance : temperatureTolerance;
        ASSERT_EQ(reportedKinds, std::vector<int>{resultKinds.at(row.kind)});
        const Texts page = folder.reportValues();
        EXPECT_NEAR(numberIn(page[3]), point.value, tolerance);
        EXPECT_NEAR(point.value, row.quoted, tolerance) << "the quoted point";
        for (std::size_t i = 0; i < row.feed.size(); ++i) {
            EXPECT_EQ(page[8 + 4 * i], row.feed[i].first.toStdString());
            EXPECT_NEAR(services::val(page[10 + 4 * i]), point.other[i], fractionTolerance) << i;
        }
        EXPECT_TRUE(outEmpty());
        EXPECT_EQ(ui.prompts().size(), 1u);
    }
}

TEST_F(EngineRuns, ReportLinesKeepTheirTextsAndNumbers)
{
    calculateWith(K::BubblePressure, 2, lightTernary, "185", "", {""});
    Texts page = folder.reportValues();
    EXPECT_EQ(page[1], "Bubble  pressure calculation using the Peng Robinson equation of state");
    EXPECT_EQ(page[2], "Temperature = 185( K)");
    EXPECT_EQ(page[3].substr(0, 30), "Calculated bubble  pressure = ");
    EXPECT_EQ(page[3].substr(page[3].size() - 7), " ( bar)");
    EXPECT_EQ((Texts{page[4], page[5], page[6], page[7]}),
              (Texts{"Component", " Feed molfraction", " Vapor molfraction ", "  K  "}));
    EXPECT_EQ(page[16], "propane");
    EXPECT_EQ(page[33].substr(0, 23), "Number of iterations = ");
    // A second, smaller mixture: no row of the first reaches its page.
    calculateWith(K::BubblePressure, 2, propaneButane, "300", "", {""});
    page = folder.reportValues();
    for (int line = 16; line <= 19; ++line)
        EXPECT_EQ(page[static_cast<std::size_t>(line)], "") << line;
    calculateWith(K::DewTemperature, 2, nitrogenMethane, "", "3", {""});
    EXPECT_EQ(folder.reportValues()[2], "Pressure = 3 (bar)");
}

TEST_F(EngineRuns, FlashSplitsTheFeedAsTheReferenceDoes)
{
    struct Row {
        int option;
        Feed feed;
        double T, P, quotedL;
    };
    const Row rows[] = {
        {2, propaneButane, 300, 5, 0.4881},
        {4, propaneButane, 300, 5, 0.4688},
        {2, lightTernary, 180, 5, 0.9316},
        {2, nitrogenMethane, 110, 3, 0.7194},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.option) + " at " + std::to_string(row.T));
        calculateWith(K::Flash, row.option, row.feed, QString::number(row.T), QString::number(row.P));
        const reference::Mixture::Flash flash =
            referenceOf(row.option, row.feed).flash(compositionOf(row.feed), row.T, row.P);
        ASSERT_TRUE(flash.twoPhase);
        ASSERT_EQ(reportedKinds, std::vector<int>{16});
        const Texts page = folder.reportValues();
        EXPECT_NEAR(services::val(page[40]), flash.L, fractionTolerance);
        EXPECT_NEAR(flash.L, row.quotedL, fractionTolerance) << "the quoted split";
        for (std::size_t i = 0; i < row.feed.size(); ++i) {
            EXPECT_NEAR(services::val(page[11 + 5 * i]), flash.x[i], fractionTolerance) << i;
            EXPECT_NEAR(services::val(page[12 + 5 * i]), flash.y[i], fractionTolerance) << i;
        }
        EXPECT_EQ(page[39], "Split");
        EXPECT_TRUE(outEmpty());
        EXPECT_TRUE(ui.texts().empty());
    }
}

TEST_F(EngineRuns, FlashWithoutASplitOrAboveATcShowsNoPage)
{
    const std::string aboveTc = "T is greater than Tc of one of conponent \r\n so no calculation possible";
    struct Row {
        int option;
        Feed feed;
        QString T, P;
        Texts shown;
    };
    const Row rows[] = {
        {3, propaneButane, "300", "5", {"No flash calculation possibile at these conditions"}},
        {2, lightTernary, "191", "5", {aboveTc}},
        {2, nitrogenMethane, "300", "", {"Pressure cannot be zero or negative", "Enter valid Pressure  in bar"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.shown.front());
        calculateWith(K::Flash, row.option, row.feed, row.T, row.P, row.P.isEmpty() ? Texts{""} : Texts{});
        EXPECT_EQ(ui.texts(), row.shown);
        EXPECT_FALSE(reported());
        EXPECT_TRUE(reportedKinds.empty());
    }
    // At the Tc of methane itself the flash runs.
    calculateWith(K::Flash, 2, lightTernary, "190.56", "5");
    EXPECT_EQ(reportedKinds, std::vector<int>{16});
}

TEST_F(EngineRuns, AFaultInAFlashRunLeavesTheEarlierPage)
{
    calculateWith(K::Flash, 2, propaneButane, "300", "5");
    const std::string page = folder.read("result.htm");
    std::filesystem::remove(folder.file("properties.mdb"));
    ui.clear();
    calculate();
    EXPECT_EQ(ui.texts(), Texts{commandFailure});
    EXPECT_EQ(folder.read("result.htm"), page);
}

TEST_F(EngineRuns, MolarVolumeReportsTheRootsAndThePhase)
{
    struct Row {
        int option;
        double P;
        std::string statement; // line 19 up to its volume
        int root;              // which volume line 19 ends with: 0 liquid, 1 vapour, -1 none
    };
    const std::string gas = " The mixture exist in gas phase only  volume of mixture =";
    const std::string liquid = "The mixture is in liquid phase only   volume of mixture =";
    const std::string twoPhase = " The mixture exist in two phase  so volume will be in between Saturated liquid and "
                                 "saturated vapor volumes depending upon quality";
    const Row rows[] = {{2, 2, gas, 1}, {2, 5, twoPhase, -1}, {2, 10, liquid, 0}, {3, 5, gas, 1}};
    const double T = 300;
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.option) + " at " + std::to_string(row.P));
        calculateWith(K::MolarVolume, row.option, propaneButane, "300", QString::number(row.P), {"", ""});
        EXPECT_EQ(ui.prompts(), (Texts{"Please Input Guess Value of Bubble Pressure(in bar) Leave it blank for default "
                                       "calculation",
                                       "Enter Guess Dew Pressure leave it blank for default input"}));
        ASSERT_EQ(reportedKinds, std::vector<int>{8});
        const reference::Roots roots = referenceOf(row.option, propaneButane)
                                           .roots(compositionOf(propaneButane), T, row.P);
        const Texts page = folder.reportValues();
        const double ZV = services::val(page[9]), ZL = services::val(page[13]);
        EXPECT_NEAR(ZV, roots.vapour, 2e-5 * roots.vapour);
        EXPECT_NEAR(ZL, roots.liquid, 5e-5 * roots.liquid);
        const double VV = roots.vapour * 8.314e-05 * T / row.P, VL = roots.liquid * 8.314e-05 * T / row.P;
        EXPECT_NEAR(services::val(page[10]), VV, 2e-5 * VV);
        EXPECT_NEAR(services::val(page[14]), VL, 5e-5 * VL);
        EXPECT_EQ(page[15], "");
        EXPECT_EQ(page[19].substr(0, row.statement.size()), row.statement);
        if (row.root >= 0) {
            const double volume = services::val(page[19].substr(row.statement.size()));
            EXPECT_NEAR(volume, row.root ? VV : VL, 5e-5 * volume);
        } else {
            EXPECT_EQ(page[19], row.statement);
        }
        for (int line = 20; line <= 34; ++line)
            EXPECT_EQ(page[static_cast<std::size_t>(line)], "") << line;
        EXPECT_TRUE(outEmpty());
    }
    // The quoted PR numbers at 2 and 10 bar.
    calculateWith(K::MolarVolume, 2, propaneButane, "300", "2", {"", ""});
    EXPECT_NEAR(services::val(folder.reportValues()[9]), 0.956424, 2e-5);
    EXPECT_NEAR(services::val(folder.reportValues()[13]), 0.00732216, 5e-5 * 0.00732216);
    EXPECT_NEAR(services::val(folder.reportValues()[19].substr(gas.size())), 0.0119276, 2e-5 * 0.0119276);
    calculateWith(K::MolarVolume, 2, propaneButane, "300", "10", {"", ""});
    EXPECT_NEAR(services::val(folder.reportValues()[19].substr(liquid.size())), 9.08386e-05, 5e-5 * 9.08386e-05);
}

// The volume (cm³/mol) at the root of lower Gibbs energy: the one where the mixture's ln phi,
// the sum of x_i ln phi_i, is lower; the vapour root's where the two agree.
double stableVolume(const reference::Mixture& model, const reference::Composition& z, double T, double P)
{
    const reference::Roots roots = model.roots(z, T, P);
    const auto lnPhi = [&](bool liquid) {
        const reference::Composition each = model.lnPhi(z, T, P, liquid);
        double sum = 0;
        for (std::size_t i = 0; i < z.size(); ++i)
            sum += z[i] * each[i];
        return sum;
    };
    const double Z = lnPhi(true) < lnPhi(false) ? roots.liquid : roots.vapour;
    return Z * 8.314e-05 * T / P * 1e6;
}

// Both plots draw the points that the phase rule puts in one phase, each at its stable root, and
// leave out those in two phases, so each curve has a gap across the two-phase region; the
// temperature plot's point at a reported state in one phase is the volume of line 19. The
// two-phase region is the reference's: from its dew to its bubble pressure at the report's
// temperature (the pressure plot), from its bubble to its dew temperature at the report's
// pressure (the temperature plot). No grid point lies within the engine's tolerance of its ends.
TEST_F(EngineRuns, MolarVolumePlotsLeaveOutThePointsInTwoPhases)
{
    const std::string gas = " The mixture exist in gas phase only  volume of mixture =";
    const std::string liquid = "The mixture is in liquid phase only   volume of mixture =";
    const std::string twoPhase = " The mixture exist in two phase ";
    const std::string none = "  ";
    const Feed methaneRich{{"methane", ".6"}, {"ethane", ".3"}, {"propane", ".1"}};
    const Feed butaneRich{{"propane", ".3"}, {"n-butane", ".7"}};
    const Feed methaneButane{{"methane", ".5"}, {"n-butane", ".5"}};
    struct Row {
        int option;
        Feed feed;
        double T, P;
        std::string statement; // line 19 up to its volume
    };
    const Row rows[] = {
        // Benzene + toluene: a liquid at 300 K and 1 bar (bubble point 0.096 bar), a gas at 400 K
        // and 1 bar; at 400 K and 2.4 bar between its dew and bubble points (2.17 and 2.52 bar),
        // and in the temperature plot at 2.4 bar the point at 400 K with them (397.9 to 404.0 K).
        {2, benzeneToluene, 300, 1, liquid}, {3, benzeneToluene, 300, 1, liquid}, {4, benzeneToluene, 300, 1, liquid},
        {2, benzeneToluene, 400, 1, gas},    {3, benzeneToluene, 400, 1, gas},    {4, benzeneToluene, 400, 1, gas},
        {2, benzeneToluene, 400, 2.4, twoPhase},
        // Methane + ethane + propane at 200 K: two phases from 1.65 to 31.98 bar; at 10 bar from
        // 160.7 to 236.8 K. Above 260 K the bubble and dew searches find no point: those points
        // are drawn, and the reference's region ends below them.
        {2, methaneRich, 200, 10, twoPhase},
        // Propane + n-butane at 340 K and 12 bar: two phases by both equations (RK 11.73 to 13.68
        // bar, SRK 9.78 to 12.07 bar), whose stable roots there are the vapour and the liquid one.
        {3, butaneRich, 340, 12, twoPhase}, {4, butaneRich, 340, 12, twoPhase},
        // Methane + n-butane at 250 K: two phases from 0.80 to 67.84 bar, so the pressure plot
        // draws no point: an empty chart.
        {2, methaneButane, 250, 20, twoPhase},
        // Above every Tc neither search finds a point, and the pressure plot draws every point.
        {2, propaneButane, 600, 5, none},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.option) + " at " + std::to_string(row.T) + " K, " + std::to_string(row.P)
                     + " bar");
        calculateWith(K::MolarVolume, row.option, row.feed, QString::number(row.T), QString::number(row.P), {"", ""});
        const std::string line19 = folder.reportValues()[19];
        ASSERT_EQ(line19.substr(0, row.statement.size()), row.statement);
        const bool onePhase = row.statement == gas || row.statement == liquid;
        const double reported = onePhase ? services::val(line19.substr(row.statement.size())) * 1e6 : 0;
        const reference::Mixture model = referenceOf(row.option, row.feed);
        const reference::Composition z = compositionOf(row.feed);
        ui.clear();
        for (const bool overTemperature : {true, false}) {
            SCOPED_TRACE(overTemperature ? "temperature plot" : "pressure plot");
            const double step = overTemperature ? 20 : 2;
            const double tolerance = overTemperature ? temperatureTolerance : pressureTolerance;
            double low = 0, high = 0;
            if (overTemperature) {
                low = model.bubbleTemperature(z, row.P).value;
                high = model.dewTemperature(z, row.P).value;
            } else if (row.statement != none) {
                low = model.dewPressure(z, row.T).value;
                high = model.bubblePressure(z, row.T).value;
            }
            std::vector<double> drawn;
            for (int i = 1; i <= 20; ++i) {
                const double x = step * i;
                ASSERT_GT(std::min(std::fabs(x - low), std::fabs(x - high)), tolerance) << x;
                if (!(low < x && x < high))
                    drawn.push_back(x);
            }

            selection()->graphplotting(overTemperature ? "T" : "P");
            const Texts lines = folder.pointsLines(overTemperature ? "points1.dat" : "points2.dat");
            ASSERT_EQ(lines.size(), drawn.size() + 2);
            EXPECT_EQ(lines[0], std::to_string(drawn.size()));
            for (std::size_t k = 0; k < drawn.size(); ++k) {
                const std::vector<double> point = calvex::testing::numbers(lines[k + 2]);
                ASSERT_EQ(point.size(), 2u);
                EXPECT_EQ(point[0], drawn[k]);
                const double V = overTemperature ? stableVolume(model, z, point[0], row.P)
                                                 : stableVolume(model, z, row.T, point[0]);
                // The engine's single-precision cubic: 5e-5 relative, as for the report's liquid root.
                EXPECT_NEAR(point[1], V, 5e-5 * V) << lines[k + 2];
                // 7 significant digits in the file: 1e-6 relative.
                if (overTemperature && onePhase && point[0] == row.T) {
                    EXPECT_NEAR(point[1], reported, 1e-6 * reported);
                }
            }

            // The chart draws the curve in pieces of neighbouring points, none across a gap.
            std::vector<std::vector<double>> pieces(1);
            for (std::size_t k = 0; k < drawn.size(); ++k) {
                if (k > 0 && drawn[k] - drawn[k - 1] > step)
                    pieces.emplace_back();
                pieces.back().push_back(drawn[k]);
            }
            const widgets::ChartControl* chart = widgets::loadedChart();
            ASSERT_NE(chart, nullptr);
            const QList<QList<QPointF>> shown = chart->curvePieces(1);
            ASSERT_EQ(shown.size(), static_cast<qsizetype>(pieces.size()));
            for (std::size_t p = 0; p < pieces.size(); ++p) {
                ASSERT_EQ(shown[static_cast<qsizetype>(p)].size(), static_cast<qsizetype>(pieces[p].size())) << p;
                for (std::size_t k = 0; k < pieces[p].size(); ++k)
                    EXPECT_EQ(shown[static_cast<qsizetype>(p)][static_cast<qsizetype>(k)].x(), pieces[p][k]);
            }
        }
        // The plots' searches ask nothing and, where they find no point, say nothing.
        EXPECT_TRUE(ui.texts().empty());
    }
}

TEST_F(EngineRuns, MolarVolumeWithoutPhaseBoundariesOrVolumes)
{
    // Above every Tc both pressure passes fail: the volumes are reported, the phase is not.
    calculateWith(K::MolarVolume, 2, propaneButane, "600", "5", {"", ""});
    ASSERT_EQ(reportedKinds, std::vector<int>{8});
    EXPECT_EQ(folder.reportValues()[19], "  ");
    // A volume pass that fails ends the run before the guess prompts.
    calculateWith(K::MolarVolume, 2, propaneButane, "300", "3e33");
    EXPECT_EQ(ui.texts(), Texts{"Invalid data passed so exiting"});
    EXPECT_TRUE(reportedKinds.empty());
    // A refused pressure shows the input window again and reports nothing.
    restart();
    open(K::MolarVolume);
    mixture(propaneButane);
    setTemperature("300");
    input->hide();
    ui.answer("");
    calculate();
    EXPECT_EQ(ui.texts(), (Texts{"Pressure cannot be zero or negative", "Enter valid Pressure  in bar"}));
    EXPECT_TRUE(input->isVisible());
    EXPECT_TRUE(reportedKinds.empty());
}

// On a desktop whose language writes a decimal comma the typed fractions and pressure keep their
// points: the page and the texts shown are those of the C locale.
TEST_F(EngineRuns, ADecimalCommaDesktopGivesThePageOfTheCLocale)
{
    const auto run = [&] {
        calculateWith(K::BubbleTemperature, 2, propaneButane, "", "20", {""});
        return std::pair{folder.read("result.htm"), ui.texts()};
    };
    const auto underC = run();
    EXPECT_EQ(reportedKinds, std::vector<int>{15});
    calvex::testing::DecimalCommaDesktop desktop;
    EXPECT_EQ(run(), underC);
}

} // namespace
} // namespace calvex::mixture::testing
