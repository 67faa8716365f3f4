#pragma once
// What sets the nine mixture calculators apart: the names and captions of the input window and
// its component-selection window, the state boxes and unit lists, the equations offered, what
// the count list and the component lists do with typed keys, the load failure message and the
// report. Both window classes read everything from here; the run of each kind is reached
// through mixtureruns.h.

#include <string>
#include <vector>

namespace calvex::mixture {

enum class MixtureWindowKind {
    BubblePressure,
    BubbleTemperature,
    DewPressure,
    DewTemperature,
    Flash,
    MolarVolume,
    PartialFugacity,
    MixtureDeparture,
    MixtureFugacity,
};

// What the count list Combo3 does with typed keys.
enum class CountKeys {
    Typed,     // the text can be typed over: any text reaches the window
    Swallowed, // typed keys are discarded; the count changes by choosing an item
    ListOnly,  // a list without a text part
};

struct MixtureWindowConfig {
    MixtureWindowKind kind;
    // The engine windows call the mixture engine; the family windows hold the mixture
    // equation-of-state routines, offer van der Waals and treat "not listed" and a fraction
    // sum above 1 a little differently.
    bool family = false;

    std::string inputName;
    std::string inputCaption;
    std::string title; // Label1 of the input window
    bool asksTemperature = true;
    bool asksPressure = true;
    std::vector<std::string> temperatureUnits; // in the order listed
    std::vector<std::string> pressureUnits;
    CountKeys countKeys = CountKeys::Swallowed;
    // Shown when Command1 cannot fill the lists; empty: it ends without a message.
    std::string loadFailure;

    std::string selectionName;
    std::string selectionCaption;
    std::string buttonCaption; // the selection window's Command1
    bool componentKeysReachList = false; // typed letters select in the component lists

    std::string templateName;
    int reportCount = 0; // values handed to the template
    int resultKind = 0;
};

const MixtureWindowConfig& mixtureWindowConfig(MixtureWindowKind kind);
const std::vector<MixtureWindowKind>& mixtureWindowKinds();

inline constexpr int maxComponents = 6;
// The engine takes components in slots 1..n of arrays of this size (slot 0 unused).
inline constexpr int componentSlots = 11;

} // namespace calvex::mixture
