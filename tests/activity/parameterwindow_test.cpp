// The parameter calculator as a user meets it, offscreen: the parameter window's choices and
// "Add Data", the data-point window's filters, and Calculate's fit against the published
// constants and against rows made from the program's own saturation pressures, with every
// refusal's exact text.

#include "activity/parameterwindows.h"

#include "core/saturationpressure.h"
#include "services/numbers.h"
#include "tests/activity/activityfixture.h"
#include "tests/pure/referenceeos.h"
#include "tests/support/calculatorwindowtest.h"
#include "widgets/constantsdialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <charconv>
#include <cmath>
#include <functional>

namespace calvex::activity {
namespace {

using testing::ActivityFixtureFolder;
using testing::VleFluid;
using Texts = std::vector<std::string>;

struct Row {
    std::string T, x1, y1, P;
};

struct Entry {
    std::string component1, component2; // "" leaves the list on "not listed"
    int equation;                       // option button 2, 3 or 4
    int model;                          // option button 1 (Van Laar) or 5 (Margules)
    std::string count;
    std::string Tunit, Punit;
    std::vector<Row> rows;
};

class ParameterWindowTest : public testing::CalculatorWindowTest<ParametersForm1> {
protected:
    static void SetUpTestSuite()
    {
        CalculatorWindowTest::SetUpTestSuite();
        registerParameterWindows();
    }

    ParametersForm1& parameters()
    {
        return *registry().loadAs<ParametersForm1>("ParametersForm1");
    }
    Datapoints* data() { return registry().findAs<Datapoints>("Datapoints"); }
    static widgets::WindowRegistry& registry() { return widgets::WindowRegistry::instance(); }

    // Sets the parameter window, presses "Add Data" and types the rows.
    Datapoints& enter(const Entry& entry)
    {
        ParametersForm1& p = parameters();
        const std::string names[2] = {entry.component1, entry.component2};
        for (int i = 0; i < 2; ++i)
            p.Combo2(i)->setCurrentText(QString::fromStdString(names[i].empty() ? "not listed" : names[i]));
        p.Option(entry.equation)->click();
        p.Option(entry.model)->click();
        p.Combo3()->setCurrentText(QString::fromStdString(entry.count));
        p.Command1()->click();
        Datapoints& d = *data();
        d.Combo1_Unit_T()->setCurrentText(QString::fromStdString(entry.Tunit));
        d.Combo1_Unit_p()->setCurrentText(QString::fromStdString(entry.Punit));
        for (std::size_t k = 0; k < entry.rows.size(); ++k) {
            const int row = static_cast<int>(k);
            const Row& r = entry.rows[k];
            for (auto [box, text] : {std::pair{d.Temp(row), r.T}, {d.x1(row), r.x1}, {d.y1(row), r.y1}, {d.Press(row), r.P}}) {
                box->clear();
                QTest::keyClicks(box, QString::fromStdString(text));
            }
        }
        return d;
    }

    // The two numbers of the constants message.
    static std::pair<double, double> constantsOf(const std::string& message)
    {
        const std::size_t first = message.find(" = ") + 3;
        const std::size_t second = message.find(" = ", first) + 3;
        return {services::val(message.substr(first)), services::val(message.substr(second))};
    }

    ActivityFixtureFolder folder;
};

// Rows of a T, x1, y1 and P table, all at one temperature.
std::vector<Row> rowsAt(const std::string& T, const std::vector<std::array<std::string, 3>>& points)
{
    std::vector<Row> rows;
    for (const auto& [x1, y1, P] : points)
        rows.push_back({T, x1, y1, P});
    return rows;
}

// The constants these rows were made from, to 1e-3: the rows carry 6 digits and the fit
// divides by x1 x2 and by g.
constexpr double publishedTolerance = 1e-3;

TEST_F(ParameterWindowTest, PublishedRowsGiveBackTheirConstants)
{
    const std::vector<std::tuple<Entry, std::string, double, double>> cases = {
        {{"benzene", "toluene", 2, 5, "5", "kelvin", "kpa",
          rowsAt("360", {{".1", ".314547", "64.5915"}, {".3", ".610872", "90.8256"}, {".5", ".742361", "108.0742"},
                         {".7", ".824274", "118.2290"}, {".9", ".918002", "124.2433"}})},
         "\r\n THe Margules Constants are \r\n\r\n       a12 = ", 0.5, 1.0},
        {{"ethanol", "water", 4, 1, "6", "celsius", "bar",
          rowsAt("70", {{".1", ".478127", "0.474478"}, {".2", ".572108", "0.548471"}, {".4", ".653318", "0.612167"},
                        {".6", ".732137", "0.656199"}, {".8", ".841728", "0.691222"}, {".9", ".913479", "0.703107"}})},
         "\r\n The Vanlaar Constants are\r\n\r\n         A = ", 1.6798, 0.9227},
    };
    for (const auto& [entry, heading, first, second] : cases) {
        ui.clear();
        enter(entry).Command1_Click();
        const Texts messages = ui.messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].substr(0, heading.size()), heading);
        const auto [a, b] = constantsOf(messages[0]);
        EXPECT_NEAR(a, first, publishedTolerance) << messages[0];
        EXPECT_NEAR(b, second, publishedTolerance) << messages[0];
    }
}

