#include "tests/mixture/engine/referencemixture.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace calvex::mixture::reference {
namespace {

constexpr double R = 8.314e-05; // m³·bar/(mol·K)
const double sqrt2 = std::sqrt(2.0);
// Far above the substitution's last change (1e-14), far below the gap between two real phases.
constexpr double collapseTolerance = 1e-8;
// A point's fractions sum to 1 within this: the searches stop near 1e-13.
constexpr double sumTolerance = 1e-10;
// A sum above 1 by more than this is a split, not the rounding of a point.
constexpr double splitTolerance = 1e-8;
// Substitution's changes at this size are the rounding of the fractions, and may cycle.
constexpr double roundoff = 1e-15;
// Steps a bracket walks from its start before giving up: a factor of 1e8 in P, 100 in T.
constexpr int maxSteps = 930;

double cubicValue(double c1, double c2, double c3, double z) { return ((z + c1) * z + c2) * z + c3; }

double bisect(double c1, double c2, double c3, double lo, double hi)
{
    double flo = cubicValue(c1, c2, c3, lo);
    for (int k = 0; k < 300 && hi - lo > 1e-300; ++k) {
        const double mid = 0.5 * (lo + hi);
        const double fmid = cubicValue(c1, c2, c3, mid);
        if ((fmid < 0) == (flo < 0)) {
            lo = mid;
            flo = fmid;
        } else {
            hi = mid;
        }
    }
    return 0.5 * (lo + hi);
}

} // namespace

std::vector<double> cubicRoots(double c1, double c2, double c3)
{
    const double bound = 1.0 + std::max({std::fabs(c1), std::fabs(c2), std::fabs(c3)});
    // Turning points split the line into intervals on which the cubic is monotone.
    std::vector<double> edges{-bound};
    const double disc = c1 * c1 - 3.0 * c2;
    if (disc > 0) {
        const double s = std::sqrt(disc);
        edges.push_back((-c1 - s) / 3.0);
        edges.push_back((-c1 + s) / 3.0);
    }
    edges.push_back(bound);
    std::vector<double> roots;
    for (std::size_t k = 0; k + 1 < edges.size(); ++k) {
        const double a = edges[k];
        const double b = edges[k + 1];
        const double fa = cubicValue(c1, c2, c3, a);
        const double fb = cubicValue(c1, c2, c3, b);
        if (fa == 0)
            roots.push_back(a);
        else if ((fa < 0) != (fb < 0) || fb == 0)
            roots.push_back(bisect(c1, c2, c3, a, b));
    }
    std::sort(roots.begin(), roots.end());
    roots.erase(std::unique(roots.begin(), roots.end(), [](double p, double q) { return std::fabs(p - q) < 1e-12; }),
                roots.end());
    return roots;
}

double Mixture::ai(int i, double T) const
{
    const Component& c = m_components[i];
    const double Tr = T / c.Tc;
    switch (m_equation) {
    case Equation::PengRobinson: {
        const double m = 0.37464 + 1.54226 * c.omega - 0.26992 * c.omega * c.omega;
        const double alpha = std::pow(1.0 + m * (1.0 - std::sqrt(Tr)), 2);
        return 0.457235529 * R * R * c.Tc * c.Tc / c.Pc * alpha;
    }
    case Equation::SoaveRedlichKwong: {
        const double m = 0.48 + 1.574 * c.omega - 0.176 * c.omega * c.omega;
        const double alpha = std::pow(1.0 + m * (1.0 - std::sqrt(Tr)), 2);
        return 0.42748 * R * R * c.Tc * c.Tc / c.Pc * alpha;
    }
    case Equation::RedlichKwong: return 0.42748 * R * R * std::pow(c.Tc, 2.5) / (c.Pc * std::sqrt(T));
    }
    return 0;
}

double Mixture::bi(int i) const
{
    const Component& c = m_components[i];
    const double omegaB = m_equation == Equation::PengRobinson ? 0.077796074 : 0.08664;
    return omegaB * R * c.Tc / c.Pc;
}

double Mixture::am(const Composition& x, double T) const
{
    double a = 0;
    for (std::size_t i = 0; i < x.size(); ++i)
        for (std::size_t j = 0; j < x.size(); ++j)
            a += x[i] * x[j] * std::sqrt(ai(int(i), T) * ai(int(j), T));
    return a;
}

double Mixture::bm(const Composition& x) const
{
    double b = 0;
    for (std::size_t i = 0; i < x.size(); ++i)
        b += x[i] * bi(int(i));
    return b;
}

