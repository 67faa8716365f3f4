#pragma once
// The checked arithmetic of the mixture equation-of-state routines. Every step that could divide
// by zero, take the root or logarithm of an invalid value, overflow, or run past a slot or a
// report line raises Fault; the routine whose body it is in shows its fixed message and returns
// the empty result, as the routines trap their run-time errors.

#include "mixture/engine/mixtureeos.h"
#include "services/numbers.h"
#include "services/ui.h"

#include <cmath>
#include <string>

namespace calvex::mixture::eos::detail {

struct Fault {};

[[noreturn]] inline void fail() { throw Fault{}; }

inline double finite(double value)
{
    if (!std::isfinite(value))
        fail();
    return value;
}

// The 32-bit store: every quantity the routines keep is rounded to single precision there.
inline float single(double value)
{
    const auto stored = services::toSingle(finite(value));
    if (!stored)
        fail();
    return *stored;
}

inline double quot(double numerator, double denominator)
{
    if (denominator == 0.0 || !std::isfinite(denominator))
        fail();
    return finite(finite(numerator) / denominator);
}

inline double root(double value)
{
    if (!(finite(value) >= 0.0))
        fail();
    return std::sqrt(value);
}

// Logarithms are taken of the absolute value of their argument; only zero fails.
inline double lnAbs(double value)
{
    if (finite(value) == 0.0)
        fail();
    return std::log(std::fabs(value));
}

inline double expo(double value) { return finite(std::exp(finite(value))); }

// A fractional power of a negative base has no real value.
inline double power(double base, double exponent)
{
    if (finite(base) < 0.0)
        fail();
    return finite(std::pow(base, exponent));
}

inline int slot(int index)
{
    if (index < 0 || index >= mixtureSlots)
        fail();
    return index;
}

// Reading an element of the empty result of a called routine.
inline float element(const EosResult& result, int index)
{
    if (!result)
        fail();
    return (*result)[static_cast<std::size_t>(index)];
}

inline void put(services::ResultLines& out, int line, std::string text)
{
    if (line < 0 || static_cast<std::size_t>(line) >= out.size())
        fail();
    out[static_cast<std::size_t>(line)] = std::move(text);
}

inline void putNumber(services::ResultLines& out, int line, float value) { put(out, line, services::singleText(value)); }

// Runs the body of one routine under its trap: a fault shows `message` and gives the empty result.
template <class Body>
EosResult trapped(const char* message, Body&& body)
{
    try {
        return body();
    } catch (const Fault&) {
        services::ui().message(message);
        return std::nullopt;
    }
}

} // namespace calvex::mixture::eos::detail
