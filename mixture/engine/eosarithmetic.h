#pragma once
// The checked arithmetic of the mixture equation-of-state routines: the core's (a fault ends the
// routine it happens in with that routine's message and the empty result), plus the two places
// where a mixture routine can run past its storage: a component slot and a report line.

#include "core/checkedmath.h"
#include "mixture/engine/mixturestate.h"
#include "services/numbers.h"

#include <string>

namespace calvex::mixture::eos::detail {

using core::detail::ArithmeticFault;
using core::detail::exponential;
using core::detail::fault;
using core::detail::finite;
using core::detail::logOfAbs;
using core::detail::need;
using core::detail::power;
using core::detail::quotient;
using core::detail::single;
using core::detail::squareRoot;
using core::detail::trap;

inline int slot(int index)
{
    if (index < 0 || index >= mixtureSlots)
        fault();
    return index;
}

inline void put(services::ResultLines& out, int line, std::string text)
{
    if (line < 0 || static_cast<std::size_t>(line) >= out.size())
        fault();
    out[static_cast<std::size_t>(line)] = std::move(text);
}

inline void putNumber(services::ResultLines& out, int line, float value) { put(out, line, services::singleText(value)); }

} // namespace calvex::mixture::eos::detail
