// The UNIFAC window's P-x-y and T-x-y runs as a user meets them, offscreen: the curves against
// an independent UNIFAC with a plain double-precision bubble-point solve and the values,
// the report rows and points1.dat, the window closed before the viewer shows, the diagrams
// drawn after it closed, and every refusal with its exact texts.
#include "tests/unifac/unifacwindowfixture.h"

#include "services/numbers.h"
#include "tests/activity/activityfixture.h"
#include "tests/unifac/referenceunifac.h"
#include "unifac/calculatorrules.h"
#include "unifac/subgrouptable.h"
#include "unifac/unifacmodel.h"
#include "unifac/unifacwindows.h"
#include "widgets/chartcontrol.h"
#include "widgets/chartwindow.h"
#include "widgets/dialogwindows.h"
#include "widgets/resultviewer.h"
#include "widgets/viewerwindows.h"
#include "widgets/windownames.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

#include <cmath>

namespace calvex::unifac::testing {
namespace {

using calvex::testing::VleFluid;
using widgets::UnifacMode;

// Positions in the UNIFAC component list of the fixture.
enum Position { Benzene = 1, Chlorobenzene, Ethylbenzene, Octane, Toluene, Water, Ethanol, Acetone, SpacedBenzene, CapitalToluene };
const std::vector<std::string> groupsAt = {"",      "10,6;", "10,5;54,1;", "1,1;10,5;13,1;", "1,2;2,6;", "10,5;12,1;",
                                           "17,1;", "1,1;2,1;15,1;", "1,1;19,1;", "10,6;", "10,5;12,1;"};
constexpr VleFluid acetone{73, "acetone", 47, 508.1, 329.22, 0.307, 9.713225, 2756.217, -45.09};

// The reference: UNIFAC written out in the test, for the two components at those positions.
calvex::testing::LnGamma referenceModel(int one, int two)
{
    const calvex::testing::ReferenceMixture mixture = calvex::testing::referenceMixture({groupsAt[one], groupsAt[two]});
    return [mixture](double x1, double T) {
        const std::vector<double> gamma =
            calvex::testing::referenceUnifac(mixture.groups, mixture.counts, {x1, 1 - x1}, T, InteractionTable);
        return std::array<double, 2>{std::log(gamma[0]), std::log(gamma[1])};
    };
}

// T: the solver stops at |F| < 1e-5 on 32-bit values, and the report rounds to 3 decimals.
constexpr double temperatureTolerance = 0.005;
// y1 against the reference: the same stop, and 6 decimals in the report.
constexpr double y1Tolerance = 5e-5;
// P: 32-bit vapour pressures and coefficients, and 3 decimals of kPa in the report.
constexpr double pressureRelative = 2e-5;
// The values, given to 3 decimals of K and 6 of y1 (5 for two of them).
constexpr double publishedT = 0.01, publishedP = 2e-4, publishedY1 = 1e-4;

struct Entry {
    UnifacMode mode;
    int one, two;     // list positions of rows 0 and 1; 0 leaves the row on "<< empty >>"
    std::string value; // temperature (P-x-y) or pressure (T-x-y) as typed
    std::string unit;  // TempUnits' or Combo1_Unit_p's entry
};

class UnifacRunTest : public UnifacWindowTest {
protected:
    static void SetUpTestSuite()
    {
        widgets::registerDialogWindows();
        widgets::registerViewerWindows();
        registerUnifacWindows();
    }

    void SetUp() override
    {
        UnifacWindowTest::SetUp();
        programFolder.copyProgramFile("properties.mdb"); // the rows of components.csv
        ASSERT_EQ(LoadDatabase(), DatabaseLoad::Loaded);
        for (const char* name : {"ethanol", "acetone", "ben zene", "Toluene"})
            componentList().AddComponent(name, groupsAt[componentList().ComponentCount() + 1]);
        ASSERT_TRUE(SaveDatabase());
        componentList().ClearComponents();
        services::setReportPresenter(
            [this](int kind, const services::ReportOutcome& outcome, const std::function<void()>& beforeShowing) {
                reported.push_back(kind);
                EXPECT_TRUE(outcome.written);
                widgets::presentReport(kind, outcome, [&] {
                    // The viewer holds the page and is not shown yet: the window closes now.
                    EXPECT_EQ(viewer()->Text1()->text(), QString::number(kind));
                    EXPECT_NE(registry().find(widgets::unifacWindow), nullptr);
                    beforeShowing();
                    EXPECT_EQ(registry().find(widgets::unifacWindow), nullptr);
                });
            });
    }

