#pragma once
// What the four equations share inside the mixture routines: component parameters and
// one-fluid mixing here; A, B, the cubic in Z, ln phi and the departures are the core's
// formulas (core/eosformulas.h), fed with the one fluid's am and bm. Every function raises a
// fault (core/checkedmath.h) where a step cannot be computed; the trap of the routine it happens
// in shows that routine's message and gives the empty result.

#include "core/checkedmath.h"
#include "core/eosformulas.h"
#include "core/eosparameters.h"
#include "mixture/engine/mixtureeos.h"

#include <array>
#include <optional>

namespace calvex::mixture::eos::detail {

using core::detail::ArithmeticFault;
using core::detail::cubicOf;
using core::detail::dimensionlessA;
using core::detail::dimensionlessB;
using core::detail::Equation;
using core::detail::equationOf;
using core::detail::EquationNames;
using core::detail::fault;
using core::detail::finite;
using core::detail::fugacityCoefficient;
using core::detail::logCoefficient;
using core::detail::logOfAbs;
using core::detail::need;
using core::detail::quotient;
using core::detail::R;
using core::detail::single;
using core::detail::squareRoot;
using core::detail::trap;
using core::detail::writeNumber;
using core::detail::writeSlot;

// A component slot beyond the state's arrays is a fault.
inline std::size_t slot(int index) { return core::detail::checkedIndex(index, mixtureSlots); }

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

// The dispatchers' common steps: nothing for an optionno outside 1 to 4; otherwise the
// equation's name into report line `line`, then the member of that equation.
template <class Member>
auto dispatch(MixtureState& state, int line, const EquationNames& names, Member&& member)
    -> decltype(member(Equation::VanDerWaals))
{
    const auto equation = equationOf(state.optionno);
    if (!equation)
        return std::nullopt;
    writeSlot(state.out, line, names(*equation));
    return member(*equation);
}

// ln phi of the one fluid (m) at its root Z.
double mixtureLnPhi(Equation equation, const OneFluid& m, float T, float P, double Z);

// The root a state is reported at: with three real roots the one of lower mixture fugacity
// coefficient, the largest where the two agree; with one real root that root.
float stableRoot(Equation equation, const OneFluid& m, float T, float P, const std::array<float, 3>& roots);

// Writes D, p, q, r and phi of the latest solve into report lines 43 to 47.
void putSolveDetails(MixtureState& state);

// The generic one-fluid parameter and compressibility routines, each under its own trap.
EosResult oneFluidParameters(Equation equation, MixtureState& state, float T2, float p2);
// `known`: the one fluid the caller has just formed at T2 (state.a and state.b hold its
// components), which the routine then does not form again. `formed` receives the one fluid
// the routine used.
EosResult compressibility(Equation equation, MixtureState& state, float T2, float p2,
                          const OneFluid* known = nullptr, OneFluid* formed = nullptr);

} // namespace calvex::mixture::eos::detail
