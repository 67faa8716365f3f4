#pragma once
// Residual (departure) enthalpy and entropy of the state's component by the selected cubic
// equation of state, at the temperature, pressure and compressibility factor passed in.

#include "core/eosstate.h"

#include <array>
#include <optional>

namespace calvex::core {

// Element 0 H - Hig (J/mol), element 1 S - Sig (J/(mol K)).
using ResidualPair = std::array<float, 2>;

// T in K, P in Pa. Empty after a failure: the member's message ("error in departurevander",
// "error in departurepr", "error in departurerk", "error in departuresrk"), then
// "error in departure"; an optionno outside 1..4 gives "error in departure" alone.
std::optional<ResidualPair> Departure(const EosState& state, float T, float P, float Z);
std::optional<ResidualPair> DepartureVanderwaal(const EosState& state, float T, float P, float Z);
std::optional<ResidualPair> DeparturePR(const EosState& state, float T, float P, float Z);
std::optional<ResidualPair> DepartureRK(const EosState& state, float T, float P, float Z);
std::optional<ResidualPair> DepartureSRK(const EosState& state, float T, float P, float Z);

} // namespace calvex::core
