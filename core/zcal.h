#pragma once
// The compressibility operation of one equation, for the routines of the core that choose
// the equation themselves.

#include "core/cardan.h"
#include "core/eosparameters.h"
#include "core/eosstate.h"
#include "core/hostvariant.h"

#include <optional>

namespace calvex::core::detail {

std::optional<CubicRoots> zcal(Equation equation, EosState& state, float T, float p3);
// The equation's parameters at T under the compressibility operation's trap, and the operation
// given them, for a caller that needs the parameters too.
std::optional<EquationParameters> zcalParameters(Equation equation, EosState& state, float T);
std::optional<CubicRoots> zcal(Equation equation, EosState& state, float T, float p3,
                               const EquationParameters& parameters);

} // namespace calvex::core::detail
