#pragma once
// Real roots of a monic cubic z^3 + c2 z^2 + c1 z + c0 = 0, with the intermediate quantities of
// Cardano's method (the trigonometric form when there are three real roots) as the reports show
// them. The roots come from a double-precision solve of the same coefficients.

#include <array>
#include <optional>

namespace calvex::core {

// The intermediate quantities of one solve, as the reports show them.
struct CardanDetails {
    float D = 0.0f;   // discriminant p^3/27 + q^2/4
    float p = 0.0f;   // c1 - c2^2/3
    float q = 0.0f;   // 2 c2^3/27 - c1 c2/3 + c0
    // sqrt(-p^3/27) and the angle of the trigonometric form (rad), each stored in single
    // precision; 0 after a solve with fewer than three distinct real roots. Formed from p and q
    // when a report asks: the solve itself needs neither, and the arccosine is costly.
    float r() const;
    float phi() const;
};

struct CubicRoots {
    // Ascending; a single real root is held three times, a repeated root twice.
    std::array<float, 3> roots{};
    CardanDetails details;
    bool oneRealRoot = false;
    // With one real root: whether it lies above the inflection point of the cubic, where a
    // vapour-like root of an equation of state lies.
    bool aboveInflection = false;

    bool singleRealRoot() const { return oneRealRoot; }
    bool rootAboveInflection() const { return aboveInflection; }
};

// Empty after an arithmetic failure, which shows
// "Error in cardan Method Calculation perhaphs unvalid data entry".
std::optional<CubicRoots> Cardan(float c2, float c1, float c0);

} // namespace calvex::core