    void TearDown() override
    {
        for (QWidget* loaded : registry().loadedWindows())
            registry().unload(loaded);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        services::setReportPresenter(widgets::presentReport);
        UnifacWindowTest::TearDown();
    }

    static widgets::WindowRegistry& registry() { return widgets::WindowRegistry::instance(); }
    static widgets::frmTextEditor* viewer()
    {
        return registry().findAs<widgets::frmTextEditor>(widgets::resultViewerWindow);
    }

    // The window as the shell opens it in that mode, the entry typed, Calculate pressed.
    fMain& calculate(const Entry& e)
    {
        registry().unload(widgets::unifacWindow);
        auto* w = dynamic_cast<fMain*>(registry().show(widgets::unifacWindow));
        EXPECT_NE(w, nullptr);
        e.mode == UnifacMode::Pxy ? w->PxyUnifacsetting() : w->TxyUnifacsetting();
        QApplication::setActiveWindow(w);
        const int rows[] = {e.one, e.two};
        for (int row = 0; row < 2; ++row)
            if (rows[row] != 0) {
                w->Component(row)->setCurrentIndex(rows[row]);
                w->Component_Click(row);
            }
        if (e.mode == UnifacMode::Pxy) {
            w->TempUnits()->setCurrentText(QString::fromStdString(e.unit));
            w->Temp()->setText(QString::fromStdString(e.value));
        } else {
            w->Combo1_Unit_p()->setCurrentText(QString::fromStdString(e.unit));
            w->Text1_Pressure()->setText(QString::fromStdString(e.value));
        }
        w->Toolbar3_ButtonClick(QStringLiteral("Calculate"));
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return *w;
    }

