#include "services/units.h"

#include "services/numbers.h"

#include <array>
#include <cmath>
#include <limits>
#include <utility>

namespace calvex::services {

float ToKelvin(float& temperature, const std::string& unitName)
{
    double kelvin = temperature;
    if (unitName == "kelvin")
        kelvin = temperature;
    else if (unitName == "fahrenheit")
        kelvin = (static_cast<double>(temperature) - 32.0) * (5.0 / 9.0) + 273.15;
    else if (unitName == "celsius")
        kelvin = static_cast<double>(temperature) + 273.15;
    else
        return temperature;

    const auto stored = toSingle(kelvin);
    if (!stored)
        return 0.0f;
    temperature = *stored;
    return temperature;
}

float ToPascal(float& pressure, const std::string& unitName)
{
    // The system's own rounded factors (6893, 101300, 133.3), not the exact definitions.
    static const std::array<std::pair<const char*, double>, 7> factors{{
        {"bar", std::pow(10.0, 5)},
        {"psia", 6893.0},
        {"pa", 1.0},
        {"atm", 101300.0},
        {"kpa", 1000.0},
        {"mm Hg", 133.3},
        {"Mpa", std::pow(10.0, 6)},
    }};
    for (const auto& [name, factor] : factors) {
        if (unitName != name)
            continue;
        const double product = static_cast<double>(pressure) * factor;
        if (std::isnan(product))
            return 0.0f;
        const auto stored = toSingle(product);
        if (!stored) {
            pressure = std::numeric_limits<float>::infinity() * (pressure < 0 ? -1.0f : 1.0f);
            return 0.0f;
        }
        pressure = *stored;
        return pressure;
    }
    return pressure;
}

} // namespace calvex::services
