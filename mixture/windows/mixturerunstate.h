#pragma once
// The values a mixture run gathers, and what the windows' controls hold when Calculate is
// pressed. A run fills a working copy of the window's MixtureRunState; the copy becomes the
// window's snapshot (what the plot buttons sweep from) only when its report is shown.

#include "mixture/windows/mixturewindowconfig.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace calvex::mixture {

template <class T>
using ComponentArray = std::array<T, componentSlots>;

// Component k of the mixture stands in slot k (1..n), as the mixture engine takes it; slot 0
// is unused. Slots above n keep what an earlier run left there.
struct MixtureRunState {
    std::int16_t n = 0;
    std::int16_t optionno = 0; // EquationOption
    // As typed or re-entered until the run converts them; then K and bar (engine runs) or
    // K and Pa (family runs).
    float T = 0;
    float P = 0;
    std::string Tunit;
    std::string Punit; // "kelvin" and "bar" after a re-entry at the state prompts
    ComponentArray<std::string> names{};
    ComponentArray<float> Tc{};    // K
    ComponentArray<float> Pc{};    // bar
    ComponentArray<float> omega{};
    ComponentArray<float> Tb{};    // K
    ComponentArray<float> z{};     // mole fractions as typed or re-entered, not normalised
    std::string inputtext;         // the answer to the last repair prompt
};

// One component slot of the selection window.
struct SlotReading {
    std::string listText;            // Combo2(i)
    std::optional<std::int32_t> sno; // the SNO kept with the chosen entry
    std::string molFraction;         // Text1_MolFraction(i)
    std::int16_t listed = 0;         // 1: a database component (the window's flag, set by MixtureCalculator)
};

// The controls a run reads: the input window's and the selection window's six components.
struct SelectionReading {
    std::string temperatureText;
    std::string temperatureUnit;
    std::string pressureText;
    std::string pressureUnit;
    std::string countText;    // Combo3
    std::string optionnoText; // Text1_optionno
    std::array<SlotReading, maxComponents> components{};
};

} // namespace calvex::mixture
