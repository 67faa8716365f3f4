// The UNIFAC calculator window as a user meets it, offscreen: the rows and their colours, the
// key filters, Calculate's checks with their exact messages and focus, the clipboard, Define
// and the two layouts the shell switches it to.
#include "tests/unifac/unifacwindowfixture.h"

#include "shell/shellwindows.h"
#include "shell/windowswitching.h"
#include "tests/support/desktoplanguage.h"
#include "tests/support/tabchain.h"
#include "unifac/calculatorrules.h"
#include "unifac/unifacwindows.h"
#include "widgets/frametoolbar.h"
#include "widgets/windowregistry.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>

#include <functional>

namespace calvex::unifac::testing {
namespace {

class UnifacCalculatorTest : public UnifacWindowTest {
protected:
    void calculate() { window->Toolbar3_ButtonClick(QStringLiteral("Calculate")); }
    QString caption(int row) const { return window->ActCoeff(row)->text(); }
    void setTemperature(const QString& text, int unit)
    {
        window->TempUnits()->setCurrentIndex(unit);
        window->Temp()->setText(text);
    }
    // n-octane and water at 298.15 K in the first two rows.
    void fillOctaneAndWater(const QString& octane, const QString& water)
    {
        setTemperature("298.15", 0);
        choose(0, 4);
        choose(1, 6);
        window->MoleFract(0)->setText(octane);
        window->MoleFract(1)->setText(water);
    }
};

TEST_F(UnifacCalculatorTest, LoadsSixEmptyRows)
{
    openCalculator();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("UNIFAC Activity Coefficient Calculator"));
    for (int row = 0; row < rowCount; ++row) {
        EXPECT_EQ(window->Component(row)->count(), 7);
        EXPECT_EQ(window->Component(row)->itemText(0), QStringLiteral("<< empty >>"));
        EXPECT_EQ(window->Component(row)->itemText(1), QStringLiteral("benzene             "));
        EXPECT_FALSE(window->MoleFract(row)->isEnabled());
        EXPECT_EQ(window->MoleFract(row)->palette().color(QPalette::Base), fMain::emptyRowColour());
        EXPECT_EQ(window->ActCoeff(row)->palette().color(QPalette::Window), fMain::emptyRowColour());
    }
    EXPECT_TRUE(window->Temp()->text().isEmpty());
    EXPECT_EQ(window->TempUnits()->currentText(), QStringLiteral("K"));
    EXPECT_TRUE(window->Text1_Pressure()->isHidden());
    const std::vector<std::pair<QString, QString>> keys = {
        {"Calculate", "Calculate activity coefficients"}, {"Clear", "Clears the previous input"},
        {"Clipboard", "Copy results to clipboard"}, {"Define", "Define a new component to the UNIFAC database"},
        {"Database", "Add/edit components in the component database"}, {"About", "About UNIFAC calculator"},
        {"Exit", "Exit UNIFAC calculator"}};
    const QList<QAction*> actions = window->Toolbar3()->actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(keys.size()));
    for (std::size_t k = 0; k < keys.size(); ++k) {
        EXPECT_EQ(actions[k]->objectName(), keys[k].first);
        EXPECT_EQ(actions[k]->text(), keys[k].first);
        EXPECT_EQ(actions[k]->toolTip(), keys[k].second);
    }
    choose(2, 4);
    EXPECT_TRUE(window->MoleFract(2)->isEnabled());
    EXPECT_EQ(window->ActCoeff(2)->palette().color(QPalette::Window), fMain::coefficientColour());
}

