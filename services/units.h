#pragma once
// Conversion of the temperature and pressure a user typed into kelvin and pascal.
// Unit names are compared exactly (case and blanks count); an unknown name converts nothing.

#include <string>

namespace calvex::services {

inline constexpr double pascalPerBar = 1e5;

// Converts `temperature` in place and returns the new value; an unknown unit returns it
// unchanged. When the result would overflow a 32-bit float the argument is left as it
// was and 0 is returned.
float ToKelvin(float& temperature, const std::string& unitName);

// Converts `pressure` in place and returns the new value; an unknown unit returns it
// unchanged. When the product overflows a 32-bit float it is left (infinite) in the
// argument and 0 is returned.
float ToPascal(float& pressure, const std::string& unitName);

} // namespace calvex::services
