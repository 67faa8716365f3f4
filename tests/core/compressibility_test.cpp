#include "core/compressibility.h"

#include "services/numbers.h"
#include "tests/core/coretestsupport.h"
#include "tests/core/referenceeos.h"
#include "tests/support/scriptedui.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace calvex::core {
namespace {

using testing::reference::Eos;
namespace ref = testing::reference;

using Zcal = std::optional<CubicRoots> (*)(EosState&, float, float);

struct Operation {
    Eos eos;
    Zcal zcal;
    const char* name;
};
const Operation operations[] = {{Eos::VanDerWaals, Zcalvanderwaal, "Zcalvanderwaal"},
                                {Eos::PengRobinson, ZcalPR, "ZcalPR"},
                                {Eos::RedlichKwong, ZcalRK, "ZcalRK"},
                                {Eos::SoaveRedlichKwong, ZcalSRK, "ZcalSRK"}};

// a, b, A, B and the coefficients are stored as 32-bit values, so a root carries a few
// float roundings of relative size 6e-8, amplified where two roots are close.
constexpr double rootTolerance = 2e-6;

TEST(Compressibility, MethaneAt300KAnd1BarHasOneRootHeldThreeTimes)
{
    const struct {
        Eos eos;
        double quoted; // four decimals
    } rows[] = {{Eos::VanDerWaals, 0.9980}, {Eos::RedlichKwong, 0.9982}, {Eos::SoaveRedlichKwong, 0.9983},
                {Eos::PengRobinson, 0.9978}};
    for (const auto& row : rows) {
        const Operation& op = operations[static_cast<int>(row.eos) - 1];
        auto state = testing::stateFor(EosHost::MolarVolumeCalculator, ref::methane, row.eos);
        const auto result = op.zcal(state, 300.0f, 1e5f);
        ASSERT_TRUE(result) << op.name;
        const auto expected = ref::zRoots(row.eos, testing::asStored(ref::methane), 300.0, 1e5);
        ASSERT_EQ(expected.size(), 1u) << op.name;
        EXPECT_TRUE(result->singleRealRoot());
        for (float root : result->roots) {
            EXPECT_EQ(root, result->roots[0]) << op.name;
            EXPECT_NEAR(root, expected[0], rootTolerance) << op.name;
            EXPECT_NEAR(root, row.quoted, 0.00005) << op.name;
        }
    }
}

TEST(Compressibility, MethaneAt150KAnd10BarHasThreeRoots)
{
    const struct {
        Eos eos;
        std::array<double, 3> quoted; // four significant digits
    } rows[] = {{Eos::PengRobinson, {0.03312, 0.1204, 0.8250}}, {Eos::VanDerWaals, {0.05348, 0.1098, 0.8713}}};
    for (const auto& row : rows) {
        const Operation& op = operations[static_cast<int>(row.eos) - 1];
        auto state = testing::stateFor(EosHost::MolarVolumeCalculator, ref::methane, row.eos);
        const auto result = op.zcal(state, 150.0f, 1e6f);
        ASSERT_TRUE(result);
        for (int i = 0; i < 3; ++i) {
            const double halfLastDigit = 0.5e-3 * std::pow(10.0, std::floor(std::log10(row.quoted[i])));
            EXPECT_NEAR(result->roots[i], row.quoted[i], halfLastDigit) << op.name << " root " << i;
        }
    }
    for (const Operation& op : operations) {
        auto state = testing::stateFor(EosHost::MolarVolumeCalculator, ref::methane, op.eos);
        const auto result = op.zcal(state, 150.0f, 1e6f);
        ASSERT_TRUE(result) << op.name;
        const auto expected = ref::zRoots(op.eos, testing::asStored(ref::methane), 150.0, 1e6);
        ASSERT_EQ(expected.size(), 3u) << op.name;
        EXPECT_FALSE(result->singleRealRoot());
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(result->roots[i], expected[i], rootTolerance) << op.name << " root " << i;
    }
}

TEST(Compressibility, NegativeAcentricFactorIsComputedAsItComes)
{
    const ref::Fluid hydrogen{"hydrogen", 33.19, 1.313e6, -0.216, 20.38};
    for (const Operation& op : operations) {
        auto state = testing::stateFor(EosHost::MolarVolumeCalculator, hydrogen, op.eos);
        const auto result = op.zcal(state, 25.0f, 2e5f);
        ASSERT_TRUE(result) << op.name;
        const auto expected = ref::zRoots(op.eos, testing::asStored(hydrogen), 25.0, 2e5);
        EXPECT_NEAR(result->roots[2], expected.back(), rootTolerance) << op.name;
        EXPECT_NEAR(result->roots[0], expected.front(), rootTolerance) << op.name;
    }
}

TEST(Compressibility, SoaveEqualsRedlichKwongAtTheCriticalTemperature)
{
    auto state = testing::stateFor(EosHost::MolarVolumeCalculator, ref::ethanol, Eos::SoaveRedlichKwong);
    const float Tc = state.component.Tc;
    for (float p : {1e5f, 2e6f, 6e6f, 2e7f}) {
        const auto soave = ZcalSRK(state, Tc, p);
        const auto redlichKwong = ZcalRK(state, Tc, p);
        ASSERT_TRUE(soave && redlichKwong);
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(soave->roots[i], redlichKwong->roots[i], 1e-6) << p;
    }
}

TEST(Compressibility, ZeroPressureGivesRootOneAndTwoNearZero)
{
    for (const Operation& op : operations) {
        auto state = testing::stateFor(EosHost::MolarVolumeCalculator, ref::methane, op.eos);
        const auto result = op.zcal(state, 150.0f, 0.0f);
        ASSERT_TRUE(result) << op.name;
        EXPECT_NEAR(result->roots[2], 1.0, 1e-6) << op.name;
        EXPECT_NEAR(result->roots[0], 0.0, 1e-3) << op.name;
        EXPECT_NEAR(result->roots[1], 0.0, 1e-3) << op.name;
    }
}

TEST(Compressibility, ResultDependsOnTheArgumentsNotTheStateTemperatureOrPressure)
{
    for (const Operation& op : operations) {
        auto state = testing::stateFor(EosHost::MolarVolumeCalculator, ref::propane, op.eos);
        state.T = 300.0f;
        state.p = 1e6f;
        const auto first = op.zcal(state, 250.0f, 3e5f);
        state.T = 0.0f;
        state.p = std::numeric_limits<float>::quiet_NaN();
        const auto second = op.zcal(state, 250.0f, 3e5f);
        ASSERT_TRUE(first && second) << op.name;
        EXPECT_EQ(first->roots, second->roots) << op.name;
    }
}

// The numbers of the steps report, parsed back, against the reference's double values.
void expectNumberSlot(const std::string& text, double expected, const char* what)
{
    EXPECT_NEAR(services::val(text), expected, 1e-6 * std::fabs(expected) + 1e-12) << what << ": " << text;
    EXPECT_EQ(services::singleText(static_cast<float>(services::val(text))), text) << what;
}

TEST(CompressibilitySteps, ReportSlotsNineToEighteenForEachEquation)
{
    // At T = Tc alpha is exactly 1, and with omega 0 m and kappa are the bare constants.
    ref::Fluid fluid = testing::asStored(ref::methane);
    fluid.omega = 0.0;
    const double T = fluid.Tc;
    const double P = 2e6;
    const struct {
        Eos eos;
        const char* name;
        const char* slot12;
        const char* slot13;
    } rows[] = {{Eos::VanDerWaals, "Vander Waal", "", ""},
                {Eos::RedlichKwong, "Redlick Kwong", "", ""},
                {Eos::SoaveRedlichKwong, "Soave Redlick Kwong", "S = 0.48", "alphaSR =1"},
                {Eos::PengRobinson, "Peng Robinson", "S = 0.37464", "alphaPR =1"}};
    for (const auto& row : rows) {
        const Operation& op = operations[static_cast<int>(row.eos) - 1];
        auto state = testing::stateFor(EosHost::DepartureFunctionCalculator, fluid, row.eos);
        for (int slot = 9; slot <= 18; ++slot)
            state.result[slot] = "old";
        state.stepsflag = 1;
        ASSERT_TRUE(op.zcal(state, static_cast<float>(T), static_cast<float>(P)));
        const auto c = ref::cubic(row.eos, fluid, T, P);
        EXPECT_EQ(state.result[9], row.name);
        expectNumberSlot(state.result[10], ref::a(row.eos, fluid, T), "a");
        expectNumberSlot(state.result[11], ref::b(row.eos, fluid), "b");
        EXPECT_EQ(state.result[12], row.slot12);
        EXPECT_EQ(state.result[13], row.slot13);
        expectNumberSlot(state.result[14], c.A, "A");
        expectNumberSlot(state.result[15], c.B, "B");
        expectNumberSlot(state.result[16], c.c2, "c2");
        expectNumberSlot(state.result[17], c.c1, "c1");
        expectNumberSlot(state.result[18], c.c0, "c0");
        EXPECT_EQ(state.stepsflag, 1) << "the compressibility operations never change it";
        EXPECT_EQ(state.result[8], "");
        EXPECT_EQ(state.result[19], "");
    }
}

TEST(CompressibilitySteps, KappaOfPengRobinsonForAcentricFactorOne)
{
    ref::Fluid fluid = testing::asStored(ref::methane);
    fluid.omega = 1.0;
    auto state = testing::stateFor(EosHost::MolarVolumeCalculator, fluid, Eos::PengRobinson);
    state.stepsflag = 1;
    ASSERT_TRUE(ZcalPR(state, 150.0f, 1e6f));
    EXPECT_EQ(state.result[12], "S = 1.64698"); // 0.37464 + 1.54226 - 0.26992
    EXPECT_EQ(state.result[16].substr(0, 1), "-");
}

TEST(CompressibilitySteps, OnlyStepsflagOneInAReportingWindowWritesSlots)
{
    const struct {
        EosHost host;
        std::int16_t stepsflag;
        bool writes;
    } rows[] = {{EosHost::MolarVolumeCalculator, 0, false},     {EosHost::MolarVolumeCalculator, 2, false},
                {EosHost::PureComponentFugacityCalculator, 1, true}, {EosHost::DepartureFunctionCalculator, 1, true},
                {EosHost::EnthalpyCalculator, 1, false},         {EosHost::EntropyCalculator, 1, false},
                {EosHost::SaturationPressureCalculator, 1, false}, {EosHost::SaturationTemperatureCalculator, 1, false},
                {EosHost::Datapoints, 1, false}};
    for (const auto& row : rows) {
        for (const Operation& op : operations) {
            auto state = testing::stateFor(row.host, ref::methane, op.eos);
            state.stepsflag = row.stepsflag;
            ASSERT_TRUE(op.zcal(state, 150.0f, 1e6f));
            EXPECT_EQ(!state.result[9].empty(), row.writes) << op.name << " host " << static_cast<int>(row.host);
            EXPECT_EQ(!state.result[18].empty(), row.writes) << op.name;
        }
    }
}

TEST(CompressibilitySteps, SlotsAreWrittenEvenWhenCardanThenFails)
{
    // At 1e18 Pa the Redlich-Kwong coefficients are finite floats, but p^3/27 overflows.
    testing::ScriptedUi ui;
    auto state = testing::stateFor(EosHost::MolarVolumeCalculator, ref::methane, Eos::RedlichKwong);
    state.stepsflag = 1;
    EXPECT_FALSE(ZcalRK(state, 300.0f, 1e18f));
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"Error in cardan Method Calculation perhaphs unvalid data entry"});
    EXPECT_EQ(state.result[9], "Redlick Kwong");
    EXPECT_EQ(state.result[16], "-1");
    EXPECT_FALSE(state.result[18].empty());
}

