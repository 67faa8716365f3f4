#include "services/numbers.h"

#include <cctype>
#include <charconv>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace calvex::services {
namespace {

// The text of printf's %.*G: to_chars with a precision and the general format is specified to
// give that of %.*g, and the upper case makes it %G (E, INF, NAN). Exact for every value, but
// its arbitrary-precision digit generation is slow; the fast path below takes nearly all values.
std::string exactGText(double value, int digits)
{
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    std::string text(buffer, written.ptr);
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// 10^0 .. 10^27 are exact in the 64-bit significand of a long double (5^27 < 2^64).
template <class Wide>
constexpr Wide exactPowerOfTen(int exponent)
{
    Wide power = 1;
    for (int i = 0; i < exponent; ++i)
        power *= 10;
    return power;
}

template <class Wide, int Last>
struct PowersOfTen {
    Wide values[Last + 1];
    constexpr PowersOfTen() : values{}
    {
        for (int i = 0; i <= Last; ++i)
            values[i] = exactPowerOfTen<Wide>(i);
    }
};

// The %.*G text of a finite nonzero value from one correctly rounded product (or quotient) by an
// exact power of ten in a type `Wide` with at least 11 bits more than the digits need: the
// scaled value then lies within a small fraction of a unit of its exact value, so rounding it
// to the nearest whole number gives printf's digits unless it lies near a half, where the
// exact routine decides (an exact tie, rounded to even, lands there too). Empty there and
// where the power needed is not exact.
template <class Wide, int LastExactPower>
bool fastGText(double value, int digits, std::string& text)
{
    static constexpr PowersOfTen<Wide, LastExactPower> powers;
    const double magnitude = std::fabs(value);
    // floor(log10 |value|) or one less.
    int exponent = static_cast<int>(std::floor(std::ilogb(magnitude) * 0.30102999566398120));
    const Wide lower = powers.values[digits - 1];
    const Wide upper = powers.values[digits];
    Wide scaled = 0;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int shift = digits - 1 - exponent;
        if (shift > LastExactPower || -shift > LastExactPower)
            return false;
        scaled = shift >= 0 ? Wide(magnitude) * powers.values[shift] : Wide(magnitude) / powers.values[-shift];
        if (scaled < upper)
            break;
        ++exponent;
    }
    if (!(scaled < upper))
        return false;
    Wide whole = std::floor(scaled);
    const Wide fraction = scaled - whole;
    if (std::fabs(fraction - Wide(0.5)) < Wide(1e-3))
        return false;
    if (fraction > Wide(0.5))
        whole += 1;
    if (whole < lower) // the exponent's estimate is never too high; left to the exact routine all the same
        return false;
    if (whole >= upper) { // a run of nines rounded up to the next power of ten
        whole = lower;
        ++exponent;
    }
    char significand[24];
    auto number = static_cast<unsigned long long>(whole);
    for (int i = digits - 1; i >= 0; --i) {
        significand[i] = static_cast<char>('0' + number % 10);
        number /= 10;
    }
    int used = digits;
    while (used > 1 && significand[used - 1] == '0')
        --used;
    char out[48];
    int n = 0;
    if (value < 0)
        out[n++] = '-';
    if (exponent < -4 || exponent >= digits) {
        out[n++] = significand[0];
        if (used > 1) {
            out[n++] = '.';
            for (int i = 1; i < used; ++i)
                out[n++] = significand[i];
        }
        out[n++] = 'E';
        out[n++] = exponent < 0 ? '-' : '+';
        const int size = exponent < 0 ? -exponent : exponent;
        if (size >= 100)
            out[n++] = static_cast<char>('0' + size / 100);
        out[n++] = static_cast<char>('0' + size / 10 % 10);
        out[n++] = static_cast<char>('0' + size % 10);
    } else if (exponent >= 0) {
        for (int i = 0; i <= exponent; ++i)
            out[n++] = significand[i];
        if (used > exponent + 1) {
            out[n++] = '.';
            for (int i = exponent + 1; i < used; ++i)
                out[n++] = significand[i];
        }
    } else {
        out[n++] = '0';
        out[n++] = '.';
        for (int i = 0; i < -exponent - 1; ++i)
            out[n++] = '0';
        for (int i = 0; i < used; ++i)
            out[n++] = significand[i];
    }
    text.assign(out, static_cast<std::size_t>(n));
    return true;
}

} // namespace

