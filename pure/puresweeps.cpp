// The sweeps behind the plot buttons: 20 temperatures or pressures from a twentieth of the
// critical value up to the critical value itself, computed on a copy of the state of the last
// report, so that a calculation stopped at a check since then changes nothing in the chart and
// the window's own fields stay as they are. Each point is the stable phase, so the curves break
// where the sweep crosses saturation (the reports show both roots).

#include "core/departure.h"
#include "core/enthalpyentropy.h"
#include "core/fugacity.h"
#include "core/saturationpressure.h"
#include "core/saturationtemperature.h"
#include "pure/calculationfault.h"
#include "pure/purecalculator.h"
#include "services/pointsfile.h"
#include "services/units.h"

#include <algorithm>

namespace calvex::pure {
namespace {

using services::pascalPerBar;
using services::PointItem;

constexpr int sweepPoints = 20;
constexpr double R = 8.314; // J/(mol K)

// Point i of 20 between a twentieth of `critical` and `critical` itself.
float sweepValue(float critical, int i) { return single(static_cast<double>(critical) / sweepPoints * i); }

bool fitsChart(const std::vector<PointItem>& row) { return std::ranges::all_of(row, &PointItem::fitsChart); }

// The stable root at the state's T and p, and its fugacity (Pa).
struct StablePhase {
    float Z;
    float fugacity;
};

std::optional<StablePhase> stablePhase(core::EosState& state)
{
    const auto evaluation = core::fugacityEvaluation(state, state.p);
    if (!evaluation)
        return std::nullopt;
    const bool liquid = core::smallestRootIsStable(*evaluation);
    return StablePhase{liquid ? evaluation->roots.roots[0] : evaluation->roots.roots[2],
                       evaluation->fugacities[liquid ? 0 : 1]};
}

} // namespace

bool PureCalculator::writeSweep(const std::string& argument)
{
    return writePoints(sweepFor(m_config, argument));
}

bool PureCalculator::writePoints(const SweepConfig* sweep)
{
    if (!sweep)
        return false;
    SweepRows rows;
    bool complete = false;
    if (m_snapshot) {
        core::EosState state = *m_snapshot;
        state.optionno = m_state.optionno;
        state.stepsflag = 0;
        try {
            complete = sweepRows(state, *sweep, rows) && !rows.empty();
        } catch (const CalculationFault&) {
            complete = false;
        }
    }
    if (complete) {
        services::PointsFileWriter writer(sweep->file);
        complete = writer.writeLine({static_cast<int>(rows.size())}) && writer.writeLine({m_config.curves});
        for (const auto& row : rows) {
            if (!complete)
                break;
            complete = row.size() == 3 ? writer.writeLine({row[0], row[1], row[2]})
                                       : writer.writeLine({row[0], row[1]});
        }
        complete = writer.close() && complete;
    }
    if (!complete)
        services::ui().message(m_config.sweepFailure);
    return complete;
}

bool PureCalculator::sweepRows(core::EosState& state, const SweepConfig& sweep, SweepRows& rows)
{
    const bool overTemperature = sweep.swept == Swept::Temperature;
    const bool leavesOutFailures = m_config.leavesOutFailures;
    for (int i = 1; i <= sweepPoints; ++i) {
        // The swept value goes into the copy's own T or p; the other stays the calculation's.
        if (overTemperature)
            state.T = sweepValue(state.component.Tc, i);
        else
            state.p = sweepValue(state.component.Pc, i);
        const PointItem x =
            overTemperature ? PointItem(state.T) : PointItem(static_cast<float>(state.p / pascalPerBar));
        std::optional<SweepRow> row = sweepPoint(state, x);
        if (row && fitsChart(*row))
            rows.push_back(std::move(*row));
        else if (!leavesOutFailures)
            return false;
    }
    return true;
}

std::optional<PureCalculator::SweepRow> PureCalculator::sweepPoint(core::EosState& state, const PointItem& x)
{
    switch (m_config.kind) {
    case PureWindowKind::Enthalpy:
    case PureWindowKind::Entropy: {
        const auto pair = core::eecal(state);
        if (!pair)
            return std::nullopt;
        return SweepRow{x, PointItem((*pair)[0] / 1000.0f), PointItem((*pair)[1])};
    }
    case PureWindowKind::Departure: {
        const auto phase = stablePhase(state);
        if (!phase)
            return std::nullopt;
        const auto departures = core::Departure(state, state.T, state.p, phase->Z);
        if (!departures)
            return std::nullopt;
        return SweepRow{x, PointItem((*departures)[0] / 1000.0f), PointItem((*departures)[1])};
    }
    case PureWindowKind::Fugacity: {
        const auto phase = stablePhase(state);
        if (!phase)
            return std::nullopt;
        return SweepRow{x, PointItem(static_cast<double>(phase->fugacity) / pascalPerBar)};
    }
    case PureWindowKind::MolarVolume: {
        const auto phase = stablePhase(state);
        if (!phase)
            return std::nullopt;
        // cm3/mol
        return SweepRow{x, PointItem(phase->Z * R * state.T / state.p * 1000000.0)};
    }
    case PureWindowKind::SaturationPressure: {
        const float psat = core::Psatcal(state);
        if (psat <= 0)
            return std::nullopt;
        return SweepRow{PointItem(state.T), PointItem(static_cast<double>(psat) / pascalPerBar)};
    }
    case PureWindowKind::SaturationTemperature: {
        const float tsat = core::Tsatcal(state);
        if (tsat <= 0)
            return std::nullopt;
        return SweepRow{PointItem(static_cast<double>(state.p) / pascalPerBar), PointItem(tsat)};
    }
    }
    return std::nullopt;
}

} // namespace calvex::pure
