#include "core/enthalpyentropy.h"

#include "core/compressibility.h"
#include "core/departure.h"
#include "core/saturationpressure.h"
#include "services/numbers.h"
#include "tests/core/coretestsupport.h"
#include "tests/core/referenceeos.h"
#include "tests/support/scriptedui.h"

#include <gtest/gtest.h>

#include <cmath>

namespace calvex::core {
namespace {

using testing::reference::Eos;
namespace ref = testing::reference;
using Strings = std::vector<std::string>;

// Propane's ideal-gas Cp (Reid, Prausnitz and Poling), J/(mol K).
constexpr double cpA = -4.224, cpB = 0.3063, cpC = -1.586e-4, cpD = 3.215e-8;

EosState propane(EosHost host, Eos eos, float Tref, float T, float p)
{
    auto state = testing::stateFor(host, ref::propane, eos);
    state.component.CPVAPA = static_cast<float>(cpA);
    state.component.CPVAPB = static_cast<float>(cpB);
    state.component.CPVAPC = static_cast<float>(cpC);
    state.component.CPVAPD = static_cast<float>(cpD);
    state.Tref = Tref;
    state.T = T;
    state.p = p;
    state.result.assign(25, "");
    return state;
}

float saturationPressureAt(EosState state, float T)
{
    state.T = T;
    return Psatcal(state);
}

// Riedel at the boiling point carried to Tref by Watson, written out independently.
double heatOfVaporisation(const ref::Fluid& f, double Tref)
{
    const double atBoilingPoint = 1.093 * ref::R * f.Tb * (std::log(f.Pc / 101300.0) - 1.013) / (0.93 - f.Tb / f.Tc);
    return atBoilingPoint * std::pow((1.0 - Tref / f.Tc) / (1.0 - f.Tb / f.Tc), 0.38);
}

// Simpson integrals of Cp and Cp/T between two temperatures.
std::array<double, 2> idealGasChange(double T1, double T2)
{
    const auto cp = [](double T) { return cpA + cpB * T + cpC * T * T + cpD * T * T * T; };
    const int n = 2000;
    const double h = (T2 - T1) / n;
    double H = 0.0;
    double S = 0.0;
    for (int i = 0; i <= n; ++i) {
        const double T = T1 + i * h;
        const double weight = (i == 0 || i == n) ? 1.0 : (i % 2 ? 4.0 : 2.0);
        H += weight * cp(T);
        S += weight * cp(T) / T;
    }
    return {H * h / 3.0, S * h / 3.0};
}

TEST(Enthalpy, SaturatedVapourAtTheReferenceTemperatureHasTheHeatOfVaporisation)
{
    for (Eos eos : ref::allEos) {
        auto state = propane(EosHost::EnthalpyCalculator, eos, 250.0f, 250.0f, 0.0f);
        const float Psat = saturationPressureAt(state, 250.0f);
        ASSERT_GT(Psat, 0.0f);
        const double dHv = heatOfVaporisation(testing::asStored(ref::propane), 250.0);
        for (float p : {static_cast<float>(0.999 * Psat), Psat}) {
            state.p = p;
            state.stepsflag = 1;
            const auto HS = eecal(state);
            ASSERT_TRUE(HS) << static_cast<int>(eos);
            EXPECT_NEAR((*HS)[0], dHv, 0.005 * dHv) << static_cast<int>(eos) << " p " << p;
            EXPECT_NEAR(services::val(state.result[17]), dHv, 1e-5 * dHv);
            EXPECT_NEAR((*HS)[1], dHv / 250.0, 0.005 * dHv / 250.0);
        }
        // At the very saturation pressure both residual pairs are the same: H is exactly dHv.
        EXPECT_NEAR(services::val(state.result[14]), services::val(state.result[17]), 0.02);
    }
}

TEST(Enthalpy, IdealGasLegsAgainstIntegralsOfCp)
{
    auto state = propane(EosHost::EnthalpyCalculator, Eos::PengRobinson, 250.0f, 400.0f, 2e5f);
    state.stepsflag = 1;
    ASSERT_TRUE(eecal(state));
    const float Psat = saturationPressureAt(state, 250.0f);
    const auto [dH, dS] = idealGasChange(250.0, 400.0);
    EXPECT_NEAR(services::val(state.result[21]), dH, 1e-5 * dH);
    const double dSig = dS - ref::R * std::log(2e5 / Psat);
    EXPECT_NEAR(services::val(state.result[22]), dSig, 1e-4 * std::fabs(dSig) + 1e-4);
}

TEST(Enthalpy, TotalsUseTheSignsOfThePath)
{
    // Saturated liquid -> vapour (dHv) -> ideal gas at Tref (-Hr,ref) -> ideal gas at (T, p)
    // -> real fluid (+Hr), with the terms as the report shows them.
    auto state = propane(EosHost::EntropyCalculator, Eos::SoaveRedlichKwong, 250.0f, 350.0f, 5e5f);
    state.stepsflag = 1;
    const auto HS = eecal(state);
    ASSERT_TRUE(HS);
    const auto slot = [&](int i) { return services::val(state.result[i]); };
    EXPECT_NEAR((*HS)[0], slot(17) - slot(19) + slot(21) + slot(23), 0.01);
    EXPECT_NEAR((*HS)[1], slot(18) - slot(20) + slot(22) + slot(24), 1e-4);
    EXPECT_LT(slot(19), 0.0) << "a real vapour has a negative residual enthalpy";
}

TEST(Enthalpy, ResidualsAtTheStateComeFromTheStablePhase)
{
    // Propane by Peng-Robinson at 300 K: 12 bar is above the saturation pressure (about 10 bar),
    // so the liquid root is the stable one; 8 bar is below it, the vapour root.
    const ref::Fluid fluid = testing::asStored(ref::propane);
    const struct {
        float p;
        bool liquid;
    } rows[] = {{12e5f, true}, {8e5f, false}};
    for (const auto& row : rows) {
        auto state = propane(EosHost::EnthalpyCalculator, Eos::PengRobinson, 250.0f, 300.0f, row.p);
        state.stepsflag = 1;
        ASSERT_TRUE(eecal(state));
        const auto roots = ref::zRoots(Eos::PengRobinson, fluid, 300.0, row.p);
        ASSERT_EQ(roots.size(), 3u);
        const double Z = row.liquid ? roots.front() : roots.back();
        const auto expected = ref::departure(Eos::PengRobinson, fluid, 300.0, row.p, Z);
        EXPECT_NEAR(services::val(state.result[23]), expected[0], 1e-3 * std::fabs(expected[0])) << row.p;
        EXPECT_NEAR(services::val(state.result[24]), expected[1], 1e-3 * std::fabs(expected[1])) << row.p;
    }
}

TEST(Enthalpy, StepsflagIsAOneShotRequest)
{
    for (std::int16_t flag : {0, 2}) {
        auto state = propane(EosHost::EnthalpyCalculator, Eos::RedlichKwong, 250.0f, 300.0f, 1e5f);
        state.stepsflag = flag;
        ASSERT_TRUE(eecal(state));
        EXPECT_EQ(state.result[13], "Redlick Kwong");
        for (int i = 14; i <= 24; ++i)
            EXPECT_EQ(state.result[i], "") << i;
        EXPECT_EQ(state.stepsflag, 0);
    }
    auto state = propane(EosHost::EnthalpyCalculator, Eos::VanDerWaals, 250.0f, 300.0f, 1e5f);
    state.result[16] = "250(Kelvin)";
    state.result[12] = "window";
    state.stepsflag = 1;
    const auto HS = eecal(state);
    ASSERT_TRUE(HS);
    EXPECT_EQ(state.stepsflag, 0);
    EXPECT_EQ(state.result[14], services::singleText((*HS)[0]));
    EXPECT_EQ(state.result[15], services::singleText((*HS)[1]));
    EXPECT_EQ(state.result[16], "250(Kelvin)");
    EXPECT_EQ(state.result[12], "window");
    for (int i = 17; i <= 24; ++i)
        EXPECT_FALSE(state.result[i].empty()) << i;
    EXPECT_EQ(state.T, 300.0f);
    EXPECT_EQ(state.p, 1e5f);
}

TEST(Enthalpy, EquationNamesOfSlotThirteen)
{
    const std::pair<Eos, const char*> names[] = {{Eos::VanDerWaals, "Vander Waal"},
                                                 {Eos::PengRobinson, "Peng Robinson"},
                                                 {Eos::RedlichKwong, "Redlick Kwong"},
                                                 {Eos::SoaveRedlichKwong, "Soave-Redlick Kwong"}};
    for (const auto& [eos, name] : names) {
        auto state = propane(EosHost::EnthalpyCalculator, eos, 250.0f, 300.0f, 1e5f);
        ASSERT_TRUE(eecal(state));
        EXPECT_EQ(state.result[13], name);
    }
}

TEST(EnthalpyFailures, ResidualFailureChainEndsWithTheEnthalpyMessage)
{
    // kappa exactly 1 and T = 4 Tc make alpha exactly 0 at the state, so da/dT divides by zero.
    float omega = 0.439f;
    while (static_cast<float>((omega * 1.54226 + 0.37464) - omega * omega * 0.26992) != 1.0f)
        omega = std::nextafter(omega, 1.0f);
    testing::ScriptedUi ui;
    auto state = propane(EosHost::EnthalpyCalculator, Eos::PengRobinson, 250.0f, 0.0f, 1e5f);
    state.component.omega = omega;
    state.T = 4.0f * state.component.Tc;
    state.stepsflag = 1;
    EXPECT_FALSE(eecal(state));
    EXPECT_EQ(ui.messages(), (Strings{"error in departurepr", "error in departure", "error in enthalpy calulation"}));
    EXPECT_EQ(state.stepsflag, 1) << "a failed run leaves the request";
    EXPECT_EQ(state.result[13], "Peng Robinson");
    EXPECT_EQ(state.result[14], "");
}

TEST(EnthalpyFailures, ZeroReferenceTemperatureRestoresTheStateTemperature)
{
    testing::ScriptedUi ui;
    auto state = propane(EosHost::EnthalpyCalculator, Eos::PengRobinson, 0.0f, 300.0f, 1e5f);
    EXPECT_FALSE(eecal(state));
    EXPECT_EQ(state.T, 300.0f);
    EXPECT_EQ(ui.messages(), (Strings{"error in Psatguesseqn0", "error in Zcal", "error fugacity", "error Psatiteration",
                                      "error in enthalpy calulation"}));
}

TEST(EnthalpyFailures, ReferenceAboveTheCriticalTemperatureHasNoSaturationPressure)
{
    testing::ScriptedUi ui;
    auto state = propane(EosHost::EnthalpyCalculator, Eos::PengRobinson, 400.0f, 300.0f, 1e5f);
    EXPECT_FALSE(eecal(state));
    EXPECT_EQ(ui.messages(), Strings{"error in enthalpy calulation"});
    EXPECT_EQ(state.T, 300.0f);
}

TEST(EnthalpyFailures, OptionOutsideOneToFourWritesNoName)
{
    testing::ScriptedUi ui;
    auto state = propane(EosHost::EnthalpyCalculator, Eos::PengRobinson, 250.0f, 300.0f, 1e5f);
    state.optionno = 5;
    EXPECT_FALSE(eecal(state));
    EXPECT_EQ(state.result[13], "");
    ASSERT_FALSE(ui.messages().empty());
    EXPECT_EQ(ui.messages().back(), "error in enthalpy calulation");
}

TEST(EnthalpyFailures, BoilingPointAtPointNineThreeOrAtTheCriticalPointIsADivisionByZero)
{
    // 93/100 is the very double 0.93, so the Riedel denominator is exactly zero.
    for (float Tb : {93.0f, 100.0f}) {
        testing::ScriptedUi ui;
        auto state = propane(EosHost::EnthalpyCalculator, Eos::PengRobinson, 80.0f, 90.0f, 1e5f);
        state.component.Tc = 100.0f;
        state.component.Tb = Tb;
        EXPECT_FALSE(eecal(state)) << Tb;
        ASSERT_FALSE(ui.messages().empty());
        EXPECT_EQ(ui.messages().back(), "error in enthalpy calulation");
        EXPECT_EQ(state.result[13], "") << "the failure comes before the name";
    }
}

} // namespace
} // namespace calvex::core
