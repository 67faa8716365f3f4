#include "services/numbers.h"
#include "tests/support/localescope.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
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

// The reference texts: printf's own in the C locale, with the program's zero, and for a rounded text the
// program's rounding, then printf's %.*f with the trailing zeros (and "-0") taken off.
std::string printfG(double value, int digits)
{
    if (value == 0.0)
        return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*G", digits, value);
    return buffer;
}

std::string printfRounded(double value, int decimals)
{
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
}

// Values of a floating type T that reach every branch of the digit generation: uniform bit
// patterns (every exponent, NaN and infinity included), significands with few bits (the exact
// halves that round to even), subnormals, both signs throughout, the neighbours of every power of ten and of every
// 99..95 that rounds up to the next power, the extremes, and the magnitudes the reports hold.
template <class T, class Bits>
std::vector<T> sampleOf(int digits, int count, std::mt19937_64& random)
{
    constexpr int significandBits = std::numeric_limits<T>::digits - 1;
    const auto fromBits = [](Bits bits) {
        T value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    };
    std::vector<T> values;
    for (int i = 0; i < count; ++i)
        values.push_back(fromBits(static_cast<Bits>(random())));
    for (int i = 0; i < count / 2; ++i) {
        const auto cleared = random() % (significandBits + 1);
        const Bits bits = static_cast<Bits>(random()) >> cleared << cleared;
        values.push_back(fromBits(bits));
    }
    constexpr Bits signBit = Bits{1} << (sizeof(Bits) * 8 - 1);
    for (int i = 0; i < count / 8; ++i)
        values.push_back(fromBits(static_cast<Bits>(random()) & (signBit | ((Bits{1} << significandBits) - 1))));
    std::uniform_real_distribution<double> decade(-16.0, 23.0);
    for (int i = 0; i < count / 2; ++i)
        values.push_back(static_cast<T>((i % 2 ? -1.0 : 1.0) * std::pow(10.0, decade(random))));
    const std::size_t drawn = values.size();
    const std::string nines = std::string(digits, '9') + "5e";
    for (int exponent = std::numeric_limits<T>::min_exponent10 - 20; exponent <= std::numeric_limits<T>::max_exponent10;
         ++exponent) {
        for (const std::string& text : {"1e" + std::to_string(exponent), "0." + nines + std::to_string(exponent + 1)}) {
            T value = static_cast<T>(std::strtold(text.c_str(), nullptr));
            for (int step = 0; step < 4; ++step)
                value = std::nextafter(value, T(0));
            for (int step = 0; step < 9; ++step, value = std::nextafter(value, std::numeric_limits<T>::max()))
                values.push_back(value);
        }
    }
    for (T extreme : {std::numeric_limits<T>::max(), std::numeric_limits<T>::min(), std::numeric_limits<T>::denorm_min(),
                      std::numeric_limits<T>::infinity(), std::numeric_limits<T>::quiet_NaN()})
        values.push_back(extreme);
    const std::size_t chosen = values.size();
    for (std::size_t i = drawn; i < chosen; ++i)
        values.push_back(-values[i]);
    return values;
}

// The texts must equal printf's byte for byte: each sample holds over two million values,
// the exponent form and the plain form, rounding ties and runs of nines alike.
TEST(Numbers, TextsAreThoseOfPrintfOverEveryRange)
{
    const testing::LocaleScope printfLocale("C");
    std::mt19937_64 random(20261209);
    for (float value : sampleOf<float, std::uint32_t>(7, 1000000, random))
        ASSERT_EQ(singleText(value), printfG(value, 7)) << std::hexfloat << value;
    for (double value : sampleOf<double, std::uint64_t>(15, 1000000, random))
        ASSERT_EQ(doubleText(value), printfG(value, 15)) << std::hexfloat << value;
}

TEST(Numbers, RoundedTextsAreThoseOfPrintfsFixedFormat)
{
    const testing::LocaleScope printfLocale("C");
    // Magnitudes over the whole range the scaled whole number can take, decimals from none to
    // past the exact powers of ten; dyadic values whose scaled value is an exact half; the
    // whole numbers next to 2^52, where the text leaves the integer path.
    std::mt19937_64 random(20261210);
    std::uniform_real_distribution<double> decade(-25.0, 25.0);
    std::uniform_int_distribution<int> places(0, 25);
    std::vector<std::pair<double, int>> cases;
    for (int i = 0; i < 2000000; ++i)
        cases.emplace_back((i % 2 ? -1.0 : 1.0) * std::pow(10.0, decade(random)), places(random));
    for (int i = 0; i < 500000; ++i)
        cases.emplace_back(std::ldexp(static_cast<double>(random() % 200001) - 100000.0, -static_cast<int>(random() % 12)),
                           static_cast<int>(random() % 4));
    for (int decimals = 0; decimals <= 22; ++decimals)
        for (double offset = -3; offset <= 3; ++offset)
            cases.emplace_back((4503599627370496.0 + offset) / std::pow(10.0, decimals), decimals);
    for (const auto& [value, decimals] : cases)
        ASSERT_EQ(roundedText(value, decimals), printfRounded(value, decimals)) << std::hexfloat << value << " " << decimals;
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

// Every reading and writing of a number gives under a decimal-comma language what it gives under
// C: the point is the separator, a comma ends a number, and the edge cases (a leading "+",
// overflow to infinity, underflow, a cut text) stay as they are.
TEST(Numbers, ReadAndWrittenAlikeUnderADecimalCommaLanguage)
{
    const auto optional = [](auto value) { return value ? doubleText(*value) : std::string("none"); };
    const struct {
        const char* what;
        std::function<std::string()> text;
        const char* underC;
    } rows[] = {
        {"val 0.5", [] { return doubleText(val("0.5")); }, "0.5"},
        {"val 1.01325", [] { return doubleText(val("1.01325")); }, "1.01325"},
        {"val  2.5e-3 ", [] { return doubleText(val(" 2.5e-3 ")); }, "0.0025"},
        {"val 300.9K", [] { return doubleText(val("300.9K")); }, "300.9"},
        {"val +7.25D1", [] { return doubleText(val("+7.25D1")); }, "72.5"},
        {"val 1,5", [] { return doubleText(val("1,5")); }, "1"},
        {"val -1e999", [] { return doubleText(val("-1e999")); }, "-INF"},
        {"val 1e-400", [] { return doubleText(val("1e-400")); }, "0"},
        {"val 5e-324", [] { return doubleText(val("5e-324")); }, "4.94065645841247E-324"},
        {"strictNumber 0.25", [&] { return optional(strictNumber("0.25")); }, "0.25"},
        {"strictNumber +.5E+1 ", [&] { return optional(strictNumber(" +.5E+1 ")); }, "5"},
        {"strictNumber 0,25", [&] { return optional(strictNumber("0,25")); }, "none"},
        {"wholeNumber 3.0", [&] { return optional(wholeNumber("3.0")); }, "3"},
        {"wholeNumber 2.5", [&] { return optional(wholeNumber(" 2.5 ")); }, "2"},
        {"wholeNumber 3,0", [&] { return optional(wholeNumber("3,0")); }, "none"},
        {"singleText", [] { return singleText(300.9f); }, "300.9"},
        {"doubleText", [] { return doubleText(1.5e-5); }, "1.5E-05"},
        {"roundedText", [] { return roundedText(10.2149, 2); }, "10.21"},
    };
    for (const char* locale : {"C", testing::decimalCommaLocale}) {
        testing::LocaleScope scope(locale);
        for (const auto& row : rows)
            EXPECT_EQ(row.text(), row.underC) << row.what << " under " << locale;
    }
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
