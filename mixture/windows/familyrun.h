#pragma once
// The runs of the three calculators that call the mixture equation-of-state routines (partial
// fugacity, mixture departure functions, mixture fugacity), free of widgets: what sets the three
// apart, their Calculate run on the shared prologue, and the part after the input is gathered
// and checked — normalisation, the routines' calls at the stable root and the report lines.

#include "mixture/engine/mixturestate.h"
#include "mixture/windows/mixturerunstate.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace calvex::mixture {

class CalculateRun;

// What sets the three runs apart.
struct FamilyTraits {
    MixtureWindowKind kind;
    MixtureHost host;
    const char* unitOpening;      // between a typed value and its unit name on lines 1 and 2
    bool zeroFractionAnswerTaken; // a mole fraction re-entered as 0 is taken, not refused
    bool strictPressureText;      // the pressure box must hold a number and nothing else
    bool inputWindowAfterDuplicates; // the input window is shown again after refusing duplicates
    bool optionReadBeforeDuplicates; // the equation box is read before the duplicate test
};

// The traits of a family window; nullptr for the engine windows.
const FamilyTraits* familyTraits(MixtureWindowKind kind);

// The Calculate run of a family window: the prologue's steps in the window's own order, then
// the report of familyReport.
void familyRun(CalculateRun& run, const FamilyTraits& traits);

// One component as the run has gathered and repaired it.
struct GatheredComponent {
    std::string name;
    float Tc = 0.0f; // K
    float Pc = 0.0f; // bar
    float omega = 0.0f;
    float Tb = 0.0f; // K
    float z = 0.0f;  // mole fraction as typed or re-entered
};

// The input after the run's checks: the state values as typed or re-entered, with the unit
// names they are in, and the same values converted.
struct FamilyInput {
    float T = 0.0f;
    std::string Tunit;
    float p = 0.0f;
    std::string Punit;
    float T_K = 0.0f;
    float p_Pa = 0.0f;
    std::int16_t optionno = 0;
    std::vector<GatheredComponent> components;
};

// A run state's components 1..n and its state values as they stand; the converted values are
// taken to be those too (as in a snapshot, which holds them converted).
FamilyInput familyInputOf(const MixtureRunState& state);

// The state the routines read in a window of that kind: components in slots 0..n-1 with Pc in Pa, the
// fractions divided by their sum (taken in single precision, in slot order) when it is not
// exactly 1, T in K and p in Pa; report lines empty. Faults (core/checkedmath.h) for no component
// or more than six, a sum of 0 and a state value not above 0 or not finite.
MixtureState familyState(const FamilyTraits& traits, const FamilyInput& input);

// The run from the normalisation to its report lines, under the run's trap: "error in command"
// (after the messages of a routine that failed) and the empty result. On success `out` of the
// state holds the report values 1..valueCount, every other line empty.
std::optional<MixtureState> familyReport(const FamilyTraits& traits, const FamilyInput& input);

} // namespace calvex::mixture
