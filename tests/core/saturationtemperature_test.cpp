#include "core/saturationtemperature.h"

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
using testing::oneRoot;
using testing::threeRoots;

EosState methaneAt1MPa(Eos eos)
{
    auto state = testing::stateFor(EosHost::SaturationTemperatureCalculator, ref::methane, eos);
    state.p = 1e6f;
    return state;
}

TEST(SaturationTemperature, MethaneAt1MPaWithinFiveHundredthsOfAKelvin)
{
    const struct {
        Eos eos;
        double exact; // K, equal-fugacity temperature at 1 MPa
    } rows[] = {{Eos::PengRobinson, 149.008}, {Eos::RedlichKwong, 149.889}};
    for (const auto& row : rows) {
        auto state = methaneAt1MPa(row.eos);
        ASSERT_EQ(Tsatguesseqn0(state), 148.6f) << "the two-point guess";
        const float T = Tsatcal(state);
        EXPECT_NEAR(T, row.exact, 0.05) << static_cast<int>(row.eos);
        EXPECT_NEAR(*ref::saturationTemperature(row.eos, testing::asStored(ref::methane), 1e6), row.exact, 0.001)
            << "the reference itself";
    }
    for (Eos eos : ref::allEos) {
        auto state = methaneAt1MPa(eos);
        const auto exact = ref::saturationTemperature(eos, testing::asStored(ref::methane), 1e6);
        EXPECT_NEAR(Tsatcal(state), *exact, 0.05) << static_cast<int>(eos);
    }
}

TEST(SaturationTemperature, GuessesFromTheInvertedLaws)
{
    auto state = methaneAt1MPa(Eos::PengRobinson);
    const struct {
        std::int16_t eq;
        float p;
        float expected;
        const char* why;
    } rows[] = {{0, 101325.0f, 111.7f, "the boiling point at one atmosphere"},
                {1, 101325.0f, 111.7f, "equation 1 uses the two-point law"},
                {2, 4.599e6f, 190.6f, "the critical point at Pc"},
                {7, 4.599e6f, 190.6f, "any other equation number likewise"}};
    for (const auto& row : rows) {
        state.component.eq = row.eq;
        state.component.VPA = 99.0f;
        state.p = row.p;
        EXPECT_EQ(Tsatguesseqn0(state), row.expected) << row.why;
    }
    state.p = 1e6f;
    state.component.VPA = 8.677752f;
    state.component.VPB = 911.2342f;
    state.component.VPC = -6.469f;
    const double antoine = 911.2342 / (8.677752 - std::log(10.0)) - -6.469;
    EXPECT_NEAR(Tsatguesseqn3(state), antoine, antoine * 1e-6) << "not rounded";
}

TEST(SaturationTemperature, BoilingPointEqualToCriticalPointIsNoFault)
{
    testing::ScriptedUi ui;
    auto state = methaneAt1MPa(Eos::PengRobinson);
    state.component.Tb = 150.04f;
    state.component.Tc = 150.04f;
    EXPECT_EQ(Tsatguesseqn0(state), 150.0f);
    EXPECT_TRUE(ui.messages().empty());
}

TEST(SaturationTemperatureSteps, StepTableBySizeAndSignOfTheDifference)
{
    const struct {
        double fL, fV;
        double step; // K
    } rows[] = {{140000, 100000, -11.0}, {100000, 140000, 11.0}, {130000, 100000, -1.0}, {100000, 130000, 1.0},
                {110000, 100000, -0.5},  {100000, 110000, 0.5},  {105000, 100000, -0.1}, {100000, 105000, 0.1},
                {102000, 100000, -0.1},  {100000, 101001, 0.1}};
    for (const auto& row : rows) {
        std::vector<float> temperatures;
        const FugacitySource source = [&](EosState&, float T) -> std::optional<FugacityEvaluation> {
            temperatures.push_back(T);
            return temperatures.size() == 1 ? threeRoots(row.fL, row.fV) : threeRoots(1e5, 1e5);
        };
        auto state = methaneAt1MPa(Eos::PengRobinson);
        const float T = Tsatiteration1(state, 150.0f, source);
        ASSERT_EQ(temperatures.size(), 2u) << row.fL - row.fV;
        EXPECT_NEAR(temperatures[1] - 150.0, row.step, 1e-5) << row.fL - row.fV; // 32-bit temperatures near 150 K
        EXPECT_EQ(T, temperatures[1]);
    }
}

