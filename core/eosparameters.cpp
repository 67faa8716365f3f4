#include "core/eosparameters.h"

#include "core/checkedmath.h"

namespace calvex::core::detail {
namespace {

// 0.72032496 is 0.08664 R and 0.6468292 is 0.0778 R, each written as one constant.
constexpr double redlichKwongB = 0.72032496;
constexpr double pengRobinsonB = 0.6468292;

float alphaOf(float m, double T, double Tc)
{
    const double reduced = 1.0 - squareRoot(quotient(T, Tc));
    const double root = 1.0 + m * reduced;
    return single(root * root);
}

} // namespace

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
        parameters.m = single((omega * 1.574 + 0.48) - omega * omega * 0.176);
        parameters.alpha = alphaOf(parameters.m, T, Tc);
        parameters.a = single(quotient((Tc * R) * (Tc * R) * 0.42748 * parameters.alpha, Pc));
        parameters.b = single(quotient(Tc * redlichKwongB, Pc));
        break;
    case Equation::PengRobinson:
        parameters.m = single((omega * 1.54226 + 0.37464) - omega * omega * 0.26992);
        parameters.alpha = alphaOf(parameters.m, T, Tc);
        parameters.a = single(quotient((Tc * R) * (Tc * R) * 0.45724 * parameters.alpha, Pc));
        parameters.b = single(quotient(Tc * pengRobinsonB, Pc));
        break;
    }
    return parameters;
}

std::string_view stepsName(Equation equation)
{
    static constexpr std::string_view names[] = {"Vander Waal", "Peng Robinson", "Redlick Kwong", "Soave Redlick Kwong"};
    return names[static_cast<int>(equation)];
}

std::string_view logName(Equation equation)
{
    static constexpr std::string_view names[] = {"vanderwaal", "Peng Robinson", "Redlick Kwong", "Soave Redlick Kwong"};
    return names[static_cast<int>(equation)];
}

std::string_view enthalpyReportName(Equation equation)
{
    static constexpr std::string_view names[] = {"Vander Waal", "Peng Robinson", "Redlick Kwong", "Soave-Redlick Kwong"};
    return names[static_cast<int>(equation)];
}

} // namespace calvex::core::detail
