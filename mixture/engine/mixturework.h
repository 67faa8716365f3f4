#pragma once
// The mixture engine's per-call working record and the two subroutines every mode computes
// through: the component parameters at the working temperature, and the mixing, cubic roots
// and component fugacities of one trial composition.

#include "core/checkedmath.h"
#include "mixture/engine/mixtureenginetraits.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace calvex::mixture {

// The engine computes with the core's checked arithmetic; a fault ends the call through the
// engine's error trap.
using core::detail::ArithmeticFault;
using core::detail::at;
using core::detail::exponential;
using core::detail::fault;
using core::detail::logOfAbs;
using core::detail::naturalLog;
using core::detail::quotient;
using core::detail::single;
using core::detail::squareRoot;
using core::detail::writeSlot;

// Component arrays hold indices 0..10 and use 1..n, which is what limits n to 10.
inline constexpr int maxMixtureComponents = 10;
using ComponentValues = std::array<float, maxMixtureComponents + 1>;
using ComponentMatrix = std::array<ComponentValues, maxMixtureComponents + 1>;

// R in m³·bar/(mol·K): the engine works in bar.
inline constexpr double engineGasConstant = 8.314e-05;

// Fresh and zeroed on every engine call; every value is a 32-bit float.
struct MixtureWork {
    // The caller's component count and constants (indexed 1..n; read, never written).
    int n = 0;
    std::span<const float> Tc;
    std::span<const float> Pc;
    std::span<const float> omega;

    // Views of the caller's names, which outlive the call: no copy per call.
    std::array<std::string_view, maxMixtureComponents + 1> cname;
    ComponentMatrix kij{};
    ComponentValues znorm{};
    float zsum = 0;
    float Twork = 0; // K
    float Pwork = 0; // bar
    ComponentValues xtrial{};
    float fugflag = 0;
    float liquidflag = 0;

    ComponentValues ac{};
    ComponentValues bi{};
    ComponentValues ai{};
    ComponentMatrix aij{};
    float Tr = 0;
    float am = 0;
    float bm = 0;
    float A = 0;
    float B = 0;
    ComponentValues Sa{};
    std::array<float, 4> coef{}; // 1..3
    float pcub = 0;
    float qcub = 0;
    float Dcub = 0;
    std::array<float, 4> Zroot{}; // 1..3
    float ZV = 0;
    float ZL = 0;
    float Zf = 0;
    ComponentValues phi{};
    ComponentValues fug{}; // bar

    float iter = 0;
    ComponentValues K{};
    ComponentValues Psat{}; // bar
    ComponentValues fugA{};
    float ZA = 0;
    ComponentValues fugB{};
    float ZB = 0;
    std::array<float, 3> Vmol{};
    std::int16_t modeIn = 0;
    std::int16_t flashok = 0;
    std::int16_t firstpass = 0;
};

// a_c, b, a at Twork for components 1..n and the cross terms a_ij of the mixing rule.
void ComputeComponentParams(MixtureWork& work, const MixtureEngineTraits& equation);

// Mixes xtrial, solves the cubic, picks ZV and ZL and, when fugflag ≠ 0, the fugacity
// coefficients and fugacities (bar) at ZL (liquidflag ≠ 0) or ZV.
void SolveMixtureZ(MixtureWork& work, const MixtureEngineTraits& equation);

// The engine's solve of Z³ + c1·Z² + c2·Z + c3 = 0: the depressed cubic's p, q and D as the
// engine stores them, and the roots of a double-precision solve.
struct MixtureCubic {
    float p = 0;
    float q = 0;
    float D = 0;
    std::array<float, 3> roots{}; // equal when there is one real root
};
MixtureCubic solveMixtureCubic(float c1, float c2, float c3);

} // namespace calvex::mixture
