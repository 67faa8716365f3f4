#pragma once
// An independent double-precision model of a mixture with the cubic equations of state, for
// checking the single-precision routines: pressure-explicit equations, roots by bracketing and
// bisection, the residual Helmholtz energy by quadrature over density, and partial fugacity
// coefficients as numerical derivatives of n ln phi. None of it shares code or closed forms
// with the routines under test.

#include <cmath>
#include <functional>
#include <vector>

namespace calvex::mixture::eosreference {

enum class Eos { VanDerWaals, RedlichKwong, Soave, PengRobinson };

struct Component {
    double Tc; // K
    double Pc; // Pa
    double omega;
};

inline constexpr double gasConstant = 8.314;

// Methane and n-butane (Tc in K, Pc in Pa, omega) as tabulated in Poling, Prausnitz and
// O'Connell, taken through 32-bit floats as a MixtureState holds them.
inline const Component methane{190.56f, 45.99e5f, 0.011f};
inline const Component butane{425.12f, 37.96e5f, 0.2f};

struct MixtureModel {
    Eos eos;
    std::vector<Component> components;

    // Pure-component a_i(T) and b_i from the textbook constants of each equation.
    double a(std::size_t i, double T) const
    {
        const Component& c = components[i];
        const double R = gasConstant;
        switch (eos) {
        case Eos::VanDerWaals:
            return 27.0 / 64.0 * R * R * c.Tc * c.Tc / c.Pc;
        case Eos::RedlichKwong:
            return 0.42748 * R * R * std::pow(c.Tc, 2.5) / (c.Pc * std::sqrt(T));
        case Eos::Soave:
        case Eos::PengRobinson:
            return (eos == Eos::Soave ? 0.42748 : 0.45724) * R * R * c.Tc * c.Tc / c.Pc * alpha(i, T);
        }
        return 0.0;
    }
    double b(std::size_t i) const
    {
        const Component& c = components[i];
        const double omegaB = eos == Eos::VanDerWaals ? 0.125 : eos == Eos::PengRobinson ? 0.0778 : 0.08664;
        return omegaB * gasConstant * c.Tc / c.Pc;
    }
    double slope(double omega) const
    {
        return eos == Eos::Soave ? 0.48 + 1.574 * omega - 0.176 * omega * omega
                                 : 0.37464 + 1.54226 * omega - 0.26992 * omega * omega;
    }
    double alpha(std::size_t i, double T) const
    {
        const Component& c = components[i];
        const double s = 1.0 + slope(c.omega) * (1.0 - std::sqrt(T / c.Tc));
        return s * s;
    }

    // Mole amounts n (need not sum to 1): am and bm of the composition n / sum n.
    double am(const std::vector<double>& n, double T) const
    {
        double total = 0.0, root = 0.0;
        for (std::size_t i = 0; i < n.size(); ++i) {
            total += n[i];
            root += n[i] * std::sqrt(a(i, T));
        }
        return root * root / (total * total);
    }
    double bm(const std::vector<double>& n) const
    {
        double total = 0.0, sum = 0.0;
        for (std::size_t i = 0; i < n.size(); ++i) {
            total += n[i];
            sum += n[i] * b(i);
        }
        return sum / total;
    }

    // P(T, rho) of the one fluid with given am, bm.
    double pressure(double T, double rho, double am, double bm) const
    {
        const double RT = gasConstant * T;
        const double V = 1.0 / rho;
        switch (eos) {
        case Eos::VanDerWaals:
            return RT / (V - bm) - am / (V * V);
        case Eos::RedlichKwong:
        case Eos::Soave:
            return RT / (V - bm) - am / (V * (V + bm));
        case Eos::PengRobinson:
            return RT / (V - bm) - am / (V * V + 2.0 * bm * V - bm * bm);
        }
        return 0.0;
    }
    // (dP/dT) at constant density for a given da/dT.
    double pressureSlope(double rho, double bm, double dadT) const
    {
        const double V = 1.0 / rho;
        const double attraction = eos == Eos::VanDerWaals ? V * V
                                  : eos == Eos::PengRobinson ? V * V + 2.0 * bm * V - bm * bm
                                                             : V * (V + bm);
        return gasConstant / (V - bm) - dadT / attraction;
    }
};

// Composite Simpson rule with 2 * halfIntervals panels.
inline double integrate(const std::function<double(double)>& f, double from, double to, int halfIntervals = 20000)
{
    const int n = 2 * halfIntervals;
    const double h = (to - from) / n;
    double sum = f(from) + f(to);
    for (int k = 1; k < n; ++k)
        sum += f(from + k * h) * (k % 2 ? 4.0 : 2.0);
    return sum * h / 3.0;
}

// Real roots of the equation of state in Z at (T, P): sign changes of P(V) - P on a fine grid of
// Z above B, each refined by bisection to full precision. Ascending.
inline std::vector<double> compressibilityRoots(const MixtureModel& m, double T, double P, double am, double bm)
{
    const double RT = gasConstant * T;
    const double B = bm * P / RT;
    const auto f = [&](double Z) { return m.pressure(T, P / (Z * RT), am, bm) - P; };
    std::vector<double> roots;
    const int steps = 400000;
    const double low = B * (1.0 + 1e-12);
    const double high = 4.0;
    double z0 = low;
    double f0 = f(z0);
    for (int k = 1; k <= steps; ++k) {
        const double z1 = low + (high - low) * k / steps;
        const double f1 = f(z1);
        if (f0 == 0.0 || (f0 < 0.0) != (f1 < 0.0)) {
            double lo = z0, hi = z1, flo = f0;
            for (int it = 0; it < 200 && hi - lo > 1e-16; ++it) {
                const double mid = 0.5 * (lo + hi);
                const double fm = f(mid);
                if ((fm < 0.0) == (flo < 0.0)) {
                    lo = mid;
                    flo = fm;
                } else {
                    hi = mid;
                }
            }
            roots.push_back(0.5 * (lo + hi));
        }
        z0 = z1;
        f0 = f1;
    }
    return roots;
}

// Residual enthalpy and entropy at (T, P) on the root Z, from the residual Helmholtz energy
// integrated over density: A_r = int_0^rho (P - R T rho)/rho^2, S_r = -int_0^rho (dP/dT - R rho)/rho^2,
// then H - Hig = A_r + T S_r + R T (Z - 1) and S - Sig = S_r + R ln Z.
struct Residuals {
    double H;
    double S;
    double lnPhi; // A_r/(R T) + Z - 1 - ln Z
};

inline Residuals residuals(const MixtureModel& m, double T, double P, double Z, double am, double bm, double dadT)
{
    const double RT = gasConstant * T;
    const double rho = P / (Z * RT);
    const double Ar = integrate([&](double r) {
        if (r == 0.0)
            return RT * bm - am; // the second virial coefficient's limit
        return (m.pressure(T, r, am, bm) - RT * r) / (r * r);
    }, 0.0, rho);
    const double Sr = -integrate([&](double r) {
        if (r == 0.0)
            return gasConstant * bm - dadT;
        return (m.pressureSlope(r, bm, dadT) - gasConstant * r) / (r * r);
    }, 0.0, rho);
    return {Ar + T * Sr + RT * (Z - 1.0), Sr + gasConstant * std::log(Z), Ar / RT + Z - 1.0 - std::log(Z)};
}

} // namespace calvex::mixture::eosreference
