#include "core/compressibility.h"

#include "core/checkedmath.h"
#include "core/eosformulas.h"
#include "core/eosparameters.h"
#include "core/zcal.h"

#include "services/numbers.h"

#include <array>
#include <bit>
#include <cstdint>

namespace calvex::core {
namespace detail {
namespace {

void writeSteps(EosState& state, Equation equation, const EquationParameters& parameters, float A, float B,
                const Cubic& cubic)
{
    using services::singleText;
    auto& result = state.result;
    writeSlot(result, 9, stepsName(equation));
    writeNumber(result, 10, parameters.a);
    writeNumber(result, 11, parameters.b);
    switch (equation) {
    case Equation::VanDerWaals:
    case Equation::RedlichKwong:
        writeSlot(result, 12, "");
        writeSlot(result, 13, "");
        break;
    case Equation::SoaveRedlichKwong:
        writeSlot(result, 12, "S = " + singleText(parameters.m));
        writeSlot(result, 13, "alphaSR =" + singleText(parameters.alpha));
        break;
    case Equation::PengRobinson:
        writeSlot(result, 12, "S = " + singleText(parameters.m));
        writeSlot(result, 13, "alphaPR =" + singleText(parameters.alpha));
        break;
    }
    writeNumber(result, 14, A);
    writeNumber(result, 15, B);
    writeNumber(result, 16, cubic.c2);
    writeNumber(result, 17, cubic.c1);
    writeNumber(result, 18, cubic.c0);
}

Cubic formCubic(Equation equation, const HostVariant& variant, EosState& state, float temperature, float pressure,
                const EquationParameters& parameters)
{
    const float A = dimensionlessA(parameters.a, pressure, temperature);
    const float B = dimensionlessB(parameters.b, pressure, temperature);
    const Cubic cubic = cubicOf(equation, A, B);
    if (variant.stepsReport && state.stepsflag == 1)
        writeSteps(state, equation, parameters, A, B, cubic);
    return cubic;
}

} // namespace

std::optional<CubicRoots> zcal(Equation equation, EosState& state, float T, float p3,
                               const EquationParameters& parameters)
{
    const HostVariant& variant = variantOf(state.host);
    // Formed in place rather than handed back in an optional, which costs the solve a stalled
    // reload of the three coefficients.
    Cubic cubic;
    if (!completes(variant.zcalMessage[static_cast<int>(equation)],
                   [&] { cubic = formCubic(equation, variant, state, T, p3, parameters); }))
        return std::nullopt;
    return Cardan(cubic.c2, cubic.c1, cubic.c0);
}

namespace {

// The parameters last formed on this thread and what they were formed from, compared bit for
// bit: a saturation iteration asks for those of one component at one temperature on every
// evaluation. Only a formation that succeeded is kept, so a fault and its message recur.
struct LastParameters {
    bool known = false;
    Equation equation = Equation::VanDerWaals;
    std::array<std::uint32_t, 4> inputs{};
    EquationParameters parameters;
};

std::array<std::uint32_t, 4> parameterInputs(const ComponentConstants& component, float T)
{
    return {std::bit_cast<std::uint32_t>(component.Tc), std::bit_cast<std::uint32_t>(component.Pc),
            std::bit_cast<std::uint32_t>(component.omega), std::bit_cast<std::uint32_t>(T)};
}

} // namespace

std::optional<EquationParameters> zcalParameters(Equation equation, EosState& state, float T)
{
    thread_local LastParameters last;
    const auto inputs = parameterInputs(state.component, T);
    if (last.known && last.equation == equation && last.inputs == inputs)
        return last.parameters;
    const auto parameters =
        trap(variantOf(state.host).zcalMessage[static_cast<int>(equation)],
             [&]() -> std::optional<EquationParameters> { return parametersAt(equation, state.component, T); });
    if (parameters)
        last = {true, equation, inputs, *parameters};
    return parameters;
}

std::optional<CubicRoots> zcal(Equation equation, EosState& state, float T, float p3)
{
    const auto parameters = zcalParameters(equation, state, T);
    if (!parameters)
        return std::nullopt;
    return zcal(equation, state, T, p3, *parameters);
}

} // namespace detail

std::optional<CubicRoots> Zcalvanderwaal(EosState& state, float T, float p3)
{
    return detail::zcal(detail::Equation::VanDerWaals, state, T, p3);
}

std::optional<CubicRoots> ZcalRK(EosState& state, float T, float p3)
{
    return detail::zcal(detail::Equation::RedlichKwong, state, T, p3);
}

std::optional<CubicRoots> ZcalSRK(EosState& state, float T, float p3)
{
    return detail::zcal(detail::Equation::SoaveRedlichKwong, state, T, p3);
}

std::optional<CubicRoots> ZcalPR(EosState& state, float T, float p3)
{
    return detail::zcal(detail::Equation::PengRobinson, state, T, p3);
}

std::optional<CubicRoots> compressibilityRoots(EosState& state, float T, float p3)
{
    const auto equation = detail::equationOf(state.optionno);
    if (!equation)
        return std::nullopt;
    return detail::zcal(*equation, state, T, p3);
}

} // namespace calvex::core
