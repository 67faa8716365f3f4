// The eight binary windows as a user meets them, offscreen: lists, filters, focus order and the
// "not listed" dialogs; the T-x-y and P-x-y runs against a plain double-precision solve and the
// published values; every refusal with its exact texts, leaving points1.dat as it was; the
// diagrams drawn from the run.

#include "activity/vlewindow.h"

#include "services/numbers.h"
#include "tests/activity/activityfixture.h"
#include "tests/support/calculatorwindowtest.h"
#include "tests/support/desktoplanguage.h"
#include "widgets/chartcontrol.h"
#include "widgets/chartwindow.h"
#include "widgets/constantsdialog.h"
#include "widgets/windowregistry.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>

namespace calvex::activity {
namespace {

using testing::ActivityFixtureFolder;
using testing::VleFluid;
using Texts = std::vector<std::string>;
using Boxes = std::map<std::string, std::string>;
using K = VleWindowKind;

// What a user sets before pressing Calculate; a name of "" leaves the list on "not listed".
struct Entry {
    K kind;
    std::string component1, component2;
    std::string variable, unit;
    Boxes boxes;
};

// Constants typed into a missing-constants dialog: name, Tc, Pc, omega, Tb.
using DialogTexts = std::array<std::string, 5>;

class VleWindowTest : public testing::CalculatorWindowTest<VleWindow> {
protected:
    VleWindow& enter(const Entry& entry)
    {
        VleWindow& w = open(entry.kind);
        const std::string names[2] = {entry.component1, entry.component2};
        for (int i = 0; i < 2; ++i)
            w.Combo2(i)->setCurrentText(QString::fromStdString(names[i].empty() ? "not listed" : names[i]));
        w.variableBox()->setText(QString::fromStdString(entry.variable));
        w.unitList()->setCurrentText(QString::fromStdString(entry.unit));
        for (const auto& [box, text] : entry.boxes)
            w.constantBox(box)->setText(QString::fromStdString(text));
        return w;
    }

    static void fillDialog(int index, const DialogTexts& texts)
    {
        auto* dialog = widgets::WindowRegistry::instance().loadAs<widgets::ConstantsDialog>(
            widgets::ConstantsDialog::instanceName(index + 1));
        for (int box = 0; box < 5; ++box)
            dialog->Text1(box)->setText(QString::fromStdString(texts[static_cast<std::size_t>(box)]));
    }

