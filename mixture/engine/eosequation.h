#pragma once
// What the four equations share inside the mixture routines: component parameters, one-fluid
// mixing, the dimensionless A and B and the cubic in Z. Every function raises a fault (see
// core/checkedmath.h) where a step cannot be computed; the trap of the routine it happens in
// shows that routine's message and gives the empty result.

#include "core/checkedmath.h"
#include "core/eosparameters.h"
#include "mixture/engine/mixtureeos.h"

#include <array>
#include <numbers>
#include <optional>

namespace calvex::mixture::eos::detail {

using core::detail::ArithmeticFault;
using core::detail::Equation;
using core::detail::equationOf;
using core::detail::exponential;
using core::detail::fault;
using core::detail::finite;
using core::detail::logOfAbs;
using core::detail::need;
using core::detail::quotient;
using core::detail::R;
using core::detail::single;
using core::detail::squareRoot;
using core::detail::trap;
using core::detail::writeNumber;
using core::detail::writeSlot;
inline constexpr double sqrt2 = std::numbers::sqrt2;

// A component slot beyond the state's arrays is a fault.
inline std::size_t slot(int index) { return core::detail::checkedIndex(index, mixtureSlots); }

// m (Soave-Redlich-Kwong) or kappa (Peng-Robinson) of an acentric factor at T: that of a
// component with this acentric factor and critical temperature.
float alphaSlope(Equation equation, float omega, float Tc, float T);

// Computes the parameters of components 0..nos-1 at T in ascending order (the core's formulas),
// storing each component's pair as soon as it stands, so a failure leaves the earlier
// components with their new values.
void fillParameters(Equation equation, const MixtureState& state, float T, SlotArray& a, SlotArray& b,
                    SlotArray* alpha = nullptr);

struct OneFluid {
    float am = 0.0f;
    float bm = 0.0f;
};

// am = sum_j sum_k y_j y_k sqrt(a_j a_k), bm = sum_j y_j b_j, accumulated in single precision.
OneFluid mix(const MixtureState& state, const SlotArray& a, const SlotArray& b);

float dimensionlessA(float am, float P, float T); // am P / (R T)^2
float dimensionlessB(float bm, float P, float T); // bm P / (R T)

struct Cubic {
    float c2 = 0.0f;
    float c1 = 0.0f;
    float c0 = 0.0f;
};

// Z^3 + c2 Z^2 + c1 Z + c0 = 0 of the equation.
Cubic cubic(Equation equation, float A, float B);

// The equation's name in a report, by optionno 1 to 4.
using EquationNames = std::array<const char*, 4>;

// The dispatchers' common steps: nothing for an optionno outside 1 to 4; otherwise the
// equation's name into report line `line`, then the member of that equation.
template <class Member>
EosResult dispatch(MixtureState& state, int line, const EquationNames& names, Member&& member)
{
    const auto equation = equationOf(state.optionno);
    if (!equation)
        return std::nullopt;
    writeSlot(state.out, line, names[static_cast<std::size_t>(state.optionno - 1)]);
    return member(*equation);
}

// The logarithm shared by the Redlich-Kwong family, ln|(Z + B)/Z|, and its Peng-Robinson
// counterpart, ln|(Z + (1 + sqrt 2) B)/(Z + (1 - sqrt 2) B)|.
double cubicLog(Equation equation, double Z, double B);

// A/B of the Redlich-Kwong family, am/(bm R T), and A/(2 sqrt 2 B) of Peng-Robinson,
// am/(2 sqrt 2 bm R T).
double logCoefficient(Equation equation, float am, float bm, float T);

// ln phi_i of the Redlich-Kwong family and Peng-Robinson at a root Z:
// ratio (Z - 1) - ln|Z - B| + attraction * coefficient * cubicLog, with ratio = b_i/bm and
// attraction = b_i/bm - 2 sqrt(a_i/am). The mixture as one fluid is ratio 1, attraction -1.
double lnPhi(Equation equation, double Z, float B, double ratio, double attraction, double coefficient);

// phi = exp(ln phi), with ln phi first stored as a 32-bit value.
inline float fugacityCoefficient(double lnPhiValue) { return single(exponential(single(lnPhiValue))); }

// Writes D, p, q, r and phi of the latest solve into report lines 43 to 47.
void putSolveDetails(MixtureState& state);

// The generic one-fluid parameter and compressibility routines, each under its own trap.
EosResult oneFluidParameters(Equation equation, MixtureState& state, float T2, float p2);
EosResult compressibility(Equation equation, MixtureState& state, float T2, float p2);

} // namespace calvex::mixture::eos::detail
