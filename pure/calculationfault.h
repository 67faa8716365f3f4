#pragma once
// A run-time failure inside a calculator's handler (a number too large for a 32-bit value, the
// database unreadable, a dialog missing): it ends the calculation through the window's
// failure path instead of reaching the user as a crash or a NaN on a page.

#include <stdexcept>

namespace calvex::pure {

class CalculationFault : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// `value` stored as a 32-bit value; throws CalculationFault when it is NaN or too large.
float single(double value);

} // namespace calvex::pure
