#include "core/saturationpressure.h"

#include "core/compressibility.h"
#include "core/vapourpressure.h"
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

EosState methaneAt150K(EosHost host, Eos eos)
{
    auto state = testing::stateFor(host, ref::methane, eos);
    state.T = 150.0f;
    return state;
}

// fL/fV alternates 2 and 1/2, so P alternates between 1e5 and 2e5 Pa and never converges.
FugacityEvaluation alternating(float P) { return P < 1.5e5f ? threeRoots(2.0f * P, P) : threeRoots(P, 2.0f * P); }

// The alternating stand-in, counting its evaluations.
FugacitySource neverConverging(int& calls)
{
    return [&calls](EosState&, float P) -> std::optional<FugacityEvaluation> {
        ++calls;
        return alternating(P);
    };
}

TEST(SaturationPressure, MethaneAt150KAgainstAnEqualFugacitySolve)
{
    // The run stops at |fL - fV| <= 1000 Pa; near 10 bar that is within about 2 kPa.
    constexpr double stopTolerance = 2000.0;
    const ref::Fluid methane = testing::asStored(ref::methane);
    for (Eos eos : ref::allEos) {
        auto state = methaneAt150K(EosHost::SaturationPressureCalculator, eos);
        const auto exact = ref::saturationPressure(eos, methane, 150.0);
        ASSERT_TRUE(exact);
        EXPECT_NEAR(Psatcal(state), *exact, stopTolerance) << static_cast<int>(eos);
    }
    EXPECT_NEAR(*ref::saturationPressure(Eos::PengRobinson, methane, 150.0), 1.046308e6, 1.0) << "the reference itself";
    EXPECT_NEAR(*ref::saturationPressure(Eos::VanDerWaals, methane, 150.0), 1.6336e6, 100.0) << "the reference itself";
}

TEST(SaturationPressure, OneRealRootAtTheGuessIsNotConvergence)
{
    // Van der Waals n-decane at 0.9 Tc: the two-point guess (8.7 bar) lies below the lower
    // spinodal, where the cubic has one vapour-like root and fL = fV exactly. A methane Antoine
    // guess made far too high lands above the upper spinodal, on a single liquid-like root.
    const struct {
        ref::Fluid fluid;
        Eos eos;
        double T;
        std::int16_t eq;
        float VPA;
        bool vapourLike;
    } rows[] = {{ref::nDecane, Eos::VanDerWaals, 0.9 * ref::nDecane.Tc, 0, 0.0f, true},
                {ref::methane, Eos::PengRobinson, 0.9 * ref::methane.Tc, 3, 9.8f, false}};
    for (const auto& row : rows) {
        testing::ScriptedUi ui;
        auto state = testing::stateFor(EosHost::SaturationPressureCalculator, row.fluid, row.eos);
        state.T = static_cast<float>(row.T);
        state.component.eq = row.eq;
        state.component.VPA = row.VPA;
        state.component.VPB = 911.2342f;
        state.component.VPC = -6.469f;
        const float guess = *PsatCorrelation(state);
        const auto atGuess = compressibilityRoots(state, state.T, guess);
        ASSERT_TRUE(atGuess->singleRealRoot()) << row.fluid.name;
        ASSERT_EQ(atGuess->rootAboveInflection(), row.vapourLike) << row.fluid.name;
        const auto exact = ref::saturationPressure(row.eos, testing::asStored(row.fluid), state.T);
        const float P = Psatcal(state);
        // The 1000 Pa stop on the fugacities is worth well under 0.2 % of P at these points.
        EXPECT_NEAR(P, *exact, 0.002 * *exact) << row.fluid.name << " guess " << guess;
        EXPECT_GT(std::fabs(guess - *exact), 0.1 * *exact) << row.fluid.name;
        EXPECT_TRUE(ui.messages().empty());
    }
}

TEST(SaturationPressure, EveryWindowGetsTheSameAnswerWhenItConverges)
{
    for (EosHost host : {EosHost::EnthalpyCalculator, EosHost::EntropyCalculator, EosHost::MolarVolumeCalculator,
                         EosHost::PureComponentFugacityCalculator, EosHost::Datapoints}) {
        for (Eos eos : ref::allEos) {
            auto state = methaneAt150K(host, eos);
            auto logged = methaneAt150K(EosHost::SaturationPressureCalculator, eos);
            EXPECT_EQ(Psatcal(state), Psatcal(logged)) << static_cast<int>(host) << " " << static_cast<int>(eos);
        }
    }
}

