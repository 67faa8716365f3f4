#pragma once
// What the reference model gives for one mixture state: am, bm, the real roots, and on the
// smallest and largest root the mixture's ln phi and departures and every component's ln phi
// (numerical derivatives of n ln phi). The departures use the mole-fraction-averaged da/dT the
// routines are defined with.

#include "tests/mixture/engine/eosreference.h"

#include <cmath>
#include <vector>

namespace calvex::mixture::eosreference {

struct Expected {
    double am = 0.0;
    double bm = 0.0;
    std::vector<double> roots;
    double dadT = 0.0;
    Residuals smallest{}, largest{};
    std::vector<double> lnPhiSmallest, lnPhiLargest;

    // The state's stable root: the smallest when the mixture's ln phi is lower there.
    bool liquidStable() const { return smallest.lnPhi < largest.lnPhi; }
    const Residuals& stable() const { return liquidStable() ? smallest : largest; }
    const std::vector<double>& lnPhiStable() const { return liquidStable() ? lnPhiSmallest : lnPhiLargest; }
};

// The temperature derivative the departure functions use: exact for Redlich-Kwong (am goes as
// T^-1/2); for Soave and Peng-Robinson the mole-fraction-averaged form -am m_m / sqrt(alpha_m T Tc_m).
inline double departureSlope(const MixtureModel& model, const std::vector<double>& y, double T, double am)
{
    switch (model.eos) {
    case Eos::VanDerWaals:
        return 0.0;
    case Eos::RedlichKwong:
        return -am / (2.0 * T);
    case Eos::Soave:
    case Eos::PengRobinson:
        break;
    }
    double omegaM = 0.0, TcM = 0.0, alphaM = 0.0;
    for (std::size_t i = 0; i < y.size(); ++i) {
        omegaM += y[i] * model.components[i].omega;
        TcM += y[i] * model.components[i].Tc;
        alphaM += y[i] * model.alpha(i, T);
    }
    return -am * model.slope(omegaM) / std::sqrt(alphaM * T * TcM);
}

// ln phi of the mixture of amounts n on its smallest (which = 0) or largest root.
inline double mixtureLnPhi(const MixtureModel& model, const std::vector<double>& n, double T, double P, int which)
{
    const double am = model.am(n, T);
    const double bm = model.bm(n);
    const auto roots = compressibilityRoots(model, T, P, am, bm);
    const double Z = which == 0 ? roots.front() : roots.back();
    return residuals(model, T, P, Z, am, bm, 0.0).lnPhi;
}

// ln phi_i = d(n ln phi)/dn_i at constant T, P and the other amounts, by central differences.
inline double partialLnPhi(const MixtureModel& model, const std::vector<double>& y, std::size_t i, double T, double P, int which)
{
    const double h = 1e-4;
    std::vector<double> up = y, down = y;
    up[i] += h;
    down[i] -= h;
    const auto nLnPhi = [&](const std::vector<double>& n) {
        double total = 0.0;
        for (double v : n)
            total += v;
        return total * mixtureLnPhi(model, n, T, P, which);
    };
    return (nLnPhi(up) - nLnPhi(down)) / (2.0 * h);
}

inline Expected expectedFor(const MixtureModel& model, const std::vector<double>& y, double T, double P)
{
    Expected e;
    e.am = model.am(y, T);
    e.bm = model.bm(y);
    e.roots = compressibilityRoots(model, T, P, e.am, e.bm);
    e.dadT = departureSlope(model, y, T, e.am);
    e.smallest = residuals(model, T, P, e.roots.front(), e.am, e.bm, e.dadT);
    e.largest = residuals(model, T, P, e.roots.back(), e.am, e.bm, e.dadT);
    for (std::size_t i = 0; i < y.size(); ++i) {
        e.lnPhiSmallest.push_back(partialLnPhi(model, y, i, T, P, 0));
        e.lnPhiLargest.push_back(partialLnPhi(model, y, i, T, P, 2));
    }
    return e;
}

} // namespace calvex::mixture::eosreference
