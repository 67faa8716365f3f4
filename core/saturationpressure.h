#pragma once
// Saturation pressure of the state's component at the state's T by the selected cubic
// equation of state: the vapour-pressure correlation's value, moved by P <- P fL/fV until
// the two fugacities agree (fugacitiesAgree).

#include "core/eosstate.h"
#include "core/fugacity.h"

namespace calvex::core {

// Pa; 0 after a failure (the window's messages), when no state with three real roots can be
// found at this T (at or above the equation's critical temperature), and when the iteration
// has not converged within the window's cap on updates (500 in the data-point window), so
// that the caller reports the failure instead of an unconverged pressure.
// The saturation-pressure window's runs write the iteration log into `result`.
// For every window but the saturation-temperature one, whose fugacities take a temperature.
float Psatcal(EosState& state);
float Psatcal(EosState& state, const FugacitySource& fugacities);

float Psatiteration1(EosState& state, float Psatguess);
float Psatiteration1(EosState& state, float Psatguess, const FugacitySource& fugacities);

} // namespace calvex::core