// A float needs 24 bits for its digits and 7 decimal digits need 24 more: a double's 53 leave
// room. A double's 15 digits need 50 bits: the 64 of a long double leave room.
void assignSingleText(std::string& text, float value)
{
    if (value == 0.0f)
        text = "0"; // also for -0
    else if (!std::isfinite(value) || !fastGText<double, 22>(value, 7, text))
        text = exactGText(value, 7);
}

void assignDoubleText(std::string& text, double value)
{
    if (value == 0.0)
        text = "0";
    else if (!std::isfinite(value) || !fastGText<long double, 27>(value, 15, text))
        text = exactGText(value, 15);
}

std::string singleText(float value)
{
    std::string text;
    assignSingleText(text, value);
    return text;
}

std::string doubleText(double value)
{
    std::string text;
    assignDoubleText(text, value);
    return text;
}

// 10^0 .. 10^22 are exact doubles, which pow gives too; the table spares its cost.
constexpr PowersOfTen<double, 22> exactPowers;

double roundHalfEven(double value, int decimals)
{
    if (!std::isfinite(value))
        return value;
    const double scale = decimals >= 0 && decimals <= 22 ? exactPowers.values[decimals] : std::pow(10.0, decimals);
    const double scaled = value * scale;
    if (!std::isfinite(scaled))
        return value;
    return std::nearbyint(scaled) / scale; // the default rounding mode is to nearest, ties to even
}

namespace {

// The text of a rounded value N / 10^decimals from the whole number N itself. The double nearest
// N / 10^decimals lies within half a unit of its last place of it, which for |N| < 2^52 is less
// than half of 10^-decimals: printf's %.*f of it then gives N's digits.
bool wholeScaledText(double whole, int decimals, std::string& text)
{
    if (decimals < 0 || decimals > 22 || !(std::fabs(whole) < 4503599627370496.0))
        return false;
    if (whole == 0.0) {
        text = "0";
        return true;
    }
    char digits[40];
    int n = 0;
    auto magnitude = static_cast<unsigned long long>(std::fabs(whole));
    while (magnitude != 0 || n <= decimals) {
        digits[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    }
    // digits holds the number backwards, at least one digit before the point.
    int first = 0;
    while (first < decimals && digits[first] == '0')
        ++first;
    char out[48];
    int m = 0;
    if (whole < 0)
        out[m++] = '-';
    for (int i = n - 1; i >= decimals; --i)
        out[m++] = digits[i];
    if (first < decimals) {
        out[m++] = '.';
        for (int i = decimals - 1; i >= first; --i)
            out[m++] = digits[i];
    }
    text.assign(out, static_cast<std::size_t>(m));
    return true;
}

} // namespace

void assignRoundedText(std::string& text, double value, int decimals)
{
    // The whole number roundHalfEven divides by the scale gives the text directly.
    if (decimals >= 0 && decimals <= 22 && wholeScaledText(std::nearbyint(value * exactPowers.values[decimals]), decimals, text))
        return;
    const double rounded = roundHalfEven(value, decimals);
    if (!std::isfinite(rounded)) {
        assignDoubleText(text, rounded);
        return;
    }
    // to_chars in the fixed format with a precision gives the text of printf's %.*f. A double
    // has at most 309 digits before the point; the usual few decimals fit on the stack.
    const int places = decimals < 0 ? 0 : decimals;
    constexpr int stackPlaces = 60;
    char buffer[320 + stackPlaces];
    std::string wide;
    char* first = buffer;
    char* last = buffer + sizeof buffer;
    if (places > stackPlaces) {
        wide.resize(320 + static_cast<std::size_t>(places));
        first = wide.data();
        last = first + wide.size();
    }
    const auto written = std::to_chars(first, last, rounded, std::chars_format::fixed, places);
    text.assign(first, written.ptr);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
    }
    if (text == "-0")
        text = "0";
}

