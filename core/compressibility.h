#pragma once
// Compressibility roots of the four cubic equations of state for the component of an
// EosState, at the temperature and pressure passed in (never the state's own T and p).

#include "core/cardan.h"
#include "core/eosstate.h"

#include <optional>

namespace calvex::core {

// T in K, p3 in Pa. Empty after a failure (the variant's message, or Cardan's).
// In the molar-volume, fugacity and departure windows, while stepsflag is 1, each call
// writes report slots 9-18 (name, a, b, m or kappa, alpha, A, B, c2, c1, c0).
std::optional<CubicRoots> Zcalvanderwaal(EosState& state, float T, float p3);
std::optional<CubicRoots> ZcalRK(EosState& state, float T, float p3);
std::optional<CubicRoots> ZcalSRK(EosState& state, float T, float p3);
std::optional<CubicRoots> ZcalPR(EosState& state, float T, float p3);

// The one of the four that optionno selects (1 Zcalvanderwaal, 2 ZcalPR, 3 ZcalRK,
// 4 ZcalSRK); empty without a message for any other optionno.
std::optional<CubicRoots> compressibilityRoots(EosState& state, float T, float p3);

} // namespace calvex::core
