#pragma once
// The working part of the three calculators that call the mixture equation-of-state routines
// (partial fugacity, mixture departure functions, mixture fugacity), free of widgets: what sets
// the three apart, and the part of their Calculate run after the input is gathered and checked —
// normalisation, unit conversion, the routines' calls at the stable root and the report lines.

#include "mixture/engine/mixturestate.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace calvex::mixture {

enum class FamilyKind { PartialFugacity, MixtureDeparture, MixtureFugacity };

// What sets the three runs apart.
struct FamilyTraits {
    FamilyKind kind;
    MixtureHost host;
    std::size_t lineSlots;        // slots of the window's report lines
    const char* unitOpening;      // between a typed value and its unit name on lines 1 and 2
    bool zeroFractionAnswerTaken; // a mole fraction re-entered as 0 is taken, not refused
    bool strictPressureText;      // the pressure box must hold a number and nothing else
    bool inputWindowAfterDuplicates; // the input window is shown again after refusing duplicates
    bool optionReadBeforeDuplicates; // the equation box is read before the duplicate test
};

const FamilyTraits& familyTraits(FamilyKind kind);

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

// The state the routines read, for `host`: components in slots 0..n-1 with Pc in Pa, the
// fractions divided by their sum (taken in single precision, in slot order) when it is not
// exactly 1, T in K and p in Pa; report lines empty. Faults (core/checkedmath.h) for no component
// or more than six, a sum of 0 and a state value not above 0 or not finite.
MixtureState familyState(MixtureHost host, std::size_t lineSlots, const FamilyInput& input);

// The run from the normalisation to its report lines, under the run's trap: "error in command"
// (after the messages of a routine that failed) and the empty result. On success `out` of the
// state holds the report values 1..valueCount, every other line empty.
std::optional<MixtureState> familyReport(const FamilyTraits& traits, const FamilyInput& input);

} // namespace calvex::mixture
