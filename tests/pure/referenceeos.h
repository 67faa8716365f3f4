#pragma once
// An independent double-precision cubic equation of state for the tests: textbook formulas,
// roots by bisection between the stationary points of the cubic (not Cardano's method),
// saturation pressure and temperature by bisection on the equal-fugacity condition.

#include <optional>
#include <utility>
#include <vector>

namespace calvex::testing::reference {

constexpr double R = 8.314; // J/(mol K), the program's gas constant

// The program's equation numbers.
enum class Eos { VanDerWaals = 1, PengRobinson = 2, RedlichKwong = 3, SoaveRedlichKwong = 4 };

struct Fluid {
    double Tc;    // K
    double Pc;    // Pa
    double omega;
    double Tb;    // K
};

struct Parameters {
    double a;     // Pa m6/mol2
    double b;     // m3/mol
    double dadT;  // Pa m6/(mol2 K)
};

Parameters parameters(Eos eos, const Fluid& fluid, double T);

// The real roots of the equation's cubic in Z at (T, P), ascending.
std::vector<double> zRoots(Eos eos, const Fluid& fluid, double T, double P);

// ln of the fugacity coefficient of the root Z at (T, P).
double lnPhi(Eos eos, const Fluid& fluid, double T, double P, double Z);

// H - Hig (J/mol) and S - Sig (J/(mol K)) of the root Z at (T, P).
std::pair<double, double> departure(Eos eos, const Fluid& fluid, double T, double P, double Z);

// Liquid-root and vapour-root fugacities (Pa) at (T, P): smallest and largest root.
std::pair<double, double> fugacities(Eos eos, const Fluid& fluid, double T, double P);

// The pressure of equal liquid and vapour fugacity at T, or empty where the cubic never has
// three real roots at T.
std::optional<double> saturationPressure(Eos eos, const Fluid& fluid, double T);

// The pressures below and above `psat` at which |fL - fV| grows to `difference` Pa: the band
// in which a solver that stops at that difference may land.
std::pair<double, double> toleranceBand(Eos eos, const Fluid& fluid, double T, double psat, double difference);

} // namespace calvex::testing::reference
