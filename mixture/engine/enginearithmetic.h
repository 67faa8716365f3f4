#pragma once
// Checked arithmetic of the mixture engine. Every formula is evaluated in double precision and
// rounded to a 32-bit float where its result is stored; every operation that the engine's
// error trap must catch (a division by zero, the logarithm or square root of an invalid value,
// an overflow of the 32-bit store, an index beyond an array) throws EngineFault instead of
// reaching the hardware.

#include "services/numbers.h"

#include <cmath>
#include <cstddef>
#include <span>

namespace calvex::mixture {

// A run-time fault inside one engine call; the engine's error trap turns it into its message.
struct EngineFault {};

[[noreturn]] inline void engineFault() { throw EngineFault{}; }

// The 32-bit store: NaN or a value beyond the float range is an overflow.
inline float store(double value)
{
    const auto single = services::toSingle(value);
    if (!single)
        engineFault();
    return *single;
}

inline double quotient(double numerator, double denominator)
{
    if (denominator == 0.0 || std::isnan(denominator))
        engineFault();
    return numerator / denominator;
}

inline double squareRoot(double value)
{
    if (!(value >= 0.0))
        engineFault();
    return std::sqrt(value);
}

inline double logarithm(double value)
{
    if (!(value > 0.0))
        engineFault();
    return std::log(value);
}

// exp of anything above this overflows even a double.
inline constexpr double largestExponent = 709.0;

inline double exponential(double value)
{
    if (!(value <= largestExponent))
        engineFault();
    return std::exp(value);
}

// Element i of a caller's array; an index beyond it is a fault like any other.
template <typename T>
const T& element(std::span<const T> values, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= values.size())
        engineFault();
    return values[static_cast<std::size_t>(index)];
}

} // namespace calvex::mixture
