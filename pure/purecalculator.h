#pragma once
// The working part of a pure-component calculator window, free of widgets: the window's
// fields (its EosState and unit names), the Calculate flow with its
// dialogs, checks and prompts, the window's core call and report, and the sweeps behind the
// plot buttons. The window reads its controls into a FormReading and hands it here.

#include "core/cardan.h"
#include "core/eosstate.h"
#include "pure/componentdatabase.h"
#include "pure/purewindowconfig.h"
#include "services/pointsfile.h"
#include "services/ui.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace calvex::pure {

// What the window's controls hold when Calculate is pressed.
struct FormReading {
    std::string temperatureText;
    std::string pressureText;
    std::string temperatureUnit;
    std::string pressureUnit;
    std::string listText;
    std::optional<std::int32_t> sno; // the SNO kept with the selected entry
};

// The component database and the data-entry dialogs as a window reaches them.
class PureWindowServices {
public:
    virtual ~PureWindowServices() = default;
    virtual ComponentList listComponents() = 0;
    virtual ComponentLookup readComponent(std::int32_t sno, core::ComponentConstants& constants,
                                          ComponentColumns columns) = 0;
    // The dialog of that name, loaded with empty boxes when it is not loaded; nullptr when the
    // program has no such dialog.
    virtual services::ModalDialog* dialog(const std::string& name) = 0;
    virtual void unloadDialog(const std::string& name) = 0;
};

inline constexpr char constantsDialogName[] = "GetPcTcOmega";
inline constexpr char heatCapacityDialogName[] = "InputABCD";

class PureCalculator {
public:
    PureCalculator(PureWindowKind kind, PureWindowServices& services);

    const PureWindowConfig& config() const { return m_config; }

    void setOptionno(std::int16_t optionno) { m_state.optionno = optionno; }
    std::int16_t optionno() const { return m_state.optionno; }

    ComponentList listComponents() { return m_services.listComponents(); }

    // The "not listed" dialogs, shown when `listText` is "not listed" and one of the four
    // constants of GetPcTcOmega still reads 0. False when a dialog could not be had.
    bool showNotListedDialogs(const std::string& listText);

    // The Calculate handler: true when the calculation reached its report.
    bool calculate(const FormReading& form);

    // The sweep behind a plot button ("T", "P", or empty for the saturation windows): runs the
    // window's sweep writer, or writes the points itself in the saturation windows. False when
    // nothing was written (an argument the window has no sweep for does nothing; a failure
    // shows its message).
    bool writeSweep(const std::string& argument);
    // The sweep writers by the windows' own names, called with their kind ("TD"/"PD",
    // "TF"/"PF", "TV"/"PV"): each writes that sweep's points file from the state of the last
    // report. A kind the window has no sweep of does nothing and gives false.
    bool MakePlotPoints(const std::string& kind) { return writePoints(sweepOfKind(m_config, kind)); }
    bool PForTFpoints(const std::string& kind) { return writePoints(sweepOfKind(m_config, kind)); }
    bool PVorTVpoints(const std::string& kind) { return writePoints(sweepOfKind(m_config, kind)); }

    // The window's fields as the core sees them.
    const core::EosState& state() const { return m_state; }

private:
    bool runCalculation(const FormReading& form);
    bool readConstants(const FormReading& form);
    bool checkConstants();
    bool checkConstant(float& value, const std::string& prompt, bool askedWhenNegative,
                       const std::string& negativeMessage);
    using UnitConversion = float (*)(float& value, const std::string& unitName);
    bool checkState(float& value, UnitConversion toBaseUnit, const std::string& message, const std::string& prompt,
                    std::string* unit, const char* promptUnit);
    void writeInputValues();
    void convert();

    // The window's own part after the conversion: its core calls and report values. True when
    // the report is to be shown.
    bool computeReport();
    bool reportEnthalpy();
    bool reportMolarVolume();
    bool reportFugacity();
    bool reportDeparture();
    bool reportSaturation();
    // The compressibility solve shown in values 9 to 23 of the steps reports.
    std::optional<core::CubicRoots> stepsSolve();
    // Values 24 to 27 of the molar-volume and fugacity reports: the phase from the saturation
    // pressure, and the root's value as `valueText` gives it for the liquid and vapour roots.
    template <class ValueText>
    void writePhase(const core::CubicRoots& roots, ValueText valueText, const std::string& between);

    // The points file of `sweep` (nullptr: nothing), written only once every point is computed;
    // a sweep without a point writes nothing and fails.
    bool writePoints(const SweepConfig* sweep);
    using SweepRow = std::vector<services::PointItem>;
    using SweepRows = std::vector<SweepRow>;
    // The points of `sweep` computed on `state`, a copy of the snapshot. False when a point
    // failed or holds a value the chart cannot; the saturation sweeps leave such a point out
    // instead.
    bool sweepRows(core::EosState& state, const SweepConfig& sweep, SweepRows& rows);
    // One point at the state's T and p, x given; empty when it did not converge.
    std::optional<SweepRow> sweepPoint(core::EosState& state, const services::PointItem& x);

    const PureWindowConfig& m_config;
    PureWindowServices& m_services;
    core::EosState m_state;
    std::string m_Tunit;
    std::string m_Punit;
    // The converted state of the last calculation that reached its report: what the plot
    // buttons sweep from.
    std::optional<core::EosState> m_snapshot;
};

} // namespace calvex::pure
