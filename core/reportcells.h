#pragma once
// Writing the iteration log into a window's report values from inside a calculation. An
// iteration-log index outside 0..320 or beyond 16 bits is a fault of the writing routine, as
// an out-of-range array index would be.

#include "core/checkedmath.h"
#include "core/eosstate.h"
#include "services/numbers.h"

#include <array>
#include <cstdint>
#include <limits>
#include <string>

namespace calvex::core::detail {

constexpr int lastLogSlot = 320;

// Cell `cell` (8..13) of the current iteration-log row: nos + cell + logoffset, summed in
// 16-bit integers.
inline void writeLogCell(EosState& state, int cell, std::string text)
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
    writeSlot(state.result, slot, std::move(text));
}

// The solver's cells of the current iteration-log row: the row number, the row's pressure
// or temperature (`shownValue`), and fL and fV in bar rounded to 4 decimals. Cells 10 and
// 11, the roots, are the logging fugacity member's.
inline void writeLogRow(EosState& state, std::string shownValue, const std::array<float, 2>& fugacities)
{
    writeLogCell(state, 8, std::to_string(state.nos));
    writeLogCell(state, 9, std::move(shownValue));
    writeLogCell(state, 12, services::roundedText(fugacities[0] / 1e5, 4));
    writeLogCell(state, 13, services::roundedText(fugacities[1] / 1e5, 4));
}

inline void nextLogRow(EosState& state)
{
    ++state.nos;
    state.logoffset = static_cast<std::int16_t>(state.logoffset + 5);
}

} // namespace calvex::core::detail
