#include "tests/pure/referenceeos.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace calvex::testing::reference {
namespace {

double bisect(const std::function<double(double)>& f, double low, double high)
{
    double fLow = f(low);
    for (int i = 0; i < 200; ++i) {
        const double middle = 0.5 * (low + high);
        const double fMiddle = f(middle);
        if ((fMiddle < 0) == (fLow < 0)) {
            low = middle;
            fLow = fMiddle;
        } else {
            high = middle;
        }
    }
    return 0.5 * (low + high);
}

std::vector<double> cubicRoots(double c2, double c1, double c0)
{
    const auto f = [&](double z) { return ((z + c2) * z + c1) * z + c0; };
    const double bound = 1.0 + std::max({std::fabs(c2), std::fabs(c1), std::fabs(c0)});
    std::vector<double> edges{-bound};
    const double disc = 4 * c2 * c2 - 12 * c1;
    if (disc > 0) {
        edges.push_back((-2 * c2 - std::sqrt(disc)) / 6);
        edges.push_back((-2 * c2 + std::sqrt(disc)) / 6);
    }
    edges.push_back(bound);
    std::vector<double> roots;
    for (std::size_t i = 1; i < edges.size(); ++i)
        if ((f(edges[i - 1]) < 0) != (f(edges[i]) < 0))
            roots.push_back(bisect(f, edges[i - 1], edges[i]));
    return roots;
}

double alpha(double kappa, double T, double Tc) { return std::pow(1 + kappa * (1 - std::sqrt(T / Tc)), 2); }

} // namespace

Parameters parameters(Eos eos, const Fluid& fl, double T)
{
    const double w = fl.omega;
    switch (eos) {
    case Eos::VanDerWaals:
        return {27 * R * R * fl.Tc * fl.Tc / (64 * fl.Pc), R * fl.Tc / (8 * fl.Pc), 0};
    case Eos::RedlichKwong: {
        const double a = 0.42748 * R * R * std::pow(fl.Tc, 2.5) / (fl.Pc * std::sqrt(T));
        return {a, 0.08664 * R * fl.Tc / fl.Pc, -0.5 * a / T};
    }
    case Eos::SoaveRedlichKwong: {
        const double m = 0.48 + 1.574 * w - 0.176 * w * w;
        const double al = alpha(m, T, fl.Tc);
        const double a = 0.42748 * std::pow(R * fl.Tc, 2) * al / fl.Pc;
        return {a, 0.08664 * R * fl.Tc / fl.Pc, -m * a / std::sqrt(al * T * fl.Tc)};
    }
    case Eos::PengRobinson: {
        const double k = 0.37464 + 1.54226 * w - 0.26992 * w * w;
        const double al = alpha(k, T, fl.Tc);
        const double a = 0.45724 * std::pow(R * fl.Tc, 2) * al / fl.Pc;
        return {a, 0.0778 * R * fl.Tc / fl.Pc, -k * a / std::sqrt(al * T * fl.Tc)};
    }
    }
    return {};
}

std::vector<double> zRoots(Eos eos, const Fluid& fluid, double T, double P)
{
    const Parameters par = parameters(eos, fluid, T);
    const double A = par.a * P / std::pow(R * T, 2);
    const double B = par.b * P / (R * T);
    switch (eos) {
    case Eos::VanDerWaals: return cubicRoots(-1 - B, A, -A * B);
    case Eos::RedlichKwong:
    case Eos::SoaveRedlichKwong: return cubicRoots(-1, A - B - B * B, -A * B);
    case Eos::PengRobinson: return cubicRoots(B - 1, A - 3 * B * B - 2 * B, -(A * B - B * B - B * B * B));
    }
    return {};
}

double lnPhi(Eos eos, const Fluid& fluid, double T, double P, double Z)
{
    const Parameters par = parameters(eos, fluid, T);
    const double A = par.a * P / std::pow(R * T, 2);
    const double B = par.b * P / (R * T);
    switch (eos) {
    case Eos::VanDerWaals: return Z - 1 - std::log(Z - B) - A / Z;
    case Eos::RedlichKwong:
    case Eos::SoaveRedlichKwong: return Z - 1 - std::log(Z - B) - A / B * std::log(1 + B / Z);
    case Eos::PengRobinson: {
        const double s2 = std::sqrt(2.0);
        return Z - 1 - std::log(Z - B) - A / (2 * s2 * B) * std::log((Z + (1 + s2) * B) / (Z + (1 - s2) * B));
    }
    }
    return 0;
}

std::pair<double, double> departure(Eos eos, const Fluid& fluid, double T, double P, double Z)
{
    const Parameters par = parameters(eos, fluid, T);
    const double B = par.b * P / (R * T);
    const double ideal = R * T * (Z - 1);
    const double volumeTerm = R * std::log(Z - B);
    switch (eos) {
    case Eos::VanDerWaals: return {ideal - par.a * P / (R * T * Z), volumeTerm};
    case Eos::RedlichKwong:
    case Eos::SoaveRedlichKwong: {
        // For RK the temperature dependence a ~ T^-1/2 gives T da/dT - a = -1.5 a.
        const double L = std::log(1 + B / Z);
        return {ideal + (T * par.dadT - par.a) / par.b * L, volumeTerm + par.dadT / par.b * L};
    }
    case Eos::PengRobinson: {
        const double s2 = std::sqrt(2.0);
        const double L = std::log((Z + (1 + s2) * B) / (Z + (1 - s2) * B));
        return {ideal + (T * par.dadT - par.a) / (2 * s2 * par.b) * L, volumeTerm + par.dadT / (2 * s2 * par.b) * L};
    }
    }
    return {};
}

std::pair<double, double> fugacities(Eos eos, const Fluid& fluid, double T, double P)
{
    const std::vector<double> roots = zRoots(eos, fluid, T, P);
    return {P * std::exp(lnPhi(eos, fluid, T, P, roots.front())), P * std::exp(lnPhi(eos, fluid, T, P, roots.back()))};
}

std::optional<double> saturationPressure(Eos eos, const Fluid& fluid, double T)
{
    // The pressures at which the cubic has three real roots form one interval; scan for it on a
    // fine logarithmic grid, then bisect ln(phiL/phiV) inside it.
    const auto g = [&](double P) {
        const std::vector<double> roots = zRoots(eos, fluid, T, P);
        return lnPhi(eos, fluid, T, P, roots.front()) - lnPhi(eos, fluid, T, P, roots.back());
    };
    double previous = 0;
    double previousValue = 0;
    for (double logP = 0; logP < 9; logP += 0.001) {
        const double P = std::pow(10.0, logP);
        if (zRoots(eos, fluid, T, P).size() < 3)
            continue;
        const double value = g(P);
        if (previous > 0 && (value < 0) != (previousValue < 0))
            return bisect(g, previous, P);
        previous = P;
        previousValue = value;
    }
    return std::nullopt;
}

std::pair<double, double> toleranceBand(Eos eos, const Fluid& fluid, double T, double psat, double difference)
{
    const auto gap = [&](double P) {
        const auto [fL, fV] = fugacities(eos, fluid, T, P);
        return std::fabs(fL - fV) - difference;
    };
    double low = psat;
    while (gap(low) < 0)
        low *= 0.999;
    double high = psat;
    while (gap(high) < 0)
        high *= 1.001;
    return {bisect(gap, low, psat), bisect(gap, psat, high)};
}

} // namespace calvex::testing::reference