Roots Mixture::roots(const Composition& x, double T, double P) const
{
    const double A = am(x, T) * P / (R * T * R * T);
    const double B = bm(x) * P / (R * T);
    std::vector<double> z;
    if (m_equation == Equation::PengRobinson)
        z = cubicRoots(-(1.0 - B), A - 3.0 * B * B - 2.0 * B, -(A * B - B * B - B * B * B));
    else
        z = cubicRoots(-1.0, A - B - B * B, -A * B);
    if (z.empty()) // coefficients that are not numbers: a search that left the physical states
        return {std::nan(""), std::nan(""), 0};
    Roots r{z.back(), z.back(), int(z.size())};
    for (double root : z)
        if (root > B) {
            r.liquid = root;
            break;
        }
    return r;
}

Composition Mixture::lnPhi(const Composition& x, double T, double P, bool liquid) const
{
    const double a = am(x, T);
    const double b = bm(x);
    const double A = a * P / (R * T * R * T);
    const double B = b * P / (R * T);
    const Roots r = roots(x, T, P);
    const double Z = liquid ? r.liquid : r.vapour;
    Composition result(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) {
        double sumA = 0;
        for (std::size_t j = 0; j < x.size(); ++j)
            sumA += x[j] * std::sqrt(ai(int(i), T) * ai(int(j), T));
        const double bRatio = bi(int(i)) / b;
        const double attraction = 2.0 * sumA / a - bRatio;
        double tail;
        if (m_equation == Equation::PengRobinson)
            tail = A / (2.0 * sqrt2 * B) * attraction * std::log((Z + (1.0 + sqrt2) * B) / (Z + (1.0 - sqrt2) * B));
        else
            tail = A / B * attraction * std::log(1.0 + B / Z);
        result[i] = bRatio * (Z - 1.0) - std::log(Z - B) - tail;
    }
    return result;
}

double Mixture::wilsonK(int i, double T, double P) const
{
    const Component& c = m_components[i];
    return c.Pc / P * std::exp(5.373 * (1.0 + c.omega) * (1.0 - c.Tc / T));
}

Mixture::Trial Mixture::incipientSum(const Composition& given, double T, double P, bool bubble, Composition& other) const
{
    const std::size_t n = given.size();
    if (other.size() != n) {
        other.assign(n, 0.0);
        double s = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const double K = wilsonK(int(i), T, P);
            other[i] = bubble ? given[i] * K : given[i] / K;
            s += other[i];
        }
        for (double& v : other)
            v /= s;
    }
    Trial trial{1, false, false};
    double previous = 0;
    for (int pass = 0; pass < 2000 && !trial.settled; ++pass) {
        const Composition phiGiven = lnPhi(given, T, P, bubble);
        const Composition phiOther = lnPhi(other, T, P, !bubble);
        Composition next(n);
        trial.sum = 0;
        for (std::size_t i = 0; i < n; ++i) {
            // K = φL/φV: the given phase is the liquid of a bubble point, the vapour of a dew point.
            const double K = std::exp(bubble ? phiGiven[i] - phiOther[i] : phiOther[i] - phiGiven[i]);
            next[i] = bubble ? given[i] * K : given[i] / K;
            trial.sum += next[i];
        }
        double change = 0;
        for (std::size_t i = 0; i < n; ++i) {
            next[i] /= trial.sum;
            change = std::max(change, std::fabs(next[i] - other[i]));
        }
        other = next;
        // Near a spinodal the substitution creeps onto the trivial solution by less than 1e-14 a
        // pass from far off: the distance left, change·r/(1 − r) at the ratio r of two passes'
        // changes, must be small too.
        trial.settled = change <= roundoff
            || (change < 1e-14 && change < previous && change * change / (previous - change) < 1e-12);
        previous = change;
    }
    // The trivial solution sums to 1 like a point; it has both phases at one root, and a feed of
    // two or more components found again as the incipient phase.
    const Roots rootsGiven = roots(given, T, P);
    const Roots rootsOther = roots(other, T, P);
    const double zGiven = bubble ? rootsGiven.liquid : rootsGiven.vapour;
    const double zOther = bubble ? rootsOther.vapour : rootsOther.liquid;
    double apart = 0;
    int present = 0;
    for (std::size_t i = 0; i < n; ++i) {
        apart = std::max(apart, std::fabs(other[i] - given[i]));
        present += given[i] > 0;
    }
    trial.collapsed = std::fabs(zGiven - zOther) <= collapseTolerance * zGiven || (present > 1 && apart <= collapseTolerance);
    return trial;
}

