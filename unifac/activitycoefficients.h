#pragma once
// UNIFAC activity coefficients of up to six components, worked on the rows of the UNIFAC
// window as texts: the window and the T-x-y and P-x-y runs fill the same sheet, and the runs
// read the coefficients back from the captions, so the caption format fixes their precision.

#include "unifac/componentlist.h"
#include "unifac/grouplist.h"

#include <array>
#include <string>
#include <vector>

namespace calvex::unifac {

constexpr int rowCount = 6;
// The coefficient of a component the calculation could not compute.
constexpr double failedGamma = 1e100;

enum TemperatureUnitIndex { Kelvin = 0, Celsius = 1, Fahrenheit = 2, Rankine = 3 };

struct UnifacRow {
    int component = 0;        // list index: 0 "<< empty >>", k the component at position k
    std::string moleFraction; // as typed; rewritten by the normalisation and the lower bound
    std::string actCoeff;     // the caption of the coefficient
};

struct UnifacSheet {
    std::string temperature;
    int unitIndex = Kelvin;
    std::array<UnifacRow, rowCount> rows;
};

// The temperature in kelvin from a typed value and a unit index (any other index: kelvin).
double temperatureInKelvin(double value, int unitIndex);

// Normalises the fractions of the selected rows, reads the temperature and the group lists of
// the selected rows' components, and writes each selected row's coefficient caption. With no
// row selected nothing changes. Every arithmetic failure, an underflow to 0 included, gives a
// coefficient of 1e100, for one component or for all.
void CalcActivityCoefficients(UnifacSheet& sheet, const UnifacComponentList& list = componentList());

// The same up to the coefficients themselves: γ of the j-th selected row at position j (from 1),
// empty with no row selected. The fractions are normalised in the sheet; no caption changes.
std::vector<double> unifacGammas(UnifacSheet& sheet, const UnifacComponentList& list = componentList());

// Rewrites the fractions of the selected rows so that they sum to 1 (each 1/n when all are 0);
// a sum of exactly 1 leaves them as typed.
void NormaliseMoleFractions(UnifacSheet& sheet);

// The group counts of the calculation: row k (from 1) holds subgroup nu[k][0] (ascending) and its
// count in component j at nu[k][j]; row 0 and column 0 of x and gamma are not used.
using GroupCounts = std::vector<std::vector<short>>;

// UNIFAC with coordination number 10. x(j) not above 0 is replaced by 1e-120 in place.
void UnifacGamma(const GroupCounts& nu, std::vector<double>& x, double T, std::vector<double>& gamma);

// "0.000E-00#": 2.500E-01, 1.000E-100.
std::string fractionText(double value);
// "   0.0000E-00#": three blanks, then 3.0293E00, 1.2300E-04, 1.0000E100.
std::string coefficientCaption(double value);

} // namespace calvex::unifac
