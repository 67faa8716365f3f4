#pragma once
// Shared set-up of the core tests: an EosState for a reference fluid, sized as the windows
// size their report arrays, and stand-in fugacity evaluations for the saturation solvers.

#include "core/eosstate.h"
#include "core/fugacity.h"
#include "tests/core/referenceeos.h"

namespace calvex::testing {

inline core::EosState stateFor(core::EosHost host, const reference::Fluid& fluid, reference::Eos eos)
{
    core::EosState state(host);
    state.component.compoundname = fluid.name;
    state.component.Tc = static_cast<float>(fluid.Tc);
    state.component.Pc = static_cast<float>(fluid.Pc);
    state.component.omega = static_cast<float>(fluid.omega);
    state.component.Tb = static_cast<float>(fluid.Tb);
    state.optionno = static_cast<std::int16_t>(eos);
    state.result.assign(321, std::string());
    return state;
}

// The reference fluid as the 32-bit state holds it, so that the reference sees the same constants.
inline reference::Fluid asStored(const reference::Fluid& fluid)
{
    return {fluid.name, static_cast<float>(fluid.Tc), static_cast<float>(fluid.Pc), static_cast<float>(fluid.omega),
            static_cast<float>(fluid.Tb)};
}

// A stand-in evaluation with three real roots (D < 0) and the given fugacities (Pa).
inline core::FugacityEvaluation threeRoots(double fL, double fV)
{
    core::FugacityEvaluation evaluation;
    evaluation.fugacities = {static_cast<float>(fL), static_cast<float>(fV)};
    evaluation.roots.roots = {0.05f, 0.1f, 0.8f};
    evaluation.roots.details.D = -1e-4f;
    return evaluation;
}

// A stand-in evaluation with one real root above (vapour-like) or below the inflection point.
inline core::FugacityEvaluation oneRoot(float f, bool vapourLike)
{
    core::FugacityEvaluation evaluation;
    evaluation.fugacities = {f, f};
    evaluation.roots.roots.fill(vapourLike ? 0.9f : 0.05f);
    evaluation.roots.details.D = 1e-3f;
    evaluation.roots.details.q = vapourLike ? -0.01f : 0.01f;
    return evaluation;
}

} // namespace calvex::testing
