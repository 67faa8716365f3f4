#include "core/vapourpressure.h"

#include "tests/core/coretestsupport.h"
#include "tests/support/scriptedui.h"

#include <gtest/gtest.h>

#include <cmath>

namespace calvex::core {
namespace {

namespace ref = testing::reference;
using Strings = std::vector<std::string>;

EosState methaneState(EosHost host, std::int16_t eq, float T)
{
    auto state = testing::stateFor(host, ref::methane, ref::Eos::PengRobinson);
    state.component.eq = eq;
    state.T = T;
    return state;
}

// The 32-bit result of exp of a double: a relative 1e-6 covers the single-precision stores.
constexpr double singleTolerance = 1e-6;

TEST(VapourPressure, TwoPointLawPassesThroughTheBoilingAndCriticalPoints)
{
    for (std::int16_t eq : {0, 2}) {
        const auto atTb = PsatCorrelation(methaneState(EosHost::SaturationPressureCalculator, eq, 111.7f));
        const auto atTc = PsatCorrelation(methaneState(EosHost::SaturationPressureCalculator, eq, 190.6f));
        ASSERT_TRUE(atTb && atTc);
        EXPECT_NEAR(*atTb, 101325.0, 101325.0 * singleTolerance) << eq;
        EXPECT_NEAR(*atTc, 4.599e6, 4.599e6 * singleTolerance) << eq;
    }
}

TEST(VapourPressure, TwoPointLawAgainstItsFormulaAndEquationTwoIgnoresTheConstants)
{
    auto state = methaneState(EosHost::SaturationPressureCalculator, 0, 150.0f);
    const double Tb = state.component.Tb;
    const double Tc = state.component.Tc;
    const double Pc = state.component.Pc;
    // ln P is linear in 1/T through (1/Tb, ln 101325) and (1/Tc, ln Pc).
    const double slope = (std::log(Pc) - std::log(101325.0)) / (1.0 / Tc - 1.0 / Tb);
    const double expected = std::exp(std::log(101325.0) + slope * (1.0 / 150.0 - 1.0 / Tb));
    EXPECT_NEAR(*PsatCorrelation(state), expected, expected * singleTolerance);
    state.component.eq = 2;
    state.component.VPA = 7.0f;
    state.component.VPB = -300.0f;
    EXPECT_EQ(*PsatCorrelation(state), *Psatguesseqn0(state));
}

TEST(VapourPressure, WagnerLawIsScaledByTheCriticalPressure)
{
    // Methane's Wagner constants (Reid, Prausnitz and Poling, 4th ed., Appendix A), with which
    // ln(P/Pc) = (A x + B x^1.5 + C x^3 + D x^6)/(1 - x) gives 10.4 bar at 150 K.
    auto state = methaneState(EosHost::SaturationPressureCalculator, 1, 150.0f);
    state.component.Tc = 190.4f;
    state.component.Pc = 46.0e5f;
    state.component.VPA = -6.00435f;
    state.component.VPB = 1.18850f;
    state.component.VPC = -0.83408f;
    state.component.VPD = -1.22833f;
    const double x = 1.0 - 150.0 / 190.4;
    const double expected = 46.0e5 * std::exp((-6.00435 * x + 1.18850 * std::pow(x, 1.5) - 0.83408 * std::pow(x, 3) -
                                               1.22833 * std::pow(x, 6)) / (1.0 - x));
    const auto P = PsatCorrelation(state);
    ASSERT_TRUE(P);
    EXPECT_NEAR(*P, expected, expected * 1e-5);
    EXPECT_NEAR(*P, 10.4e5, 0.1e5) << "the published vapour pressure of methane at 150 K";

    state.T = state.component.Tc;
    EXPECT_NEAR(*PsatCorrelation(state), 46.0e5, 46.0e5 * singleTolerance) << "Pc at Tc, whatever the constants";
}

TEST(VapourPressure, AntoineLawInBarWithNaturalLogarithms)
{
    auto state = methaneState(EosHost::SaturationPressureCalculator, 3, 150.0f);
    state.component.VPA = 8.677752f;
    state.component.VPB = 911.2342f;
    state.component.VPC = -6.469f;
    const double expected = 1e5 * std::exp(8.677752 - 911.2342 / (150.0 - 6.469));
    EXPECT_NEAR(*PsatCorrelation(state), expected, expected * 1e-5);
    state.component.VPA = 0.0f;
    const double withoutA = 1e5 * std::exp(-911.2342 / (150.0 - 6.469));
    EXPECT_NEAR(*PsatCorrelation(state), withoutA, withoutA * 1e-5);
}

TEST(VapourPressure, UnknownEquationNumberGivesZeroWithoutMessage)
{
    for (std::int16_t eq : {4, -1, 7}) {
        testing::ScriptedUi ui;
        EXPECT_EQ(PsatCorrelation(methaneState(EosHost::SaturationPressureCalculator, eq, 150.0f)), 0.0f);
        EXPECT_EQ(PsatCorrelation(methaneState(EosHost::PxyMargules, eq, 150.0f)), 0.0f);
        EXPECT_TRUE(ui.messages().empty());
    }
}

TEST(VapourPressure, VeryNegativeExponentUnderflowsToZeroWithoutFault)
{
    testing::ScriptedUi ui;
    auto state = methaneState(EosHost::SaturationPressureCalculator, 3, 10.0f);
    state.component.VPA = -900.0f;
    EXPECT_EQ(PsatCorrelation(state), 0.0f);
    EXPECT_TRUE(ui.messages().empty());
}

// Benzene's Antoine constants put the pole at 55.578 K. Left of it the law's value would grow
// as T falls: below about 15 K it fits in 32 bits again, and is no vapour pressure all the same.
TEST(VapourPressureFailures, AntoineLawHasNoPressureAtOrLeftOfItsPole)
{
    const float pole = 55.578f;
    const struct {
        float T;
        bool fault;
    } rows[] = {
        {std::nextafter(pole, 100.0f), false}, {60.0f, false}, {90.0f, false}, {pole, true},
        {30.0f, true}, {1.0f, true}, {0.001f, true}, {0.0f, true},
    };
    for (const auto& row : rows) {
        for (EosHost host : {EosHost::SaturationPressureCalculator, EosHost::PxyMargules}) {
            testing::ScriptedUi ui;
            auto state = methaneState(host, 3, row.T);
            state.component.VPA = 9.176331f;
            state.component.VPB = 2726.813f;
            state.component.VPC = -pole;
            const auto P = PsatCorrelation(state);
            const bool trapped = host == EosHost::SaturationPressureCalculator;
            SCOPED_TRACE(std::to_string(row.T) + (trapped ? " trapped" : " untrapped"));
            if (!row.fault) {
                ASSERT_TRUE(P);
                EXPECT_GE(*P, 0.0f);
                EXPECT_TRUE(ui.messages().empty());
            } else if (trapped) {
                EXPECT_EQ(P, 0.0f);
                EXPECT_EQ(ui.messages(), Strings{"error in Psatguesseqn3"});
            } else {
                EXPECT_FALSE(P);
                EXPECT_TRUE(ui.messages().empty());
            }
        }
    }
}

struct FaultCase {
    std::int16_t eq;
    const char* what;
    void (*spoil)(EosState&);
    const char* message;
};

const FaultCase faults[] = {
    {0, "Tb = Tc", [](EosState& s) { s.component.Tb = s.component.Tc; }, "error in Psatguesseqn0"},
    {2, "Tb = Tc", [](EosState& s) { s.component.Tb = s.component.Tc; }, "error in Psatguesseqn2"},
    {0, "T = 0", [](EosState& s) { s.T = 0.0f; }, "error in Psatguesseqn0"},
    {0, "Pc = 0", [](EosState& s) { s.component.Pc = 0.0f; }, "error in Psatguesseqn0"},
    {2, "Tc = 0", [](EosState& s) { s.component.Tc = 0.0f; }, "error in Psatguesseqn2"},
    {1, "T > Tc", [](EosState& s) { s.T = 200.0f; }, "error in Psatguesseqn1"},
    {1, "T = 0", [](EosState& s) { s.T = 0.0f; }, "error in Psatguesseqn1"},
    {3, "T + VPC = 0", [](EosState& s) { s.component.VPC = -150.0f; }, "error in Psatguesseqn3"},
    {3, "exp overflow", [](EosState& s) { s.component.VPA = 1000.0f; }, "error in Psatguesseqn3"},
    {3, "NaN constant", [](EosState& s) { s.component.VPB = std::nanf(""); }, "error in Psatguesseqn3"},
};

TEST(VapourPressureFailures, TrappedWindowsShowTheMemberMessageAndGetZero)
{
    for (const auto& row : faults) {
        for (EosHost host : {EosHost::SaturationPressureCalculator, EosHost::EnthalpyCalculator,
                             EosHost::MolarVolumeCalculator}) {
            testing::ScriptedUi ui;
            auto state = methaneState(host, row.eq, 150.0f);
            row.spoil(state);
            EXPECT_EQ(PsatCorrelation(state), 0.0f) << row.what;
            EXPECT_EQ(ui.messages(), Strings{row.message}) << row.what;
        }
    }
}

TEST(VapourPressureFailures, UntrappedWindowsGetNoValueAndNoMessage)
{
    for (const auto& row : faults) {
        for (EosHost host : {EosHost::Datapoints, EosHost::PxyMargules, EosHost::PxyVanlaar, EosHost::Pxynrtl,
                             EosHost::Pxywilsons, EosHost::fMain}) {
            testing::ScriptedUi ui;
            auto state = methaneState(host, row.eq, 150.0f);
            row.spoil(state);
            EXPECT_FALSE(PsatCorrelation(state)) << row.what;
            EXPECT_TRUE(ui.messages().empty()) << row.what;
        }
    }
}

} // namespace
} // namespace calvex::core
