#pragma once
// The points behind the golden files in tests/services/golden: each file is what the program
// must write for these values (and what its readers must take back).

#include "services/pointsfile.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace calvex::testing {

inline std::string goldenText(const std::string& name)
{
    std::ifstream in(std::filesystem::path(CALVEX_GOLDEN_DIR) / name, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// The saturation-pressure layout: T = Tc / 20 · i in single precision, Psat in bar as a double
// (a point whose iteration failed is written as 0).
struct SaturationRow {
    float T_K;
    double psat_bar;
};
inline std::vector<SaturationRow> saturationRows()
{
    const float Tc = 369.83f;
    const double psat[20] = {0.0,  3e-5, 0.0001234, 0.00123456789, 0.0123, 0.1,  1.0 / 3, 0.5,  1.0,  2.0,
                             4.25, 8.125, 12.0000001, 17.5, 21.0, 42.1234567890123, 25.0, 33.333, 39.9, 42.48};
    std::vector<SaturationRow> rows;
    for (int i = 1; i <= 20; ++i)
        rows.push_back({Tc / 20 * i, psat[i - 1]});
    return rows;
}

// The enthalpy layout over pressure: P = Pc / 20 · i in bar and two 32-bit curves, with values
// that need the exponent form, seven digits, whole numbers and zero.
struct EnthalpyRow {
    float p_bar;
    float H;
    float S;
};
inline std::vector<EnthalpyRow> enthalpyRows()
{
    const float Pc = 42.48e5f;
    const float H[20] = {-30.125f, -25.5f, -20.0f, -12345678.0f, -1e-5f, 0.0f,     1.0f / 3, 2.5f,  7.0f,  10.75f,
                         100.0f,   1234.5f, 99999.99f, 1e7f,    2.5e-5f, -0.000123f, 0.1f,   0.2f,  0.3f,  123456.7f};
    std::vector<EnthalpyRow> rows;
    for (int i = 1; i <= 20; ++i) {
        const float p = Pc / 20 * i;
        rows.push_back({p / 100000, H[i - 1], -80.5f + 2.25f * (i - 1)});
    }
    return rows;
}

inline float testVapourFraction(float x) { return 2.0f * x / (1.0f + x); }

inline std::vector<services::TxyPoint> txyPoints()
{
    std::vector<services::TxyPoint> points;
    for (int k = 0; k <= 20; ++k) {
        const float x = static_cast<float>(k) / 20.0f;
        points.push_back({x, 383.78f - 30.0f * x, testVapourFraction(x)});
    }
    return points;
}

inline std::vector<services::PxyPoint> pxyPoints()
{
    std::vector<services::PxyPoint> points;
    for (int k = 1; k <= 50; ++k) {
        const float x = static_cast<float>(k) / 50.0f;
        points.push_back({x, 40.0 + k / 3.0, testVapourFraction(x)});
    }
    return points;
}

} // namespace calvex::testing
