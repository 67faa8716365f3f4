#include "tests/activity/activityfixture.h"

#include "activity/vlewindowconfig.h"
#include "data/csvreader.h"
#include "data/propertieswriter.h"
#include "pure/componentdatabase.h"
#include "services/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace calvex::testing {
namespace {

constexpr double R = 8.314;
constexpr double atm = 101325.0;

std::string row(const VleFluid& f)
{
    using services::doubleText;
    return std::to_string(f.SNO) + "," + f.name + "," + doubleText(f.Pc_bar) + "," + doubleText(f.Tc) + ","
         + doubleText(f.Tb) + "," + doubleText(f.omega) + ",3," + doubleText(f.A) + "," + doubleText(f.B) + ","
         + doubleText(f.C) + ",0,0,0,0,0\n";
}

double twoPointLaw(const VleFluid& f, double T)
{
    return atm * std::exp(std::log(f.Pc_bar * 1e5 / atm) * (1 / f.Tb - 1 / T) / (1 / f.Tb - 1 / f.Tc));
}

double antoine(const VleFluid& f, double T) { return 1e5 * std::exp(f.A - f.B / (T + f.C)); }

} // namespace

ActivityFixtureFolder::ActivityFixtureFolder()
{
    std::string rows = "SNO,name,Pc,Tc,Tb,omega,eq,VPA,VPB,VPC,VPD,CPVAPA,CPVAPB,CPVAPC,CPVAPD\n";
    for (const VleFluid& f : {toluene, water, benzene, methanol, ethanol})
        rows += row(f);
    rows += "0,not listed,0,0,0,0,0,0,0,0,0,0,0,0,0\n";
    data::writePropertiesDatabase(file(pure::componentDatabaseFile), data::parseCsv(rows),
                                  pure::componentDatabaseKey);
    std::string probe;
    for (int i = 0; i < activity::reportCount; ++i)
        probe += "variable\n";
    write(activity::templateName, probe);
}

LnGamma margules(double A12, double A21)
{
    return [=](double x1, double) {
        const double x2 = 1 - x1;
        return std::array<double, 2>{x2 * x2 * (A12 + 2 * (A21 - A12) * x1), x1 * x1 * (A21 + 2 * (A12 - A21) * x2)};
    };
}

LnGamma vanLaar(double A, double B)
{
    return [=](double x1, double) {
        const double x2 = 1 - x1;
        const double d = A * x1 + B * x2;
        return std::array<double, 2>{A * std::pow(B * x2 / d, 2), B * std::pow(A * x1 / d, 2)};
    };
}

LnGamma wilson(double lamda12, double lamda21, double v1, double v2)
{
    return [=](double x1, double T) {
        const double x2 = 1 - x1;
        const double L12 = v2 / v1 * std::exp(-lamda12 / (R * T));
        const double L21 = v1 / v2 * std::exp(-lamda21 / (R * T));
        const double D = L12 / (x1 + x2 * L12) - L21 / (x2 + x1 * L21);
        return std::array<double, 2>{-std::log(x1 + x2 * L12) + x2 * D, -std::log(x2 + x1 * L21) - x1 * D};
    };
}

CurvePoint bubbleTemperature(const LnGamma& model, const VleFluid& one, const VleFluid& two, double x1, double P)
{
    const auto excess = [&](double T) {
        const auto lnGamma = model(x1, T);
        return x1 * std::exp(lnGamma[0]) * twoPointLaw(one, T) + (1 - x1) * std::exp(lnGamma[1]) * twoPointLaw(two, T)
             - P;
    };
    double low = 150, high = 1000;
    while (high - low > 1e-9) {
        const double mid = (low + high) / 2;
        (excess(mid) > 0 ? high : low) = mid;
    }
    const double T = (low + high) / 2;
    return {T, x1 * std::exp(model(x1, T)[0]) * twoPointLaw(one, T) / P};
}

CurvePoint bubblePressure(const LnGamma& model, const VleFluid& one, const VleFluid& two, double x1, double T)
{
    const auto lnGamma = model(x1, T);
    const double p1 = x1 * std::exp(lnGamma[0]) * antoine(one, T);
    const double P = p1 + (1 - x1) * std::exp(lnGamma[1]) * antoine(two, T);
    return {P, p1 / P};
}

double boilingLimit(const VleFluid& f) { return atm * std::pow(f.Pc_bar * 1e5 / atm, f.Tc / (f.Tc - f.Tb)); }

std::vector<LimitPressure> benzeneTolueneLimitPressures()
{
    // From about 0.95 of benzene's limit (ends at 27,000 K and 72,000 K) the residual is too flat
    // at the hot end for the chord, which diverges: "Invalid Entry" on either side. 0.1%
    // beyond it is far more than the 32-bit constants move the limit (about 1e-6 of it).
    const double benzene_bar = boilingLimit(benzene) / 1e5, toluene_bar = boilingLimit(toluene) / 1e5;
    return {{"below benzene's limit: ends at 19,900 K and 35,000 K", 0.9 * benzene_bar, true},
            {"beyond benzene's limit", 1.001 * benzene_bar, false},
            {"beyond both limits: ends at -42,400 K and -19,100 K", 1.1 * toluene_bar, false}};
}

void expectTxyPointsAboveZero(const ActivityFixtureFolder& folder)
{
    const auto lines = folder.pointsLines("points1.dat");
    ASSERT_EQ(lines.size(), 21u);
    for (const std::string& line : lines)
        EXPECT_GT(numbers(line)[1], 0) << line;
}

} // namespace calvex::testing
