#pragma once
// The compressibility operation of one equation, for the routines of the core that choose
// the equation themselves.

#include "core/cardan.h"
#include "core/eosstate.h"
#include "core/hostvariant.h"

#include <optional>

namespace calvex::core::detail {

std::optional<CubicRoots> zcal(Equation equation, EosState& state, float T, float p3);

} // namespace calvex::core::detail