Mixture::Trial Mixture::trialAt(const Composition& given, double value, double fixed, bool pressure, bool bubble,
                                Composition& other) const
{
    return pressure ? incipientSum(given, fixed, value, bubble, other) : incipientSum(given, value, fixed, bubble, other);
}

bool Mixture::splitsElsewhere(const Composition& given, double T, double P, bool bubble) const
{
    for (std::size_t start = 0; start <= given.size(); ++start) {
        Composition trial; // Wilson's, then each pure component
        if (start > 0) {
            trial.assign(given.size(), 0.0);
            trial[start - 1] = 1.0;
        }
        const Trial t = incipientSum(given, T, P, bubble, trial);
        if (!t.collapsed && t.sum > 1.0 + splitTolerance)
            return true;
    }
    return false;
}

// Near a spinodal the trivial solution has non-trivial neighbours that sum to 1 within 1e-10 some
// 1e-4 from the feed; there the given phase splits from another start, at a saturation point from none.
bool Mixture::isPoint(const Composition& given, double value, double fixed, bool pressure, bool bubble,
                      Composition& other) const
{
    const Trial trial = trialAt(given, value, fixed, pressure, bubble, other);
    return trial.settled && !trial.collapsed && std::fabs(trial.sum - 1.0) <= sumTolerance
        && !splitsElsewhere(given, pressure ? fixed : value, pressure ? value : fixed, bubble);
}

Mixture::Point Mixture::acceptedPoint(const Composition& given, double value, double fixed, bool pressure, bool bubble,
                                      double start, Composition other) const
{
    if (isPoint(given, value, fixed, pressure, bubble, other))
        return {value, other};
    Point point = bracketedPoint(given, start, fixed, pressure, bubble);
    if (!isPoint(given, point.value, fixed, pressure, bubble, point.other))
        throw std::runtime_error(std::string("reference solve: no ") + (bubble ? "bubble" : "dew")
                                 + (pressure ? " pressure" : " temperature") + " away from the trivial solution");
    return point;
}

// A start that substitution leaves on the trivial solution lies beyond the point. The given phase
// splits (a non-trivial incipient phase summing above 1) below a bubble pressure, above a dew
// pressure, above a bubble temperature and below a dew temperature: walk from the start in steps of
// 2 % (P) or 0.5 % (T) until a state on each side is found, then bisect between them, each trial
// from the incipient phase of the last state that split.
Mixture::Point Mixture::bracketedPoint(const Composition& given, double start, double fixed, bool pressure,
                                       bool bubble) const
{
    const double step = pressure ? 1.02 : 1.005;
    const double towardSplit = pressure != bubble ? step : 1.0 / step;
    Composition split;
    const auto splits = [&](double value) {
        Composition trial = split;
        const Trial t = trialAt(given, value, fixed, pressure, bubble, trial);
        if (t.collapsed || !(t.sum > 1.0))
            return false;
        split = std::move(trial);
        return true;
    };
    const bool startSplits = splits(start);
    double inside = start, beyond = start;
    bool bracketed = false;
    for (int k = 0; k < maxSteps && !bracketed; ++k) {
        const double next = startSplits ? inside / towardSplit : beyond * towardSplit;
        const bool nextSplits = splits(next);
        (nextSplits ? inside : beyond) = next;
        bracketed = nextSplits != startSplits;
    }
    if (!bracketed)
        return {start, {}};
    for (int k = 0; k < 200 && std::fabs(std::log(inside / beyond)) > 1e-14; ++k) {
        const double mid = std::sqrt(inside * beyond);
        (splits(mid) ? inside : beyond) = mid;
    }
    return {inside, split};
}

// The pressure at which the incipient phase's fractions sum to 1: successive substitution on P,
// from the Wilson estimate Σ x·K (bubble) or 1/Σ (y/K) (dew) at 1 bar.
Mixture::Point Mixture::incipientPressure(const Composition& given, double T, bool bubble) const
{
    double estimate = 0;
    for (std::size_t i = 0; i < given.size(); ++i)
        estimate += bubble ? given[i] * wilsonK(int(i), T, 1.0) : given[i] / wilsonK(int(i), T, 1.0);
    const double start = bubble ? estimate : 1.0 / estimate;
    double P = start;
    Composition other;
    for (int k = 0; k < 500; ++k) {
        const double S = incipientSum(given, T, P, bubble, other).sum;
        P = bubble ? P * S : P / S;
        if (std::fabs(S - 1.0) < 1e-13)
            break;
    }
    return acceptedPoint(given, P, T, true, bubble, start, other);
}

