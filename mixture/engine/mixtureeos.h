#pragma once
// The mixture cubic-equation-of-state routines behind the partial-fugacity, mixture-fugacity and
// mixture-departure calculators: one-fluid a and b, compressibility roots, partial and mixture
// fugacity coefficients and departure functions, for van der Waals, Redlich-Kwong,
// Soave-Redlich-Kwong and Peng-Robinson. SI units throughout: T in K, pressure in Pa,
// R = 8.314 J/(mol K), a in Pa m^6/mol^2, b in m^3/mol; no binary interaction coefficients.
//
// Every routine works on the calling window's MixtureState, never changes its temperature and
// pressure arguments, and returns three single-precision numbers or, after a failure it traps
// (after its message box), the empty result. A routine that receives an empty result from a
// routine it calls fails in turn with its own message, so one fault can show several messages,
// innermost first.

#include "mixture/engine/mixturestate.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace calvex::mixture {

using EosResult = std::optional<std::array<float, 3>>;

// Which of a state's outer roots it is reported at, from ln phi of the mixture on the smallest
// and on the largest root: 0, the smallest, when its coefficient is lower (a liquid); 1, the
// largest, otherwise (a vapour, one real root, or two roots equally stable).
inline int stableSide(double lnPhiSmallest, double lnPhiLargest) { return lnPhiSmallest < lnPhiLargest ? 0 : 1; }

// The stable side from the smallest-root and largest-root coefficients that the mixture
// fugacity routine returns. A coefficient that underflowed to 0 has ln phi = -inf: that root is
// the stable one.
inline int stableSide(const std::array<float, 3>& phi) { return stableSide(std::log(phi[0]), std::log(phi[1])); }

// The mixture fugacity coefficient of the stable root.
inline float stableCoefficient(const std::array<float, 3>& phi) { return phi[static_cast<std::size_t>(stableSide(phi))]; }

// Names the pure-component core also uses (Zcal*, Departure*) live apart from it here.
namespace eos {

// One-fluid parameters: store a_i and b_i of every component into state.a and state.b and return
// (am, bm, 0) for the composition state.y. "error in abcal" on a failure.
EosResult abvanderwaal(MixtureState& state, float T2, float p2);
EosResult abRK(MixtureState& state, float T2, float p2);
EosResult abSRK(MixtureState& state, float T2, float p2);
EosResult abPR(MixtureState& state, float T2, float p2);

// Compressibility roots of the mixture as one fluid, ascending (one real root comes three times).
// They write the cubic and its solve into state.out as state.host selects. "error in Zcal".
EosResult Zcalvanderwaal(MixtureState& state, float T2, float p2);
EosResult ZcalRK(MixtureState& state, float T2, float p2);
EosResult ZcalSRK(MixtureState& state, float T2, float p2);
EosResult ZcalPR(MixtureState& state, float T2, float p2);

// Fugacity coefficient of component icall in the mixture: (phi at the smallest root, phi at the
// largest root, 0). The dispatcher writes the equation's name into line 3 and picks the member
// by state.optionno; another optionno gives the empty result without a message.
EosResult phycal(MixtureState& state, float T, float Pb, std::int16_t icall);
// The coefficients of components 0..nos-1 in order, each as phycal gives it, from one mixing
// and one solve: the same numbers, report lines and messages as nos calls of phycal, which each
// mix and solve anew.
using PartialCoefficients = std::vector<std::array<float, 3>>;
std::optional<PartialCoefficients> phycalEach(MixtureState& state, float T, float Pb);
EosResult partialphycalvanderwaal(MixtureState& state, float T1, float Pb, std::int16_t icall);
EosResult partialphycalRK(MixtureState& state, float T1, float p1, std::int16_t icall);
EosResult partialphycalSRK(MixtureState& state, float T1, float p1, std::int16_t icall);
EosResult partialphycalPR(MixtureState& state, float T1, float p1, std::int16_t icall);

// Fugacity coefficient of the mixture as one fluid: (phi at the smallest root, phi at the largest
// root, 0), with report lines 35 to 49.
EosResult phycal(MixtureState& state, float T, float Pb);
EosResult phycalvanderwaal(MixtureState& state, float T1, float Pb);
EosResult phycalRK(MixtureState& state, float T1, float p1);
EosResult phycalSRK(MixtureState& state, float T1, float p1);
EosResult phycalPR(MixtureState& state, float T1, float p1);

// Residual enthalpy (J/mol) and entropy (J/(mol K)) of the mixture as one fluid:
// (H - Hig, S - Sig, 0). Departurecal writes the equation's name into line 35, solves the
// cubic and evaluates the member at the stable root (with three real roots the one of lower
// mixture fugacity coefficient, so a compressed liquid is not reported as a vapour); it has no
// message of its own.
EosResult Departurecal(MixtureState& state, float T, float P);
EosResult DepartureVanderwaal(MixtureState& state, float T1, float p4, float Z);
EosResult DeparturePR(MixtureState& state, float T1, float p4, float Z);
EosResult DepartureRK(MixtureState& state, float T1, float p4, float Z);
EosResult DepartureSRK(MixtureState& state, float T1, float p4, float Z);

} // namespace eos
} // namespace calvex::mixture
