#pragma once
// Vapour pressure of the state's component at the state's T from its vapour-pressure
// equation number eq: 0 and 2 the two-point law through (Tb, 101325 Pa) and (Tc, Pc),
// 1 the Wagner law, 3 the Antoine law in bar with natural logarithms.

#include "core/eosstate.h"

#include <optional>

namespace calvex::core {

// Pa. In the pure-component windows a fault shows "error in Psatguesseqn<n>" and gives 0;
// in the data-point and two-component windows it shows nothing and gives an empty result.
// An eq outside 0..3 gives 0 Pa without a message.
std::optional<float> PsatCorrelation(const EosState& state);

std::optional<float> Psatguesseqn0(const EosState& state);
// P = Pc exp((VPA x + VPB x^1.5 + VPC x^3 + VPD x^6) / (1 - x)), x = 1 - T/Tc.
std::optional<float> Psatguesseqn1(const EosState& state);
std::optional<float> Psatguesseqn2(const EosState& state);
// P = 1e5 exp(VPA - VPB/(T + VPC)); a T at or below the pole -VPC is a fault.
std::optional<float> Psatguesseqn3(const EosState& state);

} // namespace calvex::core
