#pragma once
// Arithmetic for the equation-of-state routines and the mixture engine that stops a calculation
// instead of letting a NaN or an infinity travel on, or an index run past its array. Every step
// that can fail throws ArithmeticFault; the trap of the routine in which it happens turns it into
// that routine's message and empty result.

#include "services/numbers.h"
#include "services/resultformat.h"
#include "services/ui.h"

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace calvex::core::detail {

struct ArithmeticFault {};

[[noreturn]] inline void fault() { throw ArithmeticFault{}; }

inline double finite(double value)
{
    if (!std::isfinite(value))
        fault();
    return value;
}

inline double quotient(double numerator, double denominator)
{
    if (denominator == 0.0)
        fault();
    return finite(numerator / denominator);
}

inline double squareRoot(double value)
{
    if (!(value >= 0.0))
        fault();
    return std::sqrt(finite(value));
}

inline double naturalLog(double value)
{
    if (!(value > 0.0))
        fault();
    return finite(std::log(value));
}

// Every logarithm of the equation-of-state formulas is taken of an absolute value.
inline double logOfAbs(double value) { return naturalLog(std::fabs(value)); }

inline double power(double base, double exponent)
{
    finite(base);
    finite(exponent);
    if (base < 0.0 && exponent != std::floor(exponent))
        fault();
    if (base == 0.0 && exponent < 0.0)
        fault();
    return finite(std::pow(base, exponent));
}

// An underflow is no fault: a very negative exponent gives 0.
inline double exponential(double value) { return finite(std::exp(finite(value))); }

// The 32-bit store: NaN, infinity and values beyond the float range are faults.
inline float single(double value)
{
    // The test of services::toSingle in one comparison, which NaN and infinity fail too.
    if (!(std::fabs(value) <= FLT_MAX))
        fault();
    return static_cast<float>(value);
}

// An index outside its array is a fault like any other.
inline std::size_t checkedIndex(int index, std::size_t size)
{
    if (index < 0 || static_cast<std::size_t>(index) >= size)
        fault();
    return static_cast<std::size_t>(index);
}

template <class Values>
decltype(auto) at(Values& values, int index)
{
    return values[checkedIndex(index, std::size(values))];
}

// A report line or slot the caller's array does not hold is such an index.
inline void writeSlot(services::ResultLines& result, int slot, std::string text) { at(result, slot) = std::move(text); }

inline void writeNumber(services::ResultLines& result, int slot, float value)
{
    writeSlot(result, slot, services::singleText(value));
}

// Reading the empty result of a routine that failed is a fault of the reader.
template <class Value>
const Value& need(const std::optional<Value>& value)
{
    if (!value)
        fault();
    return *value;
}

// Runs `body` (which returns a std::optional) under an error trap: a fault shows `message`
// (none when it is empty, the untrapped variants) and gives the empty result.
template <class Body>
auto trap(std::string_view message, Body&& body) -> decltype(body())
{
    try {
        return body();
    } catch (const ArithmeticFault&) {
        if (!message.empty())
            services::ui().message(std::string(message));
        return std::nullopt;
    }
}

// Runs `body`, which returns nothing, under the same trap: whether it ran to its end.
template <class Body>
bool completes(std::string_view message, Body&& body)
{
    return trap(message, [&]() -> std::optional<bool> {
               body();
               return true;
           }).has_value();
}

} // namespace calvex::core::detail