Mixture::Point Mixture::bubblePressure(const Composition& x, double T) const { return incipientPressure(x, T, true); }

Mixture::Point Mixture::dewPressure(const Composition& y, double T) const { return incipientPressure(y, T, false); }

namespace {

// The temperature at which ln S(T) = 0, by the secant method from two starts.
template <typename Sum>
double secantTemperature(double T0, double T1, Sum lnSum)
{
    double f0 = lnSum(T0);
    double f1 = lnSum(T1);
    for (int k = 0; k < 200 && std::fabs(T1 - T0) > 1e-10; ++k) {
        const double T2 = T1 - f1 * (T1 - T0) / (f1 - f0);
        T0 = T1;
        f0 = f1;
        T1 = T2;
        f1 = lnSum(T1);
    }
    return T1;
}

} // namespace

// A start from the Wilson estimate, Σ x·K = 1 (bubble) or Σ y/K = 1 (dew) by bisection, then the
// secant method on ln S(T).
Mixture::Point Mixture::incipientTemperature(const Composition& given, double P, bool bubble) const
{
    double lo = 50, hi = 1500;
    for (int k = 0; k < 200; ++k) {
        const double mid = 0.5 * (lo + hi);
        double s = 0;
        for (std::size_t i = 0; i < given.size(); ++i)
            s += bubble ? given[i] * wilsonK(int(i), mid, P) : given[i] / wilsonK(int(i), mid, P);
        ((bubble ? s > 1 : s < 1) ? hi : lo) = mid;
    }
    Composition other;
    const double T = secantTemperature(
        lo, lo + 1.0, [&](double t) { return std::log(incipientSum(given, t, P, bubble, other).sum); });
    return acceptedPoint(given, T, P, false, bubble, lo, other);
}

Mixture::Point Mixture::bubbleTemperature(const Composition& x, double P) const { return incipientTemperature(x, P, true); }

Mixture::Point Mixture::dewTemperature(const Composition& y, double P) const { return incipientTemperature(y, P, false); }

Mixture::Flash Mixture::flash(const Composition& z, double T, double P) const
{
    Composition K(z.size());
    for (std::size_t i = 0; i < z.size(); ++i)
        K[i] = wilsonK(int(i), T, P);
    return flash(z, T, P, K);
}

Mixture::Flash Mixture::flash(const Composition& z, double T, double P, Composition K) const
{
    const std::size_t n = z.size();
    Flash result{false, 0, Composition(n), Composition(n)};
    double V = 0.5;
    for (int pass = 0; pass < 5000; ++pass) {
        const double Kmax = *std::max_element(K.begin(), K.end());
        const double Kmin = *std::min_element(K.begin(), K.end());
        if (Kmax <= 1 || Kmin >= 1)
            return result;
        // Rachford–Rice in V between its asymptotes, by bisection.
        double lo = 1.0 / (1.0 - Kmax) + 1e-12, hi = 1.0 / (1.0 - Kmin) - 1e-12;
        for (int k = 0; k < 300; ++k) {
            V = 0.5 * (lo + hi);
            double g = 0;
            for (std::size_t i = 0; i < n; ++i)
                g += z[i] * (K[i] - 1.0) / (1.0 + V * (K[i] - 1.0));
            (g > 0 ? lo : hi) = V;
        }
        for (std::size_t i = 0; i < n; ++i) {
            result.x[i] = z[i] / (1.0 + V * (K[i] - 1.0));
            result.y[i] = K[i] * result.x[i];
        }
        const Composition phiL = lnPhi(result.x, T, P, true);
        const Composition phiV = lnPhi(result.y, T, P, false);
        double change = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const double next = std::exp(phiL[i] - phiV[i]);
            change = std::max(change, std::fabs(next / K[i] - 1.0));
            K[i] = next;
        }
        if (change < 1e-13)
            break;
    }
    result.L = 1.0 - V;
    result.twoPhase = V > 0 && V < 1;
    return result;
}

double Mixture::saturationPressure(double T) const
{
    double P = wilsonK(0, T, 1.0);
    const Composition one{1.0};
    for (int k = 0; k < 2000; ++k) {
        const double ratio = std::exp(lnPhi(one, T, P, true)[0] - lnPhi(one, T, P, false)[0]);
        P *= ratio;
        if (std::fabs(ratio - 1.0) < 1e-14)
            break;
    }
    return P;
}

} // namespace calvex::mixture::reference
