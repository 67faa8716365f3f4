#pragma once
// Real roots of a monic cubic z^3 + c2 z^2 + c1 z + c0 = 0 in double precision. The callers
// hold their coefficients and roots in single precision; solving in double and rounding each
// root once keeps a small liquid root exact to its last stored digit, where a solve through
// single-precision intermediates loses it to cancellation against the shift c2/3.

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <utility>

namespace calvex::core {

struct PreciseRoots {
    // Ascending; a single real root is held three times, a repeated root twice.
    std::array<double, 3> z{};
    bool oneRealRoot = false;
    // With one real root: whether it lies above the inflection point -c2/3.
    bool aboveInflection = false;
};


// The steps of the solve below, in the header so that each solver inlines the whole solve.
namespace precisecubic {

inline double cubicAt(double c2, double c1, double c0, double z) { return ((z + c2) * z + c1) * z + c0; }

// Newton steps on the cubic itself, each kept only while it lowers the residual: that recovers
// the digits the closed form loses in t - c2/3 and stops at once at a repeated root, where the
// slope vanishes.
inline double polish(double c2, double c1, double c0, double z)
{
    double residual = cubicAt(c2, c1, c0, z);
    for (int step = 0; step < 3 && residual != 0.0; ++step) {
        const double slope = (3.0 * z + 2.0 * c2) * z + c1;
        if (slope == 0.0)
            break;
        const double next = z - residual / slope;
        const double nextResidual = cubicAt(c2, c1, c0, next);
        if (!(std::fabs(nextResidual) < std::fabs(residual)))
            break;
        z = next;
        residual = nextResidual;
    }
    return z;
}

// One real root, the one of largest size where there are three: Cardano's form with the two
// terms under the cube root of one sign, or the trigonometric form. The sign of D decides only
// which form; with two roots close to 0 it is lost to rounding, and either form still gives a
// root near the far one.
inline double farRoot(double c2, double c1, double c0)
{
    // The depressed cubic t^3 + p t + q = 0 with z = t - c2/3.
    const double shift = c2 / 3.0;
    const double p = c1 - c2 * shift;
    const double q = (2.0 * shift * shift - c1) * shift + c0;
    const double D = (p / 3.0) * (p / 3.0) * (p / 3.0) + (q / 2.0) * (q / 2.0);
    if (D > 0.0 || p >= 0.0) {
        const double u = -std::cbrt(q / 2.0 + std::copysign(std::sqrt(std::max(D, 0.0)), q));
        return u != 0.0 ? u - p / (3.0 * u) - shift : -shift;
    }
    const double m = std::sqrt(-p / 3.0);
    const double phi = std::acos(std::clamp(-q / (2.0 * m * m * m), -1.0, 1.0));
    // The largest or the smallest of the three; the middle one is never the far one. With
    // coefficients of alternating sign, as those of every compressibility cubic, no root is
    // negative (Descartes' rule of signs) and the largest is the far one.
    const double largest = 2.0 * m * std::cos(phi / 3.0) - shift;
    if (c2 < 0.0 && c1 > 0.0 && c0 < 0.0)
        return largest;
    const double smallest = 2.0 * m * std::cos((phi + 2.0 * std::numbers::pi) / 3.0) - shift;
    return std::fabs(largest) >= std::fabs(smallest) ? largest : smallest;
}

// Three values in ascending order by three compare-exchanges, as std::sort would leave them.
inline std::array<double, 3> sorted(double a, double b, double c)
{
    if (b < a)
        std::swap(a, b);
    if (c < b)
        std::swap(b, c);
    if (b < a)
        std::swap(a, b);
    return {a, b, c};
}

} // namespace precisecubic

// Finite coefficients give finite roots; the caller checks its inputs.
inline PreciseRoots preciseRoots(double c2, double c1, double c0)
{
    PreciseRoots result;
    using namespace precisecubic;
    const double far = polish(c2, c1, c0, farRoot(c2, c1, c0));
    // The other two are the roots of the quadratic left after dividing out the far root,
    // formed from c0 and c1 so that two roots close to 0 keep their digits:
    // (z - far)(z^2 + q1 z + q0) has q0 = -c0/far and q1 = (q0 - c1)/far.
    const double q0 = far != 0.0 ? -c0 / far : c1;
    const double q1 = far != 0.0 ? (q0 - c1) / far : c2;
    const double disc = q1 * q1 - 4.0 * q0;
    if (disc < 0.0) {
        result.z = {far, far, far};
        result.oneRealRoot = true;
        result.aboveInflection = far > -c2 / 3.0;
        return result;
    }
    const double t = -(q1 + std::copysign(std::sqrt(disc), q1)) / 2.0;
    // Formed from the polished far root, these two carry its relative accuracy already.
    result.z = sorted(far, t, t != 0.0 ? q0 / t : 0.0);
    return result;
}

} // namespace calvex::core
