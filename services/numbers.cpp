#include "services/numbers.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <new>

namespace calvex::services {
namespace {

// strtod as it reads in the C locale, whatever locale the process runs in: Qt adopts the
// desktop's language for the C library at start, and under a decimal comma the plain strtod
// would stop at every typed point.
double cLocaleStrtod(const char* text, char** end)
{
    static const locale_t cLocale = [] {
        const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
        if (!c)
            throw std::bad_alloc(); // the C locale is always there: only memory can be missing
        return c;
    }();
    return strtod_l(text, end, cLocale);
}

// The text of printf's %.*G: to_chars with a precision and the general format is specified to
// give that of %.*g, and the upper case makes it %G (E, INF, NAN). Exact for every value, but
// its arbitrary-precision digit generation is slow; the integer digits below take nearly all values.
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

using Wide = unsigned __int128;

// base^0 .. base^Last, each exact in `Number`.
template <class Number, int Last>
struct Powers {
    Number values[Last + 1];
    constexpr Powers(unsigned base) : values{}
    {
        Number power = 1;
        for (int i = 0; i <= Last; ++i, power *= base)
            values[i] = power;
    }
};

// 5^55 and 10^38 are the last powers below 2^128.
constexpr int lastPowerOfFive = 55;
constexpr int lastPowerOfTen = 38;
constexpr Powers<Wide, lastPowerOfFive> powersOfFive(5);
constexpr Powers<Wide, lastPowerOfTen> powersOfTen(10);

// "00" .. "99": two digits per division halves the divisions of a digit string.
constexpr char digitPairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                              "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                              "8081828384858687888990919293949596979899";

// The digits of a number with leading zeros, in 32-bit arithmetic below eight digits, where a
// division by a constant is one short multiplication.
inline void writeFourDigits(char* out, std::uint32_t number)
{
    const std::uint32_t high = number / 100;
    std::memcpy(out, digitPairs + 2 * high, 2);
    std::memcpy(out + 2, digitPairs + 2 * (number - 100 * high), 2);
}

inline void writeEightDigits(char* out, std::uint32_t number)
{
    const std::uint32_t high = number / 10000;
    writeFourDigits(out, high);
    writeFourDigits(out + 4, number - 10000 * high);
}

// `number` below 10^16.
inline void writeSixteenDigits(char* out, std::uint64_t number)
{
    const std::uint64_t high = number / 100000000;
    writeEightDigits(out, static_cast<std::uint32_t>(high));
    writeEightDigits(out + 8, static_cast<std::uint32_t>(number - 100000000 * high));
}

// Where the part of a scaled value below its whole number lies against one half.
struct Remainder {
    bool aboveHalf;
    bool atHalf;
    bool nonzero;
};

// The first `digits` significant digits of a finite positive value, rounded half to even as
// printf rounds: `significand` holds exactly `digits` digits and `exponent` is the power of
// ten of the first. All in integers, so exact: the value m·2^e times 10^s is m·5^s·2^(e+s), a
// product of at most 53 + 128 bits shifted, or for a large value (s < 0) one integer division.
// False where the value lies outside the range of those integers (below about 1E-41 with 15
// digits, from 2^128 up); the exact routine takes those.
template <int Digits>
bool decimalDigits(double magnitude, std::uint64_t& significand, int& exponent)
{
    constexpr int digits = Digits;
    std::uint64_t bits;
    std::memcpy(&bits, &magnitude, sizeof bits);
    const int biased = static_cast<int>(bits >> 52);
    std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
    int e = -1074;
    if (biased != 0) {
        m |= std::uint64_t{1} << 52;
        e = biased - 1075;
    }
    // floor(log2 value), then floor(log10 value) or one less: (b·78913) >> 18 is floor(b·log10 2)
    // for every binary exponent b of a double.
    const int binary = e + 63 - __builtin_clzll(m);
    int decimal = (binary * 78913) >> 18;
    const int shift = digits - 1 - decimal;
    std::uint64_t whole;
    Remainder rest{};
    if (shift >= 0) {
        if (shift > lastPowerOfFive)
            return false;
        const Wide five = powersOfFive.values[shift];
        // The product m·5^s as `high`·2^64 + `low`.
        const Wide lowProduct = Wide(m) * static_cast<std::uint64_t>(five);
        const Wide high = Wide(m) * static_cast<std::uint64_t>(five >> 64) + (lowProduct >> 64);
        const auto low = static_cast<std::uint64_t>(lowProduct);
        const int binaryShift = e + shift;
        if (binaryShift >= 0) {
            // A whole number already: at most 10^(digits+1), so in `low`.
            if (high != 0 || binaryShift >= 64 || (low >> (63 - binaryShift)) != 0)
                return false;
            whole = low << binaryShift;
        } else {
            const int r = -binaryShift; // bits below the point
            if (r > 64) {
                const int h = r - 64;
                const Wide upper = high >> h;
                if (upper >> 64)
                    return false;
                whole = static_cast<std::uint64_t>(upper);
                const Wide below = high & ((Wide(1) << h) - 1);
                const Wide half = Wide(1) << (h - 1);
                rest.aboveHalf = below > half || (below == half && low != 0);
                rest.atHalf = below == half && low == 0;
                rest.nonzero = below != 0 || low != 0;
            } else {
                // r <= 64: the whole number takes `high` shifted up and the top of `low`.
                const auto top = static_cast<std::uint64_t>(high);
                if ((high >> 64) != 0 || (r < 64 && (top >> r) != 0))
                    return false;
                whole = r == 64 ? top : (top << (64 - r)) | (low >> r);
                const std::uint64_t below = r == 64 ? low : low & ((std::uint64_t{1} << r) - 1);
                const std::uint64_t half = std::uint64_t{1} << (r - 1);
                rest.aboveHalf = below > half;
                rest.atHalf = below == half;
                rest.nonzero = below != 0;
            }
        }
    } else {
        // value / 10^t with t = -s: the value is a whole number m·2^e, or m over 2^-e.
        const int t = -shift;
        if (t > lastPowerOfTen || binary > 127)
            return false;
        if (e < 0) { // a single's significand in a double's ends in zeros: drop them first
            const int zeros = std::min(__builtin_ctzll(m), -e);
            m >>= zeros;
            e += zeros;
        }
        Wide numerator = m;
        Wide divisor = powersOfTen.values[t];
        if (e >= 0)
            numerator <<= e;
        else if (-e > 20) // only a double below 2^53 has bits below the point here, and t <= 2
            return false;
        else
            divisor <<= -e;
        Wide quotient, remainder;
        if ((numerator >> 64) == 0 && (divisor >> 64) == 0) {
            const auto n = static_cast<std::uint64_t>(numerator);
            const auto d = static_cast<std::uint64_t>(divisor);
            quotient = n / d;
            remainder = n % d;
        } else {
            quotient = numerator / divisor;
            remainder = numerator % divisor;
        }
        if (quotient >> 64)
            return false;
        whole = static_cast<std::uint64_t>(quotient);
        const Wide twice = remainder << 1;
        rest.aboveHalf = twice > divisor;
        rest.atHalf = twice == divisor;
        rest.nonzero = remainder != 0;
    }
    const auto lower = static_cast<std::uint64_t>(powersOfTen.values[digits - 1]);
    const auto upper = static_cast<std::uint64_t>(powersOfTen.values[digits]);
    bool roundUp;
    if (whole >= upper) {
        // The estimate was one low: one digit more moves into the part that is rounded off.
        if (whole >= upper * 10)
            return false;
        const unsigned dropped = static_cast<unsigned>(whole % 10);
        whole /= 10;
        ++decimal;
        roundUp = dropped > 5 || (dropped == 5 && (rest.nonzero || (whole & 1)));
    } else {
        if (whole < lower)
            return false;
        roundUp = rest.aboveHalf || (rest.atHalf && (whole & 1));
    }
    if (roundUp && ++whole == upper) { // a run of nines rounded up to the next power of ten
        whole = lower;
        ++decimal;
    }
    significand = whole;
    exponent = decimal;
    return true;
}

// Writes `text` with one copy of a short buffer: cheaper than assign, which allows for overlap.
// A cell keeps about its length from one iteration to the next, so the resize rarely grows it.
inline void store(std::string& text, const char* first, const char* last)
{
    const auto size = static_cast<std::size_t>(last - first);
    text.resize(size);
    std::memcpy(text.data(), first, size);
}

// printf's %.*G text of a finite nonzero value from its digits. The copies move a fixed 16
// bytes (the buffers leave room) and the length is counted apart, which keeps them inline.
template <int Digits>
bool fastGText(double value, std::string& text)
{
    std::uint64_t significand;
    int exponent;
    if (!decimalDigits<Digits>(std::fabs(value), significand, exponent))
        return false;
    // The digits one place into the buffer: a leading zero fills the place.
    static_assert(Digits == 7 || Digits == 15);
    char buffer[32] = {};
    if constexpr (Digits == 7)
        writeEightDigits(buffer, static_cast<std::uint32_t>(significand));
    else
        writeSixteenDigits(buffer, significand);
    const char* const figures = buffer + 1;
    int used = Digits;
    while (used > 1 && figures[used - 1] == '0')
        --used;
    char out[48];
    char* n = out;
    if (value < 0)
        *n++ = '-';
    if (exponent < -4 || exponent >= Digits) {
        *n = figures[0];
        n[1] = '.';
        std::memcpy(n + 2, figures + 1, 16);
        n += used > 1 ? used + 1 : 1;
        *n++ = 'E';
        *n++ = exponent < 0 ? '-' : '+';
        const int size = exponent < 0 ? -exponent : exponent;
        if (size >= 100)
            *n++ = static_cast<char>('0' + size / 100);
        std::memcpy(n, digitPairs + 2 * (size % 100), 2);
        n += 2;
    } else if (exponent >= 0) {
        std::memcpy(n, figures, 16);
        n += exponent + 1;
        if (used > exponent + 1) {
            *n = '.';
            std::memcpy(n + 1, figures + exponent + 1, 16);
            n += used - exponent;
        }
    } else {
        std::memcpy(n, "0.000", 5);
        n += 1 - exponent;
        std::memcpy(n, figures, 16);
        n += used;
    }
    store(text, out, n);
    return true;
}

} // namespace

void assignSingleText(std::string& text, float value)
{
    if (value == 0.0f)
        text = "0"; // also for -0
    else if (!std::isfinite(value) || !fastGText<7>(value, text))
        text = exactGText(value, 7);
}

void assignDoubleText(std::string& text, double value)
{
    if (value == 0.0)
        text = "0";
    else if (!std::isfinite(value) || !fastGText<15>(value, text))
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
constexpr Powers<double, 22> exactPowers(10);

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
    const auto magnitude = static_cast<std::uint64_t>(std::fabs(whole));
    // At least one digit before the point; below 2^52 a whole number has at most 16 digits.
    int count = decimals + 1;
    while (count < 16 && magnitude >= static_cast<std::uint64_t>(powersOfTen.values[count]))
        ++count;
    // Fixed-size copies as in the G text: at most 16 digits before the point and 22 after it;
    // zeros lead the 16 digits written for the decimals beyond them.
    char buffer[48] = {};
    std::memset(buffer, '0', 8);
    writeSixteenDigits(buffer + 8, magnitude);
    const char* const figures = buffer + 24 - count;
    const int point = count - decimals;
    int used = count;
    while (used > point && figures[used - 1] == '0')
        --used;
    char out[64];
    char* n = out;
    if (whole < 0)
        *n++ = '-';
    std::memcpy(n, figures, 16);
    n += point;
    if (used > point) {
        *n = '.';
        std::memcpy(n + 1, figures + point, 24);
        n += 1 + used - point;
    }
    store(text, out, n);
    return true;
}

// nearbyint for |value| < 2^52 in the default rounding mode, without the library call: adding
// 2^52 leaves no bits below the point, so the sum itself is rounded to nearest, ties to even
// (2^52 is even). Larger values are whole already.
inline double nearestWhole(double value)
{
    constexpr double twoToThe52 = 4503599627370496.0;
    const double magnitude = std::fabs(value);
    if (!(magnitude < twoToThe52))
        return value;
    return std::copysign((magnitude + twoToThe52) - twoToThe52, value);
}

} // namespace

void assignRoundedText(std::string& text, double value, int decimals)
{
    // The whole number roundHalfEven divides by the scale gives the text directly.
    if (decimals >= 0 && decimals <= 22
        && wholeScaledText(nearestWhole(value * exactPowers.values[decimals]), decimals, text))
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
    return cLocaleStrtod(number.c_str(), nullptr);
}

std::optional<short> wholeNumber(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::nullopt;
    const std::string trimmed(text.substr(first, text.find_last_not_of(" \t") - first + 1));
    char* end = nullptr;
    const double number = cLocaleStrtod(trimmed.c_str(), &end);
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
    return cLocaleStrtod(number.c_str(), nullptr);
}

bool holdsNumber(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

} // namespace calvex::services