    ActivityFixtureFolder folder;
};

double number(const std::string& text) { return services::val(text); }

// A published value, checked against both the solve in the test and the window.
struct Published {
    int k;
    double variable; // K, or kPa
    double y1;       // NAN: not published
};

struct RunCase {
    Entry entry;
    testing::LnGamma model;
    VleFluid one, two;
    double fixed; // P in Pa or T in K, as the run converts it
    std::vector<Published> published;
};

// T: the solve stops at |F| < 1e-5 on 32-bit values, and the report rounds to 3 decimals.
constexpr double temperatureTolerance = 0.005;
// y1: the same stop, and 6 decimals in the report.
constexpr double y1Tolerance = 5e-5;
// P: 32-bit pressures, about 6e-8 relative, and the published 7 digits.
constexpr double pressureRelative = 1e-5;

TEST_F(VleWindowTest, RunsAgreeWithAnIndependentSolveAndThePublishedValues)
{
    const std::vector<RunCase> cases = {
        {{K::TxyMargules, "benzene", "toluene", "1.01325", "bar", {{"A12_Text1", "0.3"}, {"A21_Text1", "0.2"}}},
         testing::margules(0.3, 0.2), testing::benzene, testing::toluene, 101325,
         {{0, 383.790, 0}, {5, 370.739, 0.47094}, {10, 363.325, 0.70227}, {20, 353.240, 1}}},
        {{K::Txywilsons, "methanol", "water", "1", "atm",
          {{"A_Text1", "449.28"}, {"B_Text1", "1964.6"}, {"v1_Text1", "40.73"}, {"v2_Text1", "18.07"}}},
         testing::wilson(449.28, 1964.6, 40.73, 18.07), testing::methanol, testing::water, 101300,
         {{0, 373.143, 0}, {10, 346.385, 0.77357}}},
        {{K::PxyMargules, "benzene", "toluene", "90", "celsius", {{"A12_Text1", "0.3"}, {"A21_Text1", "0.2"}}},
         testing::margules(0.3, 0.2), testing::benzene, testing::toluene, 363.15,
         {{0, 54.29016, 0}, {25, 102.4575, 0.724464}}},
        {{K::PxyVanlaar, "ethanol", "water", "70", "celsius", {{"A_Text1", "1.6798"}, {"B_Text1", "0.9227"}}},
         testing::vanLaar(1.6798, 0.9227), testing::ethanol, testing::water, 343.15,
         {{25, 67.56892, 0.661255}}},
    };
    for (const RunCase& c : cases) {
        const VleWindowConfig& config = vleWindowConfig(c.entry.kind);
        SCOPED_TRACE(config.name);
        const bool txy = config.run == VleRunKind::Txy;
        reportedKinds.clear();
        enter(c.entry).Command1_Click();
        ASSERT_EQ(reportedKinds, std::vector<int>{config.resultKind});
        EXPECT_TRUE(ui.messages().empty());

        const auto rows = folder.reportValues();
        ASSERT_EQ(rows.size(), 181u);
        EXPECT_EQ(rows[1], config.title);
        EXPECT_EQ((Texts{rows[2], rows[3], rows[4]}), (Texts{txy ? "Pressure" : "Temperature", c.entry.variable, c.entry.unit}));
        EXPECT_EQ(rows[8], c.entry.component1);
        EXPECT_EQ(rows[12], c.entry.component2);
        const std::vector<float> grid = txy ? txyGrid() : pxyGrid(config.grid);
        const std::size_t points = grid.size();
        const auto lines = folder.pointsLines("points1.dat");
        ASSERT_EQ(lines.size(), points);
        for (std::size_t k = 0; k < points; ++k) {
            SCOPED_TRACE("k = " + std::to_string(k));
            const double x1 = grid[k];
            const double variable = number(rows[18 + 3 * k]);
            const double y1 = number(rows[20 + 3 * k]);
            EXPECT_EQ(static_cast<float>(number(rows[19 + 3 * k])), grid[k]);
            const auto file = testing::numbers(lines[k]);
            EXPECT_EQ(static_cast<float>(file[0]), grid[k]);
            EXPECT_EQ(file[1], file[3]);
            EXPECT_NEAR(file[2], y1, 5e-7);
            const testing::CurvePoint ref = txy ? bubbleTemperature(c.model, c.one, c.two, x1, c.fixed)
                                                : bubblePressure(c.model, c.one, c.two, x1, c.fixed);
            if (txy) {
                EXPECT_NEAR(variable, ref.variable, temperatureTolerance);
                EXPECT_NEAR(file[1], variable, 6e-4) << "the file holds T unrounded";
            } else {
                EXPECT_NEAR(variable, ref.variable / 1000, pressureRelative * variable);
                EXPECT_EQ(file[1], variable);
            }
            EXPECT_NEAR(y1, ref.y1, y1Tolerance);
        }
        for (const Published& p : c.published) {
            const double variable = number(rows[18 + 3 * p.k]);
            EXPECT_NEAR(variable, p.variable, txy ? temperatureTolerance : pressureRelative * p.variable) << p.k;
            EXPECT_NEAR(number(rows[20 + 3 * p.k]), p.y1, y1Tolerance) << p.k;
        }
        const std::size_t firstEmpty = 18 + 3 * points;
        EXPECT_EQ(rows[16], "");
        for (std::size_t row = firstEmpty; row <= 180; ++row)
            EXPECT_EQ(rows[row], "") << row;

        // The diagrams name the first component and draw the run's points.
        window->graphplotting(txy ? "T" : "P");
        widgets::ChartControl* chart = widgets::loadedChart();
        EXPECT_EQ(chart->axisTitleText(widgets::ChartControl::AxisX), QString::fromStdString("X  -   Y of " + c.entry.component1));
        EXPECT_EQ(chart->axisTitleText(widgets::ChartControl::AxisY), txy ? "Temperature(kelvin)" : "Pressure(kpa)");
        EXPECT_EQ(chart->rowCount(), static_cast<int>(points));
        window->graphplotting("XY");
        EXPECT_EQ(chart->axisTitleText(widgets::ChartControl::AxisY), QString::fromStdString("Y of " + c.entry.component1));
        // Closed before a plot button is pressed, the window is loaded anew and still names it.
        open(c.entry.kind).graphplotting("XY");
        EXPECT_EQ(chart->axisTitleText(widgets::ChartControl::AxisY), QString::fromStdString("Y of " + c.entry.component1));
    }
    EXPECT_EQ(pxyGrid(PxyGrid::ToLast)[1], 0.02f);
    EXPECT_EQ(pxyGrid(PxyGrid::ToLast)[48], 0.96f);
    EXPECT_EQ(pxyGrid(PxyGrid::FromSecond)[1], 0.04f);
    EXPECT_EQ(pxyGrid(PxyGrid::FromSecond)[48], 0.98f);
}

struct Refusal {
    const char* what;
    Entry entry;
    std::vector<std::pair<int, DialogTexts>> dialogs;
    Texts answers;
    Texts shown; // prompts and messages in order
};

const std::string pcPrompt = "Please enter the Critical pressure(in bar) of  ";
const std::string tcPrompt = "Please enter the Critical Temperature(in kelvin) of  ";
const Boxes margulesBoxes{{"A12_Text1", ".3"}, {"A21_Text1", ".2"}};

TEST_F(VleWindowTest, RefusalsShowTheirTextsAndLeaveThePointsFile)
{
    const std::vector<Refusal> cases = {
        {"equal names, P-x-y Van Laar too", {K::PxyVanlaar, "benzene", "benzene", "70", "celsius", {{"A_Text1", "1"}, {"B_Text1", "1"}}},
         {}, {}, {"Two Components can't have same name so exiting "}},
        {"empty pressure", {K::TxyMargules, "benzene", "toluene", "", "bar", margulesBoxes}, {}, {}, {"pressure cannot be zero"}},
        {"a pressure beyond 32 bits once in pascal", {K::TxyMargules, "benzene", "toluene", "1" + std::string(38, '0'), "bar", margulesBoxes},
         {}, {}, {invalidEntry}},
        {"below absolute zero", {K::PxyMargules, "benzene", "toluene", "-300", "celsius", margulesBoxes}, {}, {},
         {"temperature cannot be zero"}},
        {"zero A12", {K::TxyMargules, "benzene", "toluene", "1", "bar", {{"A12_Text1", "0"}, {"A21_Text1", ".2"}}}, {}, {},
         {"A12 cannot be zero"}},
        {"empty deltag21", {K::Txynrtl, "benzene", "toluene", "1", "bar", {{"A_Text1", "100"}, {"alpha_Text1", ".3"}}}, {}, {},
         {"(delta)g21 cannot be zero"}},
        {"empty lamda12", {K::Pxywilsons, "benzene", "toluene", "300", "kelvin", {{"B_Text1", "100"}}}, {}, {},
         {"(delta)lamda12 cannot be zero"}},
        {"negative molar volume",
         {K::Txywilsons, "benzene", "toluene", "1", "bar", {{"A_Text1", "1"}, {"B_Text1", "1"}, {"v1_Text1", "-2"}, {"v2_Text1", "1"}}},
         {}, {}, {"v1 cannot be zero or negative"}},
        {"a constant beyond 32 bits", {K::TxyVanlaar, "benzene", "toluene", "1", "bar", {{"A_Text1", "1" + std::string(40, '0')}, {"B_Text1", "1"}}},
         {}, {}, {invalidEntry}},
        {"empty dialog, letters for Pc", {K::TxyVanlaar, "", "toluene", "1", "bar", {}}, {}, {"x"},
         {pcPrompt + "  it is unavailable", invalidInput}},
        {"negative Tc", {K::Pxynrtl, "benzene", "", "300", "kelvin", {}}, {}, {"40", "-5"},
         {pcPrompt + "  it is unavailable", tcPrompt + "  it is unavailable", "Tc cannot be negative so quiting"}},
        {"negative omega is asked in P-x-y", {K::Pxywilsons, "", "toluene", "300", "kelvin", {}},
         {{0, {"mystery", "500", "40", "-0.1", "350"}}}, {"0"},
         {"Please enter the Acentric factor of  mystery it is unavailable", invalidInput}},
        {"Tb above Tc", {K::TxyMargules, "", "toluene", "1", "bar", margulesBoxes}, {{0, {"hot", "300", "40", ".2", "350"}}}, {},
         {invalidInput}},
        {"Pc of one atmosphere", {K::Txynrtl, "benzene", "", "1", "bar", {}}, {{1, {"flat", "500", "1.01325", ".2", "350"}}}, {},
         {invalidInput}},
        {"same boiling point: the first solve has no chord", {K::TxyMargules, "", "benzene", "1.01325", "bar", margulesBoxes},
         {{0, {"twin", "562.05", "48.95", ".21", "353.24"}}}, {}, {invalidEntry}},
        {"coefficients beyond 32 bits", {K::PxyMargules, "benzene", "toluene", "300", "kelvin", {{"A12_Text1", "400"}, {"A21_Text1", "400"}}},
         {}, {}, {invalidEntry}},
    };
    const std::string before = "1,2,3,4\r\n";
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.what);
        folder.write("points1.dat", before);
        ui.clear();
        reportedKinds.clear();
        VleWindow& w = enter(c.entry);
        for (const auto& [index, texts] : c.dialogs)
            fillDialog(index, texts);
        for (const std::string& answer : c.answers)
            ui.answer(answer);
        w.Command1_Click();
        EXPECT_EQ(ui.texts(), c.shown);
        EXPECT_TRUE(ui.allAnswersUsed());
        EXPECT_TRUE(reportedKinds.empty());
        EXPECT_EQ(folder.read("points1.dat"), before);
        window.reset();
        for (int index = 1; index <= 2; ++index)
            widgets::WindowRegistry::instance().unload(widgets::ConstantsDialog::instanceName(index));
    }
}

