#include "core/departure.h"

#include "core/checkedmath.h"
#include "core/eosparameters.h"

#include <numbers>

namespace calvex::core {
namespace {

using namespace detail;

ResidualPair residuals(Equation equation, const EosState& state, double T, double P, double Z)
{
    const EquationParameters parameters = parametersAt(equation, state.component, static_cast<float>(T));
    const double a = parameters.a;
    const double b = parameters.b;
    const double RT = R * T;
    const double B = quotient(b * P, RT);
    const double Tc = state.component.Tc;
    const double ideal = RT * (Z - 1.0);
    const double lnZminusB = R * logOfAbs(Z - B);
    double H = 0.0;
    double S = 0.0;
    switch (equation) {
    case Equation::VanDerWaals:
        H = ideal - quotient(a * P, R * T * Z);
        S = lnZminusB;
        break;
    case Equation::PengRobinson: {
        constexpr double root2 = std::numbers::sqrt2;
        const double dadT = single(quotient(-parameters.m * a, squareRoot(parameters.alpha * T * Tc)));
        const double L = logOfAbs(quotient(Z + (1.0 + root2) * B, Z + (1.0 - root2) * B));
        H = ideal + quotient(T * dadT - a, 2.0 * root2 * b) * L;
        S = lnZminusB + quotient(dadT, 2.0 * root2 * b) * L;
        break;
    }
    case Equation::RedlichKwong: {
        const double L = logOfAbs(quotient(Z + B, Z));
        H = ideal - quotient(3.0 * a, 2.0 * b) * L;
        S = lnZminusB - quotient(a, 2.0 * b * T) * L;
        break;
    }
    case Equation::SoaveRedlichKwong: {
        const double dadT = single(quotient(-parameters.m * a, squareRoot(parameters.alpha * T * Tc)));
        const double L = logOfAbs(quotient(Z + B, Z));
        H = ideal + quotient(T * dadT - a, b) * L;
        S = lnZminusB + quotient(dadT, b) * L;
        break;
    }
    }
    return {single(H), single(S)};
}

std::optional<ResidualPair> member(Equation equation, const EosState& state, float T, float P, float Z)
{
    static constexpr std::string_view messages[] = {"error in departurevander", "error in departurepr",
                                                    "error in departurerk", "error in departuresrk"};
    return trap(messages[static_cast<int>(equation)],
                [&]() -> std::optional<ResidualPair> { return residuals(equation, state, T, P, Z); });
}

} // namespace

std::optional<ResidualPair> Departure(const EosState& state, float T, float P, float Z)
{
    return trap("error in departure", [&]() -> std::optional<ResidualPair> {
        const std::optional<Equation> equation = equationOf(state.optionno);
        return need(equation ? member(*equation, state, T, P, Z) : std::nullopt);
    });
}

std::optional<ResidualPair> DepartureVanderwaal(const EosState& state, float T, float P, float Z)
{
    return member(Equation::VanDerWaals, state, T, P, Z);
}

std::optional<ResidualPair> DeparturePR(const EosState& state, float T, float P, float Z)
{
    return member(Equation::PengRobinson, state, T, P, Z);
}

std::optional<ResidualPair> DepartureRK(const EosState& state, float T, float P, float Z)
{
    return member(Equation::RedlichKwong, state, T, P, Z);
}

std::optional<ResidualPair> DepartureSRK(const EosState& state, float T, float P, float Z)
{
    return member(Equation::SoaveRedlichKwong, state, T, P, Z);
}

} // namespace calvex::core