TEST_F(UnifacCalculatorTest, CalculateChecksAndResults)
{
    const std::string temperature = temperatureMessage, component = componentMessage;
    EXPECT_EQ(temperature, "Error in temperature input.\n\rTemperature must be above\n\rabosolute zero.");
    EXPECT_EQ(component, "Error in component input.\n\rComponents can not be selected\n\rmore then once");
    struct Case {
        QString temperature;
        int unit;
        std::vector<std::pair<int, int>> rows; // row, component
        std::vector<QString> fractions;
        Texts messages;
        const char* focus;
        std::vector<QString> captions;
    };
    const std::vector<Case> cases = {
        {"", 0, {}, {}, {temperature}, "Temp", {}},
        {"-300", 1, {{0, 4}, {1, 6}}, {}, {temperature}, "Temp", {}},
        {"0", 0, {{0, 4}}, {}, {temperature}, "Temp", {}},
        // 400 typed digits read as infinity: no coefficients of an infinite temperature.
        {QString(400, '9'), 0, {{0, 4}, {1, 6}}, {"0.5", "0.5"}, {temperature}, "Temp", {"", ""}},
        {"300", 0, {}, {}, {}, nullptr, {}},
        {"300", 0, {{1, 4}, {2, 6}, {4, 4}}, {}, {component}, "Component(4)", {}},
        {"300", 0, {{3, 4}}, {}, {}, nullptr, {"", "", "", "1"}},
        {"298.15", 0, {{0, 4}, {1, 6}}, {"0.5", "0.5"}, {}, nullptr, {"   3.0293E00", "   5.9398E00"}},
        {"300", 0, {{0, 4}, {1, 6}}, {"0.5", "1e999"}, {fractionMessage}, "MoleFract(1)", {"", ""}},
    };
    for (const Case& c : cases) {
        openCalculator();
        ui.clear();
        setTemperature(c.temperature, c.unit);
        for (const auto& [row, componentIndex] : c.rows)
            choose(row, componentIndex);
        for (std::size_t row = 0; row < c.fractions.size(); ++row)
            window->MoleFract(static_cast<int>(row))->setText(c.fractions[row]);
        window->show();
        QApplication::setActiveWindow(window.get());
        calculate();
        EXPECT_EQ(ui.messages(), c.messages) << c.temperature.toStdString();
        for (const auto& event : ui.events()) {
            EXPECT_EQ(event.title, "Error");
            EXPECT_EQ(event.icon, services::Ui::Icon::Exclamation);
        }
        if (c.focus) {
            EXPECT_EQ(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(),
                      QString::fromLatin1(c.focus)) << c.temperature.toStdString();
        }
        if (c.focus && std::string(c.focus) == "Temp") {
            EXPECT_EQ(window->Temp()->selectedText(), c.temperature.left(6));
        }
        for (std::size_t row = 0; row < c.captions.size(); ++row)
            EXPECT_EQ(caption(static_cast<int>(row)), c.captions[row]) << c.temperature.toStdString() << " row " << row;
        if (c.rows.size() == 1 && c.messages.empty()) {
            EXPECT_EQ(window->MoleFract(c.rows[0].first)->text(), QStringLiteral("1"));
        }
    }
}

TEST_F(UnifacCalculatorTest, KeyFilters)
{
    openCalculator();
    choose(0, 4);
    struct Case { int unit; const char* box; QString typed; QString shown; };
    const std::vector<Case> cases = {
        {0, "MoleFract", "1.5e-3", "1.5e-3"},
        {0, "MoleFract", "2e-3e.-", "2e-3"},
        {0, "MoleFract", "-1.2.3", "1.23"},
        {0, "MoleFract", "3E-x5", "3E-5"},
        {1, "Temp", "-12.5-", "-12.5"},
        {2, "Temp", "-40", "-40"},
        {0, "Temp", "-300", "300"},
        {3, "Temp", "5-.1.2", "5.12"},
    };
    for (const Case& c : cases) {
        window->TempUnits()->setCurrentIndex(c.unit);
        QLineEdit* box = std::string(c.box) == "Temp" ? window->Temp() : window->MoleFract(0);
        box->clear();
        QTest::keyClicks(box, c.typed);
        EXPECT_EQ(box->text(), c.shown) << c.box << " " << c.typed.toStdString();
    }
}

TEST_F(UnifacCalculatorTest, TypingClearsTheCoefficients)
{
    openCalculator();
    fillOctaneAndWater("0.5", "0.5");
    calculate();
    ASSERT_FALSE(caption(1).isEmpty());
    QTest::keyClicks(window->MoleFract(0), "1");
    EXPECT_TRUE(caption(0).isEmpty());
    EXPECT_TRUE(caption(1).isEmpty());
    calculate();
    QTest::keyClicks(window->Temp(), "x");
    EXPECT_TRUE(caption(0).isEmpty());
}

