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

// Bisection to the last bit on an interval where the cubic changes sign.
double bisect(double c2, double c1, double c0, double lo, double hi)
{
    const bool risingAtLo = evaluate(c2, c1, c0, lo) < 0.0;
    for (int i = 0; i < 4000; ++i) {
        const double mid = 0.5 * (lo + hi);
        if (mid == lo || mid == hi)
            break;
        ((evaluate(c2, c1, c0, mid) < 0.0) == risingAtLo ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
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
            roots.push_back(bisect(c2, c1, c0, edges[k], edges[k + 1]));
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

std::optional<double> saturationPressure(Eos eos, const Fluid& f, double T)
{
    // g = ln phi(vapour) - ln phi(liquid): negative below saturation, positive above.
    const auto g = [&](double P) -> std::optional<double> {
        const auto roots = zRoots(eos, f, T, P);
        if (roots.size() < 3 || roots.front() <= cubic(eos, f, T, P).B)
            return std::nullopt;
        return lnPhi(eos, f, T, P, roots.back()) - lnPhi(eos, f, T, P, roots.front());
    };
    // 500 points a decade from 1e-20 Pc: the heavy fluids' pressures at 0.3 Tc lie near 1e-15 Pc.
    const int decades = 20;
    const int points = 500 * decades;
    std::optional<double> previous;
    double previousP = 0.0;
    for (int i = 0; i <= points; ++i) {
        const double P = f.Pc * std::pow(10.0, -decades + double(decades) * i / points);
        const auto value = g(P);
        if (value && previous && *previous < 0.0 && *value >= 0.0) {
            double lo = previousP;
            double hi = P;
            for (int k = 0; k < 200; ++k) {
                const double mid = std::sqrt(lo * hi);
                const auto gm = g(mid);
                if (!gm)
                    break;
                (*gm < 0.0 ? lo : hi) = mid;
            }
            return std::sqrt(lo * hi);
        }
        previous = value;
        previousP = P;
    }
    return std::nullopt;
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
