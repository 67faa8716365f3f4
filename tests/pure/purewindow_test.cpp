// The seven windows as a user meets them, offscreen: the component list, the key filters, the
// "not listed" dialogs (the real dialogs, filled and confirmed through the scripted Ui), the
// check-and-prompt chains with their exact texts, the report and the chart.

#include "pure/purecalculatorwindow.h"

#include "services/programfolder.h"
#include "services/resultformat.h"
#include "tests/pure/purefixture.h"
#include "tests/support/calculatorwindowtest.h"
#include "tests/support/desktoplanguage.h"
#include "tests/support/environmentscope.h"
#include "tests/support/scriptedui.h"
#include "widgets/chartcontrol.h"
#include "widgets/chartwindow.h"
#include "widgets/dialogwindows.h"
#include "widgets/resultviewer.h"
#include "widgets/webbrowser.h"
#include "widgets/viewerwindows.h"
#include "widgets/windownames.h"
#include "widgets/windowregistry.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

namespace calvex::pure {
namespace {

using services::ModalDialog;
using testing::PureFixtureFolder;
using testing::ScriptedUi;
using Texts = std::vector<std::string>;

const std::string invalidInput = "invalid input so quiting";

// A dialog script that types the given texts into the boxes they name and confirms.
ScriptedUi::DialogScript fill(std::vector<std::pair<int, std::string>> boxes)
{
    return [boxes](ModalDialog& dialog) {
        for (const auto& [index, text] : boxes)
            dialog.typeFieldText(index, text);
        dialog.confirm();
    };
}

ScriptedUi::DialogScript confirmOnly() { return fill({}); }

class PureWindowTest : public testing::CalculatorWindowTest<PureCalculatorWindow> {
protected:

    void select(const QString& component)
    {
        const int index = window->Combo2()->findText(component);
        ASSERT_GE(index, 0) << component.toStdString();
        window->Combo2()->setCurrentIndex(index);
    }

    void type(QLineEdit* box, const QString& text)
    {
        box->clear();
        QTest::keyClicks(box, text);
    }

    void setState(const QString& T, const QString& Tunit, const QString& p, const QString& punit)
    {
        if (window->Text1_Temperature()) {
            type(window->Text1_Temperature(), T);
            window->Combo1_Unit_T()->setCurrentIndex(window->Combo1_Unit_T()->findText(Tunit));
        }
        if (window->Text1_Pressure()) {
            type(window->Text1_Pressure(), p);
            window->Combo1_Unit_p()->setCurrentIndex(window->Combo1_Unit_p()->findText(punit));
        }
    }

    void clickCalculate() { QTest::mouseClick(window->calculateButton(), Qt::LeftButton); }

    bool reported() const { return std::filesystem::exists(folder.file("result.htm")); }