// The published rows with the saturation pressures of the independent equation of state in
// the tests: the fit itself, apart from the program's saturation-pressure routine.
TEST(ParameterFit, PublishedRowsWithConvergedSaturationPressuresGiveBackTheirConstants)
{
    namespace ref = testing::reference;
    struct Case {
        FitModel model;
        ref::Eos eos;
        VleFluid one, two;
        double T;
        std::vector<std::array<double, 3>> rows; // x1, y1, P in Pa
        double first, second;
    };
    const std::vector<Case> cases = {
        {FitModel::Margules, ref::Eos::PengRobinson, testing::benzene, testing::toluene, 360,
         {{.1, .314547, 64591.5}, {.3, .610872, 90825.6}, {.5, .742361, 108074.2}, {.7, .824274, 118229.0},
          {.9, .918002, 124243.3}},
         0.5, 1.0},
        {FitModel::VanLaar, ref::Eos::SoaveRedlichKwong, testing::ethanol, testing::water, 343.15,
         {{.1, .478127, 47447.8}, {.2, .572108, 54847.1}, {.4, .653318, 61216.7}, {.6, .732137, 65619.9},
          {.8, .841728, 69122.2}, {.9, .913479, 70310.7}},
         1.6798, 0.9227},
    };
    for (const Case& c : cases) {
        const auto fluid = [](const VleFluid& f) { return ref::Fluid{f.Tc, f.Pc_bar * 1e5, f.omega, f.Tb}; };
        const double P1 = *ref::saturationPressure(c.eos, fluid(c.one), c.T);
        const double P2 = *ref::saturationPressure(c.eos, fluid(c.two), c.T);
        std::vector<float> x1, gamma1, gamma2;
        for (const auto& [x, y, P] : c.rows) {
            x1.push_back(static_cast<float>(x));
            gamma1.push_back(static_cast<float>(P * y / (x * P1)));
            gamma2.push_back(static_cast<float>(P * (1 - y) / ((1 - x) * P2)));
        }
        const auto constants = fitConstants(c.model, x1, gamma1, gamma2);
        ASSERT_TRUE(constants);
        EXPECT_NEAR(constants->first, c.first, publishedTolerance);
        EXPECT_NEAR(constants->second, c.second, publishedTolerance);
    }
    EXPECT_FALSE(fitConstants(FitModel::VanLaar, {.3f, .6f}, {1, 1.2f}, {1, 1.1f})) << "g = 0 in a row";
}

// The saturation pressure of `f` at T by the program's own routine with `equation`.
double programPsat(const VleFluid& f, int equation, float T)
{
    core::EosState state(core::EosHost::Datapoints);
    core::ComponentConstants c;
    c.Tc = static_cast<float>(f.Tc);
    c.Pc = static_cast<float>(f.Pc_bar);
    c.Tb = static_cast<float>(f.Tb);
    c.omega = static_cast<float>(f.omega);
    c.eq = 3;
    c.VPA = static_cast<float>(f.A);
    c.VPB = static_cast<float>(f.B);
    c.VPC = static_cast<float>(f.C);
    EXPECT_TRUE(state.loadComponent(c));
    state.optionno = static_cast<std::int16_t>(equation);
    state.T = T;
    return static_cast<double>(core::Psatcal(state));
}

// `value` with `places` decimals, rounded as printf rounds.
std::string fixed(double value, int places)
{
    char text[64];
    return {text, std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, places).ptr};
}

