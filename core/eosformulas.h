#pragma once
// The formulas of the four cubic equations of state at one state, written once for the
// pure-component operations and the mixture routines alike: a and b are a component's (core)
// or the one fluid's (mixture). Each takes the values its callers store as 32-bit floats and
// throws ArithmeticFault where a step cannot be computed.

#include "core/checkedmath.h"
#include "core/eosparameters.h"
#include "core/hostvariant.h"

#include <array>
#include <numbers>

namespace calvex::core::detail {

inline constexpr double sqrt2 = std::numbers::sqrt2;

// Z^3 + c2 Z^2 + c1 Z + c0 = 0 of the equation.
struct Cubic {
    float c2 = 0.0f;
    float c1 = 0.0f;
    float c0 = 0.0f;
};

// The formulas every evaluation of a root or a fugacity runs are inline: without the calls,
// the solve and the logarithms follow each other directly.
inline float dimensionlessA(float a, float P, float T) // a P / (R T)^2
{
    const double RT = R * T;
    return single(quotient(static_cast<double>(a) * P, RT * RT));
}

inline float dimensionlessB(float b, float P, float T) // b P / (R T)
{
    return single(quotient(static_cast<double>(b) * P, R * T));
}

inline Cubic cubicOf(Equation equation, float A, float B)
{
    const double a = A;
    const double b = B;
    switch (equation) {
    case Equation::VanDerWaals:
        return {single(-1.0 - b), A, single(-a * b)};
    case Equation::RedlichKwong:
    case Equation::SoaveRedlichKwong:
        return {-1.0f, single((a - b) - b * b), single(-a * b)};
    case Equation::PengRobinson:
        return {single(b - 1.0), single((a - 2.0 * b) - 3.0 * b * b), single(b * b * b + (b * b - a * b))};
    }
    return {};
}

// The logarithm shared by the Redlich-Kwong family, ln|(Z + B)/Z|, and its Peng-Robinson
// counterpart, ln|(Z + (1 + sqrt 2) B)/(Z + (1 - sqrt 2) B)|.
inline double cubicLog(Equation equation, double Z, double B)
{
    if (equation == Equation::PengRobinson)
        return logOfAbs(quotient(Z + (1.0 + sqrt2) * B, Z + (1.0 - sqrt2) * B));
    return logOfAbs(quotient(Z + B, Z));
}

// A/B of the Redlich-Kwong family, a/(b R T), and A/(2 sqrt 2 B) of Peng-Robinson,
// a/(2 sqrt 2 b R T), the denominator formed from left to right.
inline double logCoefficient(Equation equation, double a, double b, double T)
{
    if (equation == Equation::PengRobinson)
        return quotient(a, 2.0 * sqrt2 * b * R * T);
    return quotient(a, b * R * T);
}

// ln phi of the Redlich-Kwong family and Peng-Robinson at a root Z:
// ratio (Z - 1) - ln|Z - B| + attraction * coefficient * cubicLog. A component in a mixture has
// ratio b_i/bm and attraction b_i/bm - 2 sqrt(a_i/am); a fluid on its own ratio 1, attraction -1.
inline double lnPhi(Equation equation, double Z, double B, double ratio, double attraction, double coefficient)
{
    return finite(ratio * (Z - 1.0) - logOfAbs(Z - B) + attraction * coefficient * cubicLog(equation, Z, B));
}
inline double oneFluidLnPhi(Equation equation, double Z, double B, double coefficient)
{
    return lnPhi(equation, Z, B, 1.0, -1.0, coefficient);
}

// ln phi of a van der Waals fluid at a root Z: (Z - 1) - ln|Z - B| - A/Z.
inline double vanDerWaalsLnPhi(double Z, double A, double B)
{
    return finite((Z - 1.0) - logOfAbs(Z - B) - quotient(A, Z));
}

// phi = exp(ln phi), with ln phi first stored as a 32-bit value.
inline float fugacityCoefficient(double lnPhiValue) { return single(exponential(single(lnPhiValue))); }

// da/dT = -m a / sqrt(alpha T Tc) of Soave-Redlich-Kwong (m) and Peng-Robinson (kappa).
float temperatureDerivative(float m, double a, float alpha, double T, double Tc);

// H - Hig (J/mol) and S - Sig (J/(mol K)) at the root Z; dadT is read by Soave-Redlich-Kwong
// and Peng-Robinson only.
std::array<float, 2> residuals(Equation equation, double a, double b, double dadT, double B, double T, double P,
                               double Z);

} // namespace calvex::core::detail
