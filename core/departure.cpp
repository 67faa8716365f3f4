#include "core/departure.h"

#include "core/checkedmath.h"
#include "core/eosformulas.h"
#include "core/eosparameters.h"

namespace calvex::core {
namespace {

using namespace detail;

ResidualPair residualsAt(Equation equation, const EosState& state, double T, double P, double Z)
{
    const EquationParameters parameters = parametersAt(equation, state.component, static_cast<float>(T));
    const double a = parameters.a;
    // B stays in double precision here, unlike the B of the roots and the fugacities.
    const double B = quotient(parameters.b * P, R * T);
    float dadT = 0.0f;
    if (equation == Equation::SoaveRedlichKwong || equation == Equation::PengRobinson)
        dadT = temperatureDerivative(parameters.m, a, parameters.alpha, T, state.component.Tc);
    return residuals(equation, a, parameters.b, dadT, B, T, P, Z);
}

std::optional<ResidualPair> member(Equation equation, const EosState& state, float T, float P, float Z)
{
    static constexpr std::string_view messages[] = {"error in departurevander", "error in departurepr",
                                                    "error in departurerk", "error in departuresrk"};
    return trap(messages[static_cast<int>(equation)],
                [&]() -> std::optional<ResidualPair> { return residualsAt(equation, state, T, P, Z); });
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
