#pragma once
// The one window class of the eight binary T-x-y and P-x-y calculators: two component lists,
// the pressure (T-x-y) or temperature (P-x-y) box with its unit list, the model's constant
// boxes and the Calculate button, laid out and named as the window's VleWindowConfig says.
// Leaving a list that reads "not listed" shows that component's missing-constants dialog.
// The window routes only: Calculate hands its controls to the window's VleRun, the model reads
// the constant boxes through this window as its ParameterSource, and the result viewer's plot
// buttons draw the diagram from points1.dat.

#include "activity/vlerun.h"
#include "widgets/plotcallbacks.h"

#include <QWidget>

#include <array>
#include <map>
#include <memory>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace calvex::activity {

class VleWindow : public QWidget, public widgets::PlotCallbacks, public ParameterSource {
    Q_OBJECT

public:
    // `services` null: the program's database and dialogs.
    explicit VleWindow(VleWindowKind kind, pure::PureWindowServices* services = nullptr, QWidget* parent = nullptr);
    ~VleWindow() override;

    const VleWindowConfig& config() const { return m_config; }

    // Handlers, under the names the windows give them.
    void Form_Load();
    void Combo2_Click(int Index);
    void Command1_Click();

    // "T" or "P" for the phase diagram, "XY" for y1 against x1; anything else shows the chart
    // window as it stands.
    void graphplotting(const std::string& argument) override;

    std::string boxText(const std::string& box) const override;

    // 1 while component `index`'s list shows a database entry, 0 while it shows "not listed".
    int listed(int index) const { return m_listed[static_cast<std::size_t>(index)]; }

    QComboBox* Combo2(int index) const { return m_lists[static_cast<std::size_t>(index)]; }
    QLineEdit* variableBox() const { return m_variableBox; } // Text1_Pressure or Text1_Temperature
    QComboBox* unitList() const { return m_unitList; }       // Combo1_Unit_p or Combo1_Unit_T
    QLineEdit* constantBox(const std::string& name) const;
    QPushButton* Command1() const { return m_command1; }

private:
    void buildControls();
    VleForm readForm() const;

    const VleWindowConfig& m_config;
    std::unique_ptr<pure::PureWindowServices> m_ownServices;
    pure::PureWindowServices& m_services;
    VleRun m_run;
    std::array<QComboBox*, 2> m_lists{};
    std::array<int, 2> m_listed{1, 1};
    QLineEdit* m_variableBox = nullptr;
    QComboBox* m_unitList = nullptr;
    std::map<std::string, QLineEdit*> m_boxes;
    QPushButton* m_command1 = nullptr;
};

// Makes the eight windows loadable by name.
void registerVleWindows();

} // namespace calvex::activity