TEST(SaturationTemperatureSteps, FugacitiesThatAgreeEndTheSearchAtTheGuess)
{
    // At 100 bar 1000 Pa is also 1e-4 of fV: both bounds of the stop are met exactly.
    int calls = 0;
    const FugacitySource source = [&](EosState&, float) -> std::optional<FugacityEvaluation> {
        ++calls;
        return threeRoots(10001000, 10000000);
    };
    auto state = methaneAt1MPa(Eos::PengRobinson);
    EXPECT_EQ(Tsatiteration1(state, 150.25f, source), 150.25f);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(state.result[9], "1");
    EXPECT_EQ(state.result[10], "150.2") << "the guess shown to 0.1 K, halves to even";
    EXPECT_EQ(state.result[13], "100.01");
    EXPECT_EQ(state.result[14], "100");
}

TEST(SaturationTemperatureSteps, OneWaySearchWidensItsStepsAndGivesZeroAtTheCap)
{
    // The vapour always 2000 Pa more fugacious: 0.1 K up, never a change of side. The steps
    // double from the third on, so that a low-pressure search reaches saturation in time; a
    // capped search is no result (it used to return its last temperature plus 0.1 K).
    std::vector<float> temperatures;
    const FugacitySource source = [&](EosState&, float T) -> std::optional<FugacityEvaluation> {
        temperatures.push_back(T);
        return threeRoots(100000, 102000);
    };
    auto state = methaneAt1MPa(Eos::PengRobinson);
    EXPECT_EQ(Tsatiteration1(state, 140.0f, source), 0.0f);
    ASSERT_EQ(temperatures.size(), 50u);
    const double steps[] = {0.1, 0.1, 0.2, 0.4, 0.8};
    for (int k = 0; k < 5; ++k)
        EXPECT_NEAR(temperatures[k + 1] - temperatures[k], steps[k], 1e-4) << k;
    EXPECT_EQ(state.nos, 50);
    for (int r = 1; r <= 50; ++r)
        EXPECT_EQ(state.result[6 * r + 3], std::to_string(r));
    EXPECT_EQ(state.result[309], "");
}

TEST(SaturationTemperatureMends, ChangeOfSignBisectsInsteadOfCycling)
{
    // A stand-in with saturation at 149.0 K and a steep difference: the stepped search alone
    // would jump between two temperatures; inside the bracket bisection finds the root.
    const FugacitySource source = [](EosState&, float T) -> std::optional<FugacityEvaluation> {
        const double difference = (T - 149.0) * 40000.0; // fL - fV, Pa
        return threeRoots(1e6 + difference, 1e6);
    };
    auto state = methaneAt1MPa(Eos::PengRobinson);
    const float T = Tsatiteration1(state, 148.6f, source);
    EXPECT_NEAR(T, 149.0, 1000.0 / 40000.0);
    EXPECT_LT(state.nos, 20);
}

TEST(SaturationTemperatureMends, PengRobinsonMethaneNoLongerCyclesBetweenTwoTemperatures)
{
    // From 148.6 K the step table says +1 K, from 149.6 K -1 K: the plain search would cycle.
    auto state = methaneAt1MPa(Eos::PengRobinson);
    const float T = Tsatcal(state);
    EXPECT_EQ(state.result[10], "148.6");
    EXPECT_EQ(state.result[16], "149.6");
    EXPECT_EQ(state.result[22], "149.1") << "bisection inside [148.6, 149.6]";
    EXPECT_NEAR(T, 149.008, 0.05);
}

