#pragma once
// Number helpers every subsystem uses: the texts the program writes for its values, rounding
// for report cells, the leading-number parse of typed text, 32-bit stores, and the twips
// arithmetic of window placement. Every text read or written here has a period as its decimal
// separator, whatever the desktop's language.

#include <cfloat>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

namespace calvex::services {

// The plain decimal text of a 32-bit value: up to 7 significant digits, no trailing zeros,
// and the exponent form "1.5E-05" / "1.234568E+07" where a value needs more than 7 digits
// before the point or starts below 1E-04: the %G rule with 7 digits, in which the program's
// files and pages write every single-precision number.
std::string singleText(float value);

// The same for a double, with up to 15 significant digits.
std::string doubleText(double value);

// `value` rounded half to even to `decimals` places.
double roundHalfEven(double value, int decimals);

// `value` rounded half to even to `decimals` places and written without trailing zeros
// ("0.984", "8.71", "3").
std::string roundedText(double value, int decimals);

// The same three texts written into `text`, reusing its storage: a report cell rewritten on
// every iteration then allocates nothing.
void assignSingleText(std::string& text, float value);
void assignDoubleText(std::string& text, double value);
void assignRoundedText(std::string& text, double value, int decimals);

// The leading-number parse of typed text: blanks, tabs and line feeds are skipped anywhere,
// then an optional sign, digits with at most one decimal point and an optional exponent
// (E or D) are read; anything after that is ignored. "12abc" gives 12, "" gives 0,
// "-.5" gives -0.5, "1.2.3" gives 1.2. A number too large for a double gives ±infinity.
double val(std::string_view text);

// The whole-number reading of a count or option text: the whole text, blanks around it
// allowed, must be a number; a fraction goes to the nearest whole number, a half to the even
// one. Empty when the text is not a number or the result lies outside -32768..32767.
std::optional<short> wholeNumber(std::string_view text);

// `value` stored into a 32-bit float: empty when it is NaN or too large (the store would
// overflow), otherwise the nearest float. Inline: every stored value of the calculations passes here.
inline std::optional<float> toSingle(double value)
{
    if (std::isnan(value) || std::fabs(value) > FLT_MAX)
        return std::nullopt;
    return static_cast<float>(value);
}

// A whole text read as a number: optional blanks around a sign, digits with at most one point
// and an optional exponent (E or D), and nothing else; empty for anything else, "" included.
std::optional<double> strictNumber(std::string_view text);

// Whether a box holds a digit. A box left empty, or holding only a sign or a point, gives no
// value whatever its unit: "0" in celsius is a temperature, nothing typed is none.
bool holdsNumber(std::string_view text);

// Where a window of `innerTwips` starts in `outerTwips` when it sits 1/`divisor` of the free
// space from the start: the difference made a whole number (to nearest, halves to even), then
// divided with truncation toward zero. A divisor of 2 centres it; 0 gives 0.
long freeSpaceOrigin(double outerTwips, double innerTwips, int divisor);

constexpr double twipsPerInch = 1440.0;

// Twips to device pixels at `dotsPerInch`.
double pixelsFromTwips(double twips, double dotsPerInch);
double twipsFromPixels(double pixels, double dotsPerInch);

} // namespace calvex::services
