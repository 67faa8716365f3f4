#include "core/eosformulas.h"

#include "core/checkedmath.h"
#include "core/eosparameters.h"

namespace calvex::core::detail {
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
