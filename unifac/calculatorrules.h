#pragma once
// What the UNIFAC calculator window decides, away from its widgets: the checks of its Calculate
// button, the key filters of its boxes and the text it copies to the clipboard.

#include "unifac/activitycoefficients.h"

#include <string>
#include <string_view>
#include <vector>

namespace calvex::unifac {

// Multi-line messages of the UNIFAC windows end each line with a line feed and a carriage return.
inline constexpr const char* lineEnd = "\n\r";
inline const std::string temperatureMessage =
    std::string("Error in temperature input.") + lineEnd + "Temperature must be above" + lineEnd + "abosolute zero.";
inline const std::string componentMessage =
    std::string("Error in component input.") + lineEnd + "Components can not be selected" + lineEnd + "more then once";
inline const std::string fractionMessage =
    std::string("Error in mole fraction input.") + lineEnd + "A mole fraction must be a finite number.";
inline constexpr const char* errorTitle = "Error";

struct CalculateOutcome {
    enum class Stop {
        Calculated, // the captions are written (or, with no row in use, nothing happened)
        Temperature, // not above 0 K: the temperature message, focus to the temperature box
        Duplicate,   // the same component twice: the component message, focus to `row`'s list
        Fraction,    // a fraction that is not a finite number: focus to `row`'s box
    };
    Stop stop = Stop::Calculated;
    int row = -1;
};

// The rows whose list is not on "<< empty >>", ascending.
std::vector<int> rowsInUse(const UnifacSheet& sheet);
// The later row of the first two rows in use that hold the same component; -1 when none do.
int repeatedRow(const UnifacSheet& sheet);

// A typed temperature, in kelvin, that Calculate takes: above absolute zero and finite (a
// long row of digits reads as infinity).
bool temperatureUsable(double kelvin);

// Calculate in the activity-coefficient mode: a usable temperature, then with one row in
// use "1" as its fraction and coefficient, with two or more no component twice and every
// fraction finite, and then the calculation.
CalculateOutcome calculateActivity(UnifacSheet& sheet, const UnifacComponentList& list = componentList());

// The mole-fraction boxes take digits, Backspace, one "." before any exponent letter, one "e"
// or "E", and "-" right after that letter, so 1.5e-3 can be typed.
bool moleFractionKeyAccepted(std::string_view text, char key);
// The temperature box takes digits, Backspace, one ".", and "-" into the empty box with the
// units °C and °F.
bool temperatureKeyAccepted(std::string_view text, char key, int unitIndex);

// One line per row in use: the stored 20-character name, the fraction text and the caption,
// tab-separated, each line ended by a line feed and a carriage return.
std::string clipboardText(const UnifacSheet& sheet, const UnifacComponentList& list = componentList());

} // namespace calvex::unifac