TEST(CompressibilityFailures, ZeroTemperatureOrCriticalPressureTakesTheVariantMessage)
{
    const struct {
        EosHost host;
        std::array<const char*, 4> messages; // in optionno order: vdW, PR, RK, SRK
    } rows[] = {
        {EosHost::EnthalpyCalculator, {"error in Zcal", "error in Zcal", "error in Zcal", "error in Zcal"}},
        {EosHost::EntropyCalculator, {"error in Zcal", "error in Zcal", "error in Zcal", "error in Zcal"}},
        {EosHost::SaturationTemperatureCalculator, {"error in Zcal", "error in Zcal", "error in Zcal", "error in Zcal"}},
        {EosHost::MolarVolumeCalculator, {"error in Zcal", "error in Zcal", "error in Zcal", "error in Zcal"}},
        {EosHost::SaturationPressureCalculator,
         {"error in Zcalvanderwaal", "error in Zcalpr", "error in ZcalRK", "error in Zcalsrk"}},
        {EosHost::Datapoints, {nullptr, nullptr, nullptr, nullptr}},
    };
    const struct {
        float T;
        float Pc;
        const char* what;
    } faults[] = {{0.0f, 4.599e6f, "T = 0"}, {150.0f, 0.0f, "Pc = 0"}};
    for (const auto& row : rows) {
        for (const Operation& op : operations) {
            for (const auto& bad : faults) {
                testing::ScriptedUi ui;
                auto state = testing::stateFor(row.host, ref::methane, op.eos);
                state.component.Pc = bad.Pc;
                state.stepsflag = 1;
                EXPECT_FALSE(op.zcal(state, bad.T, 1e6f)) << op.name << " " << bad.what;
                const char* expected = row.messages[static_cast<int>(op.eos) - 1];
                EXPECT_EQ(ui.messages(), expected ? std::vector<std::string>{expected} : std::vector<std::string>{})
                    << op.name << " " << bad.what;
                EXPECT_EQ(state.result[9], "") << "no slot is written before a failure";
            }
        }
    }
}

