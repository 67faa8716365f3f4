// The input and component-selection windows as a user meets them, offscreen: the fresh
// windows, the key filters, filling the component lists, the counts a typed text can give,
// the "not listed" dialogs and the mole-fraction boxes.

#include "tests/mixture/windows/mixturefixture.h"

#include "services/numbers.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <functional>

namespace calvex::mixture::testing {
namespace {

using K = MixtureWindowKind;

QStringList items(const QComboBox* list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->itemText(i);
    return names;
}

std::vector<bool> framesShown(const ComponentSelectionWindow* window)
{
    std::vector<bool> shown;
    for (int i = 0; i < maxComponents; ++i)
        shown.push_back(window->Frame0(i)->isVisibleTo(window));
    return shown;
}

const QStringList allComponents{"air", "benzene", "ethane", "methane", "n-butane",
                                 "nitrogen", "not listed", "propane", "toluene"};

using Fixture = MixtureWindowTest;

TEST_F(Fixture, FreshInputWindowsAsTheTableSays)
{
    const QStringList temperatureUnits{"celsius", "fahrenheit", "kelvin"};
    const QStringList pressureUnits{"atm", "bar", "kpa", "mm Hg", "Mpa", "pa", "psia"};
    struct Row {
        K kind;
        bool temperature, pressure;
        QStringList Tunits, Punits;
    };
    const Row rows[] = {
        {K::BubblePressure, true, false, temperatureUnits, {}},
        {K::BubbleTemperature, false, true, {}, pressureUnits},
        {K::DewPressure, true, false, temperatureUnits, {}},
        {K::DewTemperature, false, true, {}, pressureUnits},
        {K::Flash, true, true, temperatureUnits, pressureUnits},
        {K::MolarVolume, true, true, {"fahrenheit", "celsius", "kelvin"}, {"atm", "bar", "kpa", "mm Hg", "pa", "psia"}},
        {K::PartialFugacity, true, true, temperatureUnits, {"atm", "bar", "kpa", "mm Hg", "Mpa", "pa"}},
        {K::MixtureDeparture, true, true, temperatureUnits, pressureUnits},
        {K::MixtureFugacity, true, true, temperatureUnits, pressureUnits},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(mixtureWindowConfig(row.kind).inputName);
        MixtureInputWindow& window = open(row.kind);
        const bool family = mixtureWindowConfig(row.kind).family;
        EXPECT_EQ(window.Combo3()->currentText(), "2");
        EXPECT_EQ(items(window.Combo3()), (QStringList{"2", "3", "4", "5", "6"}));
        EXPECT_EQ(window.Text1_optionno()->text(), family ? "1" : "2");
        EXPECT_TRUE(window.Option(family ? 1 : 2)->isChecked());
        EXPECT_EQ(window.Option(1) != nullptr, family);
        EXPECT_FALSE(window.Text1_optionno()->isVisible());
        ASSERT_EQ(window.Text1_Temperature() != nullptr, row.temperature);
        ASSERT_EQ(window.Text1_Pressure() != nullptr, row.pressure);
        if (row.temperature) {
            EXPECT_EQ(window.Text1_Temperature()->text(), "");
            EXPECT_EQ(window.Combo1_Unit_T()->currentText(), "kelvin");
            EXPECT_EQ(items(window.Combo1_Unit_T()), row.Tunits);
        }
        if (row.pressure) {
            EXPECT_EQ(window.Text1_Pressure()->text(), "");
            EXPECT_EQ(window.Combo1_Unit_p()->currentText(), "bar");
            EXPECT_EQ(items(window.Combo1_Unit_p()), row.Punits);
        }
        QTest::mouseClick(window.Option(3), Qt::LeftButton);
        EXPECT_EQ(window.Text1_optionno()->text(), "3");
    }
}

TEST_F(Fixture, StateBoxesUnitListsAndCountListFilterTypedKeys)
{
    MixtureInputWindow& window = open(K::Flash);
    QTest::keyClicks(window.Text1_Temperature(), "-12.5");
    EXPECT_EQ(window.Text1_Temperature()->text(), "-12.5");
    QTest::keyClicks(window.Text1_Temperature(), "-.x7");
    QTest::keyClick(window.Text1_Temperature(), Qt::Key_Backspace);
    EXPECT_EQ(window.Text1_Temperature()->text(), "-12.5") << "only the 7 went through";
    QTest::keyClicks(window.Text1_Pressure(), "-1.2.3");
    EXPECT_EQ(window.Text1_Pressure()->text(), "1.23");
    QTest::keyClicks(window.Combo1_Unit_T(), "f");
    QTest::keyClicks(window.Combo1_Unit_p(), "p");
    EXPECT_EQ(window.Combo1_Unit_T()->currentText(), "kelvin");
    EXPECT_EQ(window.Combo1_Unit_p()->currentText(), "bar");
    EXPECT_FALSE(window.Combo3()->isEditable());

    QTest::keyClicks(open(K::DewPressure).Combo3(), "4");
    EXPECT_EQ(input->Combo3()->currentText(), "2");
    MixtureInputWindow& typed = open(K::BubbleTemperature);
    typed.Combo3()->lineEdit()->selectAll();
    QTest::keyClicks(typed.Combo3()->lineEdit(), "3");
    EXPECT_EQ(typed.Combo3()->currentText(), "3");
}

// A count typed into a list that takes typed text stays as typed: Return adds no entry, and
// nothing completes it into an entry.
TEST_F(Fixture, ATypedCountStaysAsTypedAndAddsNoEntry)
{
    const std::pair<const char*, Qt::Key> typings[] = {{"7", Qt::Key_Return}, {"1", Qt::Key_Tab}, {"40", Qt::Key_Return}};
    for (const K kind : {K::BubblePressure, K::BubbleTemperature, K::PartialFugacity, K::MixtureDeparture}) {
        MixtureInputWindow& window = open(kind);
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QComboBox* list = window.Combo3();
        for (const auto& [typed, key] : typings) {
            SCOPED_TRACE(mixtureWindowConfig(kind).inputName + " '" + typed + "'");
            list->setFocus();
            list->lineEdit()->selectAll();
            QTest::keyClicks(list, QString::fromLatin1(typed));
            QTest::keyClick(list, key);
            EXPECT_EQ(list->currentText().toStdString(), typed);
            EXPECT_EQ(items(list), (QStringList{"2", "3", "4", "5", "6"}));
        }
    }
}

// The run uses the equation shown checked, however the button was checked: a program's
// setChecked, an accessibility tool's toggle, or the arrow keys.
TEST_F(Fixture, TheRunUsesTheEquationShownCheckedHoweverItWasChecked)
{
    using Check = std::function<void(MixtureInputWindow&, int option)>;
    const Check setChecked = [](MixtureInputWindow& w, int option) { w.Option(option)->setChecked(true); };
    const Check toggle = [](MixtureInputWindow& w, int option) { w.Option(option)->toggle(); };
    // From the button before it, checked when the window loads.
    const Check arrowKey = [](MixtureInputWindow& w, int option) {
        w.Option(option - 1)->setFocus();
        QTest::keyClick(w.Option(option - 1), Qt::Key_Right);
    };
    struct Row {
        K kind;
        const char* how;
        Check check;
        int option;
    };
    const Row rows[] = {
        {K::BubblePressure, "setChecked", setChecked, 4}, {K::BubblePressure, "toggle", toggle, 3},
        {K::BubblePressure, "arrow key", arrowKey, 3},    {K::MixtureFugacity, "setChecked", setChecked, 3},
        {K::MixtureDeparture, "toggle", toggle, 4},       {K::PartialFugacity, "arrow key", arrowKey, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(mixtureWindowConfig(row.kind).inputName + " " + row.how);
        restart();
        open(row.kind);
        input->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(input));
        row.check(*input, row.option);
        EXPECT_TRUE(input->Option(row.option)->isChecked());
        EXPECT_EQ(input->Text1_optionno()->text(), QString::number(row.option));
        if (input->Text1_Temperature())
            setTemperature("300");
        if (input->Text1_Pressure())
            setPressure("10");
        mixture({{"propane", ".5"}, {"n-butane", ".5"}});
        if (!mixtureWindowConfig(row.kind).family)
            ui.answer(""); // the bubble pressure's guess
        calculate();
        ASSERT_EQ(reportedKinds.size(), 1u);
        ASSERT_TRUE(selection()->calculator().snapshot());
        EXPECT_EQ(selection()->calculator().snapshot()->optionno, row.option);
    }
}

TEST_F(Fixture, Command1FillsSortedListsShowsTheirFramesAndHidesTheOthers)
{
    open(K::DewTemperature);
    setCount("4");
    ComponentSelectionWindow* window = fillSelection();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "SelectComponentForm1");
    EXPECT_EQ(window->Command1()->text(), "click to calculate Dew Temperature");
    EXPECT_EQ(window->Frame0(0)->title(), "Component 1");
    EXPECT_EQ(window->Frame0(1)->title(), "Component2");
    EXPECT_EQ(framesShown(window), (std::vector<bool>{true, true, true, true, false, false}));
    for (int slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(items(window->Combo2(slot)), allComponents);
        EXPECT_EQ(window->Combo2(slot)->currentIndex(), 0);
        EXPECT_EQ(window->calculator().listed(slot), 1);
    }
    EXPECT_EQ(window->Combo2(0)->itemData(window->Combo2(0)->findText("propane")).toInt(), propaneSno);
    choose(1, "not listed");
    EXPECT_EQ(window->calculator().listed(1), 0);
    typeFraction(0, ".25");
    setCount("2");
    fillSelection();
    EXPECT_EQ(window->Combo2(1)->currentText(), "air");
    EXPECT_EQ(window->calculator().listed(1), 1);
    EXPECT_EQ(window->Text1_MolFraction(0)->text(), ".25");
    EXPECT_EQ(framesShown(window), (std::vector<bool>{true, true, false, false, false, false}));
    EXPECT_TRUE(ui.texts().empty());
}

TEST_F(Fixture, TheLongestDatabaseNameDoesNotWidenTheWindow)
{
    // The lists are filled before the window is first shown, which is when a list that sizes
    // itself to its contents would take the width of its longest entry.
    const auto widthWith = [](const QString& name) {
        ComponentSelectionWindow window(K::BubblePressure);
        for (int slot = 0; slot < 2; ++slot) {
            window.Combo2(slot)->addItem(name);
            window.Frame0(slot)->show();
        }
        window.show();
        return window.sizeHint().width();
    };
    EXPECT_EQ(widthWith(QStringLiteral("1,1-dichloro-1,2,2,2-tetrafluoroethane")), widthWith(QStringLiteral("air")));
}

TEST_F(Fixture, CountsOutsideTheSlotsNeverReachAMissingSlot)
{
    // Count, the frames shown and whether the click showed the selection window.
    struct Row {
        QString count;
        std::vector<bool> frames;
        bool shown;
    };
    const Row rows[] = {
        {"7", {true, true, true, true, true, true}, false},
        {"9", {true, true, true, true, true, true}, false},
        {"", {false, false, false, false, false, false}, false},
        {"abc", {false, false, false, false, false, false}, false},
        {"40000", {false, false, false, false, false, false}, false},
        {"0", {false, false, false, false, false, false}, true},
        {"1", {true, false, false, false, false, false}, true},
        {"2.5", {true, true, false, false, false, false}, true},
    };
    for (const K kind : {K::BubblePressure, K::BubbleTemperature, K::PartialFugacity, K::MixtureDeparture}) {
        const std::string& failure = mixtureWindowConfig(kind).loadFailure;
        for (const Row& row : rows) {
            SCOPED_TRACE(mixtureWindowConfig(kind).inputName + " count '" + row.count.toStdString() + "'");
            restart();
            open(kind);
            setCount(row.count);
            ComponentSelectionWindow* window = fillSelection();
            const bool failed = !row.shown;
            EXPECT_EQ(ui.messages(), failed && !failure.empty() ? Texts{failure} : Texts{});
            EXPECT_EQ(window && window->isVisible(), row.shown);
            if (window) {
                EXPECT_EQ(framesShown(window), row.frames);
            }
            if (!window)
                continue;
            // Typing and calculating with such a count touch no slot outside 0..5; a count
            // the slots cannot hold ends Calculate before any prompt.
            typeFraction(0, ".5");
            const std::optional<short> n = services::wholeNumber(row.count.toStdString());
            if (!n || *n < 1 || *n > maxComponents)
                calculate();
        }
    }
}

TEST_F(Fixture, ALostDatabaseGivesEachWindowsLoadMessage)
{
    std::filesystem::remove(folder.file("properties.mdb"));
    for (const K kind : mixtureWindowKinds()) {
        ui.clear();
        open(kind);
        fillSelection();
        const std::string& failure = mixtureWindowConfig(kind).loadFailure;
        EXPECT_EQ(ui.messages(), failure.empty() ? Texts{} : Texts{failure}) << mixtureWindowConfig(kind).inputName;
    }
}

TEST_F(Fixture, TheLastBoxFollowsOnceTheBoxBeforeItChanged)
{
    for (const K kind : {K::BubblePressure, K::MixtureFugacity}) {
        SCOPED_TRACE(mixtureWindowConfig(kind).inputName);
        const bool family = mixtureWindowConfig(kind).family;
        restart();
        open(kind);
        setCount("2");
        fillSelection();
        QLineEdit* box0 = selection()->Text1_MolFraction(0);
        QLineEdit* box1 = selection()->Text1_MolFraction(1);
        QTest::keyClicks(box0, ".");
        EXPECT_EQ(box1->text(), "1");
        QTest::keyClicks(box0, "7");
        EXPECT_EQ(box1->text(), "0.3");

        // The automatic last box outlives a change of the count.
        setCount("3");
        fillSelection();
        typeFraction(0, ".5");
        EXPECT_EQ(selection()->Text1_MolFraction(2)->text(), "0.2");

        restart();
        open(kind);
        setCount("3");
        fillSelection();
        QLineEdit* box2 = selection()->Text1_MolFraction(2);
        typeFraction(0, ".5");
        EXPECT_EQ(box2->text(), "") << "box 1 not yet changed with three components";
        typeFraction(1, ".5");
        EXPECT_EQ(box2->text(), "0");
        EXPECT_TRUE(ui.messages().empty());
        typeFraction(1, ".6");
        typeFraction(0, ".6");
        // The sum passes 1 at ".6" in box 1 and stays above it at ".6" in box 0.
        EXPECT_EQ(ui.messages(), Texts(2, fractionSumMessage));
        EXPECT_EQ(box2->text(), family ? "1" : "0.4");
        ui.clear();
        typeFraction(2, ".9");
        EXPECT_TRUE(ui.messages().empty()) << "the last box is never compared";
        if (!family) {
            EXPECT_EQ(selection()->calculator().fractions().molsum(), 0);
        }
    }
}

TEST_F(Fixture, MoleFractionBoxesTakeAPointFirstThenDigits)
{
    open(K::Flash);
    fillSelection();
    QLineEdit* box = selection()->Text1_MolFraction(0);
    QTest::keyClicks(box, "5-");
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), "");
    QTest::keyClicks(box, ".2.-a5");
    EXPECT_EQ(box->text(), ".25");
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), ".2");
}

TEST_F(Fixture, LeavingANotListedListShowsItsDialog)
{
    // Engine windows ask while Tc, Pc or omega reads 0; family windows every time.
    for (const K kind : {K::DewPressure, K::MixtureDeparture}) {
        SCOPED_TRACE(mixtureWindowConfig(kind).inputName);
        restart();
        open(kind);
        setCount("4");
        fillSelection();
        choose(3, "not listed");
        ui.onDialog(fillDialog({{0, "oil"}, {1, "500"}, {2, "30"}, {3, "0.3"}}));
        selection()->Combo2_LostFocus(3);
        if (mixtureWindowConfig(kind).family)
            ui.onDialog(fillDialog({}));
        selection()->Combo2_LostFocus(3);
        choose(2, "propane");
        selection()->Combo2_LostFocus(2);
        const Texts expected = mixtureWindowConfig(kind).family ? Texts{"GetPcTcOmega4", "GetPcTcOmega4"}
                                                                : Texts{"GetPcTcOmega4"};
        EXPECT_EQ(ui.texts(), expected);
    }
}

} // namespace
} // namespace calvex::mixture::testing
