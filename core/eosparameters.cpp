#include "core/eosparameters.h"

#include "core/checkedmath.h"

namespace calvex::core::detail {
namespace {

// 0.72032496 is 0.08664 R and 0.6468292 is 0.0778 R, each written as one constant.
constexpr double redlichKwongB = 0.72032496;
constexpr double pengRobinsonB = 0.6468292;

// Soave and Peng-Robinson share one form: alpha from m (kappa) at T/Tc,
// a = (Tc R)^2 omegaA alpha / Pc, b = Tc bConstant / Pc.
struct AlphaForm {
    double omegaA, bConstant;
};
constexpr AlphaForm soave{0.42748, redlichKwongB};
constexpr AlphaForm pengRobinson{0.45724, pengRobinsonB};

EquationParameters withAlpha(Equation equation, const AlphaForm& form, double Tc, double Pc, double omega, double T)
{
    EquationParameters parameters;
    parameters.m = alphaSlope(equation, omega);
    parameters.alpha = alphaAt(parameters.m, quotient(T, Tc));
    parameters.a = single(quotient((Tc * R) * (Tc * R) * form.omegaA * parameters.alpha, Pc));
    parameters.b = single(quotient(Tc * form.bConstant, Pc));
    return parameters;
}

} // namespace

float alphaSlope(Equation equation, double omega)
{
    if (equation != Equation::SoaveRedlichKwong && equation != Equation::PengRobinson)
        return 0.0f;
    const AcentricPolynomial& p = equation == Equation::PengRobinson ? pengRobinsonSlope : soaveSlope;
    return single((omega * p.m1 + p.m0) - omega * omega * p.m2);
}

float alphaAt(float m, double reducedTemperature)
{
    const double root = 1.0 + m * (1.0 - squareRoot(reducedTemperature));
    return single(root * root);
}

std::optional<Equation> equationOf(int optionno)
{
    switch (optionno) {
    case 1:
        return Equation::VanDerWaals;
    case 2:
        return Equation::PengRobinson;
    case 3:
        return Equation::RedlichKwong;
    case 4:
        return Equation::SoaveRedlichKwong;
    default:
        return std::nullopt;
    }
}

EquationParameters parametersAt(Equation equation, const ComponentConstants& component, float temperature)
{
    const double Tc = component.Tc;
    const double Pc = component.Pc;
    const double omega = component.omega;
    const double T = temperature;
    EquationParameters parameters;
    switch (equation) {
    case Equation::VanDerWaals:
        parameters.a = single(quotient((R * R * 27.0) * (Tc * Tc), Pc * 64.0));
        parameters.b = single(quotient(Tc * R, Pc * 8.0));
        break;
    case Equation::RedlichKwong:
        parameters.a = single(quotient((R * R * 0.42748) * power(Tc, 2.5), Pc * squareRoot(T)));
        parameters.b = single(quotient(Tc * redlichKwongB, Pc));
        break;
    case Equation::SoaveRedlichKwong:
        return withAlpha(equation, soave, Tc, Pc, omega, T);
    case Equation::PengRobinson:
        return withAlpha(equation, pengRobinson, Tc, Pc, omega, T);
    }
    return parameters;
}

} // namespace calvex::core::detail
