#pragma once
// fMain, the UNIFAC calculator window: six component rows with their mole fractions and
// activity coefficients at one temperature, the toolbar that calculates, clears, copies the
// table, defines components and opens the component database, and the P-x-y and T-x-y layouts
// the shell switches it to, whose Calculate runs the P-x-y and T-x-y diagrams. The window
// routes only: the checks and the calculation are calculatorrules.h's on a UnifacSheet read
// from the controls, the diagram runs unifacvleruns.h's.

#include "pure/purecalculator.h"
#include "unifac/activitycoefficients.h"
#include "widgets/plotcallbacks.h"
#include "widgets/unifacmodes.h"
#include "widgets/windowregistry.h"

#include <QWidget>

#include <array>
#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolBar;

namespace calvex::unifac {

class fMain : public QWidget,
              public widgets::UnifacModes,
              public widgets::LoadHandler,
              public widgets::UnifacPlotCallbacks {
    Q_OBJECT

public:
    // `services` null: the program's constants dialogs.
    explicit fMain(pure::PureWindowServices* services = nullptr, QWidget* parent = nullptr);
    ~fMain() override;

    void Form_Load() override;
    float PxyUnifacsetting() override;
    float TxyUnifacsetting() override;

    void LoadComponentLists();
    void ClearForm();
    void EmptyComponent(int index);
    void ClearActCoeff();
    void Component_Click(int index);
    void Toolbar3_ButtonClick(const QString& key);

    // The diagrams of the last P-x-y or T-x-y report, drawn from points1.dat with the name of
    // that run's component 1: the window that made the report has closed by then.
    void graphplottingPXY(const std::string& argument) override;
    void graphplottingTXY(const std::string& argument) override;

    short UnifacMode() const { return m_mode; }

    QLabel* Number(int i) const { return m_rows.at(i).number; }
    QComboBox* Component(int i) const { return m_rows.at(i).component; }
    QLineEdit* MoleFract(int i) const { return m_rows.at(i).moleFract; }
    QLabel* ActCoeff(int i) const { return m_rows.at(i).actCoeff; }
    QLineEdit* Temp() const { return m_temp; }
    QComboBox* TempUnits() const { return m_tempUnits; }
    QLineEdit* Text1_Pressure() const { return m_pressure; }
    QComboBox* Combo1_Unit_p() const { return m_pressureUnits; }
    QLabel* Label(int number) const;
    QGroupBox* Frame2() const { return m_frame2; }
    QToolBar* Toolbar3() const { return m_toolbar; }

    // The two colours of a row: empty, and the coefficient of a row in use.
    static QColor emptyRowColour();
    static QColor coefficientColour();

private:
    struct Row {
        QLabel* number;
        QComboBox* component;
        QLineEdit* moleFract;
        QLabel* actCoeff;
    };

    void buildControls();
    void setRowColours(int index, bool inUse);
    void setModeLayout(const char* heading);
    UnifacSheet readSheet() const;
    void writeSheet(const UnifacSheet& sheet);
    void calculate();
    void showTemperatureMessage();
    void showComponentMessage(int row);
    void runDiagram(widgets::UnifacMode mode);
    void copyToClipboard();
    void defineComponent();
    void openDatabase();
    void exitWindow();

    std::unique_ptr<pure::PureWindowServices> m_ownServices;
    pure::PureWindowServices& m_services;
    short m_mode = 1;
    std::array<Row, rowCount> m_rows{};
    QLineEdit* m_temp = nullptr;
    QComboBox* m_tempUnits = nullptr;
    QLineEdit* m_pressure = nullptr;
    QComboBox* m_pressureUnits = nullptr;
    std::array<QLabel*, 7> m_labels{};
    QGroupBox* m_frame2 = nullptr;
    QToolBar* m_toolbar = nullptr;
};

} // namespace calvex::unifac
