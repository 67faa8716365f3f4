#pragma once
// Fugacities of the smallest and the largest compressibility root of the selected cubic
// equation of state, and the dispatcher that picks the equation by optionno.

#include "core/cardan.h"
#include "core/eosstate.h"

#include <array>
#include <cmath>
#include <functional>
#include <optional>

namespace calvex::core {

// Element 0 the fugacity (Pa) of the smallest root, element 1 that of the largest root.
using FugacityPair = std::array<float, 2>;

// The argument is the pressure (Pa) at the state's T, except in the saturation-temperature
// window, where it is the temperature (K) at the state's p. Empty after a failure (with the
// window's messages) and, without a message, for an optionno outside 1..4. In the two
// saturation windows each call writes the equation name into result(6) and the roots Z(0)
// and Z(1) into cells 3 and 4 of the current iteration-log row.
std::optional<FugacityPair> Fugasitycal(EosState& state, float argument);
std::optional<FugacityPair> Fugacityvanderwaal(EosState& state, float argument);
std::optional<FugacityPair> FugacityPR(EosState& state, float argument);
std::optional<FugacityPair> FugacityRK(EosState& state, float argument);
std::optional<FugacityPair> FugacitySRK(EosState& state, float argument);

// One evaluation as the saturation solvers need it: the pair and the roots it came from.
struct FugacityEvaluation {
    FugacityPair fugacities{};
    CubicRoots roots;
};

// Whether the evaluation is a saturation state: the two fugacities differ by no more than
// 1000 Pa and by no more than 1e-4 (ZV - ZL) of the vapour's. At fixed T, d ln f / d ln P is
// the phase's Z, so the second bound keeps the pressure within 1e-4 of the one where they are
// equal, close to the critical point too; 1000 Pa alone accepts anything below 1 bar.
inline bool fugacitiesAgree(const FugacityEvaluation& evaluation)
{
    const FugacityPair& f = evaluation.fugacities;
    const auto& Z = evaluation.roots.roots;
    const double difference = std::fabs(static_cast<double>(f[0]) - f[1]);
    return difference <= 1000.0 && difference <= 1e-4 * (static_cast<double>(Z[2]) - Z[0]) * f[1];
}

// Fugasitycal together with the roots of its evaluation point.
std::optional<FugacityEvaluation> fugacityEvaluation(EosState& state, float argument);

// Whether the smallest root is the stable phase of an evaluation: with three real roots the
// one of lower fugacity, the largest where the two agree (fugacitiesAgree); with one real
// root that root, the largest.
bool smallestRootIsStable(const FugacityEvaluation& evaluation);

// Where the saturation solvers take their fugacities from: fugacityEvaluation, or a stand-in.
using FugacitySource = std::function<std::optional<FugacityEvaluation>(EosState& state, float argument)>;

} // namespace calvex::core