TEST_F(VleWindowTest, MargulesZeroConstantsInPxyGiveRaoultsLine)
{
    enter({K::PxyMargules, "benzene", "toluene", "90", "celsius", {}}).Command1_Click();
    ASSERT_EQ(reportedKinds, std::vector<int>{18});
    const auto rows = folder.reportValues();
    const double P0 = number(rows[18]), P1 = number(rows[18 + 3 * 49]);
    for (int k : {10, 30}) {
        const double x1 = number(rows[19 + 3 * k]);
        EXPECT_NEAR(number(rows[18 + 3 * k]), x1 * P1 + (1 - x1) * P0, 1e-5 * P1);
    }
}

TEST_F(VleWindowTest, PressuresBeyondTheTwoPointLawsLimitAreInvalidEntries)
{
    const std::string before = "1,2,3,4\r\n";
    for (const testing::LimitPressure& c : testing::benzeneTolueneLimitPressures()) {
        SCOPED_TRACE(c.where);
        folder.write("points1.dat", before);
        ui.clear();
        reportedKinds.clear();
        enter({K::TxyMargules, "benzene", "toluene", std::to_string(c.P_bar), "bar", margulesBoxes}).Command1_Click();
        if (!c.reports) {
            EXPECT_EQ(ui.texts(), Texts{invalidEntry});
            EXPECT_TRUE(reportedKinds.empty());
            EXPECT_EQ(folder.read("points1.dat"), before);
            continue;
        }
        EXPECT_TRUE(ui.texts().empty());
        EXPECT_EQ(reportedKinds, std::vector<int>{19});
        testing::expectTxyPointsAboveZero(folder);
    }
}

