#pragma once
// Enthalpy and entropy of the state's component at (T, p) measured from the saturated liquid
// at Tref, along vaporisation at Tref, the ideal gas from (Tref, Psat) to (T, p), and the
// residual terms of the selected cubic equation of state at both ends.

#include "core/eosstate.h"

#include <array>
#include <optional>

namespace calvex::core {

// Element 0 H (J/mol), element 1 S (J/(mol K)).
using EnthalpyEntropy = std::array<float, 2>;

// Always writes the equation's name into result(13); while stepsflag is 1 also slots 14, 15
// (H, S) and 17-24 (dHv, dSv, Hr and Sr at the reference, dHig, dSig, Hr and Sr at (T, p)),
// and a successful call resets stepsflag to 0. The state's T is used as Tref for the
// saturation pressure and restored. Empty after a failure ("error in enthalpy calulation",
// after the messages of the routine that failed).
std::optional<EnthalpyEntropy> eecal(EosState& state);

} // namespace calvex::core
