#pragma once
// The one window class of the nine mixture input windows: the temperature and/or pressure row
// with their unit lists, the component count, the equation buttons with the hidden
// Text1_optionno, and Command1, which fills the component lists of the window's selection
// window from the database and shows it. The window computes nothing; the selection window's
// run reads these controls when it runs.

#include "mixture/windows/mixturewindowconfig.h"
#include "pure/purecalculator.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace calvex::mixture {

class MixtureInputWindow : public QWidget {
    Q_OBJECT

public:
    // `services` null: the program's database and dialogs.
    explicit MixtureInputWindow(MixtureWindowKind kind, pure::PureWindowServices* services = nullptr,
                                QWidget* parent = nullptr);
    ~MixtureInputWindow() override;

    const MixtureWindowConfig& config() const { return m_config; }

    void Form_Load();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Combo3_KeyPress(int& KeyAscii);
    void Combo1_Unit_T_KeyPress(int& KeyAscii);
    void Combo1_Unit_p_KeyPress(int& KeyAscii);
    void Command1_Click();

    // The controls, null where the window has none.
    QComboBox* Combo3() const { return m_count; }
    QLineEdit* Text1_optionno() const { return m_optionno; }
    QLineEdit* Text1_Temperature() const { return m_temperatureBox; }
    QComboBox* Combo1_Unit_T() const { return m_temperatureUnits; }
    QLineEdit* Text1_Pressure() const { return m_pressureBox; }
    QComboBox* Combo1_Unit_p() const { return m_pressureUnits; }
    QRadioButton* Option(int number) const;
    QPushButton* Command1() const { return m_command; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QLabel* addLabel(const char* name, const QString& text);
    QComboBox* addUnitList(QGridLayout& grid, int row, const char* names[4], const std::vector<std::string>& units,
                           QLineEdit*& box, bool signedBox);
    void loadFailed();

    const MixtureWindowConfig& m_config;
    std::unique_ptr<pure::PureWindowServices> m_ownServices;
    pure::PureWindowServices& m_services;
    QComboBox* m_count = nullptr;
    QLineEdit* m_optionno = nullptr;
    QLineEdit* m_temperatureBox = nullptr;
    QComboBox* m_temperatureUnits = nullptr;
    QLineEdit* m_pressureBox = nullptr;
    QComboBox* m_pressureUnits = nullptr;
    QRadioButton* m_options[4] = {};
    QPushButton* m_command = nullptr;
};

} // namespace calvex::mixture
