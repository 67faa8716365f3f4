#pragma once
// Saturation pressure of the state's component at the state's T by the selected cubic
// equation of state: the vapour-pressure correlation's value, moved by P <- P fL/fV until
// the two fugacities agree within 1000 Pa.

#include "core/eosstate.h"
#include "core/fugacity.h"

namespace calvex::core {

// Pa; 0 after a failure (the window's messages), when no state with three real roots can be
// found at this T (at or above the equation's critical temperature), and, in the data-point
// window, when the iteration has not converged after 500 updates. Past the window's cap the
// reporting windows get the correlation's value and the saturation-pressure window the last
// pressure plus 0.02 Pa; a run that has met a state with one real root gets 0 there.
// The saturation-pressure window's runs write the iteration log into `result`.
// For every window but the saturation-temperature one, whose fugacities take a temperature.
float Psatcal(EosState& state);
float Psatcal(EosState& state, const FugacitySource& fugacities);

float Psatiteration1(EosState& state, float Psatguess);
float Psatiteration1(EosState& state, float Psatguess, const FugacitySource& fugacities);

} // namespace calvex::core