TEST(SaturationTemperatureMends, OneRootStateShowsTheSideAndTheSearchStepsOn)
{
    // Below 140 K a single liquid-like root, above it three roots with the liquid stable until
    // saturation at 150 K.
    std::vector<float> temperatures;
    const FugacitySource source = [&](EosState&, float T) -> std::optional<FugacityEvaluation> {
        temperatures.push_back(T);
        if (T < 140.0f)
            return oneRoot(5e5f, false);
        return threeRoots(1e6 + (T - 150.0) * 40000.0, 1e6);
    };
    auto state = methaneAt1MPa(Eos::PengRobinson);
    const float T = Tsatiteration1(state, 120.0f, source);
    EXPECT_NEAR(T, 150.0, 0.025);
    ASSERT_GE(temperatures.size(), 3u);
    EXPECT_FLOAT_EQ(temperatures[1], 131.0f) << "the largest step, upwards, from a liquid-like root";
    EXPECT_FLOAT_EQ(temperatures[2], 142.0f);
}

TEST(SaturationTemperatureMends, CapAfterTheSearchHasBeenRelievedGivesZero)
{
    // Always a single vapour-like root: the search steps down 11 K each time and never converges.
    const FugacitySource source = [](EosState&, float) -> std::optional<FugacityEvaluation> { return oneRoot(5e5f, true); };
    testing::ScriptedUi ui;
    auto state = methaneAt1MPa(Eos::PengRobinson);
    EXPECT_EQ(Tsatiteration1(state, 1000.0f, source), 0.0f);
    EXPECT_EQ(state.nos, 50);
    EXPECT_TRUE(ui.messages().empty());
}

TEST(SaturationTemperatureMends, NoSaturationAboveTheCriticalPressure)
{
    for (Eos eos : ref::allEos) {
        testing::ScriptedUi ui;
        auto state = testing::stateFor(EosHost::SaturationTemperatureCalculator, ref::methane, eos);
        state.p = 6e6f;
        EXPECT_EQ(Tsatcal(state), 0.0f) << static_cast<int>(eos);
        EXPECT_TRUE(ui.messages().empty());
    }
}

TEST(SaturationTemperatureFailures, GuessFaultsShowTheirMessageAndTheSearchRunsFromZero)
{
    {
        testing::ScriptedUi ui;
        auto state = methaneAt1MPa(Eos::PengRobinson);
        state.component.Pc = 101325.0f;
        EXPECT_EQ(Tsatguesseqn0(state), 0.0f);
        EXPECT_EQ(ui.messages(), Strings{"error in Tsatguess0"});
    }
    {
        testing::ScriptedUi ui;
        auto state = methaneAt1MPa(Eos::PengRobinson);
        state.component.eq = 3;
        state.component.VPA = 0.0f; // ln(p/1e5) at 1e5 Pa
        state.component.VPB = 911.0f;
        state.p = 1e5f;
        EXPECT_EQ(Tsatguesseqn3(state), 0.0f);
        EXPECT_EQ(ui.messages(), Strings{"error in Tsatguess3"});
    }
    {
        testing::ScriptedUi ui;
        auto state = methaneAt1MPa(Eos::PengRobinson);
        state.component.Pc = 101325.0f;
        EXPECT_EQ(Tsatcal(state), 0.0f);
        EXPECT_EQ(ui.messages(),
                  (Strings{"error in Tsatguess0", "error in Zcal", "error in Fugacityeqstate", "error in Tsatiteration"}));
    }
}

TEST(SaturationTemperatureFailures, OptionZeroShowsTheIterationMessage)
{
    testing::ScriptedUi ui;
    auto state = methaneAt1MPa(Eos::PengRobinson);
    state.optionno = 0;
    EXPECT_EQ(Tsatcal(state), 0.0f);
    EXPECT_EQ(ui.messages(), Strings{"error in Tsatiteration"});
    EXPECT_EQ(state.result[9], "");
}

TEST(SaturationTemperatureLog, EquationNameAndRowsOfARealRun)
{
    auto state = methaneAt1MPa(Eos::RedlichKwong);
    const float T = Tsatcal(state);
    EXPECT_EQ(state.result[6], "Redlick Kwong");
    ASSERT_GE(state.nos, 2);
    EXPECT_EQ(state.result[9], "1");
    EXPECT_EQ(state.result[10], "148.6");
    EXPECT_EQ(state.result[6 * state.nos + 4], services::roundedText(T, 1));
}

} // namespace
} // namespace calvex::core
