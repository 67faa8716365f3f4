#include "core/fugacity.h"

#include "core/compressibility.h"

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

// ln phi is stored as a 32-bit value after a pipeline of 32-bit a, b, B and roots; a relative
// 1e-4 on f covers it (ln phi of the liquid root is a difference of terms of size 5-10).
constexpr double fugacityTolerance = 1e-4;

TEST(Fugacity, BothRootsOfAllFourEquationsAgreeWithTheLnPhiFormulas)
{
    const struct {
        ref::Fluid fluid;
        double T, P;
    } points[] = {{ref::methane, 150.0, 1e6},   {ref::methane, 300.0, 1e5},  {ref::propane, 300.0, 1.2e6},
                  {ref::ethanol, 400.0, 2e5},   {ref::nDecane, 450.0, 5e4},  {ref::nitrogen, 100.0, 7e5}};
    for (const auto& point : points) {
        const ref::Fluid fluid = testing::asStored(point.fluid);
        for (Eos eos : ref::allEos) {
            auto state = testing::stateFor(EosHost::PureComponentFugacityCalculator, fluid, eos);
            state.T = static_cast<float>(point.T);
            const auto pair = Fugasitycal(state, static_cast<float>(point.P));
            ASSERT_TRUE(pair) << fluid.name << " " << static_cast<int>(eos);
            const auto roots = ref::zRoots(eos, fluid, point.T, point.P);
            const double fL = point.P * std::exp(ref::lnPhi(eos, fluid, point.T, point.P, roots.front()));
            const double fV = point.P * std::exp(ref::lnPhi(eos, fluid, point.T, point.P, roots.back()));
            EXPECT_NEAR((*pair)[0], fL, fugacityTolerance * fL) << fluid.name << " eos " << static_cast<int>(eos) << " T " << point.T;
            EXPECT_NEAR((*pair)[1], fV, fugacityTolerance * fV) << fluid.name << " eos " << static_cast<int>(eos) << " T " << point.T;
        }
    }
}

TEST(Fugacity, MembersAreTheDispatchersChoiceByOptionno)
{
    using Member = std::optional<FugacityPair> (*)(EosState&, float);
    const std::pair<Eos, Member> members[] = {{Eos::VanDerWaals, Fugacityvanderwaal},
                                              {Eos::PengRobinson, FugacityPR},
                                              {Eos::RedlichKwong, FugacityRK},
                                              {Eos::SoaveRedlichKwong, FugacitySRK}};
    for (const auto& [eos, member] : members) {
        auto state = testing::stateFor(EosHost::PureComponentFugacityCalculator, ref::methane, eos);
        state.T = 150.0f;
        EXPECT_EQ(member(state, 1e6f), Fugasitycal(state, 1e6f)) << static_cast<int>(eos);
    }
}

TEST(Fugacity, OneRealRootGivesEqualFugacitiesAndEqualLogCells)
{
    for (Eos eos : ref::allEos) {
        auto state = testing::stateFor(EosHost::SaturationPressureCalculator, ref::methane, eos);
        state.T = 300.0f;
        state.nos = 1;
        state.logoffset = 0;
        const auto pair = Fugasitycal(state, 1e5f);
        ASSERT_TRUE(pair);
        EXPECT_EQ((*pair)[0], (*pair)[1]);
        EXPECT_EQ(state.result[11], state.result[12]);
        EXPECT_NEAR((*pair)[1], 1e5 * 0.998, 1e5 * 0.001) << "near the pressure at 1 bar";
    }
}

TEST(Fugacity, LowPressureVapourFugacityApproachesThePressure)
{
    for (Eos eos : ref::allEos) {
        auto state = testing::stateFor(EosHost::MolarVolumeCalculator, ref::propane, eos);
        state.T = 300.0f;
        const auto pair = Fugasitycal(state, 10.0f);
        ASSERT_TRUE(pair);
        EXPECT_NEAR((*pair)[1], 10.0, 1e-4);
    }
}

TEST(Fugacity, TemperatureVariantMatchesPressureVariantAtTheSamePoint)
{
    for (Eos eos : ref::allEos) {
        auto byPressure = testing::stateFor(EosHost::SaturationPressureCalculator, ref::methane, eos);
        auto byTemperature = testing::stateFor(EosHost::SaturationTemperatureCalculator, ref::methane, eos);
        byPressure.T = 150.0f;
        byTemperature.p = 1e6f;
        byPressure.nos = byTemperature.nos = 1;
        EXPECT_EQ(Fugasitycal(byPressure, 1e6f), Fugasitycal(byTemperature, 150.0f));
        EXPECT_EQ(byPressure.result[11], byTemperature.result[11]);
        EXPECT_EQ(byPressure.result[12], byTemperature.result[12]);
    }
}

