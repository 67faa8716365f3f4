#include "services/numbers.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace calvex::services {
namespace {

TEST(Numbers, SingleTextUsesSevenSignificantDigitsAndTheExponentForm)
{
    const struct {
        float value;
        const char* text;
    } rows[] = {
        {0.9978f, "0.9978"},      {0.5f, "0.5"},           {-0.5f, "-0.5"},
        {1.0f / 3.0f, "0.3333333"}, {1234567.0f, "1234567"}, {12345678.0f, "1.234568E+07"},
        {0.0001f, "0.0001"},      {0.00001f, "1E-05"},     {1.5e-5f, "1.5E-05"},
        {0.0f, "0"},              {-0.0f, "0"},            {100000.0f, "100000"},
        {8.314f, "8.314"},        {4.599e6f, "4599000"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(singleText(row.value), row.text) << row.value;
}

TEST(Numbers, DoubleTextUsesFifteenSignificantDigits)
{
    EXPECT_EQ(doubleText(0.1), "0.1");
    EXPECT_EQ(doubleText(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(doubleText(1e-5), "1E-05");
    EXPECT_EQ(doubleText(123456789012345.0), "123456789012345");
    EXPECT_EQ(doubleText(1234567890123456.0), "1.23456789012346E+15");
    // Exact halves at the last digit round to even, as printf's do.
    EXPECT_EQ(doubleText(123456789012345.5), "123456789012346");
    EXPECT_EQ(doubleText(123456789012344.5), "123456789012344");
    EXPECT_EQ(singleText(12345675.0f), "1.234568E+07");
    EXPECT_EQ(singleText(12345665.0f), "1.234566E+07");
}

TEST(Numbers, RoundingScalesAreThoseOfPow)
{
    // The scales come from a table of exact powers of ten; pow gives the same doubles.
    for (int decimals = -3; decimals <= 25; ++decimals)
        for (double value : {0.123456789012345678, 2.5e-7, 1234.5678901, -98.7654321e3}) {
            const double scale = std::pow(10.0, decimals);
            EXPECT_EQ(roundHalfEven(value, decimals), std::nearbyint(value * scale) / scale) << value << " " << decimals;
        }
}

TEST(Numbers, TextsAreThoseOfPrintfsGFormatOverAWideSample)
{
    // Against snprintf("%.*G") itself: every float exponent and random mantissas, both signs,
    // the extremes and the non-finite values, at 7 digits (singles) and 15 (doubles).
    const auto printfText = [](double value, int digits) {
        if (value == 0.0)
            return std::string("0");
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.*G", digits, value);
        return std::string(buffer);
    };
    std::mt19937 random(20261209);
    std::vector<float> floats{FLT_MAX, -FLT_MAX, FLT_MIN, FLT_TRUE_MIN, 1e-5f, 1e-4f, 0.1f, 999999.5f, 9999999.0f,
                              1e7f, 123456.75f, std::numeric_limits<float>::infinity(),
                              -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()};
    for (int i = 0; i < 200000; ++i) {
        const std::uint32_t bits = random();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        floats.push_back(value);
    }
    // As many again over the magnitudes reports hold (1E-12 to 1E+12), where the texts come
    // from the scaled fast path rather than the exact digit generation.
    std::uniform_real_distribution<float> decade(-12.0f, 12.0f);
    for (int i = 0; i < 200000; ++i)
        floats.push_back((i % 2 ? -1.0f : 1.0f) * std::pow(10.0f, decade(random)));
    // roundedText's digits against %.*f, with its own rounding and trimming applied to both.
    const auto printfRounded = [](double value, int decimals) {
        const double rounded = roundHalfEven(value, decimals);
        std::vector<char> buffer(400 + decimals);
        std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, rounded);
        std::string text = buffer.data();
        if (text.find('.') != std::string::npos) {
            while (text.back() == '0')
                text.pop_back();
            if (text.back() == '.')
                text.pop_back();
        }
        return text == "-0" ? std::string("0") : text;
    };
    for (float value : floats) {
        ASSERT_EQ(singleText(value), printfText(value, 7)) << std::hexfloat << value;
        const double wide = static_cast<double>(value) * (1.0 + 1e-9);
        ASSERT_EQ(doubleText(wide), printfText(wide, 15)) << std::hexfloat << wide;
        for (int decimals : {0, 1, 2, 4, 70}) {
            if (std::isfinite(value)) {
                ASSERT_EQ(roundedText(value, decimals), printfRounded(value, decimals)) << value << " " << decimals;
            }
        }
    }
}

TEST(Numbers, RoundedTextRoundsHalfToEvenWithoutTrailingZeros)
{
    const struct {
        double value;
        int decimals;
        const char* text;
    } rows[] = {
        {0.98355, 3, "0.984"}, {8.7100, 3, "8.71"},  {2.5, 0, "2"},     {3.5, 0, "4"},
        {0.125, 2, "0.12"},    {0.375, 2, "0.38"},   {2.0, 3, "2"},     {-0.0004, 3, "0"},
        {-1.2345, 2, "-1.23"}, {300.0, 2, "300"},    {2.573, 3, "2.573"}, {149.0084, 2, "149.01"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(roundedText(row.value, row.decimals), row.text) << row.value << " to " << row.decimals;
}

TEST(Numbers, ValReadsTheLeadingNumber)
{
    const struct {
        const char* text;
        double value;
    } rows[] = {
        {"12abc", 12.0}, {"", 0.0},        {"-.5", -0.5},   {"abc", 0.0},     {"1.2.3", 1.2},
        {" 3 00 ", 300.0}, {"1e5", 1e5},   {"2.5E-3x", 2.5e-3}, {"1D2", 100.0}, {"+7", 7.0},
        {"--3", 0.0},    {"-", 0.0},       {".", 0.0},      {"4e", 4.0},      {"0.000", 0.0},
    };
    for (const auto& row : rows)
        EXPECT_DOUBLE_EQ(val(row.text), row.value) << '"' << row.text << '"';
    EXPECT_TRUE(std::isinf(val("1e999")));
}

TEST(Numbers, ToSingleRefusesNaNAndOverflow)
{
    EXPECT_FALSE(toSingle(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(toSingle(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(toSingle(1e39));
    EXPECT_FALSE(toSingle(-1e39));
    ASSERT_TRUE(toSingle(FLT_MAX));
    EXPECT_EQ(*toSingle(0.1), 0.1f);
}

TEST(Numbers, FreeSpaceOriginDividesTheRoundedDifferenceTowardZero)
{
    const struct {
        double outer, inner;
        int divisor;
        long origin;
    } rows[] = {
        {15360, 11190, 2, 2085},
        {1000, 1301, 2, -150}, // -301 halved toward zero
        {1000.5, 1000, 2, 0},  // 0.5 rounds to the even 0
        {1001.5, 1000, 2, 1},  // 1.5 rounds to 2
        {12000, 3000, 3, 3000}, // a box 3000 high on a screen 12000 high sits a third down
        {12000, 3001, 3, 2999},
        {100, 50, 0, 0},       // no divisor: no division
    };
    for (const auto& row : rows)
        EXPECT_EQ(freeSpaceOrigin(row.outer, row.inner, row.divisor), row.origin)
            << row.outer << " " << row.inner << " / " << row.divisor;
    EXPECT_DOUBLE_EQ(pixelsFromTwips(1440, 96), 96.0);
    EXPECT_DOUBLE_EQ(twipsFromPixels(96, 96), 1440.0);
}

} // namespace
} // namespace calvex::services