TEST(SaturationPressure, NoThreeRootStateAtOrAboveTheCriticalTemperatureGivesZero)
{
    for (EosHost host : {EosHost::SaturationPressureCalculator, EosHost::EnthalpyCalculator, EosHost::Datapoints}) {
        for (Eos eos : ref::allEos) {
            testing::ScriptedUi ui;
            auto state = testing::stateFor(host, ref::methane, eos);
            for (float T : {200.0f, 250.0f, 400.0f}) {
                state.T = T;
                EXPECT_EQ(Psatcal(state), 0.0f) << static_cast<int>(host) << " " << static_cast<int>(eos) << " " << T;
            }
            EXPECT_TRUE(ui.messages().empty());
        }
    }
}

TEST(SaturationPressureLog, OneRowWhenTheGuessAlreadyMeetsTheTolerance)
{
    auto state = methaneAt150K(EosHost::SaturationPressureCalculator, Eos::PengRobinson);
    const float converged = Psatcal(state);
    state.result.assign(321, "");
    const auto pair = Fugasitycal(state, converged);
    state.result.assign(321, "");

    EXPECT_EQ(Psatiteration1(state, converged), converged);
    EXPECT_EQ(state.nos, 1);
    EXPECT_EQ(state.result[6], "Peng Robinson");
    EXPECT_EQ(state.result[9], "1");
    EXPECT_EQ(state.result[10], services::doubleText(static_cast<double>(converged) / 1e5));
    const auto roots = ref::zRoots(Eos::PengRobinson, testing::asStored(ref::methane), 150.0, converged);
    EXPECT_NEAR(services::val(state.result[11]), roots[0], 2e-5);
    EXPECT_NEAR(services::val(state.result[12]), roots[1], 2e-5);
    EXPECT_EQ(state.result[13], services::roundedText((*pair)[0] / 1e5, 4));
    EXPECT_EQ(state.result[14], services::roundedText((*pair)[1] / 1e5, 4));
    const double fL = converged * std::exp(ref::lnPhi(Eos::PengRobinson, testing::asStored(ref::methane), 150.0, converged, roots[0]));
    EXPECT_NEAR(services::val(state.result[13]), fL / 1e5, 1e-3) << "fL in bar";
    EXPECT_EQ(state.result[15], "");
}

TEST(SaturationPressureLog, RowsFollowEachEvaluation)
{
    auto state = methaneAt150K(EosHost::SaturationPressureCalculator, Eos::PengRobinson);
    state.component.eq = 3;
    state.component.VPA = 8.0f; // a poor Antoine guess, so the iteration has to move
    state.component.VPB = 911.2342f;
    state.component.VPC = -6.469f;
    const float P = Psatcal(state);
    ASSERT_GT(state.nos, 2);
    for (int r = 1; r <= state.nos; ++r) {
        EXPECT_EQ(state.result[6 * r + 3], std::to_string(r));
        EXPECT_FALSE(state.result[6 * r + 4].empty());
        EXPECT_FALSE(state.result[6 * r + 5].empty());
        EXPECT_FALSE(state.result[6 * r + 8].empty());
    }
    EXPECT_EQ(state.result[6 * state.nos + 4], services::doubleText(P / 1e5));
    EXPECT_EQ(state.result[6 * (state.nos + 1) + 3], "");
}

TEST(SaturationPressureLog, CappedRunWritesFiftyRowsAndGivesZero)
{
    // An unconverged pressure is no result: the window reports the failure. With nothing to
    // return, row 50 shows the pressure it evaluated, no longer that pressure plus 0.02 Pa.
    int calls = 0;
    auto state = methaneAt150K(EosHost::SaturationPressureCalculator, Eos::PengRobinson);
    EXPECT_EQ(Psatiteration1(state, 1e5f, neverConverging(calls)), 0.0f);
    EXPECT_EQ(calls, 50);
    EXPECT_EQ(state.nos, 50);
    for (int r = 1; r <= 50; ++r) {
        EXPECT_EQ(state.result[6 * r + 3], std::to_string(r));
        const double shown = r % 2 ? 1e5 : 2e5;
        EXPECT_EQ(state.result[6 * r + 4], services::doubleText(shown / 1e5)) << r;
        EXPECT_FALSE(state.result[6 * r + 7].empty());
        EXPECT_FALSE(state.result[6 * r + 8].empty());
    }
    EXPECT_EQ(state.result[307], "2") << "fL of the last evaluation, at 2e5 Pa";
    EXPECT_EQ(state.result[308], "4");
    EXPECT_EQ(state.result[309], "");
}

TEST(SaturationPressureLog, ShortRunLeavesTheLaterRowsOfALongerOne)
{
    auto state = methaneAt150K(EosHost::SaturationPressureCalculator, Eos::PengRobinson);
    int calls = 0;
    Psatiteration1(state, 1e5f, neverConverging(calls));
    const std::string row40 = state.result[6 * 40 + 4];
    Psatcal(state);
    EXPECT_LT(state.nos, 10);
    EXPECT_EQ(state.result[6 * 40 + 4], row40);
}