TEST(EosStateLoad, CriticalPressureGoesFromBarToPascal)
{
    EosState state(EosHost::MolarVolumeCalculator);
    ComponentConstants methane;
    methane.compoundname = "methane";
    methane.Tc = 190.56f;
    methane.Pc = 45.99f;
    ASSERT_TRUE(state.loadComponent(methane));
    EXPECT_EQ(state.component.compoundname, "methane");
    EXPECT_EQ(state.component.Tc, 190.56f);
    EXPECT_EQ(state.component.Pc, static_cast<float>(45.99f * 1e5));

    ComponentConstants huge = methane;
    huge.Pc = 1e36f; // 1e41 Pa does not fit a float
    EXPECT_FALSE(state.loadComponent(huge));
    EXPECT_EQ(state.component.Pc, static_cast<float>(45.99f * 1e5)) << "unchanged";
}

TEST(CompressibilityFailures, OptionOutsideOneToFourSelectsNothing)
{
    testing::ScriptedUi ui;
    auto state = testing::stateFor(EosHost::MolarVolumeCalculator, ref::methane, Eos::PengRobinson);
    for (std::int16_t option : {0, 5, -1}) {
        state.optionno = option;
        EXPECT_FALSE(compressibilityRoots(state, 150.0f, 1e6f));
    }
    state.optionno = 2;
    EXPECT_EQ(compressibilityRoots(state, 150.0f, 1e6f)->roots, ZcalPR(state, 150.0f, 1e6f)->roots);
    EXPECT_TRUE(ui.messages().empty());
}

} // namespace
} // namespace calvex::core
