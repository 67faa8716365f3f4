#pragma once
// The one window class of the seven pure-component calculators: the component list, the
// temperature and pressure boxes with their unit lists, the four equation buttons and the
// Calculate button, laid out and named as the window's PureWindowConfig says. The window only
// routes: it reads its controls into a FormReading for its PureCalculator and draws the
// calculator's points files when the result viewer calls back.

#include "pure/purecalculator.h"
#include "widgets/plotcallbacks.h"

#include <QWidget>

#include <memory>
#include <utility>

class QComboBox;
class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace calvex::pure {

class PureCalculatorWindow : public QWidget, public widgets::PlotCallbacks {
    Q_OBJECT

public:
    // `services` null: the program's database and dialogs.
    explicit PureCalculatorWindow(PureWindowKind kind, PureWindowServices* services = nullptr,
                                  QWidget* parent = nullptr);
    ~PureCalculatorWindow() override;

    const PureWindowConfig& config() const { return m_calculator.config(); }
    PureCalculator& calculator() { return m_calculator; }

    // Handlers, under the names the windows give them.
    void Form_Load();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Combo1_Unit_T_KeyPress(int& KeyAscii);
    void Combo1_Unit_p_KeyPress(int& KeyAscii);
    void Combo2_KeyPress(int& KeyAscii);
    void Combo2_LostFocus();
    // The Calculate button's handler: its name follows the button's (Command1_Calculator in
    // most windows, Command1 in the molar-volume window, Command1_saturatedpressureCalculator
    // in the saturation-pressure window).
    void Command1_Calculator_Click();
    void Command1_Click();
    void Command1_saturatedpressureCalculator_Click();

    // Called back by the result viewer's plot buttons: "T" or "P", or the empty text for the
    // saturation windows. Writes the points file and shows the chart.
    void graphplotting(const std::string& argument) override;
    // Fills the chart from a points file of the program folder with this window's titles.
    void plot(const std::string& datafilename);

    // The controls, null where the window has none.
    QComboBox* Combo2() const { return m_componentList; }
    QLineEdit* Text1_Temperature() const { return m_temperatureBox; }
    QLineEdit* Text1_Pressure() const { return m_pressureBox; }
    QComboBox* Combo1_Unit_T() const { return m_temperatureUnits; }
    QComboBox* Combo1_Unit_p() const { return m_pressureUnits; }
    QRadioButton* Option(int number) const;
    QPushButton* calculateButton() const { return m_calculateButton; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QLabel* addLabel(const char* name, const QString& text);
    QComboBox* addUnitList(const char* name, const UnitListConfig& units);
    // The control and label names of a state row and its captions.
    struct StateRowNames {
        const char* box;
        const char* unitList;
        const char* label;
        const char* caption;
        const char* unitLabel;
        const char* unitCaption;
    };
    // A number box with its unit list and their labels, on one row of `grid`.
    std::pair<QLineEdit*, QComboBox*> addStateRow(QGridLayout& grid, int row, const StateRowNames& names,
                                                  services::KeyFilter filter, const UnitListConfig& units);
    QFrame* addLine(const char* name);
    void calculate();
    FormReading readForm() const;

    std::unique_ptr<PureWindowServices> m_ownServices;
    PureCalculator m_calculator;
    QComboBox* m_componentList = nullptr;
    QLineEdit* m_temperatureBox = nullptr;
    QLineEdit* m_pressureBox = nullptr;
    QComboBox* m_temperatureUnits = nullptr;
    QComboBox* m_pressureUnits = nullptr;
    QRadioButton* m_options[4] = {};
    QPushButton* m_calculateButton = nullptr;
    bool m_inLostFocus = false;
};

// The database and dialogs of the running program: properties.mdb of the program folder and
// the dialogs the window registry holds.
std::unique_ptr<PureWindowServices> programWindowServices();

} // namespace calvex::pure
