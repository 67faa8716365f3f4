#include "core/departure.h"

#include "core/compressibility.h"
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

// The reference takes da/dT by central differences of its own a(T) (relative error ~1e-10)
// and works in double; the code keeps a, b, alpha, da/dT and the results in 32 bits, and
// RT(Z - 1) and the log term nearly cancel for a vapour: 1e-4 relative plus 0.01 J/mol.
void expectResiduals(const ResidualPair& actual, const std::array<double, 2>& expected, const std::string& what)
{
    EXPECT_NEAR(actual[0], expected[0], 1e-4 * std::fabs(expected[0]) + 1e-2) << what << " H - Hig";
    EXPECT_NEAR(actual[1], expected[1], 1e-4 * std::fabs(expected[1]) + 1e-5) << what << " S - Sig";
}

TEST(Departure, VapourAndLiquidRootsAgainstTheResidualHelmholtzIntegral)
{
    const struct {
        ref::Fluid fluid;
        double T, P;
    } points[] = {{ref::methane, 150.0, 1e6}, {ref::propane, 300.0, 1.2e6}, {ref::nDecane, 500.0, 2e5},
                  {ref::carbonDioxide, 350.0, 5e6}};
    for (const auto& point : points) {
        const ref::Fluid fluid = testing::asStored(point.fluid);
        for (Eos eos : ref::allEos) {
            auto state = testing::stateFor(EosHost::DepartureFunctionCalculator, fluid, eos);
            const auto roots = compressibilityRoots(state, static_cast<float>(point.T), static_cast<float>(point.P));
            ASSERT_TRUE(roots);
            for (float Z : {roots->roots[2], roots->roots[0]}) {
                if (Z <= ref::cubic(eos, fluid, point.T, point.P).B)
                    continue;
                const auto pair = Departure(state, static_cast<float>(point.T), static_cast<float>(point.P), Z);
                ASSERT_TRUE(pair);
                expectResiduals(*pair, ref::departure(eos, fluid, point.T, point.P, Z),
                                std::string(fluid.name) + " eos " + std::to_string(static_cast<int>(eos)) + " Z " +
                                    std::to_string(Z));
            }
        }
    }
}

TEST(Departure, MembersAgreeWithTheDispatcher)
{
    using Member = std::optional<ResidualPair> (*)(const EosState&, float, float, float);
    const std::pair<Eos, Member> members[] = {{Eos::VanDerWaals, DepartureVanderwaal},
                                              {Eos::PengRobinson, DeparturePR},
                                              {Eos::RedlichKwong, DepartureRK},
                                              {Eos::SoaveRedlichKwong, DepartureSRK}};
    for (const auto& [eos, member] : members) {
        const auto state = testing::stateFor(EosHost::DepartureFunctionCalculator, ref::methane, eos);
        EXPECT_EQ(member(state, 150.0f, 1e6f, 0.8f), Departure(state, 150.0f, 1e6f, 0.8f));
    }
}

TEST(Departure, IdealGasLimitGivesZero)
{
    for (Eos eos : ref::allEos) {
        const auto state = testing::stateFor(EosHost::DepartureFunctionCalculator, ref::methane, eos);
        EXPECT_EQ(Departure(state, 150.0f, 0.0f, 1.0f), (ResidualPair{0.0f, 0.0f}));
    }
}

TEST(Departure, EverythingFollowsTheTemperatureArgumentNotTheState)
{
    for (Eos eos : ref::allEos) {
        auto state = testing::stateFor(EosHost::DepartureFunctionCalculator, ref::methane, eos);
        state.T = 100.0f;
        const auto first = Departure(state, 160.0f, 1e6f, 0.85f);
        state.T = 400.0f;
        state.p = 3.0f;
        EXPECT_EQ(first, Departure(state, 160.0f, 1e6f, 0.85f));
        expectResiduals(*first, ref::departure(eos, testing::asStored(ref::methane), 160.0, 1e6, 0.85f), "T = 160");
    }
}

TEST(Departure, RootBelowCovolumeGivesFiniteValues)
{
    testing::ScriptedUi ui;
    for (Eos eos : ref::allEos) {
        const auto state = testing::stateFor(EosHost::DepartureFunctionCalculator, ref::methane, eos);
        const auto pair = Departure(state, 150.0f, 1e6f, 0.001f); // B is about 0.03
        ASSERT_TRUE(pair);
        EXPECT_TRUE(std::isfinite((*pair)[0]) && std::isfinite((*pair)[1]));
    }
    EXPECT_TRUE(ui.messages().empty());
}

TEST(DepartureFailures, MemberMessageThenDispatcherMessage)
{
    const std::pair<Eos, const char*> members[] = {{Eos::VanDerWaals, "error in departurevander"},
                                                   {Eos::PengRobinson, "error in departurepr"},
                                                   {Eos::RedlichKwong, "error in departurerk"},
                                                   {Eos::SoaveRedlichKwong, "error in departuresrk"}};
    for (const auto& [eos, message] : members) {
        {
            // Z equal to B: here both are 0 at zero pressure.
            testing::ScriptedUi ui;
            const auto state = testing::stateFor(EosHost::DepartureFunctionCalculator, ref::methane, eos);
            EXPECT_FALSE(Departure(state, 150.0f, 0.0f, 0.0f));
            EXPECT_EQ(ui.messages(), (Strings{message, "error in departure"}));
        }
        {
            testing::ScriptedUi ui;
            auto state = testing::stateFor(EosHost::DepartureFunctionCalculator, ref::methane, eos);
            state.component.Pc = 0.0f;
            EXPECT_FALSE(Departure(state, 150.0f, 1e6f, 0.8f));
            EXPECT_EQ(ui.messages(), (Strings{message, "error in departure"}));
        }
    }
}

TEST(DepartureFailures, OptionOutsideOneToFourShowsOnlyTheDispatcherMessage)
{
    for (std::int16_t option : {0, 5}) {
        testing::ScriptedUi ui;
        auto state = testing::stateFor(EosHost::DepartureFunctionCalculator, ref::methane, Eos::PengRobinson);
        state.optionno = option;
        EXPECT_FALSE(Departure(state, 150.0f, 1e6f, 0.8f));
        EXPECT_EQ(ui.messages(), Strings{"error in departure"});
    }
}

} // namespace
} // namespace calvex::core
