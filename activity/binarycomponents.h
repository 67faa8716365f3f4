#pragma once
// The two components of a binary calculation as the binary windows and the parameter fit
// gather them: from the database row of the chosen list entry, or from the missing-constants
// dialog of that component when its list shows "not listed"; then the prompt chain that asks
// for each constant that is missing.

#include "core/componentconstants.h"
#include "pure/purecalculator.h"

#include <cstdint>
#include <optional>
#include <string>

namespace calvex::activity {

// One component list of a binary window when Calculate is pressed.
struct ComponentChoice {
    bool listed = true; // false while the list shows "not listed"
    std::string listText;
    std::optional<std::int32_t> sno; // the SNO kept with the selected entry
};

// GetPcTcOmega1 for component index 0, GetPcTcOmega2 for index 1.
std::string constantsDialogName(int index);

// Fills `constants` (Pc in bar) for component `index`. A listed component takes its name from
// the list and its constants from the row with its SNO, as `columns` asks; a row that is not
// there gives zeros, so that the prompts ask for them. A "not listed" component takes the
// dialog's five boxes as they stand (a dialog never shown reads as an empty name and zeros)
// with eq 0. False, after the message "error in loading data", when the database cannot be read.
bool gatherComponent(pure::PureWindowServices& services, const ComponentChoice& choice, int index,
                     pure::ComponentColumns columns, core::ComponentConstants& constants);

// How the acentric factor is asked for, which differs between the windows.
struct OmegaRule {
    bool askedWhenNegative = false; // asked when not above 0, otherwise only when exactly 0
    std::string word = "acentric";  // "acentric" or "Acentric" in the prompt
};

// The prompt chain for Pc (bar), Tc, Tb and omega in this order, each prompt naming the
// component. An accepted answer replaces the value; a refused one shows its message
// ("invalid input so quiting", "Tc cannot be negative so quiting", …) and gives false.
bool askMissingConstants(core::ComponentConstants& constants, const OmegaRule& omega);

inline constexpr char invalidInput[] = "invalid input so quiting";

} // namespace calvex::activity
