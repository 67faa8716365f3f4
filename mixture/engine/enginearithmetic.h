#pragma once
// Checked arithmetic of the mixture engine: the core's (every formula evaluated in double
// precision, a fault thrown instead of a NaN or an infinity, the 32-bit store `store`), plus the
// one place where the engine can run past a caller's storage: an element of an argument array.
// A fault ends the engine call through its error trap.

#include "core/checkedmath.h"

#include <cstddef>
#include <span>

namespace calvex::mixture {

using EngineFault = core::detail::ArithmeticFault;
using core::detail::exponential;
using core::detail::logOfAbs;
using core::detail::naturalLog;
using core::detail::quotient;
using core::detail::squareRoot;

[[noreturn]] inline void engineFault() { core::detail::fault(); }

inline float store(double value) { return core::detail::single(value); }

// Element i of a caller's array; an index beyond it is a fault like any other.
template <typename T>
const T& element(std::span<const T> values, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= values.size())
        engineFault();
    return values[static_cast<std::size_t>(index)];
}

} // namespace calvex::mixture