std::string roundedText(double value, int decimals)
{
    std::string text;
    assignRoundedText(text, value, decimals);
    return text;
}

double val(std::string_view text)
{
    std::string compact;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            compact.push_back(c);

    std::string number;
    std::size_t i = 0;
    if (i < compact.size() && (compact[i] == '+' || compact[i] == '-'))
        number.push_back(compact[i++]);
    bool digits = false;
    bool point = false;
    for (; i < compact.size(); ++i) {
        const char c = compact[i];
        if (c >= '0' && c <= '9') {
            number.push_back(c);
            digits = true;
        } else if (c == '.' && !point) {
            number.push_back(c);
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0.0;
    if (i < compact.size() && (compact[i] == 'E' || compact[i] == 'e' || compact[i] == 'D' || compact[i] == 'd')) {
        std::string exponent = "e";
        std::size_t j = i + 1;
        if (j < compact.size() && (compact[j] == '+' || compact[j] == '-'))
            exponent.push_back(compact[j++]);
        bool exponentDigits = false;
        for (; j < compact.size() && compact[j] >= '0' && compact[j] <= '9'; ++j) {
            exponent.push_back(compact[j]);
            exponentDigits = true;
        }
        if (exponentDigits)
            number += exponent;
    }
    return std::strtod(number.c_str(), nullptr);
}

std::optional<short> wholeNumber(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::nullopt;
    const std::string trimmed(text.substr(first, text.find_last_not_of(" \t") - first + 1));
    char* end = nullptr;
    const double number = std::strtod(trimmed.c_str(), &end);
    if (end != trimmed.c_str() + trimmed.size() || !std::isfinite(number))
        return std::nullopt;
    // nearbyint rounds halves to even in the default rounding mode.
    const double whole = std::nearbyint(number);
    if (whole < -32768.0 || whole > 32767.0)
        return std::nullopt;
    return static_cast<short>(whole);
}

long freeSpaceOrigin(double outerTwips, double innerTwips, int divisor)
{
    // lrint rounds halves to even in the default rounding mode.
    const long difference = std::lrint(outerTwips - innerTwips);
    return divisor == 0 ? 0 : difference / divisor;
}

double pixelsFromTwips(double twips, double dotsPerInch) { return twips * dotsPerInch / twipsPerInch; }

double twipsFromPixels(double pixels, double dotsPerInch) { return pixels * twipsPerInch / dotsPerInch; }

std::optional<double> strictNumber(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] == ' ')
        ++begin;
    while (end > begin && text[end - 1] == ' ')
        --end;
    std::string number(text.substr(begin, end - begin));
    std::size_t i = 0;
    if (i < number.size() && (number[i] == '+' || number[i] == '-'))
        ++i;
    bool digits = false;
    bool point = false;
    for (; i < number.size(); ++i) {
        const char c = number[i];
        if (std::isdigit(static_cast<unsigned char>(c)))
            digits = true;
        else if (c == '.' && !point)
            point = true;
        else
            break;
    }
    if (!digits)
        return std::nullopt;
    if (i < number.size() && (number[i] == 'E' || number[i] == 'e' || number[i] == 'D' || number[i] == 'd')) {
        number[i] = 'e';
        std::size_t j = i + 1;
        if (j < number.size() && (number[j] == '+' || number[j] == '-'))
            ++j;
        const std::size_t exponentStart = j;
        while (j < number.size() && std::isdigit(static_cast<unsigned char>(number[j])))
            ++j;
        if (j == exponentStart)
            return std::nullopt;
        i = j;
    }
    if (i != number.size())
        return std::nullopt;
    return std::strtod(number.c_str(), nullptr);
}


} // namespace calvex::services