// Left of the Antoine law's pole (55.58 K for benzene, 55.53 K for toluene) the law gives no
// vapour pressure: every P-x-y window refuses there, and still reports at 90 °C.
TEST_F(VleWindowTest, PxyLeftOfTheVapourPressurePoleIsAnInvalidEntry)
{
    const std::string before = "1,2,3,4\r\n";
    const std::pair<K, Boxes> windows[] = {
        {K::PxyMargules, margulesBoxes},
        {K::PxyVanlaar, {{"A_Text1", ".3"}, {"B_Text1", ".2"}}},
        {K::Pxynrtl, {{"A_Text1", "100"}, {"B_Text1", "100"}, {"alpha_Text1", ".3"}}},
        {K::Pxywilsons, {{"A_Text1", "100"}, {"B_Text1", "100"}, {"v1_Text1", "89.4"}, {"v2_Text1", "106.3"}}},
    };
    const struct {
        const char* T;
        const char* unit;
        bool reports;
    } temperatures[] = {{"1", "kelvin", false}, {"0.001", "kelvin", false}, {"90", "celsius", true}};
    for (const auto& [kind, boxes] : windows) {
        for (const auto& t : temperatures) {
            SCOPED_TRACE(vleWindowConfig(kind).name + " at " + t.T + " " + t.unit);
            folder.write("points1.dat", before);
            ui.clear();
            reportedKinds.clear();
            enter({kind, "benzene", "toluene", t.T, t.unit, boxes}).Command1_Click();
            EXPECT_EQ(ui.texts(), t.reports ? Texts{} : Texts{invalidEntry});
            EXPECT_EQ(reportedKinds.size(), t.reports ? 1u : 0u);
            EXPECT_EQ(folder.read("points1.dat") == before, !t.reports);
        }
    }
}

