#include "core/eosformulas.h"

#include "core/checkedmath.h"
#include "core/eosparameters.h"

#include <numbers>

namespace calvex::core::detail {
namespace {

constexpr double sqrt2 = std::numbers::sqrt2;

} // namespace

double cubicLog(Equation equation, double Z, double B)
{
    if (equation == Equation::PengRobinson)
        return logOfAbs(quotient(Z + (1.0 + sqrt2) * B, Z + (1.0 - sqrt2) * B));
    return logOfAbs(quotient(Z + B, Z));
}

double logCoefficient(Equation equation, double a, double b, double T)
{
    if (equation == Equation::PengRobinson)
        return quotient(a, 2.0 * sqrt2 * b * R * T);
    return quotient(a, b * R * T);
}

double lnPhi(Equation equation, double Z, double B, double ratio, double attraction, double coefficient)
{
    return finite(ratio * (Z - 1.0) - logOfAbs(Z - B) + attraction * coefficient * cubicLog(equation, Z, B));
}

double vanDerWaalsLnPhi(double Z, double A, double B) { return finite((Z - 1.0) - logOfAbs(Z - B) - quotient(A, Z)); }

float fugacityCoefficient(double lnPhiValue) { return single(exponential(single(lnPhiValue))); }

float temperatureDerivative(float m, double a, float alpha, double T, double Tc)
{
    return single(quotient(-m * a, squareRoot(alpha * T * Tc)));
}

std::array<float, 2> residuals(Equation equation, double a, double b, double dadT, double B, double T, double P,
                               double Z)
{
    const double RT = R * T;
    const double ideal = RT * (Z - 1.0);
    const double lnZminusB = R * logOfAbs(Z - B);
    double H = 0.0;
    double S = 0.0;
    switch (equation) {
    case Equation::VanDerWaals:
        H = ideal - quotient(a * P, RT * Z);
        S = lnZminusB;
        break;
    case Equation::RedlichKwong: {
        const double L = cubicLog(equation, Z, B);
        H = ideal - quotient(3.0 * a, 2.0 * b) * L;
        S = lnZminusB - quotient(a, 2.0 * b * T) * L;
        break;
    }
    case Equation::SoaveRedlichKwong:
    case Equation::PengRobinson: {
        const double L = cubicLog(equation, Z, B);
        const double scale = equation == Equation::PengRobinson ? 2.0 * sqrt2 * b : b;
        H = ideal + quotient(T * dadT - a, scale) * L;
        S = lnZminusB + quotient(dadT, scale) * L;
        break;
    }
    }
    return {single(H), single(S)};
}

} // namespace calvex::core::detail
