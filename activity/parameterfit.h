#pragma once
// The Margules and Van Laar parameter fit of the data-point window: measured points (T, x1,
// y1, P) of a binary give the activity coefficients by modified Raoult's law,
// γ1 = y1 P/(x1 P1sat) and γ2 = y2 P/(x2 P2sat), with each saturation pressure from the
// equation of state chosen in the parameter window. The excess Gibbs energy of each point,
// g = x1 ln γ1 + x2 ln γ2, becomes φ = g/(x1 x2) (Margules) or x1 x2/g (Van Laar), which the
// model makes a straight line φ = b + m x1; the least-squares line through the points gives
// a12 = b, a21 = b + m, or A = 1/b, B = 1/(b + m). The constants are shown in a message box.

#include "activity/binarycomponents.h"
#include "pure/purecalculator.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace calvex::activity {

inline constexpr int maxDataPoints = 16;

// The number of data points in the parameter window's count text: a whole number 2..16, read
// as a leading number; empty for any other text.
std::optional<int> dataPointCount(const std::string& text);

// One row of the data-point window as typed.
struct DataRowTexts {
    std::string T, x1, y1, P;
};

// What the calculation reads from the two windows when Calculate is pressed.
struct FitForm {
    std::array<ComponentChoice, 2> components; // the parameter window's lists and Data boxes
    std::string pointCount;                    // Combo3
    std::string equation;                      // Text1_optionno: 2 PR, 3 RK, 4 SRK
    std::string model;                         // Text2_optionno: 1 Van Laar, 2 Margules
    std::array<DataRowTexts, maxDataPoints> rows;
    std::string Tunit, Punit;
};

enum class FitModel { VanLaar = 1, Margules = 2 };

// One measured point, T in K and P in Pa.
struct DataPoint {
    float T = 0, x1 = 0, y1 = 0, P = 0;
};

// The least-squares line's two constants: a12 and a21, or A and B; empty when the points do
// not determine them (g = 0 in Van Laar, all x1 equal, b = 0 or b + m = 0 in Van Laar).
struct FittedConstants {
    float first = 0, second = 0;
};
std::optional<FittedConstants> fitConstants(FitModel model, const std::vector<float>& x1,
                                            const std::vector<float>& gamma1, const std::vector<float>& gamma2);

// The message that shows the constants.
std::string constantsMessage(FitModel model, const FittedConstants& constants);

// How a calculation ended, for the window to act on.
enum class FitEnd {
    Shown,          // the constants were shown
    Ended,          // refused with its message, or a model code that shows nothing
    ShowParameters, // equal names: the parameter window is shown again
    ShowData,       // a row was refused: the data-point window is shown again
};

// Datapoints' Calculate.
FitEnd calculateFit(pure::PureWindowServices& services, const FitForm& form);

} // namespace calvex::activity
