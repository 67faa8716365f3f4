#include "tests/core/referenceeos.h"

#include <algorithm>
#include <cmath>

namespace calvex::testing::reference {
namespace {

double alpha(double m, double T, double Tc)
{
    const double root = 1.0 + m * (1.0 - std::sqrt(T / Tc));
    return root * root;
}

double evaluate(double c2, double c1, double c0, double z) { return ((z + c2) * z + c1) * z + c0; }

// Bisection to the last bit on an interval where f changes sign.
template <class Function>
double bisect(const Function& f, double lo, double hi)
{
    const bool risingAtLo = f(lo) < 0.0;
    for (int i = 0; i < 4000; ++i) {
        const double mid = 0.5 * (lo + hi);
        if (mid == lo || mid == hi)
            break;
        ((f(mid) < 0.0) == risingAtLo ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

// The equation written as P = RT/(V - b) - a/(V^2 + u b V + w b^2).
struct Attraction {
    double u, w;
};

Attraction attraction(Eos eos)
{
    switch (eos) {
    case Eos::VanDerWaals:
        return {0.0, 0.0};
    case Eos::RedlichKwong:
    case Eos::SoaveRedlichKwong:
        return {1.0, 0.0};
    case Eos::PengRobinson:
        return {2.0, -1.0};
    }
    return {};
}

} // namespace

double a(Eos eos, const Fluid& f, double T)
{
    switch (eos) {
    case Eos::VanDerWaals:
        return 27.0 / 64.0 * R * R * f.Tc * f.Tc / f.Pc;
    case Eos::RedlichKwong:
        return 0.42748 * R * R * std::pow(f.Tc, 2.5) / (f.Pc * std::sqrt(T));
    case Eos::SoaveRedlichKwong:
        return 0.42748 * R * R * f.Tc * f.Tc / f.Pc * alpha(0.48 + 1.574 * f.omega - 0.176 * f.omega * f.omega, T, f.Tc);
    case Eos::PengRobinson:
        return 0.45724 * R * R * f.Tc * f.Tc / f.Pc *
               alpha(0.37464 + 1.54226 * f.omega - 0.26992 * f.omega * f.omega, T, f.Tc);
    }
    return 0.0;
}

double b(Eos eos, const Fluid& f)
{
    switch (eos) {
    case Eos::VanDerWaals:
        return R * f.Tc / (8.0 * f.Pc);
    case Eos::RedlichKwong:
    case Eos::SoaveRedlichKwong:
        return 0.08664 * R * f.Tc / f.Pc;
    case Eos::PengRobinson:
        return 0.07780 * R * f.Tc / f.Pc;
    }
    return 0.0;
}

Cubic cubic(Eos eos, const Fluid& f, double T, double P)
{
    const double A = a(eos, f, T) * P / (R * T * R * T);
    const double B = b(eos, f) * P / (R * T);
    switch (eos) {
    case Eos::VanDerWaals:
        return {A, B, -1.0 - B, A, -A * B};
    case Eos::RedlichKwong:
    case Eos::SoaveRedlichKwong:
        return {A, B, -1.0, A - B - B * B, -A * B};
    case Eos::PengRobinson:
        return {A, B, B - 1.0, A - 3.0 * B * B - 2.0 * B, -(A * B - B * B - B * B * B)};
    }
    return {};
}

std::vector<double> cubicRoots(double c2, double c1, double c0)
{
    // The turning points split the line into intervals on which the cubic is monotone; each
    // interval with a change of sign holds one root. The smaller turning point in size comes
    // from their product c1/3, so that one near 0 (a liquid root of Z 1e-10 lies below it)
    // keeps its digits.
    const double bound = 1.0 + std::max({std::fabs(c2), std::fabs(c1), std::fabs(c0)});
    std::vector<double> edges{-bound};
    const double disc = c2 * c2 - 3.0 * c1;
    if (disc > 0.0) {
        const double far = (-c2 - std::copysign(std::sqrt(disc), c2)) / 3.0;
        const double near = far != 0.0 ? c1 / 3.0 / far : 0.0;
        edges.push_back(std::min(far, near));
        edges.push_back(std::max(far, near));
    }
    edges.push_back(bound);
    std::vector<double> roots;
    for (std::size_t k = 0; k + 1 < edges.size(); ++k) {
        const double fa = evaluate(c2, c1, c0, edges[k]);
        const double fb = evaluate(c2, c1, c0, edges[k + 1]);
        if (k > 0 && fa == 0.0)
            roots.insert(roots.end(), 2, edges[k]); // a double root at the turning point
        else if (fa != 0.0 && fb != 0.0 && (fa < 0.0) != (fb < 0.0))
            roots.push_back(bisect([&](double z) { return evaluate(c2, c1, c0, z); }, edges[k], edges[k + 1]));
    }
    return roots;
}

std::vector<double> zRoots(Eos eos, const Fluid& f, double T, double P)
{
    const Cubic c = cubic(eos, f, T, P);
    return cubicRoots(c.c2, c.c1, c.c0);
}

double lnPhi(Eos eos, const Fluid& f, double T, double P, double Z)
{
    const Cubic c = cubic(eos, f, T, P);
    const double A = c.A;
    const double B = c.B;
    switch (eos) {
    case Eos::VanDerWaals:
        return Z - 1.0 - std::log(Z - B) - A / Z;
    case Eos::RedlichKwong:
    case Eos::SoaveRedlichKwong:
        return Z - 1.0 - std::log(Z - B) - A / B * std::log(1.0 + B / Z);
    case Eos::PengRobinson: {
        const double s2 = std::sqrt(2.0);
        return Z - 1.0 - std::log(Z - B) - A / (2.0 * s2 * B) * std::log((Z + (1.0 + s2) * B) / (Z + (1.0 - s2) * B));
    }
    }
    return 0.0;
}

std::array<double, 2> departure(Eos eos, const Fluid& f, double T, double P, double Z)
{
    // a_res/(RT) = -ln(1 - b/V) - a I(V)/(bRT) with I the equation's attraction integral,
    // so H - Hig = RT(Z - 1) + (T a' - a) I/b and S - Sig = R ln(Z - B) + a' I/b.
    const double h = T * 1e-6;
    const double aT = a(eos, f, T);
    const double dadT = (a(eos, f, T + h) - a(eos, f, T - h)) / (2.0 * h);
    const double bb = b(eos, f);
    const double V = Z * R * T / P;
    const double B = bb * P / (R * T);
    double I = 0.0; // the integral of dV / (denominator of the attraction term) from V to infinity, times b
    switch (eos) {
    case Eos::VanDerWaals:
        I = bb / V;
        break;
    case Eos::RedlichKwong:
    case Eos::SoaveRedlichKwong:
        I = std::log(1.0 + bb / V);
        break;
    case Eos::PengRobinson: {
        const double s2 = std::sqrt(2.0);
        I = std::log((V + (1.0 + s2) * bb) / (V + (1.0 - s2) * bb)) / (2.0 * s2);
        break;
    }
    }
    return {R * T * (Z - 1.0) + (T * dadT - aT) * I / bb, R * std::log(Z - B) + dadT * I / bb};
}

namespace {

// Pressures (Pa) of the liquid and the vapour spinodal at T, where dP/dV = 0; the first lies
// below zero well under Tc. Empty at and above the equation's critical temperature.
std::optional<std::array<double, 2>> spinodalPressures(Eos eos, const Fluid& f, double T)
{
    const double aT = a(eos, f, T);
    const double bb = b(eos, f);
    const Attraction k = attraction(eos);
    // Volumes as V - b = b e^x, so that every trial volume lies above the covolume.
    const auto denominator = [&](double V) { return V * V + k.u * bb * V + k.w * bb * bb; };
    // dP/dV = 0 where RT = h(V) = a (2V + u b)(V - b)^2 / denominator^2; h rises from 0 at
    // V = b to one maximum and falls back towards 0 as V grows.
    const auto h = [&](double x) {
        const double freeVolume = bb * std::exp(x);
        const double V = bb + freeVolume;
        const double d = denominator(V);
        return aT * (2.0 * V + k.u * bb) * freeVolume * freeVolume / (d * d);
    };
    // Half of d ln h / dV: positive below the maximum, negative above it.
    const auto slopeOfLnH = [&](double x) {
        const double freeVolume = bb * std::exp(x);
        const double V = bb + freeVolume;
        return 1.0 / (2.0 * V + k.u * bb) + 1.0 / freeVolume - (2.0 * V + k.u * bb) / denominator(V);
    };
    constexpr double span = 60.0; // V - b from e^-60 b to e^60 b
    const double peak = bisect(slopeOfLnH, -span, span);
    if (h(peak) <= R * T)
        return std::nullopt;
    const auto excess = [&](double x) { return h(x) - R * T; };
    const auto pressure = [&](double x) {
        const double freeVolume = bb * std::exp(x);
        return R * T / freeVolume - aT / denominator(bb + freeVolume);
    };
    return std::array<double, 2>{pressure(bisect(excess, -span, peak)), pressure(bisect(excess, peak, span))};
}

} // namespace

std::optional<double> saturationPressure(Eos eos, const Fluid& f, double T)
{
    const auto spinodal = spinodalPressures(eos, f, T);
    if (!spinodal)
        return std::nullopt;
    // g = ln phi(vapour) - ln phi(liquid). Between the spinodals the cubic has three real roots
    // and dg/dln P = ZV - ZL > 0: g is negative at the liquid spinodal, positive at the vapour one.
    const auto g = [&](double P) -> std::optional<double> {
        const auto roots = zRoots(eos, f, T, P);
        if (roots.size() < 3 || roots.front() <= cubic(eos, f, T, P).B)
            return std::nullopt;
        return lnPhi(eos, f, T, P, roots.back()) - lnPhi(eos, f, T, P, roots.front());
    };
    double lo = (*spinodal)[0];
    double hi = (*spinodal)[1];
    // Below about 0.85 Tc the liquid spinodal lies below zero pressure; any three-root pressure
    // below saturation bounds it instead, found by decades down from the vapour spinodal (the
    // heavy fluids' pressures at 0.3 Tc lie near 1e-15 Pc).
    for (int decades = 1; lo <= 0.0; ++decades) {
        if (decades > 40)
            return std::nullopt;
        const double P = hi * std::pow(10.0, -decades);
        const auto value = g(P);
        if (value && *value < 0.0)
            lo = P;
    }
    for (int k = 0; k < 200; ++k) {
        const double mid = std::sqrt(lo * hi);
        const auto gm = g(mid);
        if (!gm)
            return std::nullopt;
        (*gm < 0.0 ? lo : hi) = mid;
    }
    return std::sqrt(lo * hi);
}

std::optional<double> saturationTemperature(Eos eos, const Fluid& f, double P)
{
    double lo = 0.2 * f.Tc;
    double hi = f.Tc;
    // 0.8 Tc / 2^50 is far below a 32-bit temperature's resolution.
    for (int k = 0; k < 50; ++k) {
        const double mid = 0.5 * (lo + hi);
        const auto pressure = saturationPressure(eos, f, mid);
        if (pressure && *pressure < P)
            lo = mid;
        else
            hi = mid;
    }
    if (hi >= f.Tc * (1.0 - 1e-9))
        return std::nullopt;
    return 0.5 * (lo + hi);
}

} // namespace calvex::testing::reference
