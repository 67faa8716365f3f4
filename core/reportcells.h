#pragma once
// Writing the iteration log into a window's report values from inside a calculation. An
// iteration-log index outside 0..320 or beyond 16 bits is a fault of the writing routine, as
// an out-of-range array index would be.

#include "core/checkedmath.h"
#include "core/eosstate.h"
#include "services/numbers.h"
#include "services/units.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

namespace calvex::core::detail {

constexpr int lastLogSlot = 320;

// Cell `cell` (8..13) of the current iteration-log row, nos + cell + logoffset summed in
// 16-bit integers, for the writer to fill in place.
inline std::string& logCell(EosState& state, int cell)
{
    const auto fits = [](int value) {
        return value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max();
    };
    const int partial = state.nos + cell;
    if (!fits(partial))
        fault();
    const int slot = partial + state.logoffset;
    if (!fits(slot) || slot > lastLogSlot)
        fault();
    return at(state.result, slot);
}

// The solver's cells of the current iteration-log row: the row number, the row's pressure
// or temperature (`writeShown` fills its cell), and fL and fV in bar rounded to 4 decimals.
// Cells 10 and 11, the roots, are the logging fugacity member's.
template <class WriteShown>
void writeLogRow(EosState& state, WriteShown&& writeShown, const std::array<float, 2>& fugacities)
{
    char row[8];
    std::string& number = logCell(state, 8);
    number.assign(row, std::to_chars(row, row + sizeof row, state.nos).ptr);
    writeShown(logCell(state, 9));
    services::assignRoundedText(logCell(state, 12), fugacities[0] / services::pascalPerBar, 4);
    services::assignRoundedText(logCell(state, 13), fugacities[1] / services::pascalPerBar, 4);
}

inline void nextLogRow(EosState& state)
{
    ++state.nos;
    state.logoffset = static_cast<std::int16_t>(state.logoffset + 5);
}

} // namespace calvex::core::detail