TEST_F(UnifacCalculatorTest, TabReachesTheToolbarAfterTheControlsAndSpacePressesIt)
{
    openCalculator();
    EXPECT_EQ(calvex::testing::tabStops(*window->TempUnits(), 8),
              (Texts{"Calculate", "Clear", "Clipboard", "Define", "Database", "About", "Exit", "Component(0)"}));

    fillOctaneAndWater("0.5", "0.5");
    calculate();
    const QStringList byHandler = {caption(0), caption(1)};
    ASSERT_FALSE(byHandler[0].isEmpty());
    window->Toolbar3_ButtonClick(QStringLiteral("Clear"));
    fillOctaneAndWater("0.5", "0.5");
    ASSERT_EQ(calvex::testing::tabStops(*window->TempUnits(), 1), Texts{"Calculate"});
    QTest::keyClick(window->focusWidget(), Qt::Key_Space);
    EXPECT_EQ((QStringList{caption(0), caption(1)}), byHandler);
}

TEST_F(UnifacCalculatorTest, ClipboardTakesTheRowsInUse)
{
    openCalculator();
    setTemperature("298.15", 0);
    choose(0, 4);
    choose(2, 6);
    choose(3, 1);
    window->Component(3)->setCurrentIndex(0); // set back to "<< empty >>": no longer in use
    window->MoleFract(0)->setText("0.5");
    window->MoleFract(2)->setText("0.5");
    calculate();
    window->Toolbar3_ButtonClick(QStringLiteral("Clipboard"));
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("n-octane            \t0.5\t   3.0293E00\n\rwater               \t0.5\t   5.9398E00\n\r"));
}

TEST_F(UnifacCalculatorTest, ModeSettings)
{
    openCalculator();
    EXPECT_EQ(window->PxyUnifacsetting(), 1.0f);
    EXPECT_EQ(window->UnifacMode(), 2);
    EXPECT_EQ(window->Label(6)->text(), QStringLiteral(" p-x-y(UnifacCalculator)"));
    EXPECT_TRUE(window->Frame2()->isVisible());
    EXPECT_FALSE(window->Label(3)->isVisible());
    EXPECT_FALSE(window->Label(4)->isVisible());
    for (int row = 0; row < rowCount; ++row) {
        EXPECT_EQ(window->Component(row)->isVisible(), row < 2) << row;
        EXPECT_EQ(window->Number(row)->isVisible(), row < 2) << row;
        EXPECT_FALSE(window->MoleFract(row)->isVisible());
        EXPECT_FALSE(window->ActCoeff(row)->isVisible());
    }
    EXPECT_TRUE(window->Temp()->isVisible());
    // The numbers stay beside their lists although two columns are hidden.
    QApplication::processEvents();
    EXPECT_LT(window->Component(0)->geometry().left() - window->Number(0)->geometry().left(), 40);

    openCalculator();
    EXPECT_EQ(window->TxyUnifacsetting(), 1.0f);
    EXPECT_EQ(window->UnifacMode(), 3);
    EXPECT_EQ(window->Label(6)->text(), QStringLiteral(" T-x-y(UnifacCalculator)"));
    EXPECT_EQ(window->Label(1)->text(), QStringLiteral("Pressure"));
    EXPECT_EQ(window->Temp()->text(), QStringLiteral("10"));
    EXPECT_FALSE(window->Temp()->isVisible());
    EXPECT_FALSE(window->TempUnits()->isVisible());
    EXPECT_TRUE(window->Text1_Pressure()->isVisible());
    EXPECT_EQ(window->Combo1_Unit_p()->currentText(), QStringLiteral("bar"));
    EXPECT_TRUE(window->Component(1)->isVisible());
    EXPECT_FALSE(window->Component(2)->isVisible());
}

// The T-x-y pressure box filters as the binary T-x-y windows' does: a decimal comma typed is
// dropped where it stands, a paste that holds one is refused whole, and "1,01325" never reads as 1 bar.
TEST_F(UnifacCalculatorTest, TxyPressureBoxRefusesADecimalComma)
{
    openCalculator();
    window->TxyUnifacsetting();
    const auto type = [](QLineEdit& box, const QString& text) { QTest::keyClicks(&box, text); };
    const auto paste = [](QLineEdit& box, const QString& text) {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    };
    const struct {
        const char* how;
        std::function<void(QLineEdit&, const QString&)> enter;
        const char* entered;
        const char* shown;
    } rows[] = {
        {"typed", type, "1,01325", "101325"},
        {"pasted", paste, "1,01325", ""},
        {"pasted", paste, "1.01325", "1.01325"},
    };
    for (const auto& row : rows) {
        QLineEdit& box = *window->Text1_Pressure();
        box.clear();
        row.enter(box, QString::fromLatin1(row.entered));
        EXPECT_EQ(box.text().toStdString(), row.shown) << row.how << " " << row.entered;
    }
}

