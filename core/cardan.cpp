#include "core/cardan.h"

#include "core/checkedmath.h"
#include "core/precisecubic.h"

#include <cmath>

namespace calvex::core {
namespace {

using namespace detail;

// D, p and q of every solve, r and phi of a solve with three real roots, each stored in single
// precision as it is formed; the branch of the details follows the stored D.
CardanDetails detailsOf(double a2, double a1, double a0, CardanDetailLevel level)
{
    CardanDetails d;
    d.p = single(a1 - a2 * a2 / 3.0);
    d.q = single((2.0 * a2 * a2 * a2 / 27.0 - a1 * a2 / 3.0) + a0);
    const double p = d.p;
    const double q = d.q;
    d.D = single(p * p * p / 27.0 + q * q / 4.0);
    if (d.D < 0.0f) {
        const double p3 = p * p * p;
        const float G = single(squareRoot(quotient(-27.0, p3)) * (-q / 2.0));
        // Rounding can push the cosine argument just outside [-1, 1]; that is a failed solve.
        if (std::fabs(G) > 1.0f)
            fault();
        if (level == CardanDetailLevel::All) {
            d.phi = single(std::acos(static_cast<double>(G)));
            d.r = single(squareRoot(-p3 / 27.0));
        }
    }
    return d;
}

CubicRoots solve(float c2, float c1, float c0, CardanDetailLevel level)
{
    CubicRoots result;
    result.details = detailsOf(c2, c1, c0, level);
    const PreciseRoots precise = preciseRoots(c2, c1, c0);
    for (int k = 0; k < 3; ++k)
        result.roots[k] = single(precise.z[k]);
    result.oneRealRoot = precise.oneRealRoot;
    result.aboveInflection = precise.aboveInflection;
    return result;
}

} // namespace

std::optional<CubicRoots> Cardan(float c2, float c1, float c0, CardanDetailLevel level)
{
    return trap("Error in cardan Method Calculation perhaphs unvalid data entry",
                [&]() -> std::optional<CubicRoots> { return solve(c2, c1, c0, level); });
}

std::optional<CubicRoots> Cardan(float c2, float c1, float c0) { return Cardan(c2, c1, c0, CardanDetailLevel::All); }

} // namespace calvex::core
