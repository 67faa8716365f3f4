#pragma once
// The one window class of the nine component-selection windows: six component frames (list and
// mole-fraction box) in three rows of two, and the calculate button Command1. The window only
// routes: its handlers go to its MixtureCalculator, and Command1 reads this window's controls
// and its input window's into a SelectionReading for the run of its kind.

#include "mixture/windows/mixturecalculator.h"
#include "pure/componentdatabase.h"
#include "widgets/plotcallbacks.h"

#include <QWidget>

#include <memory>
#include <vector>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace calvex::mixture {

class MixtureInputWindow;

class ComponentSelectionWindow : public QWidget, public widgets::PlotCallbacks {
    Q_OBJECT

public:
    // `services` null: the program's database and dialogs.
    explicit ComponentSelectionWindow(MixtureWindowKind kind, pure::PureWindowServices* services = nullptr,
                                      QWidget* parent = nullptr);
    ~ComponentSelectionWindow() override;

    const MixtureWindowConfig& config() const { return m_calculator.config(); }
    MixtureCalculator& calculator() { return m_calculator; }

    // Handlers; `Index` is the component slot 0..5.
    void Combo2_Click(int Index);
    void Combo2_KeyPress(int Index, int& KeyAscii);
    void Combo2_LostFocus(int Index);
    void Text1_MolFraction_KeyPress(int Index, int& KeyAscii);
    void Text1_MolFraction_Change(int Index);
    void Command1_Click();

    // The plot buttons of the result viewer: the sweep of the last report drawn in the chart
    // window (the molar-volume, fugacity and departure windows; the others have none).
    void graphplotting(const std::string& argument) override;
    // Fills the chart from a points file of the program folder with this window's titles.
    void plot(const std::string& datafilename);

    // What the input window's Command1 does to slot `slot`: the list refilled with `components`
    // in alphabetical order, each with its SNO, the first chosen (as a click on it) and the
    // frame shown. False, with the list left empty, when there is no entry to choose.
    bool fillList(int slot, const pure::ComponentList& components);
    // Hides the frames of slots `first`..5.
    void hideFramesFrom(int first);
    // Sizes the window to the frames on show.
    void fitFrames();

    // The controls; null outside slots 0..5.
    QGroupBox* Frame0(int index) const;
    QComboBox* Combo2(int index) const;
    QLineEdit* Text1_MolFraction(int index) const;
    QPushButton* Command1() const { return m_command; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Slot {
        QGroupBox* frame = nullptr;
        QComboBox* list = nullptr;
        QLineEdit* fraction = nullptr;
    };

    void buildControls();
    // The input window, created hidden when it is not loaded.
    MixtureInputWindow* inputWindow() const;
    SelectionReading readControls() const;
    int slotOf(const QObject* control) const;

    std::unique_ptr<pure::PureWindowServices> m_ownServices;
    MixtureCalculator m_calculator;
    Slot m_slots[maxComponents];
    QPushButton* m_command = nullptr;
    bool m_inLostFocus = false;
};

} // namespace calvex::mixture
