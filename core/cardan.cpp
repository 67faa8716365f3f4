#include "core/cardan.h"

#include "core/checkedmath.h"

#include <algorithm>
#include <cmath>

namespace calvex::core {
namespace {

using namespace detail;

// The one-root branch and the simple root of the repeated-root branch take the cube root
// as this power, not as 1/3; the double root of the repeated-root branch uses 14 threes.
constexpr double cubeRootExponent = 0.33333333333;
constexpr double doubleRootExponent = 0.33333333333333;

double realCubeRoot(double value, double exponent)
{
    if (value > 0.0)
        return power(value, exponent);
    if (value < 0.0)
        return -power(-value, exponent);
    return 0.0;
}

CubicRoots solve(float c2, float c1, float c0)
{
    const double a2 = c2;
    const double a1 = c1;
    const double a0 = c0;
    CubicRoots result;
    CardanDetails& d = result.details;
    d.p = single(a1 - a2 * a2 / 3.0);
    d.q = single((2.0 * a2 * a2 * a2 / 27.0 - a1 * a2 / 3.0) + a0);
    const double p = d.p;
    const double q = d.q;
    d.D = single(p * p * p / 27.0 + q * q / 4.0);
    const double shift = a2 / 3.0;

    if (d.D > 0.0f) {
        const double root = std::sqrt(static_cast<double>(d.D));
        const float u = single(-q / 2.0 + root);
        const float v = single(-q / 2.0 - root);
        const float cu = single(realCubeRoot(u, cubeRootExponent));
        const float cv = single(realCubeRoot(v, cubeRootExponent));
        const float z = single(static_cast<double>(cu) + cv - shift);
        result.roots = {z, z, z};
    } else if (d.D == 0.0f) {
        const float simple = single(-2.0 * realCubeRoot(q / 2.0, cubeRootExponent) - shift);
        const float repeated = single(realCubeRoot(q / 2.0, doubleRootExponent) - shift);
        result.roots = {simple, repeated, repeated};
    } else {
        const double p3 = p * p * p;
        const float G = single(power(quotient(-27.0, p3), 0.5) * (-q / 2.0));
        // Rounding can push the cosine argument just outside [-1, 1]; that is a failed solve.
        if (std::fabs(G) > 1.0f)
            fault();
        d.phi = single(std::acos(static_cast<double>(G)));
        d.r = single(power(-p3 / 27.0, 0.5));
        const double scale = 2.0 * power(d.r, 1.0 / 3.0);
        const double quarterTurn = std::atan(1.0);
        const double phi = d.phi;
        result.roots = {
            single(scale * std::cos(phi / 3.0) - shift),
            single(scale * std::cos((quarterTurn * 4.0 * 2.0 + phi) / 3.0) - shift),
            single(scale * std::cos((quarterTurn * 4.0 * 4.0 + phi) / 3.0) - shift),
        };
    }
    std::sort(result.roots.begin(), result.roots.end());
    return result;
}

} // namespace

std::optional<CubicRoots> Cardan(float c2, float c1, float c0)
{
    return trap("Error in cardan Method Calculation perhaphs unvalid data entry",
                [&]() -> std::optional<CubicRoots> { return solve(c2, c1, c0); });
}

} // namespace calvex::core