TEST(FugacityLog, DispatcherWritesTheNameIntoElementSixAndTheMemberTheFirstTwoRoots)
{
    const std::pair<Eos, const char*> names[] = {{Eos::VanDerWaals, "vanderwaal"},
                                                 {Eos::PengRobinson, "Peng Robinson"},
                                                 {Eos::RedlichKwong, "Redlick Kwong"},
                                                 {Eos::SoaveRedlichKwong, "Soave Redlick Kwong"}};
    for (EosHost host : {EosHost::SaturationPressureCalculator, EosHost::SaturationTemperatureCalculator}) {
        for (const auto& [eos, name] : names) {
            auto state = testing::stateFor(host, ref::methane, eos);
            state.T = 150.0f;
            state.p = 1e6f;
            state.nos = 2;
            state.logoffset = 5;
            ASSERT_TRUE(Fugasitycal(state, host == EosHost::SaturationPressureCalculator ? 1e6f : 150.0f));
            EXPECT_EQ(state.result[6], name);
            // Row 2 is elements 15-20: its third and fourth cells hold Z(0) and the middle root Z(1).
            const auto roots = ref::zRoots(eos, testing::asStored(ref::methane), 150.0, 1e6);
            EXPECT_NEAR(services::val(state.result[17]), roots[0], 2e-5) << name; // 7 significant digits of a float root
            EXPECT_NEAR(services::val(state.result[18]), roots[1], 2e-5) << name;
            int written = 0;
            for (const auto& cell : state.result)
                written += !cell.empty();
            EXPECT_EQ(written, 3) << name;
        }
    }
}

TEST(FugacityLog, PlainVariantsWriteNoLog)
{
    auto state = testing::stateFor(EosHost::EnthalpyCalculator, ref::methane, Eos::PengRobinson);
    state.T = 150.0f;
    state.nos = 1;
    ASSERT_TRUE(Fugasitycal(state, 1e6f));
    for (const auto& cell : state.result)
        EXPECT_TRUE(cell.empty());
}

TEST(FugacityLog, ReportingWindowGetsTheStepsReportOfTheRootCall)
{
    auto state = testing::stateFor(EosHost::PureComponentFugacityCalculator, ref::methane, Eos::SoaveRedlichKwong);
    state.T = 150.0f;
    state.stepsflag = 1;
    ASSERT_TRUE(Fugasitycal(state, 1e6f));
    EXPECT_EQ(state.result[9], "Soave Redlick Kwong");
    EXPECT_EQ(state.result[12].substr(0, 4), "S = ");
}

TEST(FugacityLog, IndexPastElement320FailsAfterTheFirstCell)
{
    testing::ScriptedUi ui;
    auto state = testing::stateFor(EosHost::SaturationPressureCalculator, ref::methane, Eos::PengRobinson);
    state.T = 150.0f;
    state.nos = 1;
    state.logoffset = 309; // nos + 10 + logoffset = 320
    EXPECT_FALSE(Fugasitycal(state, 1e6f));
    EXPECT_EQ(ui.messages(), Strings{"error in fugacityeq"});
    EXPECT_FALSE(state.result[320].empty());
}

TEST(FugacityFailures, OptionOutsideOneToFourIsEmptyWithoutMessageOrWrite)
{
    for (EosHost host : {EosHost::MolarVolumeCalculator, EosHost::SaturationPressureCalculator,
                         EosHost::SaturationTemperatureCalculator, EosHost::Datapoints}) {
        for (std::int16_t option : {0, 5}) {
            testing::ScriptedUi ui;
            auto state = testing::stateFor(host, ref::methane, Eos::PengRobinson);
            state.optionno = option;
            state.T = 150.0f;
            state.p = 1e6f;
            state.stepsflag = 1;
            state.nos = 1;
            EXPECT_FALSE(Fugasitycal(state, 1e6f));
            EXPECT_TRUE(ui.messages().empty());
            for (const auto& cell : state.result)
                EXPECT_TRUE(cell.empty());
        }
    }
}