TEST_F(UnifacCalculatorTest, DefineAppendsToAllSixLists)
{
    openCalculator();
    choose(0, 2);
    ui.onDialog(nameStep("ethanol")).onDialog(subgroupStep({1, 2, 15}));
    window->Toolbar3_ButtonClick(QStringLiteral("Define"));
    for (int row = 0; row < rowCount; ++row)
        EXPECT_EQ(window->Component(row)->itemText(7), QStringLiteral("ethanol             "));
    EXPECT_EQ(window->Component(0)->currentIndex(), 2);
    EXPECT_EQ(componentList().ComponentGroups(7).substr(0, 13), "1,1;2,1;15,1;");

    ui.onDialog(on<fUName>([](fUName& step) { step.Command1_Click(); }));
    window->Toolbar3_ButtonClick(QStringLiteral("Define"));
    EXPECT_EQ(window->Component(5)->count(), 8);
}

TEST_F(UnifacCalculatorTest, AnUnreadableFileIsReportedAndKept)
{
    const std::string damaged = std::string("\xFF\xFF", 2) + std::string(64, 'x');
    folder.write("DATABASE.UFC", damaged);
    openCalculator();
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0], "The component database DATABASE.UFC could not be read.\n\r"
                                "The component list is empty; the file was left as it was.");
    EXPECT_EQ(window->Component(0)->count(), 1);
    EXPECT_EQ(folder.read("DATABASE.UFC"), damaged);

    // The editor's Exit with the list still empty leaves the file; a list made afterwards
    // replaces it only with the damaged file kept beside it.
    EXPECT_TRUE(SaveDatabase());
    EXPECT_EQ(folder.read("DATABASE.UFC"), damaged);
    componentList().AddComponent("water", "17,1;");
    EXPECT_TRUE(SaveDatabase());
    EXPECT_EQ(folder.read("DATABASE.UFC.bak"), damaged);
    UnifacComponentList reloaded;
    ASSERT_EQ(LoadDatabase(reloaded, databaseFile()), DatabaseLoad::Loaded);
    EXPECT_EQ(trimBlanks(reloaded.ComponentNameAt(1)), "water");
}

TEST_F(UnifacCalculatorTest, OpensFromTheMenuAndExitShowsTheFrameToolbar)
{
    shell::registerShellWindows();
    registerUnifacWindows();
    widgets::WindowRegistry& registry = widgets::WindowRegistry::instance();
    QWidget* frame = registry.show(QStringLiteral("MDIForm1"));
    shell::ShowUnifacCalculator(widgets::UnifacMode::Txy);
    auto* unifac = registry.findAs<fMain>(QStringLiteral("fMain"));
    ASSERT_NE(unifac, nullptr);
    EXPECT_EQ(unifac->UnifacMode(), 3);
    EXPECT_EQ(unifac->Component(0)->count(), 7);
    widgets::setFrameToolbarVisible(false);
    unifac->Toolbar3_ButtonClick(QStringLiteral("Exit"));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(registry.find(QStringLiteral("fMain")), nullptr);
    EXPECT_TRUE(frame->findChild<QToolBar*>(QStringLiteral("Toolbar"))->isVisibleTo(frame));
    registry.unload(frame);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// On a desktop whose language writes a decimal comma the typed fractions keep their points, and
// the fractions Calculate writes back read as it wrote them: the clipboard and the texts shown
// are those of the C locale.
TEST_F(UnifacCalculatorTest, ADecimalCommaDesktopGivesTheResultsOfTheCLocale)
{
    const auto run = [&] {
        openCalculator();
        fillOctaneAndWater("0.3", "0.9");
        calculate();
        calculate();
        window->Toolbar3_ButtonClick(QStringLiteral("Clipboard"));
        return std::pair{QApplication::clipboard()->text().toStdString(), ui.texts()};
    };
    const auto underC = run();
    EXPECT_EQ(underC.first,
              "n-octane            \t2.500E-01\t   1.6395E01\n\rwater               \t7.500E-01\t   2.2812E00\n\r");
    calvex::testing::DecimalCommaDesktop desktop;
    EXPECT_EQ(run(), underC);
}

} // namespace
} // namespace calvex::unifac::testing
