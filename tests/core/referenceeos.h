#pragma once
// An independent double-precision model of the four cubic equations of state for the tests:
// textbook parameter forms, cubic roots by bisection between the turning points (not Cardano),
// da/dT by central differences, and saturation by bisection on equal fugacity between the
// spinodals.

#include <array>
#include <optional>
#include <vector>

namespace calvex::testing::reference {

constexpr double R = 8.314;

enum class Eos { VanDerWaals = 1, PengRobinson = 2, RedlichKwong = 3, SoaveRedlichKwong = 4 }; // optionno
constexpr std::array<Eos, 4> allEos{Eos::VanDerWaals, Eos::PengRobinson, Eos::RedlichKwong, Eos::SoaveRedlichKwong};

struct Fluid {
    const char* name;
    double Tc; // K
    double Pc; // Pa
    double omega;
    double Tb; // K
};

// Published critical constants (Poling, Prausnitz and O'Connell, Appendix A).
constexpr Fluid methane{"methane", 190.6, 4.599e6, 0.011, 111.7};
constexpr Fluid nitrogen{"nitrogen", 126.2, 3.398e6, 0.037, 77.35};
constexpr Fluid carbonDioxide{"carbon dioxide", 304.12, 7.374e6, 0.225, 194.67};
constexpr Fluid ethanol{"ethanol", 513.92, 6.148e6, 0.649, 351.8};
constexpr Fluid nDecane{"n-decane", 617.7, 2.11e6, 0.49, 447.3};
constexpr Fluid propane{"propane", 369.83, 4.248e6, 0.152, 231.02};

double a(Eos eos, const Fluid& fluid, double T);
double b(Eos eos, const Fluid& fluid);

struct Cubic {
    double A, B, c2, c1, c0;
};
Cubic cubic(Eos eos, const Fluid& fluid, double T, double P);

// Real roots of z^3 + c2 z^2 + c1 z + c0, ascending (one or three values).
std::vector<double> cubicRoots(double c2, double c1, double c0);
std::vector<double> zRoots(Eos eos, const Fluid& fluid, double T, double P);

double lnPhi(Eos eos, const Fluid& fluid, double T, double P, double Z);

// H - Hig (J/mol) and S - Sig (J/(mol K)) from the integral of the residual Helmholtz energy.
std::array<double, 2> departure(Eos eos, const Fluid& fluid, double T, double P, double Z);

// Equal-fugacity pressure at T (Pa) by bisection on ln P between the spinodal pressures; empty
// when no three-root state exists.
std::optional<double> saturationPressure(Eos eos, const Fluid& fluid, double T);
// Equal-fugacity temperature at P (K).
std::optional<double> saturationTemperature(Eos eos, const Fluid& fluid, double P);

} // namespace calvex::testing::reference