// Benzene/toluene rows at 360 K made from `model` and the program's saturation pressures with
// `equation`, to 7 significant digits: only a fit with that equation gives the model's
// constants back to 1e-5.
std::vector<Row> programRows(int equation, const testing::LnGamma& model)
{
    const double P1 = programPsat(testing::benzene, equation, 360), P2 = programPsat(testing::toluene, equation, 360);
    EXPECT_GT(P1, 0);
    EXPECT_GT(P2, 0);
    std::vector<std::array<std::string, 3>> points;
    for (const double x1 : {0.15, 0.35, 0.55, 0.75, 0.95}) {
        const auto lnGamma = model(x1, 360);
        const double p1 = x1 * std::exp(lnGamma[0]) * P1;
        const double P = p1 + (1 - x1) * std::exp(lnGamma[1]) * P2;
        points.push_back({std::string(".") + std::to_string(static_cast<int>(std::lround(x1 * 100))),
                          fixed(p1 / P, 7).substr(1), fixed(P, 2)});
    }
    return rowsAt("360", points);
}

constexpr double programTolerance = 1e-5;

TEST_F(ParameterWindowTest, RowsFromTheProgramsSaturationPressuresGiveBackTheirConstantsExactly)
{
    const double A12 = 0.5, A21 = 1.0;
    enter({"benzene", "toluene", 3, 5, "5", "kelvin", "pa", programRows(3, testing::margules(A12, A21))}).Command1_Click();
    ASSERT_EQ(ui.messages().size(), 1u);
    const auto [a12, a21] = constantsOf(ui.messages()[0]);
    EXPECT_NEAR(a12, A12, programTolerance);
    EXPECT_NEAR(a21, A21, programTolerance);
}

struct Refusal {
    const char* what;
    Entry entry;
    Texts answers;
    Texts shown;
    const char* windowShownAgain; // nullptr: none
};

const std::vector<Row> twoRows = rowsAt("360", {{".3", ".6", "90"}, {".7", ".8", "118"}});

TEST_F(ParameterWindowTest, RefusalsShowTheirTexts)
{
    std::vector<Row> cold = rowsAt("360", {{".1", ".3", "64"}, {".3", ".6", "90"}, {".5", ".7", "108"}});
    cold[2].T = "-5";
    std::vector<Row> noPressure = twoRows;
    noPressure[0].P = "";
    std::vector<Row> zeroFraction = twoRows;
    zeroFraction[1].x1 = ".";
    const std::vector<Refusal> cases = {
        {"a row at -5 kelvin", {"benzene", "toluene", 2, 5, "3", "kelvin", "kpa", cold}, {}, {"Invalid Temperature in data 3"},
         "Datapoints"},
        {"an empty pressure", {"benzene", "toluene", 2, 5, "2", "kelvin", "kpa", noPressure}, {}, {"Invalid Pressure in data 1"},
         "Datapoints"},
        {"an x1 of \".\"", {"benzene", "toluene", 2, 5, "2", "kelvin", "kpa", zeroFraction}, {}, {"Invalid data in data 2"},
         "Datapoints"},
        {"equal names", {"benzene", "benzene", 2, 5, "2", "kelvin", "kpa", twoRows}, {},
         {"Two or more components cannot have same name so exiting"}, "ParametersForm1"},
        {"17 points", {"benzene", "toluene", 2, 5, "17", "kelvin", "kpa", twoRows}, {}, {"Number of data points must be 2 to 16"},
         nullptr},
        {"letters for the count", {"benzene", "toluene", 2, 5, "x", "kelvin", "kpa", twoRows}, {},
         {"Number of data points must be 2 to 16"}, nullptr},
        {"all x1 equal", {"benzene", "toluene", 2, 5, "2", "kelvin", "kpa", rowsAt("360", {{".3", ".6", "90"}, {".3", ".5", "80"}})},
         {}, {"The data do not fit the chosen equation"}, nullptr},
        {"an empty dialog, Pc 0", {"", "toluene", 2, 5, "2", "kelvin", "kpa", twoRows}, {"0"},
         {"GetPcTcOmega1", "Please enter the Critical pressure(in bar) of    it is unavailable", invalidInput}, nullptr},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.what);
        ui.clear();
        if (c.entry.component1.empty())
            ui.onDialog([](services::ModalDialog& dialog) { dialog.confirm(); });
        Datapoints& d = enter(c.entry);
        for (const std::string& answer : c.answers)
            ui.answer(answer);
        parameters().hide();
        d.hide();
        d.Command1_Click();
        EXPECT_EQ(ui.texts(), c.shown);
        EXPECT_TRUE(ui.allAnswersUsed());
        if (c.windowShownAgain) {
            EXPECT_TRUE(registry().find(c.windowShownAgain)->isVisible());
        }
        for (const char* name : {"ParametersForm1", "Datapoints", "GetPcTcOmega1", "GetPcTcOmega2"})
            registry().unload(QString::fromLatin1(name));
    }
}

