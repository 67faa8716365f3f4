#pragma once
// Saturation temperature of the state's component at the state's p by the selected cubic
// equation of state: a guess from an inverted vapour-pressure law, then a stepped search
// (10, 1, 0.5 or 0.1 K by the size of |fL - fV|, doubling from the third step on) that turns
// into bisection once saturation is bracketed, until the two fugacities agree (fugacitiesAgree).

#include "core/eosstate.h"
#include "core/fugacity.h"

namespace calvex::core {

// K; 0 after a failure (with its messages) and whenever the search has not converged within
// 49 updates, for instance when no state with three real roots exists at this pressure, so
// that the window reports the failure. Each run writes the iteration log.
// For the saturation-temperature window's state, whose fugacities take a temperature.
float Tsatcal(EosState& state);
float Tsatcal(EosState& state, const FugacitySource& fugacities);

// The two-point law inverted at the state's p, rounded to 0.1 K ("error in Tsatguess0", 0).
float Tsatguesseqn0(const EosState& state);
// The Antoine law inverted at the state's p ("error in Tsatguess3", 0).
float Tsatguesseqn3(const EosState& state);

float Tsatiteration1(EosState& state, float Tsatguess);
float Tsatiteration1(EosState& state, float Tsatguess, const FugacitySource& fugacities);

} // namespace calvex::core
