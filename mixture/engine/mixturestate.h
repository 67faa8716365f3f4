#pragma once
// What a partial-fugacity, mixture-fugacity or mixture-departure calculator window holds for
// the mixture equation-of-state routines (mixtureeos.h). The window owns it; the routines never
// create, resize or clear any of it.

#include "core/cardan.h"
#include "services/resultformat.h"

#include <array>
#include <cstdint>

namespace calvex::mixture {

// Which calculator window owns a MixtureState; it selects the report lines that the mixture
// compressibility routines write.
enum class MixtureHost { PartialFugacity, MixtureFugacity, MixtureDeparture };

// Component slots 0..6; a mixture uses slots 0..nos-1.
inline constexpr int mixtureSlots = 7;

using SlotArray = std::array<float, mixtureSlots>;

struct MixtureState {
    std::int16_t nos = 0;      // number of components
    float T = 0.0f;            // K
    float p = 0.0f;            // Pa
    std::int16_t optionno = 0; // 1 van der Waals, 2 Peng-Robinson, 3 Redlich-Kwong, 4 Soave-Redlich-Kwong
    MixtureHost host = MixtureHost::PartialFugacity;
    SlotArray Tc{};    // K
    SlotArray Pc{};    // Pa (the window holds bar and converts before calling)
    SlotArray omega{};
    SlotArray y{};     // mole fractions, normalised by the window
    SlotArray a{};     // Pa m^6/mol^2, written by the routines: the equation evaluated last
    SlotArray b{};     // m^3/mol, written with a
    // Report lines: 0..48 in the partial-fugacity window, 0..52 in the other two. The routines
    // write only lines that exist; a line beyond the end is a failure of the writing routine.
    services::ResultLines out;
    // The details of the latest cubic solve of these routines on this state. A failed solve
    // leaves them as they were, and the reports then show those of the solve before.
    core::CardanDetails cardan{};
};

} // namespace calvex::mixture