    PureFixtureFolder folder;
};

TEST_F(PureWindowTest, ComponentListIsSortedWithoutRegardToCaseAndKeepsEachSno)
{
    for (const PureWindowKind kind : pureWindowKinds()) {
        open(kind);
        QComboBox* list = window->Combo2();
        QStringList names;
        for (int i = 0; i < list->count(); ++i)
            names << list->itemText(i);
        EXPECT_EQ(names, (QStringList{"Argon", "methane", "n-butane", "not listed", "propane", "zero omega fluid"}));
        EXPECT_EQ(list->currentIndex(), 0);
        EXPECT_EQ(list->itemData(list->findText("propane")).toInt(), testing::propaneSno);
        EXPECT_EQ(list->itemData(list->findText("Argon")).toInt(), testing::argonSno);
    }
    EXPECT_TRUE(ui.texts().empty());
}

TEST_F(PureWindowTest, UnreadableDatabaseShowsTheWindowsLoadMessage)
{
    std::filesystem::remove(folder.file("properties.mdb"));
    const std::pair<PureWindowKind, const char*> rows[] = {
        {PureWindowKind::Enthalpy, "error in loading data"},
        {PureWindowKind::SaturationPressure, "error in loading database"},
        {PureWindowKind::SaturationTemperature, "error in Form_Load"},
    };
    for (const auto& [kind, message] : rows) {
        ui.clear();
        open(kind);
        EXPECT_EQ(ui.messages(), Texts{message});
        EXPECT_EQ(window->Combo2()->count(), 0);
    }
    // The molar-volume window then leaves its temperature unit list without an entry.
    open(PureWindowKind::MolarVolume);
    EXPECT_EQ(window->Combo1_Unit_T()->currentText(), "");
    EXPECT_EQ(window->Combo1_Unit_p()->currentText(), "bar");
}

TEST_F(PureWindowTest, ControlsCarryTheWindowsNamesCaptionsAndUnits)
{
    struct Row {
        PureWindowKind kind;
        const char* caption;
        const char* button;
        const char* buttonCaption;
        QStringList temperatureUnits; // empty: no temperature box
        QStringList pressureUnits;    // empty: no pressure box
    };
    const QStringList frameT{"fahrenheit", "celsius", "kelvin"};
    const QStringList frameP{"atm", "bar", "kpa", "mm Hg", "Mpa", "pa", "psia"};
    const Row rows[] = {
        {PureWindowKind::Enthalpy, "Enthalpy  Calculator", "Command1_Calculator", "Click To Calculate Entropy", frameT, frameP},
        {PureWindowKind::Entropy, "Entropy Calculator", "Command1_Calculator", "Click To Calculate Entropy", frameT, frameP},
        {PureWindowKind::Fugacity, "Fugacity  Calculator", "Command1_Calculator", "Click To Calculate Fugacity",
         {"celsius", "fahrenheit", "kelvin"}, frameP},
        {PureWindowKind::MolarVolume, "Molar Volume Calculator", "Command1", "Click To Calculate Molar Volume",
         {"kelvin", "fahrenheit", "celsius"}, {"bar", "atm", "kpa", "mm Hg", "Mpa", "pa", "psia"}},
        {PureWindowKind::Departure, "Departure Function Calculator", "Command1_Calculator", "          Click To Calculate ",
         frameT, frameP},
        {PureWindowKind::SaturationPressure, "Saturation Pressure  Calculator", "Command1_saturatedpressureCalculator",
         "Click To Calculate Saturation Pressure", frameT, {}},
        {PureWindowKind::SaturationTemperature, "Saturation Temperature Calculator ", "Command1_Calculator",
         "Click To Calculate Saturated Temperature", {}, frameP},
    };
    for (const Row& row : rows) {
        open(row.kind);
        SCOPED_TRACE(window->objectName().toStdString());
        EXPECT_EQ(window->windowTitle(), row.caption);
        EXPECT_EQ(window->calculateButton()->objectName(), row.button);
        EXPECT_EQ(window->calculateButton()->text(), row.buttonCaption);
        EXPECT_EQ(window->Text1_Temperature() != nullptr, !row.temperatureUnits.isEmpty());
        EXPECT_EQ(window->Text1_Pressure() != nullptr, !row.pressureUnits.isEmpty());
        const auto entries = [](QComboBox* list) {
            QStringList texts;
            for (int i = 0; list && i < list->count(); ++i)
                texts << list->itemText(i);
            return texts;
        };
        EXPECT_EQ(entries(window->Combo1_Unit_T()), row.temperatureUnits);
        EXPECT_EQ(entries(window->Combo1_Unit_p()), row.pressureUnits);
        if (window->Combo1_Unit_T()) {
            EXPECT_EQ(window->Combo1_Unit_T()->currentText(), "kelvin");
        }
        if (window->Combo1_Unit_p()) {
            EXPECT_EQ(window->Combo1_Unit_p()->currentText(), "bar");
        }
        EXPECT_TRUE(window->Option(1)->isChecked());
        EXPECT_EQ(window->calculator().optionno(), 1);
        EXPECT_EQ(window->Option(2)->text(), "Peng Robinson");
    }
}

// An accessibility tool's toggle checks a button without a click; the calculation must use the
// equation shown checked.
TEST_F(PureWindowTest, EquationFollowsTheCheckedButtonHoweverItWasChecked)
{
    open(PureWindowKind::Fugacity);
    const std::pair<int, std::function<void()>> rows[] = {
        {4, [&] { window->Option(4)->setChecked(true); }},
        {3, [&] { window->Option(3)->toggle(); }},
        {2, [&] { window->Option(2)->click(); }},
        {1, [&] { window->Option(1)->setChecked(true); }},
    };
    for (const auto& [option, check] : rows) {
        check();
        EXPECT_TRUE(window->Option(option)->isChecked()) << option;
        EXPECT_EQ(window->calculator().optionno(), option);
    }
}

TEST_F(PureWindowTest, KeyFiltersOfTheNumberBoxes)
{
    struct Row {
        PureWindowKind kind;
        bool temperatureBox;
        const char* typed;
        const char* shown;
    };
    const Row rows[] = {
        {PureWindowKind::Enthalpy, true, "-12.5.3-x", "-12.53"},
        {PureWindowKind::Enthalpy, false, "-1.2.3a", "1.23"},
        {PureWindowKind::MolarVolume, true, "3-00", "300"},
        {PureWindowKind::SaturationPressure, true, "1.2.3-", "1.2.3"},
        {PureWindowKind::SaturationPressure, true, "-5", "-5"},
        {PureWindowKind::SaturationTemperature, false, "-2.5.1 e", "2.5.1"},
    };
    for (const Row& row : rows) {
        open(row.kind);
        QLineEdit* box = row.temperatureBox ? window->Text1_Temperature() : window->Text1_Pressure();
        type(box, row.typed);
        EXPECT_EQ(box->text(), row.shown) << window->objectName().toStdString() << " " << row.typed;
    }
}

TEST_F(PureWindowTest, TabMovesThroughTheControlsInTheirOrder)
{
    open(PureWindowKind::Fugacity);
    window->show();
    QApplication::setActiveWindow(window.get());
    window->Text1_Temperature()->setFocus();
    const std::vector<QWidget*> order{window->Combo1_Unit_T(), window->Text1_Pressure(), window->Combo1_Unit_p(),
                                      window->Combo2(), window->Option(1)};
    for (QWidget* next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
}

TEST_F(PureWindowTest, UnitAndComponentListsTakeTypedLettersOnlyWhereTheWindowLetsThem)
{
    enum class List { TemperatureUnits, PressureUnits, Components };
    const struct {
        PureWindowKind kind;
        List list;
        const char* typed;
        const char* shown;
    } rows[] = {
        {PureWindowKind::Enthalpy, List::TemperatureUnits, "c", "kelvin"},
        {PureWindowKind::Enthalpy, List::PressureUnits, "p", "bar"},
        {PureWindowKind::Enthalpy, List::Components, "p", "Argon"},
        {PureWindowKind::MolarVolume, List::TemperatureUnits, "c", "celsius"},
        {PureWindowKind::MolarVolume, List::PressureUnits, "p", "bar"},
        {PureWindowKind::MolarVolume, List::Components, "p", "propane"},
        {PureWindowKind::Departure, List::Components, "m", "methane"},
    };
    for (const auto& row : rows) {
        open(row.kind);
        QComboBox* list = row.list == List::TemperatureUnits ? window->Combo1_Unit_T()
                        : row.list == List::PressureUnits    ? window->Combo1_Unit_p()
                                                             : window->Combo2();
        QTest::keyClicks(list, row.typed);
        EXPECT_EQ(list->currentText(), row.shown) << window->objectName().toStdString() << " "
                                                  << list->objectName().toStdString();
    }
}

TEST_F(PureWindowTest, StateIsCheckedInKelvinAndPascalAndAReplyIsInThePromptsUnit)
{
    const std::string reference = "The Enthalpy Of Saturated Liquid at the \r\nspecified Temperature will be assigned a "
                                  "value of zero \r\nPLEASE SPECIFY THE TEMPERATURE(KELVIN) OF THE REFERENCE STATE";
    struct Row {
        PureWindowKind kind;
        QString component;
        int option;
        QString T, Tunit, p, punit;
        Texts answers;
        Texts shown;
        std::vector<std::pair<std::size_t, const char*>> values; // report value number, text
        int reportedKind;
    };
    const Row rows[] = {
        {PureWindowKind::Enthalpy, "propane", 2, "-300", "celsius", "1", "bar", {"250", "300"},
         {reference, "Temperature cannot be zero or negative", "Enter valid Temperature in kelvin"},
         {{1, "300  kelvin"}, {7, "300"}}, 7},
        {PureWindowKind::Departure, "propane", 1, "25", "celsius", "0", "atm", {"2"},
         {"Pressure cannot be zero or negative", "Enter valid Pressure  in bar"},
         {{1, "25  celsius"}, {2, "2  bar"}, {7, "298.15"}, {8, "200000"}}, 5},
        // Below 0 celsius, above 0 K: no message (the check used to test the typed -40).
        {PureWindowKind::Departure, "propane", 1, "-40", "celsius", "1", "bar", {}, {},
         {{1, "-40  celsius"}, {7, "233.15"}}, 5},
        // An empty box is no temperature, although 0 celsius would be one.
        {PureWindowKind::Fugacity, "propane", 2, "", "celsius", "20", "bar", {"300"},
         {"Temperature cannot be zero or negative", "Enter valid Temperature in kelvin"},
         {{1, "300  kelvin"}, {7, "300"}}, 4},
        {PureWindowKind::SaturationPressure, "n-butane", 2, "-460", "fahrenheit", "", "", {"300"},
         {"Temperature(in kelvin) cannot be zero or negative", "Enter valid Temperature in kelvin"},
         {{1, "300(kelvin)"}, {7, "300"}}, 2},
        {PureWindowKind::SaturationTemperature, "n-butane", 2, "", "", "0", "atm", {"2"},
         {"Pressure cannot be zero or negative", "Enter valid Pressure  in bar"}, {{1, "2(bar)"}, {7, "200000"}}, 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(pureWindowConfig(row.kind).name);
        ui.clear();
        reportedKinds.clear();
        open(row.kind);
        select(row.component);
        window->Option(row.option)->click();
        setState(row.T, row.Tunit, row.p, row.punit);
        for (const std::string& answer : row.answers)
            ui.answer(answer);
        clickCalculate();
        EXPECT_EQ(ui.texts(), row.shown);
        const Texts values = folder.reportValues();
        for (const auto& [number, text] : row.values)
            EXPECT_EQ(values[number], text) << "value " << number;
        EXPECT_EQ(reportedKinds, std::vector<int>{row.reportedKind});
    }
}

TEST_F(PureWindowTest, CancelledStatePromptsEndWithoutFurtherMessage)
{
    struct Row {
        PureWindowKind kind;
        QString T, p;
        Texts shown;
    };
    const Row rows[] = {
        {PureWindowKind::Fugacity, "0", "1", {"Temperature cannot be zero or negative", "Enter valid Temperature in kelvin"}},
        {PureWindowKind::MolarVolume, "300", "", {"Pressure cannot be zero or negative", "Enter valid Pressure  in bar"}},
        {PureWindowKind::SaturationPressure, "", "",
         {"Temperature(in kelvin) cannot be zero or negative", "Enter valid Temperature in kelvin"}},
        {PureWindowKind::SaturationTemperature, "", "0", {"Pressure cannot be zero or negative", "Enter valid Pressure  in bar"}},
    };
    for (const Row& row : rows) {
        ui.clear();
        open(row.kind);
        select("propane");
        setState(row.T, "kelvin", row.p, "bar");
        ui.cancel();
        clickCalculate();
        EXPECT_EQ(ui.texts(), row.shown) << window->objectName().toStdString();
        EXPECT_FALSE(reported());
    }
}

TEST_F(PureWindowTest, NotListedComponentAsksItsConstantsAndTcAgain)
{
    open(PureWindowKind::Enthalpy);
    select("not listed");
    window->Option(2)->click();
    setState("300", "kelvin", "1", "bar");
    // Leaving the list shows both dialogs; Tc is left empty.
    ui.onDialog(fill({{0, "mystery"}, {2, "40"}, {3, "0.2"}, {4, "250"}})).onDialog(fill({{0, "20"}, {1, "0.1"}}));
    window->Combo2_LostFocus();
    EXPECT_EQ(ui.texts(), (Texts{"GetPcTcOmega", "InputABCD"}));

    const std::string reference = "The Enthalpy Of Saturated Liquid at the \r\nspecified Temperature will be assigned a "
                                  "value of zero \r\nPLEASE SPECIFY THE TEMPERATURE(KELVIN) OF THE REFERENCE STATE";
    const std::string tcPrompt = "Please enter the Critical Temperature(in kelvin) it is unavailable";
    struct Row {
        const char* reply;
        Texts messages;
    };
    for (const Row& row : {Row{"", {invalidInput}}, Row{"-5", {"Tc cannot be negative so quiting"}}, Row{"400", {}}}) {
        SCOPED_TRACE(row.reply);
        ui.clear();
        // The reply is not written into the dialog: each calculation shows both dialogs again.
        ui.onDialog(confirmOnly()).onDialog(confirmOnly()).answer("250").answer(row.reply);
        clickCalculate();
        Texts expected{"GetPcTcOmega", "InputABCD", reference, tcPrompt};
        expected.insert(expected.end(), row.messages.begin(), row.messages.end());
        EXPECT_EQ(ui.texts(), expected);
    }
    const Texts values = folder.reportValues();
    EXPECT_EQ(values[3], "mystery");
    EXPECT_EQ(values[4], "400");
    EXPECT_EQ(values[5], "40");
    EXPECT_EQ(values[9], "20");
    EXPECT_EQ(values[10], "0.1");
    EXPECT_EQ(values[11], "0");
}

TEST_F(PureWindowTest, ReferenceTemperatureIsRefusedWhenNotAboveZero)
{
    open(PureWindowKind::Entropy);
    select("propane");
    window->Option(2)->click();
    setState("300", "kelvin", "1", "bar");
    const std::string reference = "The Entropy Of Saturated Liquid at the \r\nspecified Temperature will be assigned a "
                                  "value of zero \r\nPLEASE SPECIFY THE TEMPERATURE(KELVIN) OF THE REFERENCE STATE";
    ui.answer("").answer("abc");
    clickCalculate();
    EXPECT_EQ(ui.texts(),
              (Texts{reference, "Reference Temperature cannot be  negative", "Enter valid Temperature in kelvin"}));
    EXPECT_FALSE(reported());

    ui.clear();
    ui.answer("-3").answer("298.15");
    clickCalculate();
    EXPECT_EQ(ui.texts(),
              (Texts{reference, "Reference Temperature cannot be  negative", "Enter valid Temperature in kelvin"}));
    EXPECT_EQ(folder.reportValues()[16], "298.15(Kelvin)");
    EXPECT_EQ(reportedKinds, std::vector<int>{6});
}

TEST_F(PureWindowTest, AcentricFactorChecksDifferByWindow)
{
    struct Row {
        PureWindowKind kind;
        const char* component;
        const char* reply; // nullptr: no prompt
        Texts messages;
        bool reports;
    };
    const std::string acentric = "Please enter the Acentric factor it is unavailable";
    const Row rows[] = {
        // A stored negative value is used unchanged by the frame's rule ...
        {PureWindowKind::Fugacity, "Argon", nullptr, {}, true},
        {PureWindowKind::SaturationTemperature, "Argon", nullptr, {}, true},
        // ... and asked again by the molar-volume and saturation-pressure windows.
        {PureWindowKind::MolarVolume, "Argon", "-0.1", {invalidInput}, false},
        {PureWindowKind::SaturationPressure, "Argon", "-0.1", {"omega cannot be negative so quiting"}, false},
        {PureWindowKind::SaturationPressure, "Argon", "", {invalidInput}, false},
        {PureWindowKind::Departure, "zero omega fluid", "-1", {"omega cannot be negative so quiting"}, false},
        {PureWindowKind::Departure, "zero omega fluid", "0.3", {}, true},
        {PureWindowKind::MolarVolume, "zero omega fluid", "0.3", {}, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(pureWindowConfig(row.kind).name + " " + row.component);
        ui.clear();
        std::filesystem::remove(folder.file("result.htm"));
        open(row.kind);
        select(row.component);
        window->Option(2)->click();
        setState("120", "kelvin", "1", "bar");
        if (row.reply)
            ui.answer(row.reply);
        clickCalculate();
        Texts expected;
        if (row.reply)
            expected.push_back(acentric);
        expected.insert(expected.end(), row.messages.begin(), row.messages.end());
        EXPECT_EQ(ui.texts(), expected);
        EXPECT_EQ(reported(), row.reports);
    }
}

TEST_F(PureWindowTest, MolarVolumeWindowAsksANotListedComponentAgainWithEmptyBoxes)
{
    open(PureWindowKind::MolarVolume);
    select("not listed");
    setState("300", "kelvin", "1", "bar");
    const auto propaneByHand = fill({{0, "my propane"}, {1, "369.8"}, {2, "42.48"}, {3, "0.152"}, {4, "231.1"}});
    ui.onDialog(propaneByHand);
    clickCalculate();
    EXPECT_EQ(folder.reportValues()[3], "my propane");
    ui.clear();
    ui.onDialog([](ModalDialog& dialog) {
        EXPECT_EQ(dialog.fieldText(0), "");
        EXPECT_EQ(dialog.fieldText(1), "");
        dialog.typeFieldText(0, "again");
        for (int box = 1; box <= 4; ++box)
            dialog.typeFieldText(box, "1");
        dialog.confirm();
    });
    clickCalculate();
    EXPECT_EQ(ui.texts(), Texts{"GetPcTcOmega"});
}

TEST_F(PureWindowTest, FugacityWindowKeepsTheDialogsConstantsBetweenCalculations)
{
    open(PureWindowKind::Fugacity);
    select("not listed");
    setState("300", "kelvin", "1", "bar");
    ui.onDialog(fill({{0, "my propane"}, {1, "369.8"}, {2, "42.48"}, {3, "0.152"}, {4, "231.1"}}));
    clickCalculate();
    ui.clear();
    std::filesystem::remove(folder.file("result.htm"));
    clickCalculate();
    EXPECT_TRUE(ui.texts().empty());
    EXPECT_EQ(folder.reportValues()[3], "my propane");
}

TEST_F(PureWindowTest, ReportAndChartOfTheEnthalpyWindow)
{
    open(PureWindowKind::Enthalpy);
    select("propane");
    window->Option(2)->click();
    setState("300", "kelvin", "1", "bar");
    ui.answer("250");
    clickCalculate();
    ASSERT_TRUE(reported());

    window->graphplotting("T");
    widgets::ChartControl* chart = widgets::loadedChart();
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->rowCount(), 20);
    EXPECT_EQ(chart->columnCount(), 4);
    EXPECT_EQ(chart->axisTitleText(widgets::ChartControl::AxisX), "Temperature(kelvin)");
    EXPECT_EQ(chart->axisTitleText(widgets::ChartControl::AxisY), "Enthalpy(KJ/mole) and Entropy(J/mole-K)");
    EXPECT_EQ(chart->seriesLegendText(1), "Enthalpy");
    EXPECT_EQ(chart->seriesLegendText(3), "Entropy");
    EXPECT_FLOAT_EQ(chart->chartData().cell(20, 1), 369.8f);
    EXPECT_TRUE(widgets::WindowRegistry::instance().find(widgets::chartWindow)->isVisible());

    window->graphplotting("P");
    EXPECT_EQ(chart->axisTitleText(widgets::ChartControl::AxisX), "Pressure(bar)");
    EXPECT_FLOAT_EQ(chart->chartData().cell(20, 1), 42.48f);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(PureWindowTest, PlottingAfterAnAbortedCalculationGivesTheSameChart)
{
    for (const PureWindowKind kind : {PureWindowKind::Fugacity, PureWindowKind::MolarVolume, PureWindowKind::Departure}) {
        SCOPED_TRACE(pureWindowConfig(kind).name);
        open(kind);
        select("propane");
        window->Option(2)->click();
        setState("300", "kelvin", "5", "bar");
        clickCalculate();
        window->graphplotting("T");
        const services::ChartArray before = widgets::loadedChart()->chartData();

        // Stopped at the pressure prompt, with T in celsius and Pc in bar in the window's fields.
        select("methane");
        setState("20", "celsius", "0", "bar");
        ui.cancel();
        clickCalculate();
        window->graphplotting("T");
        EXPECT_EQ(widgets::loadedChart()->chartData(), before);
    }
}

TEST_F(PureWindowTest, SaturationWindowsPlotWithoutArgument)
{
    struct Row {
        PureWindowKind kind;
        const char* x;
        const char* y;
    };
    for (const Row& row : {Row{PureWindowKind::SaturationPressure, "Temperature(kelvin)", "Saturation Pressure(bar)"},
                           Row{PureWindowKind::SaturationTemperature, "Pressure(bar)", "Saturation Temperature(kelvin)"}}) {
        open(row.kind);
        select("n-butane");
        window->Option(2)->click();
        setState("300", "kelvin", "2", "bar");
        clickCalculate();
        ASSERT_TRUE(reported());
        window->graphplotting("");
        widgets::ChartControl* chart = widgets::loadedChart();
        EXPECT_EQ(chart->axisTitleText(widgets::ChartControl::AxisX), row.x);
        EXPECT_EQ(chart->axisTitleText(widgets::ChartControl::AxisY), row.y);
        EXPECT_EQ(chart->columnCount(), 2);
        EXPECT_GE(chart->rowCount(), 10);
        for (int r = 1; r <= chart->rowCount(); ++r)
            EXPECT_GT(chart->chartData().cell(r, 2), 0.0f);
    }
    EXPECT_EQ(reportedKinds, (std::vector<int>{2, 3}));
}

// An installed copy with no folder to write shows its report and chart from the run's own
// temporary folder, which goes with them when the program ends (as on the next start).
TEST_F(PureWindowTest, WithNoFolderToWriteTheReportAndChartAreShownAndNotKept)
{
    testing::ScratchFolder runtime;
    std::filesystem::permissions(runtime.path(), std::filesystem::perms::owner_all);
    const testing::EnvironmentScope runtimeFolder("XDG_RUNTIME_DIR", runtime.path().string());
    folder.write(services::installedMarkerName, "");
    EXPECT_EQ(services::useUserFolder(folder.path(), std::nullopt),
              "No data folder could be found: neither XDG_DATA_HOME nor HOME is set and the account has no home "
              "folder. Reports and plots are shown but not kept after exit; changes to the data cannot be saved.");
    services::setReportPresenter(widgets::presentReport);

    open(PureWindowKind::SaturationPressure);
    select("n-butane");
    window->Option(2)->click();
    setState("300", "kelvin", "", "");
    clickCalculate();
    EXPECT_TRUE(ui.messages().empty());
    window->graphplotting("");

    const auto* viewer =
        widgets::WindowRegistry::instance().findAs<widgets::frmTextEditor>(widgets::resultViewerWindow);
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    const std::filesystem::path shownPage = viewer->WebBrowser1()->LocationPath().toStdString();
    EXPECT_EQ(shownPage.parent_path().parent_path(), runtime.path());
    EXPECT_TRUE(viewer->WebBrowser1()->toPlainText().contains(QStringLiteral("300(kelvin)")));
    EXPECT_GE(widgets::loadedChart()->rowCount(), 10);
    EXPECT_GT(widgets::loadedChart()->chartData().cell(1, 2), 0.0f);
    EXPECT_TRUE(std::filesystem::exists(shownPage.parent_path() / services::points1FileName));
    EXPECT_FALSE(reported()) << "nothing in the installation";
    EXPECT_FALSE(std::filesystem::exists(folder.file(services::points1FileName)));

    services::setProgramFolder(folder.path());
    EXPECT_TRUE(std::filesystem::is_empty(runtime.path()));
}

TEST_F(PureWindowTest, TheRealTemplatesHoldOnePlaceholderPerReportValue)
{
    for (const PureWindowKind kind : pureWindowKinds()) {
        const PureWindowConfig& config = pureWindowConfig(kind);
        folder.copyProgramFile(config.templateName);
        const std::string page = folder.read(config.templateName);
        std::size_t placeholders = 0;
        for (std::size_t at = page.find("variable"); at != std::string::npos; at = page.find("variable", at + 1))
            ++placeholders;
        EXPECT_EQ(placeholders, static_cast<std::size_t>(config.count)) << config.templateName;
    }
    // A report through the real page leaves no placeholder behind.
    open(PureWindowKind::SaturationPressure);
    select("n-butane");
    window->Option(2)->click();
    setState("300", "kelvin", "", "");
    clickCalculate();
    const std::string page = folder.read("result.htm");
    EXPECT_EQ(page.find("variable"), std::string::npos);
    EXPECT_NE(page.find("<td class=\"num\">1</td>"), std::string::npos);
}

// On a desktop whose language writes a decimal comma a typed point is still the decimal point:
// the page, the chart and the texts shown are those of the C locale.
TEST_F(PureWindowTest, ADecimalCommaDesktopGivesThePageAndChartOfTheCLocale)
{
    const auto run = [&] {
        ui.clear();
        open(PureWindowKind::SaturationPressure);
        select("propane");
        window->Option(2)->click();
        setState("300.9", "kelvin", "", "");
        clickCalculate();
        window->graphplotting("");
        return std::tuple{folder.read("result.htm"), widgets::loadedChart()->chartData(), ui.texts()};
    };
    const auto underC = run();
    EXPECT_EQ(folder.reportValues()[1], "300.9(kelvin)");
    testing::DecimalCommaDesktop desktop;
    EXPECT_EQ(run(), underC);
}

} // namespace
} // namespace calvex::pure