TEST_F(ParameterWindowTest, MinusFiveCelsiusIsAcceptedAndAModelCodeOfThreeShowsNothing)
{
    Datapoints& d = enter({"benzene", "toluene", 2, 5, "2", "celsius", "kpa", rowsAt("-5", {{".3", ".6", "9"}, {".7", ".8", "11"}})});
    d.Command1_Click();
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_NE(ui.messages()[0].find("THe Margules Constants"), std::string::npos);
    ui.clear();
    parameters().Text2_optionno()->setText("3");
    d.Command1_Click();
    EXPECT_TRUE(ui.texts().empty());
}

TEST_F(ParameterWindowTest, WindowsOpenWithTheirChoicesAndAddDataShowsTheRows)
{
    ParametersForm1& p = parameters();
    EXPECT_EQ(p.windowTitle(), "Form1");
    EXPECT_EQ(p.findChild<QLabel*>("Label1")->text(), QString(16, ' ') + "Vle(Parameter Calculator)" + QString(13, ' '));
    EXPECT_TRUE(p.Option(2)->isChecked());
    EXPECT_TRUE(p.Option(1)->isChecked());
    EXPECT_EQ((Texts{p.Text1_optionno()->text().toStdString(), p.Text2_optionno()->text().toStdString(),
                     p.Combo3()->currentText().toStdString(), p.Data(0)->text().toStdString()}),
              (Texts{"2", "1", "2", "1"}));
    p.Option(4)->click();
    p.Option(5)->click();
    EXPECT_EQ(p.Text1_optionno()->text(), "4");
    EXPECT_EQ(p.Text2_optionno()->text(), "2");

    // Both components not listed with empty dialogs: one dialog a press, component 1's first.
    for (int i = 0; i < 2; ++i)
        p.Combo2(i)->setCurrentText("not listed");
    EXPECT_EQ(p.Data(1)->text(), "0");
    p.Combo3()->setCurrentText("5");
    ui.onDialog([](services::ModalDialog& dialog) {
        for (int box = 1; box <= 4; ++box)
            dialog.typeFieldText(box, "5");
        dialog.confirm();
    });
    p.Command1_Click();
    ui.onDialog([](services::ModalDialog& dialog) { dialog.confirm(); });
    p.Command1_Click();
    EXPECT_EQ(ui.texts(), (Texts{"GetPcTcOmega1", "GetPcTcOmega2"}));
    Datapoints& d = *data();
    EXPECT_EQ(d.windowTitle(), " Data Entry Form ");
    for (int row = 0; row < maxDataPoints; ++row)
        EXPECT_EQ(d.Temp(row)->isVisibleTo(&d), row < 5) << row;
    // In a window tall enough for 16 rows the five stand right under their headings.
    d.resize(d.width(), 900);
    d.show();
    d.layout()->activate();
    const QLabel* columnHeading = d.findChild<QLabel*>("Label3");
    const QLabel* heading = d.findChild<QLabel*>("Label1");
    EXPECT_LT(columnHeading->y() - heading->y() - heading->sizeHint().height(), d.Temp(0)->height());
    EXPECT_LT(d.Temp(0)->y() - columnHeading->y() - columnHeading->sizeHint().height(), d.Temp(0)->height());
    p.Combo3()->setCurrentText("x");
    ui.onDialog([](services::ModalDialog& dialog) { dialog.confirm(); });
    p.Command1_Click();
    EXPECT_FALSE(d.Press(0)->isVisibleTo(&d));

    // Fractions are typed as a point and digits.
    QTest::keyClicks(d.x1(0), "5.5");
    QTest::keyClicks(d.y1(0), ".5.5-");
    EXPECT_EQ(d.x1(0)->text(), ".5");
    EXPECT_EQ(d.y1(0)->text(), ".55");

    registry().unload(QStringLiteral("ParametersForm1"));
    ui.clear();
    d.Command1_Click();
    EXPECT_EQ(ui.messages(), Texts{"The parameter window is closed: open the parameter calculator again"});
}

