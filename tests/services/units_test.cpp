#include "services/units.h"

#include <gtest/gtest.h>

#include <cmath>

namespace calvex::services {
namespace {

// Conversions are done in double precision and stored once into a float, so the expected
// values are the float nearest to the exact product.
TEST(Units, ToKelvinConvertsTheThreeNames)
{
    const struct {
        float value;
        const char* unit;
        float kelvin;
    } rows[] = {
        {32.0f, "fahrenheit", 273.15f},
        {212.0f, "fahrenheit", 373.15f},
        {0.0f, "celsius", 273.15f},
        {-40.0f, "celsius", 233.15f},
        {300.0f, "kelvin", 300.0f},
        {-459.67f, "fahrenheit", static_cast<float>((-459.67f - 32.0) * (5.0 / 9.0) + 273.15)},
    };
    for (const auto& row : rows) {
        float value = row.value;
        const float returned = ToKelvin(value, row.unit);
        EXPECT_EQ(returned, row.kelvin) << row.value << ' ' << row.unit;
        EXPECT_EQ(value, returned);
    }
}

TEST(Units, ToPascalUsesTheSystemsOwnFactors)
{
    const struct {
        float value;
        const char* unit;
        float pascal;
    } rows[] = {
        {1.0f, "bar", 1e5f},       {1.0f, "psia", 6893.0f},  {5.0f, "pa", 5.0f},
        {1.0f, "atm", 101300.0f}, {3.0f, "kpa", 3000.0f},   {760.0f, "mm Hg", 101308.0f},
        {2.0f, "Mpa", 2e6f},      {0.0f, "bar", 0.0f},
    };
    for (const auto& row : rows) {
        float value = row.value;
        const float returned = ToPascal(value, row.unit);
        EXPECT_EQ(returned, row.pascal) << row.value << ' ' << row.unit;
        EXPECT_EQ(value, returned);
    }
}

TEST(Units, UnknownNamesConvertNothing)
{
    for (const char* unit : {"Kelvin", "CELSIUS", "Fahrenheit", "", " kelvin", "kelvin ", "K"}) {
        float value = 12.5f;
        EXPECT_EQ(ToKelvin(value, unit), 12.5f) << '"' << unit << '"';
        EXPECT_EQ(value, 12.5f);
    }
    for (const char* unit : {"Bar", "BAR", "Pa", "MPa", "mmHg", "mm  Hg", "mm hg", "KPa", "", "psi"}) {
        float value = 12.5f;
        EXPECT_EQ(ToPascal(value, unit), 12.5f) << '"' << unit << '"';
        EXPECT_EQ(value, 12.5f);
    }
}

TEST(Units, OverflowReturnsZero)
{
    float temperature = 3.4e38f;
    EXPECT_EQ(ToKelvin(temperature, "celsius"), 3.4e38f); // 3.4e38 + 273 still fits a float
    float pressure = 1e35f;
    EXPECT_EQ(ToPascal(pressure, "Mpa"), 0.0f);
    EXPECT_TRUE(std::isinf(pressure));
}

} // namespace
} // namespace calvex::services
