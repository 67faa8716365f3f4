#include "core/cardan.h"

#include "core/checkedmath.h"
#include "core/precisecubic.h"

#include <cmath>

namespace calvex::core {
namespace {

using namespace detail;

// The cosine of the trigonometric form's angle, from the stored p and q.
double angleCosine(double p, double q) { return single(squareRoot(quotient(-27.0, p * p * p)) * (-q / 2.0)); }

// D, p and q, each stored in single precision as it is formed; the branch of the details
// follows the stored D.
CardanDetails detailsOf(double a2, double a1, double a0)
{
    CardanDetails d;
    d.p = single(a1 - a2 * a2 / 3.0);
    d.q = single((2.0 * a2 * a2 * a2 / 27.0 - a1 * a2 / 3.0) + a0);
    const double p = d.p;
    const double q = d.q;
    d.D = single(p * p * p / 27.0 + q * q / 4.0);
    return d;
}

// Built in the optional the callers receive, so that no copy of the roots follows the solve.
std::optional<CubicRoots> solve(float c2, float c1, float c0)
{
    std::optional<CubicRoots> solved(std::in_place);
    CubicRoots& result = *solved;
    result.details = detailsOf(c2, c1, c0);
    const PreciseRoots precise = preciseRoots(c2, c1, c0);
    for (int k = 0; k < 3; ++k)
        result.roots[k] = single(precise.z[k]);
    result.oneRealRoot = precise.oneRealRoot;
    result.aboveInflection = precise.aboveInflection;
    return solved;
}

} // namespace

// A solve that stored these details passed every check of the formulas below.
float CardanDetails::r() const
{
    const double P = p;
    return D < 0.0f ? single(std::sqrt(-(P * P * P) / 27.0)) : 0.0f;
}

// A stored D below 0 means q^2/4 < -p^3/27 in the double arithmetic that formed it; the cosine's
// few rounding errors then leave it within a part in 10^15 of [-1, 1], which its single store
// brings back inside.
float CardanDetails::phi() const { return D < 0.0f ? single(std::acos(angleCosine(p, q))) : 0.0f; }

std::optional<CubicRoots> Cardan(float c2, float c1, float c0)
{
    return trap("Error in cardan Method Calculation perhaphs unvalid data entry",
                [&] { return solve(c2, c1, c0); });
}

} // namespace calvex::core
