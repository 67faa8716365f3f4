// The engine's component parameters, mixing rule and its own cubic solve.

#include "mixture/engine/mixturework.h"
#include "tests/mixture/engine/enginecall.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace calvex::mixture::testing {
namespace {

// Roots of a cubic with single-precision coefficients, well-separated roots.
constexpr double rootTolerance = 1e-4;

std::vector<double> sorted(const std::array<float, 3>& roots)
{
    std::vector<double> values(roots.begin(), roots.end());
    std::sort(values.begin(), values.end());
    return values;
}

TEST(MixtureCubic, ThreeRootsWithPositiveQComeOutLargestSmallestMiddle)
{
    // (Z − 0.05)(Z − 0.45)(Z − 0.5)
    const MixtureCubic cubic = solveMixtureCubic(-1.0f, 0.2725f, -0.01125f);
    EXPECT_GT(cubic.q, 0.0f);
    EXPECT_LT(cubic.D, 0.0f);
    EXPECT_NEAR(cubic.roots[0], 0.5, 1e-6);
    EXPECT_NEAR(cubic.roots[1], 0.05, 1e-6);
    EXPECT_NEAR(cubic.roots[2], 0.45, 1e-6);
}

TEST(MixtureCubic, ZeroQGivesTheRootsAroundAThird)
{
    const float c2 = 0.3f;
    const float c3 = static_cast<float>((2.0 - 9.0 * c2) / 27.0);
    const MixtureCubic cubic = solveMixtureCubic(-1.0f, c2, c3);
    const double spread = std::sqrt(-double(cubic.p));
    EXPECT_NEAR(cubic.q, 0.0, 1e-8);
    EXPECT_EQ(sorted(cubic.roots).size(), 3u);
    EXPECT_NEAR(sorted(cubic.roots)[0], 1.0 / 3.0 - spread, 1e-6);
    EXPECT_NEAR(sorted(cubic.roots)[1], 1.0 / 3.0, 1e-6);
    EXPECT_NEAR(sorted(cubic.roots)[2], 1.0 / 3.0 + spread, 1e-6);
}

TEST(MixtureCubic, ZeroDiscriminantWithPositiveQGivesANegativeSimpleRoot)
{
    // (Z − 1)²(Z + 2): p = −3, q = 2, D = 0 exactly.
    const MixtureCubic cubic = solveMixtureCubic(0.0f, -3.0f, 2.0f);
    EXPECT_EQ(cubic.D, 0.0f);
    EXPECT_EQ(sorted(cubic.roots), (std::vector<double>{-2.0, 1.0, 1.0}));
}

TEST(MixtureCubic, OneRealRootIsReturnedThreeTimes)
{
    // (Z − 1)(Z² + Z + 2)
    const MixtureCubic cubic = solveMixtureCubic(0.0f, 1.0f, -2.0f);
    EXPECT_GT(cubic.D, 0.0f);
    for (float root : cubic.roots)
        EXPECT_NEAR(root, 1.0, 1e-6);
}

TEST(MixtureCubic, RootsAgreeWithBracketingAndBisection)
{
    int cubics = 0;
    for (double r1 = -0.3; r1 < 0.6; r1 += 0.07)
        for (double r2 = r1 + 0.05; r2 < 1.0; r2 += 0.09)
            for (double r3 = r2 + 0.05; r3 < 1.6; r3 += 0.13) {
                const float c1 = float(-(r1 + r2 + r3));
                const float c2 = float(r1 * r2 + r1 * r3 + r2 * r3);
                const float c3 = float(-r1 * r2 * r3);
                const auto expected = reference::cubicRoots(c1, c2, c3);
                ASSERT_EQ(expected.size(), 3u);
                const auto actual = sorted(solveMixtureCubic(c1, c2, c3).roots);
                for (int k = 0; k < 3; ++k)
                    EXPECT_NEAR(actual[k], expected[k], rootTolerance) << r1 << " " << r2 << " " << r3;
                ++cubics;
            }
    EXPECT_GT(cubics, 100);
}

TEST(MixtureCubic, SmallLiquidRootsAgreeWithTheDoubleSolveToOneMillionth)
{
    // Redlich-Kwong cubics of liquids at low pressure (A/B of a liquid, B down to 1e-6), against
    // Newton with deflation on the same 32-bit coefficients: relative 1e-6 for every root, where
    // rounding to 32 bits leaves 6e-8.
    for (double B : {1e-6, 1e-5, 1e-4, 1e-3, 1e-2}) {
        for (double ratio : {6.0, 12.0, 25.0}) {
            const double A = ratio * B;
            const float c2 = float(A - B - B * B);
            const float c3 = float(-A * B);
            const auto expected = reference::cubicRoots(-1.0f, c2, c3);
            ASSERT_EQ(expected.size(), 3u) << B << " " << ratio;
            const auto actual = sorted(solveMixtureCubic(-1.0f, c2, c3).roots);
            for (int k = 0; k < 3; ++k)
                EXPECT_NEAR(actual[k], expected[k], 1e-6 * std::fabs(expected[k])) << B << " " << ratio << " " << k;
        }
    }
}

TEST(MixtureCubic, NearCriticalStatesSolveWithoutATrap)
{
    // At T = Tc, P = Pc the cubic has a triple root (Zc 0.3074 for Peng–Robinson, 1/3 for the
    // other two); rounding splits it by about the cube root of the float epsilon.
    const double criticalZ[] = {0.3074, 1.0 / 3.0, 1.0 / 3.0};
    for (int m = 0; m < 3; ++m)
        for (float Tc = 150.0f; Tc < 700.0f; Tc += 37.0f)
            for (float Pc = 20.0f; Pc < 80.0f; Pc += 7.0f) {
                Feed pure;
                pure.add("pure", Tc, Pc, 0.2f, 0.7f * Tc, 1);
                const Call call = callEngine(members[m], MixtureMode::MolarVolume, Tc, Pc, pure);
                ASSERT_TRUE(call.messages.empty()) << members[m].name << " " << Tc << " " << Pc;
                EXPECT_NEAR(services::val(call.out[9]), criticalZ[m], 0.01);
                EXPECT_NEAR(services::val(call.out[13]), criticalZ[m], 0.01);
            }
}

// A work record over `feed` at T and P, as a mode sets it up.
MixtureWork workFor(const Feed& feed, float T, float P)
{
    MixtureWork work;
    work.n = feed.n();
    work.Tc = feed.Tc;
    work.Pc = feed.Pc;
    work.omega = feed.omega;
    work.Twork = T;
    work.Pwork = P;
    return work;
}

TEST(MixtureWork, RedlichKwongParametersOfMethaneAt300K)
{
    Feed methane;
    methane.add("methane", 190.6f, 46.0f, 0.011f, 111.7f, 1);
    MixtureWork work = workFor(methane, 300.0f, 10.0f);
    ComputeComponentParams(work, redlichKwongTraits);
    EXPECT_NEAR(work.bi[1], 2.985e-05, 0.0005e-05);
    EXPECT_NEAR(work.ac[1], 2.334e-06, 0.0005e-06);
    EXPECT_NEAR(work.ai[1], 1.860e-06, 0.0005e-06);
    SolveMixtureZ(work, redlichKwongTraits);
    EXPECT_NEAR(work.ZV, 0.9823, 1e-4);
    EXPECT_EQ(work.ZL, work.ZV);

    // a falls as 1/√T.
    MixtureWork hotter = workFor(methane, 600.0f, 10.0f);
    ComputeComponentParams(hotter, redlichKwongTraits);
    EXPECT_NEAR(hotter.ai[1], work.ai[1] / std::sqrt(2.0), 1e-6 * work.ai[1]);
}

TEST(MixtureWork, IdenticalComponentsHaveThePureComponentsFugacityCoefficient)
{
    Feed twice;
    twice.add("propane", 369.8f, 42.48f, 0.152f, 231.1f, 1).add("propane", 369.8f, 42.48f, 0.152f, 231.1f, 1);
    Feed once;
    once.add("propane", 369.8f, 42.48f, 0.152f, 231.1f, 1);
    for (const MixtureEngineTraits* equation : {&pengRobinsonTraits, &soaveRedlichKwongTraits, &redlichKwongTraits})
        for (const float liquid : {0.0f, 1.0f}) {
            MixtureWork mixture = workFor(twice, 300.0f, 8.0f);
            mixture.xtrial[1] = 0.3f;
            mixture.xtrial[2] = 0.7f;
            mixture.fugflag = 1;
            mixture.liquidflag = liquid;
            ComputeComponentParams(mixture, *equation);
            SolveMixtureZ(mixture, *equation);
            MixtureWork pure = workFor(once, 300.0f, 8.0f);
            pure.fugflag = 1;
            pure.liquidflag = liquid;
            ComputeComponentParams(pure, *equation);
            SolveMixtureZ(pure, *equation);
            EXPECT_NEAR(mixture.aij[1][2], pure.ai[1], 1e-6 * pure.ai[1]);
            EXPECT_NEAR(mixture.phi[1], pure.phi[1], 2e-5 * pure.phi[1]);
            EXPECT_NEAR(mixture.phi[2], pure.phi[1], 2e-5 * pure.phi[1]);
            EXPECT_NEAR(mixture.fug[2], 0.7 * 8.0 * pure.phi[1], 1e-4);
        }
}

TEST(MixtureWork, TrialCompositionIsMixedWithoutNormalising)
{
    const Feed feed = propaneButane();
    MixtureWork unit = workFor(feed, 300.0f, 5.0f);
    ComputeComponentParams(unit, pengRobinsonTraits);
    unit.xtrial[1] = 0.3f;
    unit.xtrial[2] = 0.7f;
    SolveMixtureZ(unit, pengRobinsonTraits);
    MixtureWork doubled = unit;
    doubled.xtrial[1] = 0.6f;
    doubled.xtrial[2] = 1.4f;
    SolveMixtureZ(doubled, pengRobinsonTraits);
    EXPECT_NEAR(doubled.am, 4.0 * unit.am, 1e-6 * unit.am);
    EXPECT_NEAR(doubled.bm, 2.0 * unit.bm, 1e-6 * unit.bm);
}

TEST(MixtureWork, LiquidRootBelowTheCovolumeIsReplacedByTheVapourRoot)
{
    // Propane at 50 K and thousands of bar: three real roots, the smallest below B.
    const struct {
        int member;
        float P;
    } rows[] = {{0, 4000.0f}, {1, 40000.0f}, {2, 40000.0f}};
    Feed propane;
    propane.add("propane", 369.8f, 42.48f, 0.152f, 231.1f, 1);
    for (const auto& row : rows) {
        const Member& member = members[row.member];
        const reference::Mixture reference(member.equation, propane.components());
        const double B = reference.bm({1.0}) * row.P / (8.314e-05 * 50.0);
        const reference::Roots roots = reference.roots({1.0}, 50.0, row.P);
        ASSERT_EQ(roots.count, 3) << member.name;
        ASSERT_EQ(roots.liquid, roots.vapour) << "no root between B and the vapour root";
        const Call call = callEngine(member, MixtureMode::MolarVolume, 50.0f, row.P, propane);
        EXPECT_EQ(call.out[13], call.out[9]) << member.name;
        EXPECT_EQ(call.out[14], call.out[10]);
        EXPECT_EQ(call.result.volumes[0], call.result.volumes[1]);
        EXPECT_NEAR(services::val(call.out[9]), roots.vapour, 1e-4 * roots.vapour);
        EXPECT_GT(services::val(call.out[9]), B);
    }
}

} // namespace
} // namespace calvex::mixture::testing
