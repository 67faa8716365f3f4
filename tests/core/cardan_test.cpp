#include "core/cardan.h"

#include "tests/core/referenceeos.h"
#include "tests/support/scriptedui.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace calvex::core {
namespace {

const std::string cardanMessage = "Error in cardan Method Calculation perhaphs unvalid data entry";

// The roots (at most 4 here) are 32-bit values built from 32-bit intermediates: a few units
// in the last place of a float.
constexpr double edgeTolerance = 2e-6;

struct CubicCase {
    const char* name;
    float c2, c1, c0;
    std::array<double, 3> roots;
    const char* branch; // "three", "repeated", "one"
    const char* source;
};

class CardanCases : public ::testing::TestWithParam<CubicCase> {};

TEST_P(CardanCases, GivesTheRootsAscendingOnTheExpectedBranch)
{
    const CubicCase& row = GetParam();
    testing::ScriptedUi ui;
    const auto result = Cardan(row.c2, row.c1, row.c0);
    ASSERT_TRUE(result) << row.source;
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(result->roots[i], row.roots[i], edgeTolerance) << row.source << " root " << i;
    EXPECT_LE(result->roots[0], result->roots[1]);
    EXPECT_LE(result->roots[1], result->roots[2]);
    const std::string branch = row.branch;
    if (branch == "three")
        EXPECT_LT(result->details.D, 0.0f) << row.source;
    else if (branch == "repeated")
        EXPECT_EQ(result->details.D, 0.0f) << row.source;
    else
        EXPECT_GT(result->details.D, 0.0f) << row.source;
    EXPECT_TRUE(ui.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cardan, CardanCases,
    ::testing::Values(CubicCase{"ThreeRootsQZero", -6, 11, -6, {1, 2, 3}, "three", "(z-1)(z-2)(z-3), q = 0"},
                      CubicCase{"ThreeRootsQPositive", -8, 19, -12, {1, 3, 4}, "three", "(z-1)(z-3)(z-4), q > 0"},
                      CubicCase{"DoubleRootQNegative", -6, 9, -4, {1, 1, 4}, "repeated", "(z-1)^2(z-4), q < 0"},
                      CubicCase{"DoubleRootQPositive", -3, 0, 4, {-1, 2, 2}, "repeated", "(z+1)(z-2)^2, q = 2"},
                      CubicCase{"TripleRoot", -3, 3, -1, {1, 1, 1}, "repeated", "(z-1)^3, p = q = 0"},
                      CubicCase{"OneRootUZero", 0, 0, 1, {-1, -1, -1}, "one", "z^3 + 1, u = 0"},
                      CubicCase{"OneRootVZero", 0, 0, -1, {1, 1, 1}, "one", "z^3 - 1, v = 0"},
                      CubicCase{"OneRootBesideAComplexPair", -1, 1, -1, {1, 1, 1}, "one", "(z-1)(z^2+1)"},
                      CubicCase{"ThreeRootsOneNegative", -2, -5, 6, {-2, 1, 3}, "three", "(z+2)(z-1)(z-3)"}),
    [](const ::testing::TestParamInfo<CubicCase>& info) { return std::string(info.param.name); });

TEST(Cardan, DetailsOfTheTrigonometricBranch)
{
    const auto quarter = Cardan(-6, 11, -6);
    ASSERT_TRUE(quarter);
    EXPECT_EQ(quarter->details.p, -1.0f);
    EXPECT_EQ(quarter->details.q, 0.0f);
    EXPECT_FLOAT_EQ(quarter->details.D, static_cast<float>(-1.0 / 27.0));
    EXPECT_FLOAT_EQ(quarter->details.phi(), static_cast<float>(std::numbers::pi / 2.0));
    EXPECT_FLOAT_EQ(quarter->details.r(), static_cast<float>(std::sqrt(1.0 / 27.0)));

    const auto obtuse = Cardan(-8, 19, -12);
    ASSERT_TRUE(obtuse);
    EXPECT_GT(obtuse->details.q, 0.0f);
    EXPECT_GT(obtuse->details.phi(), std::numbers::pi / 2.0);
    EXPECT_LT(obtuse->details.phi(), std::numbers::pi);
}

TEST(Cardan, RepeatedRootBranchIsReachedWithAnExactlyZeroDiscriminant)
{
    const auto result = Cardan(-6, 9, -4);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->details.p, -3.0f);
    EXPECT_EQ(result->details.q, -2.0f);
    EXPECT_EQ(result->details.D, 0.0f);
    EXPECT_EQ(result->details.r(), 0.0f);
    EXPECT_EQ(result->details.phi(), 0.0f);
}

TEST(Cardan, OneRootBranchReportsDiscriminantAndCoefficients)
{
    // z^3 - z^2 + z - 1: p = 1 - 1/3, q = -2/27 + 1/3 - 1, D = p^3/27 + q^2/4.
    const double p = 1.0 - 1.0 / 3.0;
    const double q = -2.0 / 27.0 + 1.0 / 3.0 - 1.0;
    const auto result = Cardan(-1, 1, -1);
    ASSERT_TRUE(result);
    EXPECT_FLOAT_EQ(result->details.p, static_cast<float>(p));
    EXPECT_FLOAT_EQ(result->details.q, static_cast<float>(q));
    EXPECT_FLOAT_EQ(result->details.D, static_cast<float>(p * p * p / 27.0 + q * q / 4.0));
    EXPECT_TRUE(result->singleRealRoot());
    EXPECT_TRUE(result->rootAboveInflection());
}

TEST(Cardan, AgreesWithAnIndependentSolveOverCompressibilityCubics)
{
    // Cubics of the Peng-Robinson form over a grid of A and B, against the reference's bisection on
    // the same 32-bit coefficients. Small B with A/B of a liquid gives liquid roots down to
    // Z 1e-6. Every root, however small, is within 1e-6 of the double solve, relative: rounding
    // the root to 32 bits leaves 6e-8. (A solve through 32-bit intermediates erred by up to
    // 3e-6 absolute, wrong in sign below Z 1e-5.)
    int smallRoots = 0;
    for (double B : {1e-6, 1e-5, 1e-4, 0.0005, 0.004, 0.02, 0.06, 0.2}) {
        for (double A : {0.001, 0.02, 0.08, 0.3, 1.2, 6.0 * B, 12.0 * B, 25.0 * B}) {
            const float c2 = static_cast<float>(B - 1.0);
            const float c1 = static_cast<float>(A - 3.0 * B * B - 2.0 * B);
            const float c0 = static_cast<float>(B * B * B + B * B - A * B);
            const auto expected = testing::reference::cubicRoots(c2, c1, c0);
            const auto result = Cardan(c2, c1, c0);
            ASSERT_TRUE(result) << A << " " << B;
            EXPECT_EQ(result->singleRealRoot(), expected.size() == 1) << A << " " << B;
            for (int i = 0; i < 3; ++i) {
                const double root = expected[expected.size() == 1 ? 0 : i];
                EXPECT_NEAR(result->roots[i], root, 1e-6 * std::fabs(root)) << A << " " << B << " root " << i;
            }
            smallRoots += expected.front() > 0.0 && expected.front() < 1e-5;
        }
    }
    EXPECT_GT(smallRoots, 3);
}

TEST(Cardan, SmallLiquidRootsOfRealFluids)
{
    // Z of the liquid at 1 bar, from the same coefficients solved in double precision by the
    // reference. The old single-precision solve gave 0.004123173 for propane (0.00412393).
    const struct {
        testing::reference::Fluid fluid;
        testing::reference::Eos eos;
        double T; // K
    } rows[] = {{testing::reference::propane, testing::reference::Eos::RedlichKwong, 300.0},
                {{"water", 647.14, 220.64e5, 0.344, 373.15}, testing::reference::Eos::PengRobinson, 300.0},
                {{"water", 647.14, 220.64e5, 0.344, 373.15}, testing::reference::Eos::SoaveRedlichKwong, 300.0}};
    for (const auto& row : rows) {
        const auto c = testing::reference::cubic(row.eos, row.fluid, row.T, 1e5);
        const float c2 = static_cast<float>(c.c2);
        const float c1 = static_cast<float>(c.c1);
        const float c0 = static_cast<float>(c.c0);
        const double liquid = testing::reference::cubicRoots(c2, c1, c0).front();
        const auto result = Cardan(c2, c1, c0);
        ASSERT_TRUE(result) << row.fluid.name;
        EXPECT_NEAR(result->roots[0], liquid, 1e-6 * liquid) << row.fluid.name;
    }
}

TEST(Cardan, OverflowOfTheCoefficientsShowsTheMessageAndGivesNothing)
{
    const float bad[][3] = {{1e20f, 0, 0},
                            {std::numeric_limits<float>::quiet_NaN(), 1, 1},
                            {0, std::numeric_limits<float>::infinity(), 1},
                            {0, -1e30f, 0}};
    for (const auto& c : bad) {
        testing::ScriptedUi ui;
        EXPECT_FALSE(Cardan(c[0], c[1], c[2])) << c[0] << " " << c[1] << " " << c[2];
        EXPECT_EQ(ui.messages(), std::vector<std::string>{cardanMessage});
    }
}

} // namespace
} // namespace calvex::core
