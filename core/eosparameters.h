#pragma once
// The parameters of the four cubic equations of state for one component at one temperature,
// formed once here so that the roots, fugacities and departures use the very same values.

#include "core/componentconstants.h"
#include "core/hostvariant.h"

#include <optional>
#include <string_view>

namespace calvex::core::detail {

constexpr double R = 8.314; // J/(mol K)

std::optional<Equation> equationOf(int optionno);

struct EquationParameters {
    float a = 0.0f;     // Pa m^6/mol^2
    float b = 0.0f;     // m^3/mol
    float m = 0.0f;     // m (Soave) or kappa (Peng-Robinson); 0 for the other two
    float alpha = 1.0f; // temperature function of a (Soave, Peng-Robinson)
};

// Throws ArithmeticFault on a failed step (T or Pc zero, a negative root argument, ...).
EquationParameters parametersAt(Equation equation, const ComponentConstants& component, float T);

// The names the reports give the equations.
std::string_view stepsName(Equation equation);
std::string_view logName(Equation equation);
std::string_view enthalpyReportName(Equation equation);

} // namespace calvex::core::detail
