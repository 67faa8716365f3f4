#pragma once
// A program folder for the binary-window tests: the rows of components.csv the tests use, a
// probe TPxycalculator.htm with one placeholder a line, and plain double-precision solves of
// the T-x-y and P-x-y curves to check the windows against.

#include "tests/pure/purefixture.h"

#include <array>
#include <functional>
#include <vector>

namespace calvex::testing {

// Rows of components.csv: Pc in bar, the Antoine constants of eq 3 (ln P/bar = A − B/(T + C)).
struct VleFluid {
    int SNO;
    const char* name;
    double Pc_bar, Tc, Tb, omega;
    double A, B, C;
};
inline constexpr VleFluid benzene{150, "benzene", 48.95, 562.05, 353.24, 0.21, 9.176331, 2726.813, -55.578};
inline constexpr VleFluid toluene{179, "toluene", 41.08, 591.75, 383.79, 0.264, 9.32646, 3056.958, -55.525};
inline constexpr VleFluid methanol{24, "methanol", 80.97, 512.64, 337.69, 0.565, 11.97982, 3638.269, -33.65};
inline constexpr VleFluid water{326, "water", 220.64, 647.14, 373.15, 0.344, 11.7792, 3885.698, -42.98};
inline constexpr VleFluid ethanol{59, "ethanol", 61.48, 513.92, 351.8, 0.649, 12.28832, 3795.167, -42.232};
inline constexpr VleFluid glycol{359, "ethylene glycol", 82, 719, 470.45, 0.5068, 10.72307, 3826, -113.27};
inline constexpr VleFluid pentane{137, "n-pentane", 33.7, 469.7, 309.22, 0.252, 9.159361, 2451.885, -41.136};
inline constexpr VleFluid octane{223, "n-octane", 24.9, 568.7, 398.82, 0.399, 9.327197, 3123.134, -63.515};
inline constexpr VleFluid ether{116, "diethyl ether", 36.4, 466.7, 307.59, 0.281, 9.46275, 2511.291, -41.95};

class ActivityFixtureFolder : public PureFixtureFolder {
public:
    ActivityFixtureFolder();
};

// (ln γ1, ln γ2) at (x1, T).
using LnGamma = std::function<std::array<double, 2>(double x1, double T)>;

LnGamma margules(double A12, double A21);
LnGamma vanLaar(double A, double B);
LnGamma wilson(double lamda12, double lamda21, double v1, double v2);

struct CurvePoint {
    double variable; // T in K or P in Pa
    double y1;
};

// The bubble temperature at P (Pa) with the two-point law, by bisection to 1e-9 K.
CurvePoint bubbleTemperature(const LnGamma& model, const VleFluid& one, const VleFluid& two, double x1, double P);
// The bubble pressure (Pa) at T with the Antoine law.
CurvePoint bubblePressure(const LnGamma& model, const VleFluid& one, const VleFluid& two, double x1, double T);

// The pressure (Pa) beyond which the two-point law has no boiling temperature above 0 K: its
// 1/T = 1/Tb − (1/Tb − 1/Tc) ln(P/atm)/ln(Pc/atm) is 0 at P = atm (Pc/atm)^(Tc/(Tc − Tb)).
double boilingLimit(const VleFluid& f);

// Pressures about the limits of benzene (34,563 bar) and toluene (38,110 bar), and whether a
// benzene/toluene T-x-y run reports there.
struct LimitPressure {
    const char* where;
    double P_bar;
    bool reports;
};
std::vector<LimitPressure> benzeneTolueneLimitPressures();

// points1.dat of a T-x-y run: 21 points, each temperature above 0 K.
void expectTxyPointsAboveZero(const ActivityFixtureFolder& folder);

} // namespace calvex::testing