TEST(SaturationPressureCap, EveryWindowGivesZeroAfterItsCapWithoutAMessage)
{
    // The reporting windows used to get the initial guess back, as if it had converged.
    const struct {
        EosHost host;
        int calls;
    } rows[] = {{EosHost::EnthalpyCalculator, 31},
                {EosHost::EntropyCalculator, 31},
                {EosHost::MolarVolumeCalculator, 41},
                {EosHost::PureComponentFugacityCalculator, 41},
                {EosHost::Datapoints, 501}};
    for (const auto& row : rows) {
        testing::ScriptedUi ui;
        int calls = 0;
        auto state = methaneAt150K(row.host, Eos::PengRobinson);
        EXPECT_EQ(Psatiteration1(state, 1e5f, neverConverging(calls)), 0.0f) << static_cast<int>(row.host);
        EXPECT_EQ(calls, row.calls) << static_cast<int>(row.host);
        EXPECT_TRUE(ui.messages().empty());
        EXPECT_EQ(state.result[9], "");
    }
}

TEST(SaturationPressureFailures, OptionZeroShowsTheIterationMessageAndWritesNoRow)
{
    const std::pair<EosHost, Strings> rows[] = {{EosHost::SaturationPressureCalculator, {"error in Psatiteration"}},
                                                {EosHost::EnthalpyCalculator, {"error Psatiteration"}},
                                                {EosHost::MolarVolumeCalculator, {"error Psatiteration"}},
                                                {EosHost::Datapoints, {}}};
    for (const auto& [host, messages] : rows) {
        testing::ScriptedUi ui;
        auto state = methaneAt150K(host, Eos::PengRobinson);
        state.optionno = 0;
        EXPECT_EQ(Psatcal(state), 0.0f);
        EXPECT_EQ(ui.messages(), messages);
        for (const auto& cell : state.result)
            EXPECT_EQ(cell, "");
    }
}

TEST(SaturationPressureFailures, UnknownEquationNumberStartsFromZeroPascal)
{
    float first = -1.0f;
    const FugacitySource source = [&](EosState&, float P) -> std::optional<FugacityEvaluation> {
        if (first < 0.0f)
            first = P;
        return threeRoots(0.0f, 0.0f);
    };
    auto state = methaneAt150K(EosHost::SaturationPressureCalculator, Eos::PengRobinson);
    state.component.eq = 7;
    EXPECT_EQ(Psatcal(state, source), 0.0f);
    EXPECT_EQ(first, 0.0f);
}

TEST(SaturationPressureFailures, FailedGuessIsFollowedByTheIterationFromZero)
{
    testing::ScriptedUi ui;
    auto state = methaneAt150K(EosHost::SaturationPressureCalculator, Eos::PengRobinson);
    state.component.Tb = state.component.Tc;
    EXPECT_EQ(Psatcal(state), 0.0f);
    // At 0 Pa the liquid root is exactly the covolume's B = 0 and ln|Z - B| faults, which the
    // iteration's trap reports (before the roots were solved in double precision a rounding
    // error put Z below 0 and the run "converged" at 0 Pa).
    EXPECT_EQ(ui.messages(), (Strings{"error in Psatguesseqn0", "error in fugacityeq", "error in Psatiteration"}));
}

TEST(SaturationPressureFailures, ZeroVapourFugacityIsTrapped)
{
    testing::ScriptedUi ui;
    const FugacitySource source = [](EosState&, float) -> std::optional<FugacityEvaluation> { return threeRoots(5e5f, 0.0f); };
    auto state = methaneAt150K(EosHost::SaturationPressureCalculator, Eos::PengRobinson);
    EXPECT_EQ(Psatiteration1(state, 1e6f, source), 0.0f);
    EXPECT_EQ(ui.messages(), Strings{"error in Psatiteration"});
    EXPECT_EQ(state.result[9], "1") << "the row written before the fault stays";
}

TEST(SaturationPressureFailures, DataPointWindowGetsZeroWithoutMessages)
{
    testing::ScriptedUi ui;
    auto state = methaneAt150K(EosHost::Datapoints, Eos::PengRobinson);
    state.component.Pc = 0.0f;
    EXPECT_EQ(Psatcal(state), 0.0f);
    state = methaneAt150K(EosHost::Datapoints, Eos::PengRobinson);
    state.T = 0.0f;
    EXPECT_EQ(Psatcal(state), 0.0f);
    EXPECT_TRUE(ui.messages().empty());
}

} // namespace
} // namespace calvex::core