    calvex::testing::ActivityFixtureFolder programFolder; // made after the fixture's own folder: in force
    std::vector<int> reported;
};

double number(const std::string& text) { return services::val(text); }

// Name, Tc, Pc, omega and Tb as typed into a constants dialog, then its button.
using DialogTexts = std::array<std::string, 5>;
ScriptedUi::DialogScript typed(const DialogTexts& texts)
{
    return [texts](services::ModalDialog& dialog) {
        for (int box = 0; box < 5; ++box)
            dialog.typeFieldText(box, texts[static_cast<std::size_t>(box)]);
        dialog.confirm();
    };
}

struct Published {
    int k;
    double variable; // K or kPa
    double y1;
};

struct RunCase {
    Entry entry;
    VleFluid one, two;
    double fixed; // P in Pa or T in K
    std::vector<Published> published;
};

TEST_F(UnifacRunTest, CurvesAgreeWithAnIndependentSolveAndThePublishedValues)
{
    using calvex::testing::benzene, calvex::testing::toluene, calvex::testing::ethanol, calvex::testing::water;
    const std::vector<RunCase> cases = {
        {{UnifacMode::Txy, Benzene, Toluene, "1.01325", "bar"}, benzene, toluene, 101325,
         {{0, 383.790, 0}, {5, 373.758, 0.435675}, {10, 365.626, 0.705922}, {15, 358.892, 0.881840}, {20, 353.240, 1}}},
        {{UnifacMode::Pxy, Benzene, Toluene, "90", "°C"}, benzene, toluene, 363.15,
         {{0, 54.290, 0}, {25, 96.223, 0.731368}, {45, 129.712, 0.967476}, {49, 136.441, 1}}},
        {{UnifacMode::Txy, Ethanol, Water, "1.01325", "bar"}, ethanol, water, 101325, {{10, 352.915, 0.64186}}},
        // With the 5-digit captions in the residual this system ran its solves to the pass limit.
        {{UnifacMode::Txy, Acetone, Water, "101.325", "kpa"}, acetone, water, 101325, {{5, 335.439, 0.78549}}},
    };
    for (const RunCase& c : cases) {
        const bool txy = c.entry.mode == UnifacMode::Txy;
        SCOPED_TRACE(std::string(c.one.name) + "/" + c.two.name + (txy ? " T-x-y" : " P-x-y"));
        reported.clear();
        ui.clear();
        calculate(c.entry);
        ASSERT_EQ(reported, std::vector<int>{txy ? 23 : 22});
        EXPECT_TRUE(ui.texts().empty());
        ASSERT_TRUE(viewer()->isVisible());

        const auto rows = programFolder.reportValues();
        ASSERT_EQ(rows.size(), 181u);
        const Texts header = {rows[1], rows[2], rows[3], rows[4], rows[5], rows[6], rows[7]};
        const Texts expectedHeader =
            txy ? Texts{"T-x-y(UNIFAC Method)", "Pressure", c.entry.value, c.entry.unit, "", "", ""}
                : Texts{"P-x-y(Unifac Method)", "Temperature", c.entry.value, c.entry.unit, "   ", "      ", "       "};
        EXPECT_EQ(header, expectedHeader);
        EXPECT_EQ(rows[8], storedName(c.one.name));
        EXPECT_EQ(static_cast<float>(number(rows[9])), static_cast<float>(c.one.Tc));
        EXPECT_EQ(static_cast<float>(number(rows[10])), static_cast<float>(c.one.Pc_bar));
        EXPECT_EQ(rows[12], storedName(c.two.name));
        EXPECT_EQ(rows[17], txy ? "Temperature(kelvin)" : "Pressure(kpa)");

        const std::size_t points = txy ? 21 : 50;
        const auto lines = programFolder.pointsLines("points1.dat");
        ASSERT_EQ(lines.size(), points);
        const calvex::testing::LnGamma model = referenceModel(c.entry.one, c.entry.two);
        for (std::size_t k = 0; k < points; ++k) {
            SCOPED_TRACE("k = " + std::to_string(k));
            const double x1 = txy ? k / 20.0 : (k == 0 ? 0.0 : (k + 1) / 50.0);
            EXPECT_EQ(static_cast<float>(number(rows[19 + 3 * k])), static_cast<float>(x1));
            const double variable = number(rows[18 + 3 * k]), y1 = number(rows[20 + 3 * k]);
            const auto file = calvex::testing::numbers(lines[k]);
            ASSERT_EQ(file.size(), 4u);
            EXPECT_EQ(file[1], file[3]);
            // Half a unit of the report's last decimal, and the file's 7 significant digits.
            EXPECT_NEAR(file[1], variable, 6e-4) << "the file holds the run variable unrounded";
            EXPECT_NEAR(file[2], y1, 6e-7);
            const calvex::testing::CurvePoint ref = txy ? bubbleTemperature(model, c.one, c.two, x1, c.fixed)
                                                        : bubblePressure(model, c.one, c.two, x1, c.fixed);
            if (txy)
                EXPECT_NEAR(variable, ref.variable, temperatureTolerance);
            else
                EXPECT_NEAR(variable, ref.variable / 1000, pressureRelative * variable);
            EXPECT_NEAR(y1, ref.y1, y1Tolerance);
        }
        for (const Published& p : c.published) {
            const double variable = number(rows[18 + 3 * p.k]);
            EXPECT_NEAR(variable, p.variable, txy ? publishedT : publishedP * p.variable) << p.k;
            EXPECT_NEAR(number(rows[20 + 3 * p.k]), p.y1, publishedY1) << p.k;
        }
        EXPECT_EQ(rows[16], "");
        for (std::size_t row = 18 + 3 * points; row <= 180; ++row)
            EXPECT_EQ(rows[row], "") << row;

        // Both plot buttons draw after the window closed, naming component 1 as the run kept it.
        const std::string name = storedName(c.one.name);
        viewer()->key_Click(0);
        widgets::ChartControl* chart = widgets::loadedChart();
        EXPECT_EQ(chart->axisTitleText(widgets::ChartControl::AxisX), QString::fromStdString("X  -   Y of " + name));
        EXPECT_EQ(chart->axisTitleText(widgets::ChartControl::AxisY), txy ? "Temperature(kelvin)" : "Pressure(kpa)");
        EXPECT_EQ(chart->seriesLegendText(1), txy ? "T - x(Graph)" : "P - x(Graph)");
        ASSERT_EQ(chart->rowCount(), static_cast<int>(points));
        EXPECT_EQ(chart->chartData().cell(2, 2), static_cast<float>(calvex::testing::numbers(lines[1])[1]));
        viewer()->key_Click(1);
        EXPECT_EQ(chart->axisTitleText(widgets::ChartControl::AxisY), QString::fromStdString("Y of " + name));
        // The diagonal: 0 to 1 in steps of 0.05 after a T-x-y run, 0.02 to 1 after a P-x-y run.
        EXPECT_EQ(chart->chartData().cell(1, 3), txy ? 0.0f : 0.02f);
        EXPECT_EQ(chart->chartData().cell(static_cast<int>(points), 4), 1.0f);
        const QWidget* plotted = registry().find(widgets::unifacWindow);
        EXPECT_TRUE(!plotted || !widgets::WindowRegistry::outerWindow(const_cast<QWidget*>(plotted))->isVisible());
    }
}

TEST(UnifacModel, CoefficientsComeInDoubleWhileTheCaptionsShowFiveDigits)
{
    InitUnifacTables();
    UnifacComponentList list;
    list.AddComponent("acetone", groupsAt[Acetone]);
    list.AddComponent("water", groupsAt[Water]);
    UnifacSheet sheet;
    sheet.rows[0].component = 1;
    sheet.rows[1].component = 2;
    const UnifacModel model(sheet, list);
    const auto gamma = model.gammacal(0.25f, 335.4388f);
    ASSERT_TRUE(gamma.has_value());
    const auto reference = referenceModel(Acetone, Water)(0.25, 335.4388);
    for (int j = 0; j < 2; ++j) {
        // A 32-bit value of the calculation: 1e-7 relative. A caption is off by up to 5e-5.
        EXPECT_NEAR((*gamma)[j], std::exp(reference[j]), 2e-7 * (*gamma)[j]) << j;
        EXPECT_EQ(sheet.rows[j].actCoeff, coefficientCaption((*gamma)[j])) << j;
    }
    EXPECT_EQ(sheet.temperature, "335.4388");
    EXPECT_EQ(sheet.rows[0].moleFraction, " 0.25");
}

TEST_F(UnifacRunTest, NamesMatchWithoutBlanksButWithLetterCase)
{
    calculate({UnifacMode::Txy, Benzene, Toluene, "1", "atm"});
    const auto byDatabase = programFolder.reportValues();
    ui.onDialog(typed({"Toluene", "591.75", "41.08", "0.264", "383.79"}));
    calculate({UnifacMode::Txy, SpacedBenzene, CapitalToluene, "1", "atm"});
    EXPECT_EQ(ui.texts(), Texts{"GetPcTcOmega2"});
    const auto byName = programFolder.reportValues();
    ASSERT_EQ(byName.size(), byDatabase.size());
    EXPECT_EQ(byName[8], "ben zene            ");
    EXPECT_EQ(byName[12], "Toluene");
    for (std::size_t row = 18; row <= 80; ++row)
        EXPECT_EQ(byName[row], byDatabase[row]) << row;
}

TEST_F(UnifacRunTest, PressuresBeyondTheTwoPointLawsLimitAreInvalidEntries)
{
    for (const calvex::testing::LimitPressure& c : calvex::testing::benzeneTolueneLimitPressures()) {
        SCOPED_TRACE(c.where);
        programFolder.write("points1.dat", "earlier points");
        reported.clear();
        ui.clear();
        calculate({UnifacMode::Txy, Benzene, Toluene, std::to_string(c.P_bar), "bar"});
        if (!c.reports) {
            EXPECT_EQ(ui.texts(), Texts{"Invalid Entry"});
            EXPECT_TRUE(reported.empty());
            EXPECT_EQ(programFolder.read("points1.dat"), "earlier points");
            continue;
        }
        EXPECT_TRUE(ui.texts().empty());
        EXPECT_EQ(reported, std::vector<int>{23});
        calvex::testing::expectTxyPointsAboveZero(programFolder);
    }
}

struct Refusal {
    const char* what;
    Entry entry;
    std::vector<DialogTexts> dialogs; // typed into each constants dialog shown
    Texts answers;
    Texts shown; // prompts, messages and dialog names in order
    const char* focus = nullptr;
};

TEST_F(UnifacRunTest, RefusalsShowTheirTextsAndLeaveTheWindowAndThePointsFile)
{
    const std::string component = componentMessage, temperature = temperatureMessage;
    const std::vector<Refusal> cases = {
        {"empty temperature", {UnifacMode::Pxy, Benzene, Toluene, "", "K"}, {}, {}, {temperature}, "Temp"},
        {"below absolute zero", {UnifacMode::Pxy, Benzene, Toluene, "-300", "°C"}, {}, {}, {temperature}, "Temp"},
        {"an infinite temperature", {UnifacMode::Pxy, Benzene, Toluene, std::string(400, '9'), "K"}, {}, {}, {temperature}, "Temp"},
        {"the same component twice", {UnifacMode::Pxy, Benzene, Benzene, "90", "°C"}, {}, {}, {component}, "Component(1)"},
        {"P-x-y with one row", {UnifacMode::Pxy, Benzene, 0, "90", "°C"}, {}, {}, {component}, "Component(1)"},
        {"T-x-y with one row", {UnifacMode::Txy, 0, Toluene, "1", "bar"}, {}, {}, {component}, "Component(0)"},
        {"empty pressure", {UnifacMode::Txy, Benzene, Toluene, "", "bar"}, {}, {}, {"pressure cannot be zero"}},
        {"zero pressure", {UnifacMode::Txy, Benzene, Toluene, "0", "bar"}, {}, {}, {"pressure cannot be zero"}},
        {"negative pressure", {UnifacMode::Txy, Benzene, Toluene, "-1", "bar"}, {}, {}, {"pressure cannot be zero"}},
        {"text for a pressure", {UnifacMode::Txy, Benzene, Toluene, "abc", "bar"}, {}, {}, {"pressure cannot be zero"}},
        {"a pressure beyond 32 bits", {UnifacMode::Txy, Benzene, Toluene, "1e39", "bar"}, {}, {}, {"Invalid Entry"}},
        {"a pressure overflowing in pascal", {UnifacMode::Txy, Benzene, Toluene, "1e37", "bar"}, {}, {}, {"Invalid Entry"}},
        // Benzene's and octane's groups interact mildly enough at 5 K for the coefficients to be
        // found: only the vapour-pressure law, left of its pole there, has nothing to give.
        {"left of the vapour-pressure law's pole", {UnifacMode::Pxy, Benzene, Octane, "5", "K"}, {}, {}, {"Invalid Entry"}},
        {"no database row: the dialog, then the prompt", {UnifacMode::Txy, Benzene, CapitalToluene, "1", "bar"},
         {{"Toluene", "591.75", "41.08", "0", "383.79"}}, {"0"},
         {"GetPcTcOmega2", "Please enter the acentric factor of  Toluene it is unavailable", "invalid input so quiting"}},
        {"P-x-y asks with a capital", {UnifacMode::Pxy, Benzene, CapitalToluene, "90", "°C"},
         {{"Toluene", "591.75", "41.08", "", "383.79"}}, {"-1"},
         {"GetPcTcOmega2", "Please enter the Acentric factor of  Toluene it is unavailable",
          "omega cannot be negative so quiting"}},
        {"equal names typed into the dialog", {UnifacMode::Txy, CapitalToluene, Benzene, "1", "bar"},
         {{"benzene             ", "591.75", "41.08", "0.264", "383.79"}}, {},
         {"GetPcTcOmega1", "Two Components can't have same name so exiting "}},
        {"Tb above Tc", {UnifacMode::Txy, Benzene, CapitalToluene, "1", "bar"},
         {{"Toluene", "383.79", "41.08", "0.264", "591.75"}}, {}, {"GetPcTcOmega2", "Invalid Entry"}},
        {"Pc of one atmosphere, two-point law in P-x-y", {UnifacMode::Pxy, Benzene, CapitalToluene, "90", "°C"},
         {{"Toluene", "591.75", "1.01325", "0.264", "383.79"}}, {}, {"GetPcTcOmega2", "Invalid Entry"}},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.what);
        programFolder.write("points1.dat", "earlier points");
        reported.clear();
        ui.clear();
        for (const DialogTexts& texts : c.dialogs)
            ui.onDialog(typed(texts));
        for (const std::string& a : c.answers)
            ui.answer(a);
        fMain& w = calculate(c.entry);
        EXPECT_EQ(ui.texts(), c.shown);
        EXPECT_TRUE(ui.allAnswersUsed());
        EXPECT_TRUE(reported.empty());
        EXPECT_EQ(programFolder.read("points1.dat"), "earlier points");
        ASSERT_EQ(registry().find(widgets::unifacWindow), &w) << "the window stays open";
        if (c.focus) {
            EXPECT_EQ(ui.events().back().title, errorTitle);
            EXPECT_EQ(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(), c.focus);
        }
        for (int i = 1; i <= 2; ++i)
            registry().unload(QString::fromStdString("GetPcTcOmega" + std::to_string(i)));
    }
    // The pressure unit is picked from the list: a typed unit that ToPascal does not know cannot arise.
    fMain& w = calculate({UnifacMode::Txy, 0, 0, "1", "bar"});
    EXPECT_FALSE(w.Combo1_Unit_p()->isEditable());
}

} // namespace
} // namespace calvex::unifac::testing
