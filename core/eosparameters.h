#pragma once
// The parameters of the four cubic equations of state for one component at one temperature,
// formed once here so that the roots, fugacities and departures use the very same values.

#include "core/componentconstants.h"
#include "core/hostvariant.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace calvex::core::detail {

constexpr double R = 8.314; // J/(mol K)
constexpr double atmosphere = 101325.0; // Pa, the pressure of the normal boiling point

std::optional<Equation> equationOf(int optionno);

struct EquationParameters {
    float a = 0.0f;     // Pa m^6/mol^2
    float b = 0.0f;     // m^3/mol
    float m = 0.0f;     // m (Soave) or kappa (Peng-Robinson); 0 for the other two
    float alpha = 1.0f; // temperature function of a (Soave, Peng-Robinson)
};

// Throws ArithmeticFault on a failed step (T or Pc zero, a negative root argument, ...).
EquationParameters parametersAt(Equation equation, const ComponentConstants& component, float T);

// m of Soave-Redlich-Kwong and kappa of Peng-Robinson: m0 + m1 omega - m2 omega^2.
struct AcentricPolynomial {
    double m0, m1, m2;
};
inline constexpr AcentricPolynomial soaveSlope{0.48, 1.574, 0.176};
inline constexpr AcentricPolynomial pengRobinsonSlope{0.37464, 1.54226, 0.26992};

// m or kappa of an acentric factor, evaluated as (omega m1 + m0) - omega^2 m2; 0 for van der
// Waals and Redlich-Kwong.
float alphaSlope(Equation equation, double omega);

// alpha = (1 + m (1 - sqrt(Tr)))^2 at the reduced temperature Tr.
float alphaAt(float m, double reducedTemperature);

// What one report calls each equation, in Equation order.
struct EquationNames {
    std::array<std::string_view, 4> names;
    std::string operator()(Equation equation) const { return std::string(names[static_cast<std::size_t>(equation)]); }
};
inline constexpr EquationNames stepsName{{"Vander Waal", "Peng Robinson", "Redlick Kwong", "Soave Redlick Kwong"}};
inline constexpr EquationNames logName{{"vanderwaal", "Peng Robinson", "Redlick Kwong", "Soave Redlick Kwong"}};
inline constexpr EquationNames enthalpyReportName{{"Vander Waal", "Peng Robinson", "Redlick Kwong", "Soave-Redlick Kwong"}};

} // namespace calvex::core::detail
