#pragma once
// The two windows of the Margules / Van Laar parameter calculator. ParametersForm1 holds the
// choices (components, number of points, model, equation of state) in its controls; its "Add
// Data" shows the data-point window Datapoints, whose Calculate reads both windows and runs
// the fit (activity/parameterfit.h).

#include "activity/parameterfit.h"

#include <QWidget>

#include <array>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace calvex::activity {

class ParametersForm1 : public QWidget {
    Q_OBJECT

public:
    // `services` null: the program's database and dialogs.
    explicit ParametersForm1(pure::PureWindowServices* services = nullptr, QWidget* parent = nullptr);
    ~ParametersForm1() override;

    void Form_Load();
    void Combo2_Click(int index);
    // Option1 "Van-Laar" and Option5 "Margules" write Text2_optionno; Option2..Option4 the
    // equation of state into Text1_optionno.
    void Option_Click(int number);
    // "Add Data".
    void Command1_Click();

    // What the fit reads of this window.
    void readInto(FitForm& form) const;
    pure::PureWindowServices& services() { return m_services; }

    QComboBox* Combo2(int index) const { return m_lists[static_cast<std::size_t>(index)]; }
    QComboBox* Combo3() const { return m_combo3; }
    QLineEdit* Data(int index) const { return m_data[static_cast<std::size_t>(index)]; }
    QLineEdit* Text1_optionno() const { return m_text1Optionno; }
    QLineEdit* Text2_optionno() const { return m_text2Optionno; }
    QRadioButton* Option(int number) const { return m_options[static_cast<std::size_t>(number - 1)]; }
    QPushButton* Command1() const { return m_command1; }

private:
    void buildControls();

    std::unique_ptr<pure::PureWindowServices> m_ownServices;
    pure::PureWindowServices& m_services;
    std::array<QComboBox*, 2> m_lists{};
    std::array<QLineEdit*, 2> m_data{};
    QComboBox* m_combo3 = nullptr;
    QLineEdit* m_text1Optionno = nullptr;
    QLineEdit* m_text2Optionno = nullptr;
    std::array<QRadioButton*, 5> m_options{};
    QPushButton* m_command1 = nullptr;
};

class Datapoints : public QWidget {
    Q_OBJECT

public:
    explicit Datapoints(QWidget* parent = nullptr);

    // Rows 1..n visible, the others hidden; n outside 1..16 shows none.
    void showRows(int n);
    // "Calculate".
    void Command1_Click();

    // Row `row` (0..15): its label and the four boxes Temp, x1, y1, Press.
    QLabel* Label6(int row) const { return m_labels[static_cast<std::size_t>(row)]; }
    QLineEdit* Temp(int row) const { return m_boxes[static_cast<std::size_t>(row)][0]; }
    QLineEdit* x1(int row) const { return m_boxes[static_cast<std::size_t>(row)][1]; }
    QLineEdit* y1(int row) const { return m_boxes[static_cast<std::size_t>(row)][2]; }
    QLineEdit* Press(int row) const { return m_boxes[static_cast<std::size_t>(row)][3]; }
    QComboBox* Combo1_Unit_T() const { return m_temperatureUnits; }
    QComboBox* Combo1_Unit_p() const { return m_pressureUnits; }
    QPushButton* Command1() const { return m_command1; }

private:
    std::array<QLabel*, maxDataPoints> m_labels{};
    std::array<std::array<QLineEdit*, 4>, maxDataPoints> m_boxes{};
    QComboBox* m_temperatureUnits = nullptr;
    QComboBox* m_pressureUnits = nullptr;
    QPushButton* m_command1 = nullptr;
};

// Makes ParametersForm1 and Datapoints loadable by name.
void registerParameterWindows();

} // namespace calvex::activity