TEST_F(VleWindowTest, TheDiagramNamesTheComponentOfTheLastReport)
{
    VleWindow& w = enter({K::TxyMargules, "benzene", "toluene", "1", "bar", margulesBoxes});
    w.Command1_Click();
    ASSERT_EQ(reportedKinds, std::vector<int>{19});
    w.Combo2(0)->setCurrentText("water");
    w.variableBox()->clear();
    w.Command1_Click();
    EXPECT_EQ(ui.texts(), Texts{"pressure cannot be zero"});
    w.graphplotting("T");
    EXPECT_EQ(widgets::loadedChart()->axisTitleText(widgets::ChartControl::AxisX), "X  -   Y of benzene");
}

struct Layout {
    K kind;
    const char* caption;
    const char* heading;
    Texts focus; // after the unit list
};

TEST_F(VleWindowTest, WindowsOpenAsTheirTablesSay)
{
    const std::vector<Layout> layouts = {
        {K::TxyMargules, "Txy Margules", "  Binary vle calculator(margules  equation)", {"A12_Text1", "A21_Text1", "Command1"}},
        {K::TxyVanlaar, "Txy Vanlaar", "  Binary vle calculator(Van Laar  equation)", {"A_Text1", "B_Text1", "Command1"}},
        {K::Txynrtl, "Txy NRTL", "  Binary vle calculator(NRTL Method)", {"A_Text1", "B_Text1", "Command1", "alpha_Text1"}},
        {K::Txywilsons, "Txy Wilson's Method", "  Binary vle calculator(Wilsons Equation)",
         {"A_Text1", "B_Text1", "Command1", "v1_Text1", "v2_Text1"}},
        {K::PxyMargules, "Pxy Margules", "  Binary vle calculator(margules  equation)", {"A12_Text1", "A21_Text1", "Command1"}},
        {K::PxyVanlaar, "Pxy vanlaar", "  Binary vle calculator(Van Laar  equation)", {"A_Text1", "B_Text1", "Command1"}},
        {K::Pxynrtl, "Pxy nrtl", " Binary vle calculator(NRTL)", {"Command1", "alpha_Text1", "B_Text1", "A_Text1"}},
        {K::Pxywilsons, "Pxy wilsons", " Binary vle calculator(wilsons)",
         {"Command1", "v2_Text1", "v1_Text1", "B_Text1", "A_Text1"}},
    };
    for (const Layout& layout : layouts) {
        VleWindow& w = open(layout.kind);
        SCOPED_TRACE(layout.caption);
        const bool txy = w.config().run == VleRunKind::Txy;
        EXPECT_EQ(w.windowTitle(), layout.caption);
        EXPECT_EQ(w.findChild<QLabel*>("Label1")->text(), layout.heading);
        EXPECT_EQ(w.Command1()->text(), txy ? "Calculate And Plot T -x-y" : "Calculate And Plot P -x-y");
        EXPECT_EQ(w.unitList()->currentText(), txy ? "bar" : "kelvin");
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(w.Combo2(i)->currentText(), "benzene");
            EXPECT_EQ(w.listed(i), 1);
        }
        Texts order;
        QWidget* widget = w.unitList();
        for (std::size_t i = 0; i < layout.focus.size(); ++i) {
            widget = widget->nextInFocusChain();
            while (widget->focusPolicy() == Qt::NoFocus || !widget->isEnabled())
                widget = widget->nextInFocusChain();
            order.push_back(widget->objectName().toStdString());
        }
        EXPECT_EQ(order, layout.focus);
        w.Combo2(1)->setCurrentText("not listed");
        EXPECT_EQ(w.listed(1), 0);
    }
}