// The fit uses the equation and the model shown checked, however the buttons were checked: a
// program's setChecked, an accessibility tool's toggle, or the arrow keys.
TEST_F(ParameterWindowTest, TheFitUsesTheButtonsShownCheckedHoweverTheyWereChecked)
{
    using Check = std::function<void(ParametersForm1&, int from, int to)>;
    const Check setChecked = [](ParametersForm1& p, int, int to) { p.Option(to)->setChecked(true); };
    const Check toggle = [](ParametersForm1& p, int, int to) { p.Option(to)->toggle(); };
    const Check arrowKey = [](ParametersForm1& p, int from, int to) {
        p.Option(from)->setFocus();
        QTest::keyClick(p.Option(from), to == 1 ? Qt::Key_Up : Qt::Key_Down);
    };
    struct Case {
        const char* how;
        Check check;
        int equation, model;  // the buttons checked when the rows are entered
        int toEquation, toModel; // the buttons then checked
    };
    const Case cases[] = {
        {"setChecked", setChecked, 2, 1, 3, 5},
        {"toggle", toggle, 2, 5, 4, 1},
        {"arrow keys", arrowKey, 2, 1, 3, 5},
    };
    const double first = 0.5, second = 1.0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        const testing::LnGamma model = c.toModel == 5 ? testing::margules(first, second) : testing::vanLaar(first, second);
        Datapoints& d = enter({"benzene", "toluene", c.equation, c.model, "5", "kelvin", "pa", programRows(c.toEquation, model)});
        ParametersForm1& p = parameters();
        p.show();
        p.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&p));
        c.check(p, c.equation, c.toEquation);
        c.check(p, c.model, c.toModel);
        EXPECT_TRUE(p.Option(c.toEquation)->isChecked());
        EXPECT_TRUE(p.Option(c.toModel)->isChecked());
        ui.clear();
        d.Command1_Click();
        ASSERT_EQ(ui.messages().size(), 1u);
        EXPECT_NE(ui.messages()[0].find(c.toModel == 5 ? "Margules" : "Vanlaar"), std::string::npos) << ui.messages()[0];
        const auto [a, b] = constantsOf(ui.messages()[0]);
        EXPECT_NEAR(a, first, programTolerance);
        EXPECT_NEAR(b, second, programTolerance);
        for (const char* name : {"ParametersForm1", "Datapoints"})
            registry().unload(QString::fromLatin1(name));
    }
}

// The count is the text as typed: no completion into an entry, no entry added on Return, and
// rows only for a whole number 2..16; any other count shows none and Calculate refuses it.
TEST_F(ParameterWindowTest, TheCountIsTheTextAsTypedAndOnly2To16ShowRows)
{
    struct Case {
        const char* typed;
        Qt::Key key;
        int rows; // 0: refused
    };
    const Case cases[] = {
        {"1", Qt::Key_Tab, 0}, {"17", Qt::Key_Return, 0}, {"0", Qt::Key_Tab, 0}, {"x", Qt::Key_Tab, 0},
        {"", Qt::Key_Tab, 0},  {"2", Qt::Key_Tab, 2},     {"16", Qt::Key_Return, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.typed + "\"");
        ParametersForm1& p = parameters();
        p.Combo2(0)->setCurrentText("benzene");
        p.Combo2(1)->setCurrentText("toluene");
        p.show();
        p.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&p));
        QComboBox* list = p.Combo3();
        list->setFocus();
        list->lineEdit()->selectAll();
        QTest::keyClick(list, Qt::Key_Backspace);
        QTest::keyClicks(list, QString::fromLatin1(c.typed));
        QTest::keyClick(list, c.key);
        EXPECT_EQ(list->currentText().toStdString(), c.typed);
        EXPECT_EQ(list->count(), maxDataPoints - 1);
        ui.clear();
        p.Command1()->click();
        Datapoints& d = *data();
        for (int row = 0; row < maxDataPoints; ++row)
            EXPECT_EQ(d.Temp(row)->isVisibleTo(&d), row < c.rows) << row;
        EXPECT_TRUE(ui.texts().empty());
        if (c.rows == 0) {
            d.Command1_Click();
            EXPECT_EQ(ui.texts(), Texts{"Number of data points must be 2 to 16"});
        }
        for (const char* name : {"ParametersForm1", "Datapoints"})
            registry().unload(QString::fromLatin1(name));
    }
}

} // namespace
} // namespace calvex::activity
