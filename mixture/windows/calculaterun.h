#pragma once
// One press of a component-selection window's Calculate: the prologue every mixture run takes
// (reading, gathering, repair prompts, duplicate names, state checks, conversion, range check,
// engine member) as steps that each run calls in its own order, on a working copy of the
// window's run state.
//
// How Calculate reaches the run of its kind (the run-hook seam):
//   ComponentSelectionWindow::Command1_Click reads its own controls and its input window's into
//   a SelectionReading and calls MixtureCalculator::calculate with mixtureRunFor(kind)
//   (mixtureruns.h: the one table that names each kind's run). calculate makes a CalculateRun
//   and calls the run under the "error in command" trap: a pure::CalculationFault thrown by a
//   step or by the run ends it with that message. A run calls the steps below, each of which
//   returns false when the run must end (having said why, or ending silently as the step
//   says), does its own calculation and ends with report(), which shows the page and commits
//   the working copy as the window's snapshot (what the plot buttons later sweep from). A run
//   that ends early commits nothing; a kind whose run is not built shows the not-available note.

#include "mixture/engine/mixtureengine.h"
#include "mixture/windows/mixturerunstate.h"
#include "pure/purecalculator.h"
#include "services/resultformat.h"

#include <functional>
#include <optional>
#include <string>

namespace calvex::mixture {

// The mixture engine of the state's equation called in `mode` at T (K) and P (bar) on the
// state's components; an empty result when the equation has no engine member.
MixtureResult callMixtureEngine(const MixtureRunState& state, MixtureMode mode, float T, float P,
                                services::ResultLines& out);

// The message and the prompt of a state value that is not above 0.
struct StatePrompt {
    std::string message;
    std::string prompt;
};

// How the repair step takes a mole fraction re-entered at its prompt.
enum class FractionRule {
    RefuseZero, // an answer not above 0, or 1 or more, ends the run
    TakeZero,   // only an answer below 0, or 1 or more, ends the run
};

inline const StatePrompt temperaturePrompt{"Temperature cannot be zero or negative", "Enter valid Temperature in kelvin"};

class CalculateRun {
public:
    CalculateRun(const MixtureWindowConfig& config, const SelectionReading& reading,
                 pure::PureWindowServices& services, MixtureRunState work,
                 std::optional<MixtureRunState>& snapshot, services::ResultLines& out,
                 std::function<void()> showInputWindow);

    const MixtureWindowConfig& config() const { return m_config; }
    const SelectionReading& reading() const { return m_reading; }
    // The working copy.
    MixtureRunState& state() { return m_work; }
    // The window's report lines; the engine writes here.
    services::ResultLines& out() { return m_out; }

    // Step 1: T and its unit, P and its unit, the count n (1..6; any other count is a fault).
    void readTemperature();
    void readPressure();
    void readCount();
    // Step 2: the last component's constants dialog when its list reads "not listed" and one of
    // the dialog's four constants reads 0.
    void checkLastComponent();
    // Step 3: names, constants and fractions of components 1..n from the database or the
    // dialogs. False after "component not found in the database".
    bool gather();
    // Step 4: the equation option from Text1_optionno.
    void readOption();
    // Step 5: the repair prompts, per component Pc, fraction, Tc, Tb, omega.
    bool repairConstants(FractionRule rule = FractionRule::RefuseZero);
    // Step 6: "Two or more components cannot have same name so exiting".
    bool refuseDuplicates();
    // Step 7: the value converted by its unit must be above 0 and finite; otherwise the
    // message, the prompt, and an answer above 0 taken in kelvin or bar (the unit name then
    // reads "kelvin" or "bar"). False, silently, when the answer is not above 0.
    bool checkTemperature(const StatePrompt& texts = temperaturePrompt);
    bool checkPressure(const StatePrompt& texts);
    // Step 8: T to K; P to bar (engine runs) or Pa (family runs). A re-entered value stays.
    void convertTemperature();
    void convertPressureToBar();
    void convertPressureToPascal();
    // Step 9: T above a component's Tc, or P at or above a component's Pc, ends the run.
    bool checkTemperatureRange();
    bool checkPressureRange();
    // Step 10: the engine member of the equation option; nullptr for an option other than 2-4.
    MixtureEngineFunction engine() const;
    // One engine call in `mode` on the working copy, after emptying the report lines, so no
    // line of an earlier call can reach a report. An option without a member gives the empty
    // result and no call.
    MixtureResult callEngine(MixtureMode mode);

    // Shows the input window again (the molar-volume run does after every refusal).
    void showInputWindow() const;
    // ShowResultReport with the window's template, count and ResultKind, then commits the
    // working copy as the window's snapshot.
    void report(services::ResultLines& lines);
    bool reported() const { return m_reported; }

private:
    services::ModalDialog& constantsDialog(int component);
    // Prompt `prompt`; the leading-number value of the answer, kept as inputtext.
    float askValue(const std::string& prompt);
    bool repairPositive(float& value, const std::string& prompt, const std::string& negativeMessage);

    const MixtureWindowConfig& m_config;
    const SelectionReading& m_reading;
    pure::PureWindowServices& m_services;
    MixtureRunState m_work;
    std::optional<MixtureRunState>& m_snapshot;
    services::ResultLines& m_out;
    std::function<void()> m_showInputWindow;
    ComponentArray<bool> m_fromDialog{};
    bool m_pressureReentered = false;
    bool m_reported = false;
};

inline const std::string invalidInput = "invalid input so quiting";
inline const std::string commandFailure = "error in command";

} // namespace calvex::mixture
