#include "mixture/windows/familysweep.h"

#include "core/checkedmath.h"
#include "mixture/engine/mixtureeos.h"
#include "services/pointsfile.h"
#include "services/ui.h"

#include <cmath>
#include <vector>

namespace calvex::mixture {
namespace {

using core::detail::ArithmeticFault;
using core::detail::need;
using core::detail::single;
using services::PointItem;

constexpr double pascalPerBar = 1e5;

// Point i = 1..rows of the swept value is i times step: K, or Pa.
struct Grid {
    int rows;
    float step;
};

// The fugacity grids end at the mean Tc or Pc of the mixture in use; the departure grids run
// from 20 K to 800 K and from 2.5 to 100 bar.
Grid gridOf(bool departure, const MixtureState& state, bool overTemperature)
{
    if (departure)
        return {40, overTemperature ? 20.0f : 2.5e5f};
    float sum = 0.0f;
    for (int i = 0; i < state.nos; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        sum = single(static_cast<double>(sum) + (overTemperature ? state.Tc[k] : state.Pc[k]));
    }
    return {20, single(static_cast<double>(sum) / (20 * state.nos))};
}

using Row = std::vector<PointItem>;

// One line of the points file at (T, p): x, then the fugacity in bar or H in kJ/mol and S.
Row pointAt(bool departure, MixtureState& state, float T, float p, PointItem x)
{
    if (departure) {
        const auto HS = need(eos::Departurecal(state, T, p));
        return {x, PointItem(HS[0] / 1000.0f), PointItem(HS[1])};
    }
    const auto phi = need(eos::phycal(state, T, p));
    // A coefficient that underflowed to 0 has ln phi = -inf: that root is the stable one.
    const float stable = phi[static_cast<std::size_t>(stableSide(std::log(phi[0]), std::log(phi[1])))];
    return {x, PointItem(static_cast<double>(stable) * p / pascalPerBar)};
}

bool writeRows(const std::string& file, int curves, const std::vector<Row>& rows)
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

} // namespace

std::string writeFamilySweep(const FamilyTraits& traits, const MixtureRunState& snapshot, const std::string& argument)
{
    if (argument != "T" && argument != "P")
        return {};
    const bool overTemperature = argument == "T";
    const bool departure = traits.kind == MixtureWindowKind::MixtureDeparture;
    const std::string file = overTemperature ? "points1.dat" : "points2.dat";
    std::vector<Row> rows;
    try {
        // Every point writes its report lines and parameters into this state, not the snapshot.
        MixtureState state = familyState(traits, familyInputOf(snapshot));
        const float T = state.T;
        const float p = state.p;
        const Grid grid = gridOf(departure, state, overTemperature);
        for (int i = 1; i <= grid.rows; ++i) {
            const float value = single(static_cast<double>(grid.step) * i);
            if (overTemperature)
                rows.push_back(pointAt(departure, state, value, p, PointItem(value)));
            else
                rows.push_back(pointAt(departure, state, T, value, PointItem(static_cast<float>(value / pascalPerBar))));
        }
    } catch (const ArithmeticFault&) {
        rows.clear();
    }
    // H and S, or the fugacity.
    const int curves = departure ? 2 : 1;
    if (rows.empty() || !writeRows(file, curves, rows)) {
        services::ui().message("error in PDorTD graph");
        return {};
    }
    return file;
}

} // namespace calvex::mixture
