#pragma once
// Bubble temperatures of a binary mixture under modified Raoult's law (ideal vapour, liquid
// activity coefficients from any ActivityModel), with pure-component vapour pressures from
// the two-point law through the normal boiling point and the critical point.
//
// Calling order of one solve: iteration → per pass F(T0), F(T1), F(Tn); after the last pass
// without meeting the test, F at the two boiling temperatures, at each widening and at each
// bisection step; each F → gammacal once, then the law for component 1, then for component 2.
// Every routine gives an empty result after an arithmetic failure and shows nothing: the run
// decides what the user sees.

#include "activity/activitymodel.h"

#include <array>
#include <optional>

namespace calvex::activity {

// What the law needs of one component: K, K and Pa.
struct BoilingConstants {
    float Tb = 0;
    float Tc = 0;
    float Pc_Pa = 0;
};

// Index 0 the component of the window's first list.
using BinaryConstants = std::array<BoilingConstants, 2>;

// The reference point of the law: one standard atmosphere, Pa.
inline constexpr double atmosphere_Pa = 101325.0;

// Psat(T) = 101325 exp(ln(Pc/101325) (1/Tb − 1/T) / (1/Tb − 1/Tc)), Pa.
std::optional<float> Psatcalcal(float T, const BoilingConstants& component);

// The law solved for T: the boiling temperature at P (Pa), K. Empty at and beyond the law's
// limit pressure 101325 (Pc/101325)^(Tc/(Tc − Tb)), where 1/T reaches 0.
std::optional<float> Tboilcal(float P, const BoilingConstants& component);

// F = γ1 x1 Ps1/P + γ2 x2 Ps2/P − 1: below zero under the bubble temperature, above it over.
std::optional<float> F(const ActivityModel& model, const BinaryConstants& components, float x1, float P, float T);

struct BubbleSolve {
    enum class Outcome {
        Converged,    // |F(T)| < 1e-5
        NotConverged, // neither 5001 passes nor the bisection met the test (F keeps its sign over
                      // the widened range, or no 32-bit temperature between two of opposite sign
                      // meets it); T is the last chord estimate
        Failed,       // a residual failed, a pass had F(T1) = F(T0), or the estimate that met the
                      // test is not above 0 K; T is 0
    };
    Outcome outcome = Outcome::Failed;
    float T = 0; // K
    bool converged() const { return outcome == Outcome::Converged; }
};

// The chord method through the fixed point T1: Tn = (F1 T0 − F0 T1)/(F1 − F0), T0 := Tn until
// |F(Tn)| < 1e-5, at most 5001 passes. Where the passes end without meeting the test, bisection
// to the same test between T1 and the boiling temperature of component 2 at P, both widened
// outward (the lower halved, the upper doubled, at most 10 times) until F changes sign. T0 is the
// caller's moving estimate: on return it holds the last chord estimate that failed the test
// (unchanged when the first one passed), which a run reuses as the start of its next composition.
BubbleSolve iteration(const ActivityModel& model, const BinaryConstants& components, float x1, float P, float& T0,
                      float T1);

} // namespace calvex::activity
