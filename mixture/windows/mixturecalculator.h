#pragma once
// The working part of a component-selection window, free of widgets: the `listed` flags, the
// "not listed" dialogs on leaving a list, the mole-fraction boxes, the report lines, the run
// state that the last report committed, and Calculate under its error trap (calculaterun.h).

#include "mixture/windows/calculaterun.h"
#include "mixture/windows/mixtureruns.h"
#include "mixture/windows/molfractions.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace calvex::mixture {

class MixtureCalculator {
public:
    MixtureCalculator(MixtureWindowKind kind, pure::PureWindowServices& services);

    const MixtureWindowConfig& config() const { return m_config; }

    // Combo2_Click(index): 1 for a database component, 0 for "not listed".
    void Combo2_Click(int index, const std::string& listText);
    std::int16_t listed(int index) const { return m_listed.at(static_cast<std::size_t>(index)); }
    // Combo2_LostFocus(index) on a list reading `listText`: the component's constants dialog,
    // in the engine windows only while its Tc, Pc or omega reads 0, in the family windows
    // every time.
    void Combo2_LostFocus(int index, const std::string& listText);

    MolFractions& fractions() { return m_fractions; }

    // Shows the input window; the runs that refuse their inputs call it.
    void setInputWindowShower(std::function<void()> show) { m_showInputWindow = std::move(show); }
    // Command1_Click: `run` on a working copy of the committed state, under the
    // "error in command" trap. True when the run showed its report.
    bool calculate(const SelectionReading& reading, const MixtureRunFunction& run);

    // The state of the last run that showed its report: what the plot buttons sweep from.
    const std::optional<MixtureRunState>& snapshot() const { return m_snapshot; }
    // The sweep behind a plot button ("T" or "P") from the snapshot: the name of the points file
    // written, or empty when nothing was (another argument, a window without sweeps, or a
    // failure, which has shown its messages).
    std::string writeSweep(const std::string& argument);
    // The sweep writers by the windows' own names, called with their code ("TV"/"PV" in the
    // molar-volume window, "TD"/"PD" in the fugacity and departure windows): each writes that
    // sweep's points file from the snapshot and names it. A code the window has no sweep of
    // does nothing and gives the empty name.
    std::string PVorTVpoints(const std::string& code);
    std::string MakePlotPoints(const std::string& code);
    services::ResultLines& out() { return m_out; }

private:
    const MixtureWindowConfig& m_config;
    pure::PureWindowServices& m_services;
    std::array<std::int16_t, maxComponents + 1> m_listed{};
    MolFractions m_fractions;
    services::ResultLines m_out;
    std::optional<MixtureRunState> m_snapshot;
    std::function<void()> m_showInputWindow;
};

} // namespace calvex::mixture
