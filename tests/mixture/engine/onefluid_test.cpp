#include "mixture/engine/mixtureeos.h"
#include "tests/mixture/engine/eostestsupport.h"
#include "tests/support/scriptedui.h"

#include <gtest/gtest.h>

namespace calvex::mixture::testing {
namespace {

using AbRoutine = EosResult (*)(MixtureState&, float, float);

// Each a_i and b_i is one formula rounded once to 32 bits; am and bm add four and two rounded
// terms, so a few units in the last place of a float (1.2e-7 each) cover them.
constexpr double parameterTolerance = 1e-6;

TEST(OneFluidParameters, MethaneButaneAt250KMatchADoublePrecisionMixture)
{
    const float T = 250.0f;
    for (const Equation& row : equations) {
        calvex::testing::ScriptedUi ui;
        MixtureState state = stateOf({methane, butane}, {0.5f, 0.5f});
        const MixtureModel model{row.eos, {methane, butane}};
        const EosResult result = row.ab(state, T, 1e6f);
        ASSERT_TRUE(result) << row.name;
        EXPECT_NEAR((*result)[0], model.am({0.5, 0.5}, T), parameterTolerance * model.am({0.5, 0.5}, T)) << row.name;
        EXPECT_NEAR((*result)[1], model.bm({0.5, 0.5}), parameterTolerance * model.bm({0.5, 0.5})) << row.name;
        EXPECT_EQ((*result)[2], 0.0f) << row.name;
        for (std::size_t i = 0; i < 2; ++i) {
            EXPECT_NEAR(state.a[i], model.a(i, T), parameterTolerance * model.a(i, T)) << row.name << i;
            EXPECT_NEAR(state.b[i], model.b(i), parameterTolerance * model.b(i)) << row.name << i;
        }
        EXPECT_TRUE(ui.texts().empty()) << row.name;
    }
}

TEST(OneFluidParameters, IdenticalComponentsGiveTheComponentsOwnParameters)
{
    for (const Equation& row : equations) {
        for (float y0 : {0.1f, 0.37f, 0.5f, 0.9f}) {
            MixtureState state = stateOf({butane, butane}, {y0, 1.0f - y0});
            const EosResult result = row.ab(state, 300.0f, 2e5f);
            ASSERT_TRUE(result) << row.name;
            EXPECT_NEAR((*result)[0], state.a[0], 4e-7 * state.a[0]) << row.name << ' ' << y0;
            EXPECT_NEAR((*result)[1], state.b[0], 4e-7 * state.b[0]) << row.name << ' ' << y0;
        }
    }
}

TEST(OneFluidParameters, VanderwaalIgnoresStateAndRedlichKwongFollowsRootT)
{
    MixtureState state = stateOf({methane, butane}, {0.3f, 0.7f});
    const EosResult cold = eos::abvanderwaal(state, 100.0f, 1e3f);
    const EosResult hot = eos::abvanderwaal(state, 900.0f, 1e8f);
    ASSERT_TRUE(cold && hot);
    EXPECT_EQ(*cold, *hot);

    const EosResult rk1 = eos::abRK(state, 200.0f, 1e5f);
    const EosResult rk2 = eos::abRK(state, 450.0f, 3e6f);
    ASSERT_TRUE(rk1 && rk2);
    EXPECT_NEAR((*rk2)[0], (*rk1)[0] * std::sqrt(200.0 / 450.0), 1e-6 * (*rk2)[0]);
    EXPECT_EQ((*rk2)[1], (*rk1)[1]);
}

TEST(OneFluidParameters, AbsentComponentStillGetsItsParameters)
{
    MixtureState state = stateOf({methane, butane}, {1.0f, 0.0f});
    const EosResult result = eos::abPR(state, 250.0f, 1e6f);
    ASSERT_TRUE(result);
    const MixtureModel model{Eos::PengRobinson, {methane, butane}};
    EXPECT_NEAR(state.a[1], model.a(1, 250.0), parameterTolerance * model.a(1, 250.0));
    EXPECT_EQ((*result)[0], state.a[0]);
    EXPECT_EQ((*result)[1], state.b[0]);
}

TEST(OneFluidParameters, EveryEquationOverwritesComponentZero)
{
    MixtureState state = stateOf({methane, butane}, {0.5f, 0.5f});
    ASSERT_TRUE(eos::abRK(state, 250.0f, 1e6f));
    const float rkA = state.a[0];
    ASSERT_TRUE(eos::abPR(state, 250.0f, 1e6f));
    EXPECT_NE(state.a[0], rkA);
    const MixtureModel model{Eos::PengRobinson, {methane, butane}};
    EXPECT_NEAR(state.a[0], model.a(0, 250.0), parameterTolerance * model.a(0, 250.0));
}

// Bad constants stop the routine with its message; the components before the bad one keep
// their new parameters, the bad one and those after it their old ones.
TEST(OneFluidParameters, BadInputStopsWithAbcalKeepingEarlierComponents)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        const char* what;
        AbRoutine routine;
        float T;
        int badSlot;
        float Tc;
        float Pc;
    } rows[] = {
        {"zero Pc, van der Waals", eos::abvanderwaal, 250.0f, 1, 425.12f, 0.0f},
        {"zero Pc, Peng-Robinson", eos::abPR, 250.0f, 1, 425.12f, 0.0f},
        {"zero Tc, Soave", eos::abSRK, 250.0f, 1, 0.0f, 37.96e5f},
        {"zero Tc, Peng-Robinson", eos::abPR, 250.0f, 0, 0.0f, 37.96e5f},
        {"zero T, Redlich-Kwong", eos::abRK, 0.0f, 0, 425.12f, 37.96e5f},
        {"negative T, Soave", eos::abSRK, -5.0f, 0, 425.12f, 37.96e5f},
        {"huge Tc overflows a", eos::abvanderwaal, 250.0f, 1, 1e30f, 37.96e5f},
        {"NaN Pc", eos::abRK, 250.0f, 1, 425.12f, nan},
        {"NaN T", eos::abPR, nan, 0, 425.12f, 37.96e5f},
    };
    for (const auto& row : rows) {
        calvex::testing::ScriptedUi ui;
        MixtureState state = stateOf({methane, butane}, {0.5f, 0.5f});
        state.Tc[row.badSlot] = row.Tc;
        state.Pc[row.badSlot] = row.Pc;
        state.a = {-1.0f, -1.0f};
        state.b = {-2.0f, -2.0f};
        EXPECT_FALSE(row.routine(state, row.T, 1e6f)) << row.what;
        EXPECT_EQ(ui.messages(), std::vector<std::string>{"error in abcal"}) << row.what;
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(state.a[i] == -1.0f, i >= row.badSlot) << row.what << i;
            EXPECT_EQ(state.b[i] == -2.0f, i >= row.badSlot) << row.what << i;
        }
    }
}

TEST(OneFluidParameters, MoreComponentsThanSlotsIsAFailureNotAnOverrun)
{
    calvex::testing::ScriptedUi ui;
    MixtureState state = stateOf({methane, butane}, {0.5f, 0.5f});
    state.nos = 8;
    for (int i = 2; i < mixtureSlots; ++i) {
        state.Tc[i] = 300.0f;
        state.Pc[i] = 40e5f;
    }
    EXPECT_FALSE(eos::abSRK(state, 250.0f, 1e6f));
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"error in abcal"});
}

} // namespace
} // namespace calvex::mixture::testing