TEST(FugacityFailures, FailedRootCallShowsTheRootMessageThenTheMembers)
{
    const struct {
        EosHost host;
        Eos eos;
        Strings messages;
    } rows[] = {
        {EosHost::PureComponentFugacityCalculator, Eos::PengRobinson, {"error in Zcal", "error fugacity"}},
        {EosHost::MolarVolumeCalculator, Eos::VanDerWaals, {"error in Zcal", "error fugacity"}},
        {EosHost::EnthalpyCalculator, Eos::RedlichKwong, {"error in Zcal", "error fugacity"}},
        {EosHost::SaturationPressureCalculator, Eos::VanDerWaals, {"error in Zcalvanderwaal", "error in fugacityeq"}},
        {EosHost::SaturationPressureCalculator, Eos::PengRobinson, {"error in Zcalpr", "error in fugacityeq"}},
        {EosHost::SaturationPressureCalculator, Eos::RedlichKwong, {"error in ZcalRK", "error in fugacityRK"}},
        {EosHost::SaturationPressureCalculator, Eos::SoaveRedlichKwong, {"error in Zcalsrk", "error in fugacitySRK"}},
        {EosHost::SaturationTemperatureCalculator, Eos::VanDerWaals, {"error in Zcal", "error in Fugacityeqstate"}},
        {EosHost::SaturationTemperatureCalculator, Eos::PengRobinson, {"error in Zcal", "error in Fugacityeqstate"}},
        {EosHost::SaturationTemperatureCalculator, Eos::RedlichKwong, {"error in Zcal", "error in fugacityrk"}},
        {EosHost::SaturationTemperatureCalculator, Eos::SoaveRedlichKwong, {"error in Zcal", "error in fugacitysrk"}},
        {EosHost::Datapoints, Eos::PengRobinson, {}},
    };
    for (const auto& row : rows) {
        testing::ScriptedUi ui;
        auto state = testing::stateFor(row.host, ref::methane, row.eos);
        state.component.Pc = 0.0f;
        state.T = 150.0f;
        state.p = 1e6f;
        state.nos = 1;
        const float argument = row.host == EosHost::SaturationTemperatureCalculator ? 150.0f : 1e6f;
        EXPECT_FALSE(Fugasitycal(state, argument));
        EXPECT_EQ(ui.messages(), row.messages) << static_cast<int>(row.host) << " " << static_cast<int>(row.eos);
        EXPECT_TRUE(state.result[11].empty()) << "no root cell without roots";
    }
}

TEST(FugacityFailures, DispatcherMessageWhenTheNameCannotBeWritten)
{
    const std::pair<EosHost, const char*> rows[] = {{EosHost::SaturationPressureCalculator, "error in fugacitycal"},
                                                    {EosHost::SaturationTemperatureCalculator, "error in Fugacitycal"}};
    for (const auto& [host, message] : rows) {
        testing::ScriptedUi ui;
        auto state = testing::stateFor(host, ref::methane, Eos::PengRobinson);
        state.result.resize(5);
        state.T = 150.0f;
        state.p = 1e6f;
        EXPECT_FALSE(Fugasitycal(state, host == EosHost::SaturationPressureCalculator ? 1e6f : 150.0f));
        EXPECT_EQ(ui.messages(), Strings{message});
    }
}

TEST(FugacityFailures, ZeroPressureIsAFaultOfTheLogarithm)
{
    // At zero pressure B = 0 and the liquid root is exactly 0 (z^3 - z^2 = 0), so ln|Z - B| has
    // no value. (The roots solved through 32-bit intermediates used to put it slightly below 0,
    // which gave a pair of zero fugacities.)
    for (Eos eos : ref::allEos) {
        testing::ScriptedUi ui;
        auto state = testing::stateFor(EosHost::PureComponentFugacityCalculator, ref::methane, eos);
        state.T = 150.0f;
        const auto roots = compressibilityRoots(state, 150.0f, 0.0f);
        ASSERT_TRUE(roots);
        EXPECT_EQ(roots->roots[0], 0.0f) << static_cast<int>(eos);
        EXPECT_EQ(roots->roots[2], 1.0f) << static_cast<int>(eos);
        EXPECT_FALSE(Fugasitycal(state, 0.0f)) << static_cast<int>(eos);
        EXPECT_EQ(ui.messages(), std::vector<std::string>{"error fugacity"});
    }
}

} // namespace
} // namespace calvex::core
