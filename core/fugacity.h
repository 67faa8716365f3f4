#pragma once
// Fugacities of the smallest and the largest compressibility root of the selected cubic
// equation of state, and the dispatcher that picks the equation by optionno.

#include "core/cardan.h"
#include "core/eosstate.h"

#include <array>
#include <functional>
#include <optional>

namespace calvex::core {

// Element 0 the fugacity (Pa) of the smallest root, element 1 that of the largest root.
using FugacityPair = std::array<float, 2>;

// Two fugacities that differ by no more than this (Pa) count as equal: a saturation state.
inline constexpr double equalFugacityTolerance = 1000.0;

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

// Fugasitycal together with the roots of its evaluation point.
std::optional<FugacityEvaluation> fugacityEvaluation(EosState& state, float argument);

// Whether the smallest root is the stable phase of an evaluation: with three real roots the
// one of lower fugacity, the largest where the two agree within equalFugacityTolerance; with
// one real root that root, the largest.
bool smallestRootIsStable(const FugacityEvaluation& evaluation);

// Where the saturation solvers take their fugacities from: fugacityEvaluation, or a stand-in.
using FugacitySource = std::function<std::optional<FugacityEvaluation>(EosState& state, float argument)>;

} // namespace calvex::core
