#pragma once
// Real roots of a monic cubic z^3 + c2 z^2 + c1 z + c0 = 0 in double precision. The callers
// hold their coefficients and roots in single precision; solving in double and rounding each
// root once keeps a small liquid root exact to its last stored digit, where a solve through
// single-precision intermediates loses it to cancellation against the shift c2/3.

#include <array>

namespace calvex::core {

struct PreciseRoots {
    // Ascending; a single real root is held three times, a repeated root twice.
    std::array<double, 3> z{};
    bool oneRealRoot = false;
    // With one real root: whether it lies above the inflection point -c2/3.
    bool aboveInflection = false;
};

// Finite coefficients give finite roots; the caller checks its inputs.
PreciseRoots preciseRoots(double c2, double c1, double c0);

} // namespace calvex::core
