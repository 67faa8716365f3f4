#include "mixture/windows/mixturesweep.h"

#include "core/checkedmath.h"
#include "mixture/engine/mixtureengine.h"
#include "mixture/engine/mixtureeos.h"
#include "mixture/windows/calculaterun.h"
#include "mixture/windows/familyrun.h"
#include "mixture/windows/mixturephase.h"
#include "services/pointsfile.h"
#include "services/ui.h"
#include "services/units.h"

#include <array>
#include <cmath>
#include <span>
#include <vector>

namespace calvex::mixture {
namespace {

using core::detail::ArithmeticFault;
using core::detail::fault;
using core::detail::need;
using core::detail::single;
using services::PointItem;
using K = MixtureWindowKind;

using services::pascalPerBar;

struct SweepTraits {
    K kind;
    services::SweepPlot plot;
    int rows;
    int curves;
    const char* failure;
    const char* temperatureCode; // the points writer's code of the sweep over temperature
    const char* pressureCode;
};

constexpr std::array<SweepTraits, 3> table{{
    {K::MolarVolume, services::SweepPlot::MolarVolume, 20, 1, "error in PVorTV graph", "TV", "PV"},
    {K::MixtureFugacity, services::SweepPlot::MixtureFugacity, 20, 1, "error in PDorTD graph", "TD", "PD"},
    {K::MixtureDeparture, services::SweepPlot::MixtureDeparture, 40, 2, "error in PDorTD graph", "TD", "PD"},
}};

const SweepTraits* sweepTraits(K kind)
{
    for (const SweepTraits& traits : table)
        if (traits.kind == kind)
            return &traits;
    return nullptr;
}

using Row = std::vector<PointItem>;
using Rows = std::vector<Row>;

// The bubble and dew pressures at T by the report's own passes, asking nothing: each search starts
// from its default, and one that finds no pressure shows no message and leaves its point drawn.
PhaseBoundaries quietBoundaries(const MixtureRunState& snapshot, float T, services::ResultLines& out)
{
    services::ScopedUi quiet(services::silentUi());
    return phaseBoundaries(snapshot, T, out);
}

// Molar volume: 20 K to 400 K at the reported pressure, 2 to 40 bar at the reported
// temperature; each point the engine's volume in cm³/mol at the stable root. Of the engine's two
// roots that is the one the fugacity sweep's rule picks (the lower mixture fugacity coefficient),
// and the vapour root where the engine gives one volume for both. A point that the report's phase
// rule puts in two phases is left out, as the report gives no volume there, so the curve has a gap
// across the two-phase region; a point at the reported state in one phase is the volume of its
// phase statement.
Rows molarVolumeRows(const MixtureRunState& snapshot, bool overTemperature, int rows)
{
    // The engine's lines of every point go here, not into the window's report lines.
    services::ResultLines out(static_cast<std::size_t>(mixtureWindowConfig(K::MolarVolume).reportCount + 2));
    // The mixture as the fugacity window would hold it, made at the first point with two roots:
    // a point that the engine refuses shows the engine's message first.
    std::optional<MixtureState> phases;
    // The pressure sweep holds its temperature, and with it the boundaries, for every point.
    std::optional<PhaseBoundaries> boundaries;
    Rows result;
    for (int i = 1; i <= rows; ++i) {
        const float T = overTemperature ? single(20.0 * i) : snapshot.T;
        const float P = overTemperature ? snapshot.P : single(2.0 * i);
        if (overTemperature || !boundaries)
            boundaries = quietBoundaries(snapshot, T, out);
        if (mixturePhase(P, *boundaries) == MixturePhase::TwoPhase)
            continue;
        const MixtureResult volume = callMixtureEngine(snapshot, MixtureMode::MolarVolume, T, P, out);
        if (volume.kind != MixtureResult::Kind::Volumes)
            fault();
        std::size_t side = 1;
        if (volume.volumes[0] != volume.volumes[1]) {
            if (!phases) {
                FamilyInput input = familyInputOf(snapshot);
                input.p_Pa = single(static_cast<double>(snapshot.P) * pascalPerBar);
                phases = familyState(*familyTraits(K::MixtureFugacity), input);
            }
            const float p = single(static_cast<double>(P) * pascalPerBar);
            side = static_cast<std::size_t>(stableSide(need(eos::phycal(*phases, T, p))));
        }
        result.push_back({PointItem(overTemperature ? T : P), PointItem(single(1e6 * volume.volumes[side]))});
    }
    return result;
}

// Fugacity: 20 points up to the mean Tc or Pc of the mixture in use; departure: 20 K to 800 K
// and 2.5 to 100 bar. Each point at its stable root.
Rows familyRows(K kind, const MixtureRunState& snapshot, bool overTemperature, int rows)
{
    const FamilyTraits& traits = *familyTraits(kind);
    // Every point writes its report lines and parameters into this state, not the snapshot.
    MixtureState state = familyState(traits, familyInputOf(snapshot));
    const float T = state.T;
    const float p = state.p;
    const bool departure = kind == K::MixtureDeparture;
    float step = overTemperature ? 20.0f : 2.5e5f;
    if (!departure) {
        float sum = 0.0f;
        for (int i = 0; i < state.nos; ++i) {
            const auto k = static_cast<std::size_t>(i);
            sum = single(static_cast<double>(sum) + (overTemperature ? state.Tc[k] : state.Pc[k]));
        }
        step = single(static_cast<double>(sum) / (rows * state.nos));
    }
    Rows result;
    for (int i = 1; i <= rows; ++i) {
        const float value = single(static_cast<double>(step) * i);
        const float pointT = overTemperature ? value : T;
        const float pointP = overTemperature ? p : value;
        const PointItem x = overTemperature ? PointItem(value) : PointItem(static_cast<float>(value / pascalPerBar));
        if (departure) {
            const auto HS = need(eos::Departurecal(state, pointT, pointP));
            result.push_back({x, PointItem(HS[0] / 1000.0f), PointItem(HS[1])});
        } else {
            const auto phi = need(eos::phycal(state, pointT, pointP));
            result.push_back({x, PointItem(static_cast<double>(stableCoefficient(phi)) * pointP / pascalPerBar)});
        }
    }
    return result;
}

bool writeRows(const std::string& file, int curves, const Rows& rows)
{
    services::PointsFileWriter writer(file);
    bool complete = writer.writeLine({static_cast<int>(rows.size())}) && writer.writeLine({curves});
    for (const Row& row : rows) {
        if (!complete)
            break;
        complete = row.size() == 3 ? writer.writeLine({row[0], row[1], row[2]}) : writer.writeLine({row[0], row[1]});
    }
    return writer.close() && complete;
}

std::string writePoints(const SweepTraits& traits, const std::optional<MixtureRunState>& snapshot, bool overTemperature)
{
    const std::string file = overTemperature ? services::points1FileName : services::points2FileName;
    // No rows where every point of a molar-volume sweep lies in two phases: the chart is then empty.
    std::optional<Rows> rows;
    // A window loaded afresh by the viewer has shown no report to sweep from.
    if (snapshot) {
        try {
            rows = traits.kind == K::MolarVolume ? molarVolumeRows(*snapshot, overTemperature, traits.rows)
                                                 : familyRows(traits.kind, *snapshot, overTemperature, traits.rows);
        } catch (const ArithmeticFault&) {
            // A point without a value: no rows to write.
        }
    }
    if (!rows || !writeRows(file, traits.curves, *rows)) {
        services::ui().message(traits.failure);
        return {};
    }
    return file;
}

} // namespace

std::optional<services::SweepPlot> sweepPlotOf(MixtureWindowKind kind)
{
    if (const SweepTraits* traits = sweepTraits(kind))
        return traits->plot;
    return std::nullopt;
}

std::string writeMixtureSweep(MixtureWindowKind kind, const std::optional<MixtureRunState>& snapshot,
                              const std::string& argument)
{
    const SweepTraits* traits = sweepTraits(kind);
    if (!traits || (argument != "T" && argument != "P"))
        return {};
    return writePoints(*traits, snapshot, argument == "T");
}

std::string writeMixturePoints(MixtureWindowKind kind, const std::optional<MixtureRunState>& snapshot,
                               const std::string& code)
{
    const SweepTraits* traits = sweepTraits(kind);
    if (!traits || (code != traits->temperatureCode && code != traits->pressureCode))
        return {};
    return writePoints(*traits, snapshot, code == traits->temperatureCode);
}

} // namespace calvex::mixture
