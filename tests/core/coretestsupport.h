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

// A row of the component table (data/components.csv) as a window loads it, Pc in bar: the
// constants and the Antoine law that gives the saturation solvers their first guess.
struct DatabaseRow {
    const char* name;
    float Pc_bar, Tc, Tb, omega, VPA, VPB, VPC;
};
inline constexpr DatabaseRow water{"water", 220.64f, 647.14f, 373.15f, 0.344f, 11.7792f, 3885.698f, -42.98f};
inline constexpr DatabaseRow propane{"propane", 42.48f, 369.83f, 231.02f, 0.152f, 9.045199f, 1851.272f, -26.11f};
inline constexpr DatabaseRow ethanol{"ethanol", 61.48f, 513.92f, 351.8f, 0.649f, 12.28832f, 3795.167f, -42.232f};
inline constexpr DatabaseRow nHexane{"n-hexane", 30.25f, 507.6f, 341.88f, 0.3f, 9.213541f, 2696.039f, -48.833f};
inline constexpr DatabaseRow nDecane{"n-decane", 21.1f, 617.7f, 447.3f, 0.49f, 9.368137f, 3442.756f, -79.292f};
inline constexpr DatabaseRow nHexadecane{"n-hexadecane", 14.0f, 723.0f, 559.98f, 0.718f, 9.563948f, 4214.905f, -118.7f};
inline constexpr DatabaseRow helium{"helium", 2.27f, 5.19f, 4.3f, -0.39f, 3.876632f, 18.77712f, 0.56f};
inline constexpr DatabaseRow methane{"methane", 45.99f, 190.56f, 111.66f, 0.011f, 8.677752f, 911.2342f, -6.469f};
inline constexpr DatabaseRow ethane{"ethane", 48.72f, 305.32f, 184.55f, 0.099f, 9.104537f, 1528.272f, -16.469f};
inline constexpr DatabaseRow butanol{"1-butanol", 44.23f, 563.05f, 390.88f, 0.59f, 10.70541f, 3212.429f, -90.411f};
inline constexpr DatabaseRow nButane{"n-butane", 37.96f, 425.12f, 272.66f, 0.2f, 9.055284f, 2154.697f, -34.361f};
inline constexpr DatabaseRow nPentane{"n-pentane", 33.7f, 469.7f, 309.22f, 0.252f, 9.159361f, 2451.885f, -41.136f};
inline constexpr DatabaseRow benzene{"benzene", 48.95f, 562.05f, 353.24f, 0.21f, 9.176331f, 2726.813f, -55.578f};
inline constexpr DatabaseRow toluene{"toluene", 41.08f, 591.75f, 383.79f, 0.264f, 9.32646f, 3056.958f, -55.525f};
inline constexpr DatabaseRow sulfurHexafluoride{
    "sulfur hexafluoride", 37.6f, 318.72f, 209.25f, 0.208f, 12.75839f, 2524.785f, -11.15f};
inline constexpr DatabaseRow dibromoethane{
    "1,2-dibromoethane", 53.3577f, 646.0f, 404.5f, 0.225f, 16.96807f, 9443.238f, 153.034f};
inline constexpr DatabaseRow sulfurTrioxide{
    "sulfur trioxide", 82.1f, 490.9f, 317.9f, 0.424f, 14.22019f, 3995.699f, -36.65f};

inline core::EosState stateFor(core::EosHost host, const DatabaseRow& row, reference::Eos eos)
{
    core::EosState state(host);
    core::ComponentConstants c;
    c.compoundname = row.name;
    c.Tc = row.Tc;
    c.Pc = row.Pc_bar;
    c.omega = row.omega;
    c.Tb = row.Tb;
    c.eq = 3;
    c.VPA = row.VPA;
    c.VPB = row.VPB;
    c.VPC = row.VPC;
    state.loadComponent(c);
    state.optionno = static_cast<std::int16_t>(eos);
    state.result.assign(321, std::string());
    return state;
}

// The same row as the reference sees it: the 32-bit constants, Pc in Pa as the state holds it.
inline reference::Fluid fluidOf(const DatabaseRow& row)
{
    return {row.name, row.Tc, static_cast<float>(static_cast<double>(row.Pc_bar) * 1e5), row.omega, row.Tb};
}

// The reference fluid as the 32-bit state holds it, so that the reference sees the same constants.
inline reference::Fluid asStored(const reference::Fluid& fluid)
{
    return {fluid.name, static_cast<float>(fluid.Tc), static_cast<float>(fluid.Pc), static_cast<float>(fluid.omega),
            static_cast<float>(fluid.Tb)};
}

// A stand-in evaluation with three real roots 1 apart (ZV - ZL = 1) and the given fugacities (Pa).
inline core::FugacityEvaluation threeRoots(double fL, double fV)
{
    core::FugacityEvaluation evaluation;
    evaluation.fugacities = {static_cast<float>(fL), static_cast<float>(fV)};
    evaluation.roots.roots = {0.0f, 0.5f, 1.0f};
    return evaluation;
}

// A stand-in evaluation with one real root above (vapour-like) or below the inflection point.
inline core::FugacityEvaluation oneRoot(float f, bool vapourLike)
{
    core::FugacityEvaluation evaluation;
    evaluation.fugacities = {f, f};
    evaluation.roots.roots.fill(vapourLike ? 0.9f : 0.05f);
    evaluation.roots.oneRealRoot = true;
    evaluation.roots.aboveInflection = vapourLike;
    return evaluation;
}

} // namespace calvex::testing