TEST_F(VleWindowTest, BoxesTakeOnlyWhatTheirFiltersAllow)
{
    VleWindow& txy = open(K::Txynrtl);
    const std::vector<std::tuple<QLineEdit*, const char*, const char*>> cases = {
        {txy.constantBox("A_Text1"), "-1.5", "-1.5"},
        {txy.constantBox("B_Text1"), "12-3", "123"},
        {txy.constantBox("alpha_Text1"), "1.2.3e+, ", "1.23"},
        {txy.variableBox(), "-5.0", "5.0"},
    };
    for (const auto& [box, typed, kept] : cases) {
        QTest::keyClicks(box, typed);
        EXPECT_EQ(box->text().toStdString(), kept) << typed;
    }
    QTest::keyClicks(txy.unitList(), "kpa");
    EXPECT_EQ(txy.unitList()->currentText(), "bar");
}

TEST_F(VleWindowTest, LeavingNotListedShowsThatComponentsDialog)
{
    for (const K kind : {K::Pxynrtl, K::TxyMargules}) {
        VleWindow& w = open(kind);
        w.show();
        QApplication::setActiveWindow(&w);
        w.Combo2(1)->setCurrentText("not listed");
        w.Combo2(1)->setFocus();
        ui.onDialog([](services::ModalDialog& dialog) { dialog.confirm(); });
        w.Combo2(0)->setFocus(Qt::TabFocusReason);
        w.Combo2(0)->setFocus(); // a database entry opens nothing
        w.Combo2(1)->setFocus();
        ui.onDialog([](services::ModalDialog& dialog) { dialog.confirm(); });
        w.Command1()->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(ui.texts(), (Texts{"GetPcTcOmega2", "GetPcTcOmega2"}));
        EXPECT_TRUE(ui.allAnswersUsed());
        ui.clear();
        window.reset();
    }
}

TEST_F(VleWindowTest, UnreadableDatabaseOpensTheWindowWithAMessage)
{
    std::filesystem::remove(folder.file("properties.mdb"));
    open(K::PxyMargules);
    EXPECT_EQ(ui.messages(), Texts{"error in loading data"});
}

// On a desktop whose language writes a decimal comma the typed pressure and constants keep their
// points: the page, the points file and the texts shown are those of the C locale.
TEST_F(VleWindowTest, ADecimalCommaDesktopGivesThePageAndPointsOfTheCLocale)
{
    const Entry entry{K::TxyMargules, "benzene", "toluene", "1.01325", "bar", {{"A12_Text1", "0.3"}, {"A21_Text1", "0.2"}}};
    const auto run = [&] {
        enter(entry).Command1_Click();
        return std::tuple{folder.read("result.htm"), folder.read("points1.dat"), ui.texts()};
    };
    const auto underC = run();
    EXPECT_EQ(folder.reportValues()[3], "1.01325");
    testing::DecimalCommaDesktop desktop;
    EXPECT_EQ(run(), underC);
}

} // namespace
} // namespace calvex::activity
