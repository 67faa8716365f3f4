// The engine's numbers against a double-precision solve written in the tests (k_ij = 0), the
// numbers quoted for it, and consistency properties of its results.

#include "tests/mixture/engine/enginecall.h"

#include <gtest/gtest.h>

#include <cmath>

namespace calvex::mixture::testing {
namespace {

constexpr double R = 8.314e-05;
// The searches report the state of their last evaluation, 0.005 below the last Newton iterate,
// after a Newton step below 0.01 bar (0.0026 or 0.01 K): 0.02 bar and 0.15 K cover that.
constexpr double pressureTolerance = 0.02;     // bar
constexpr double temperatureTolerance = 0.15;  // K
// Phase compositions at a state that far from the reference one.
constexpr double fractionTolerance = 2e-3;
// Roots of the single-precision cubic.
constexpr double rootTolerance = 2e-5;

const std::string bubblePressureLine = "Calculated bubble  pressure = ";
const std::string dewPressureLine = "Calculated dew  pressure = ";
const std::string bubbleTemperatureLine = "Calculated bubble  temperature = ";
const std::string dewTemperatureLine = "Calculated dew  temperature = ";

// Fractions of the incipient phase from a bubble or dew report: line 10 + 4(i − 1).
std::vector<double> incipientFractions(const Call& call, int n)
{
    std::vector<double> fractions;
    for (int i = 1; i <= n; ++i)
        fractions.push_back(services::val(call.out[10 + 4 * (i - 1)]));
    return fractions;
}

TEST(MixtureEngine, MolarVolumeRootsMatchAnIndependentCubicSolve)
{
    const Feed feed = methaneButane();
    for (const Member& member : members) {
        SCOPED_TRACE(member.name);
        const reference::Mixture mixture(member.equation, feed.components());
        const auto x = feed.composition();
        const reference::Roots roots = mixture.roots(x, 250.0, 10.0);
        ASSERT_EQ(roots.count, 3);
        const Call call = callEngine(member, MixtureMode::MolarVolume, 250.0f, 10.0f, feed);
        ASSERT_EQ(call.result.kind, MixtureResult::Kind::Volumes);
        EXPECT_NEAR(services::val(call.out[9]), roots.vapour, rootTolerance);
        EXPECT_NEAR(services::val(call.out[13]), roots.liquid, rootTolerance);
        EXPECT_NEAR(call.result.volumes[1], roots.vapour * R * 250.0 / 10.0, rootTolerance * R * 25.0);
        EXPECT_NEAR(call.result.volumes[0], roots.liquid * R * 250.0 / 10.0, rootTolerance * R * 25.0);
        EXPECT_EQ(call.result.volumes[2], 0.0f);
        EXPECT_NEAR(numberAfter(call.out[17], "A = "), mixture.am(x, 250.0), 1e-5 * mixture.am(x, 250.0));
        EXPECT_NEAR(numberAfter(call.out[18], "B ="), mixture.bm(x), 1e-5 * mixture.bm(x));
        EXPECT_TRUE(call.messages.empty());
    }
}

TEST(MixtureEngine, MolarVolumeGivesTheQuotedRoots)
{
    // Methane + n-butane 1:1 at 250 K and 10 bar, three real roots.
    const struct {
        const Member& member;
        double vapour, liquid, tolerance;
    } rows[] = {
        {members[0], 0.78218, 0.034997, 1e-5},
        {members[2], 0.8079, 0.04113, 1e-4},
    };
    for (const auto& row : rows) {
        const Call call = callEngine(row.member, MixtureMode::MolarVolume, 250.0f, 10.0f, methaneButane());
        EXPECT_NEAR(services::val(call.out[9]), row.vapour, row.tolerance) << row.member.name;
        EXPECT_NEAR(services::val(call.out[13]), row.liquid, row.tolerance) << row.member.name;
    }
    const Call rk = callEngine(members[2], MixtureMode::MolarVolume, 250.0f, 10.0f, methaneButane());
    EXPECT_NEAR(rk.result.volumes[1], 1.679e-03, 0.0005e-03);
    EXPECT_NEAR(rk.result.volumes[0], 8.549e-05, 0.0005e-05);
}

TEST(MixtureEngine, BubbleAndDewPressuresMatchAnIndependentSolve)
{
    const Feed feed = propaneButane();
    for (const Member& member : members) {
        SCOPED_TRACE(member.name);
        const reference::Mixture mixture(member.equation, feed.components());
        const auto bubble = mixture.bubblePressure(feed.composition(), 300.0);
        const auto dew = mixture.dewPressure(feed.composition(), 300.0);

        const Call bubbleCall = callEngine(member, MixtureMode::BubbleP, 300.0f, 0.0f, feed, {""});
        ASSERT_EQ(bubbleCall.result.kind, MixtureResult::Kind::Number);
        EXPECT_NEAR(bubbleCall.result.number, bubble.value, pressureTolerance);
        EXPECT_NEAR(numberAfter(bubbleCall.out[3], bubblePressureLine), bubbleCall.result.number, 1e-6);
        const auto y = incipientFractions(bubbleCall, 2);
        EXPECT_NEAR(y[0], bubble.other[0], fractionTolerance);
        EXPECT_NEAR(y[1], bubble.other[1], fractionTolerance);

        const Call dewCall = callEngine(member, MixtureMode::DewP, 300.0f, 0.0f, feed, {""});
        EXPECT_NEAR(dewCall.result.number, dew.value, pressureTolerance);
        EXPECT_NEAR(numberAfter(dewCall.out[3], dewPressureLine), dewCall.result.number, 1e-6);
        const auto x = incipientFractions(dewCall, 2);
        EXPECT_NEAR(x[0], dew.other[0], fractionTolerance);
        EXPECT_NEAR(x[1], dew.other[1], fractionTolerance);
        EXPECT_TRUE(bubbleCall.messages.empty());
        EXPECT_TRUE(dewCall.messages.empty());
    }
}

TEST(MixtureEngine, BubbleAndDewTemperaturesMatchAnIndependentSolve)
{
    const Feed feed = propaneButane();
    for (const Member& member : members) {
        SCOPED_TRACE(member.name);
        const reference::Mixture mixture(member.equation, feed.components());
        const auto bubble = mixture.bubbleTemperature(feed.composition(), 10.0);
        const auto dew = mixture.dewTemperature(feed.composition(), 10.0);

        const Call bubbleCall = callEngine(member, MixtureMode::BubbleT, 0.0f, 10.0f, feed, {""});
        ASSERT_EQ(bubbleCall.result.kind, MixtureResult::Kind::Number);
        EXPECT_NEAR(bubbleCall.result.number, bubble.value, temperatureTolerance);
        EXPECT_NEAR(numberAfter(bubbleCall.out[3], bubbleTemperatureLine), bubbleCall.result.number, 1e-4);
        const auto y = incipientFractions(bubbleCall, 2);
        EXPECT_NEAR(y[0], bubble.other[0], fractionTolerance);

        const Call dewCall = callEngine(member, MixtureMode::DewT, 0.0f, 10.0f, feed, {""});
        EXPECT_NEAR(dewCall.result.number, dew.value, temperatureTolerance);
        EXPECT_NEAR(numberAfter(dewCall.out[3], dewTemperatureLine), dewCall.result.number, 1e-4);
        const auto x = incipientFractions(dewCall, 2);
        EXPECT_NEAR(x[0], dew.other[0], fractionTolerance);
    }
}

TEST(MixtureEngine, PengRobinsonGivesTheQuotedBubbleAndDewPoints)
{
    // Propane + n-butane 50/50.
    const Member& pr = members[0];
    const Feed feed = propaneButane();
    EXPECT_NEAR(callEngine(pr, MixtureMode::BubbleP, 300.0f, 0.0f, feed, {""}).result.number, 6.06, pressureTolerance);
    EXPECT_NEAR(callEngine(pr, MixtureMode::DewP, 300.0f, 0.0f, feed, {""}).result.number, 4.15, pressureTolerance);
    EXPECT_NEAR(callEngine(pr, MixtureMode::BubbleT, 0.0f, 10.0f, feed, {""}).result.number, 320.70, temperatureTolerance);
    EXPECT_NEAR(callEngine(pr, MixtureMode::DewT, 0.0f, 10.0f, feed, {""}).result.number, 332.79, temperatureTolerance);
}

TEST(MixtureEngine, SixComponentBubblePressureMatchesAnIndependentSolve)
{
    Feed feed;
    feed.add("methane", 190.6f, 46.0f, 0.011f, 111.7f, 0.05f)
        .add("ethane", 305.3f, 48.72f, 0.100f, 184.6f, 0.10f)
        .add("propane", 369.8f, 42.48f, 0.152f, 231.1f, 0.15f)
        .add("n-butane", 425.1f, 37.96f, 0.200f, 272.7f, 0.20f)
        .add("n-pentane", 469.7f, 33.70f, 0.252f, 309.2f, 0.25f)
        .add("n-hexane", 507.6f, 30.25f, 0.301f, 341.9f, 0.25f);
    for (const Member& member : members) {
        SCOPED_TRACE(member.name);
        const reference::Mixture mixture(member.equation, feed.components());
        const Call call = callEngine(member, MixtureMode::BubbleP, 300.0f, 0.0f, feed, {""});
        EXPECT_NEAR(call.result.number, mixture.bubblePressure(feed.composition(), 300.0).value, pressureTolerance);
    }
}

// L from a flash report, and its rows.
struct FlashReport {
    double L, V;
    std::vector<double> z, x, y, K;
};

FlashReport readFlash(const Call& call, int n)
{
    FlashReport report{services::val(call.out[40]), services::val(call.out[41]), {}, {}, {}, {}};
    for (int i = 1; i <= n; ++i) {
        const int j = 5 * (i - 1);
        report.z.push_back(services::val(call.out[10 + j]));
        report.x.push_back(services::val(call.out[11 + j]));
        report.y.push_back(services::val(call.out[12 + j]));
        report.K.push_back(services::val(call.out[13 + j]));
    }
    return report;
}

// Where each member's propane + n-butane 50/50 mixture is two-phase at 300 K.
struct FlashState {
    const Member& member;
    float P;
};
const FlashState twoPhaseStates[] = {{members[0], 5.0f}, {members[1], 5.0f}, {members[2], 6.4f}};

TEST(MixtureEngine, FlashSplitMatchesAnIndependentSolve)
{
    // The K values stop moving once every fugacity ratio is within 1e-4 of 1: the split and the
    // compositions are that close to the converged ones, a few 1e-4.
    constexpr double splitTolerance = 2e-3;
    const Feed feed = propaneButane();
    for (const auto& state : twoPhaseStates) {
        SCOPED_TRACE(state.member.name);
        const reference::Mixture mixture(state.member.equation, feed.components());
        const auto expected = mixture.flash(feed.composition(), 300.0, state.P);
        ASSERT_TRUE(expected.twoPhase);
        const Call call = callEngine(state.member, MixtureMode::Flash, 300.0f, state.P, feed);
        ASSERT_EQ(call.result.kind, MixtureResult::Kind::FlashFlag);
        EXPECT_EQ(call.result.flashok, 1);
        const FlashReport report = readFlash(call, 2);
        EXPECT_NEAR(report.L, expected.L, splitTolerance);
        for (int i = 0; i < 2; ++i) {
            EXPECT_NEAR(report.x[i], expected.x[i], splitTolerance);
            EXPECT_NEAR(report.y[i], expected.y[i], splitTolerance);
        }
        EXPECT_TRUE(call.messages.empty());
    }
}

TEST(MixtureEngine, FlashGivesTheQuotedSplits)
{
    const Feed feed = propaneButane();
    EXPECT_NEAR(services::val(callEngine(members[0], MixtureMode::Flash, 300.0f, 5.0f, feed).out[40]), 0.488, 2e-3);
    EXPECT_NEAR(services::val(callEngine(members[1], MixtureMode::Flash, 300.0f, 5.0f, feed).out[40]), 0.469, 2e-3);
}

TEST(MixtureEngine, RedlichKwongMixtureIsAllVapourAtFiveBar)
{
    const Feed feed = propaneButane();
    const reference::Mixture mixture(reference::Equation::RedlichKwong, feed.components());
    const double dewPressure = mixture.dewPressure(feed.composition(), 300.0).value;
    ASSERT_NEAR(dewPressure, 5.5, 0.05);
    ASSERT_GT(dewPressure, 5.0);
    const Call call = callEngine(members[2], MixtureMode::Flash, 300.0f, 5.0f, feed);
    EXPECT_EQ(call.messages, std::vector<std::string>{"No flash calculation possibile at these conditions"});
    EXPECT_EQ(call.result.kind, MixtureResult::Kind::FlashFlag);
    EXPECT_EQ(call.result.flashok, 0);
    EXPECT_EQ(call.result.asSingle(), 0.0f);
    for (std::size_t line = 1; line < call.out.size(); ++line)
        EXPECT_EQ(call.out[line], untouched) << line;
}

TEST(MixtureEngine, FlashRowsBalanceTheFeedAndAgreeWithTheirK)
{
    // Rows hold 7-digit texts of 32-bit values.
    constexpr double textTolerance = 1e-5;
    const Feed feed = propaneButane();
    for (const auto& state : twoPhaseStates) {
        SCOPED_TRACE(state.member.name);
        const FlashReport report = readFlash(callEngine(state.member, MixtureMode::Flash, 300.0f, state.P, feed), 2);
        EXPECT_NEAR(report.L + report.V, 1.0, textTolerance);
        for (int i = 0; i < 2; ++i) {
            EXPECT_NEAR(report.z[i], report.L * report.x[i] + report.V * report.y[i], textTolerance);
            EXPECT_NEAR(report.y[i], report.K[i] * report.x[i], textTolerance);
        }
    }
}

TEST(MixtureEngine, BubbleTemperatureAtTheBubblePressureReturnsTheTemperature)
{
    const Feed feed = propaneButane();
    for (const Member& member : members) {
        const float bubblePressure = callEngine(member, MixtureMode::BubbleP, 300.0f, 0.0f, feed, {""}).result.number;
        ASSERT_GT(bubblePressure, 0.0f) << member.name;
        const float bubbleTemperature =
            callEngine(member, MixtureMode::BubbleT, 0.0f, bubblePressure, feed, {""}).result.number;
        EXPECT_NEAR(bubbleTemperature, 300.0, temperatureTolerance) << member.name;
    }
}

TEST(MixtureEngine, SingleComponentBubblePressureIsTheSaturationPressure)
{
    Feed propane;
    propane.add("propane", 369.8f, 42.48f, 0.152f, 231.1f, 1);
    for (const Member& member : members) {
        SCOPED_TRACE(member.name);
        const reference::Mixture pure(member.equation, propane.components());
        const Call call = callEngine(member, MixtureMode::BubbleP, 300.0f, 0.0f, propane, {""});
        EXPECT_NEAR(call.result.number, pure.saturationPressure(300.0), pressureTolerance);
        EXPECT_EQ(call.out[9], "1");
        EXPECT_EQ(call.out[10], "1");
        EXPECT_NEAR(services::val(call.out[11]), 1.0, 1e-6);
    }
}

TEST(MixtureEngine, FugacityModeMatchesIndependentFugacityCoefficients)
{
    // ln φ through single-precision exponentials: a few 1e-6 relative.
    constexpr double relativeTolerance = 2e-5;
    const Feed feed = propaneButane();
    const reference::Composition x{0.25, 0.75};
    for (const Member& member : members) {
        for (const bool liquid : {false, true}) {
            SCOPED_TRACE(std::string(member.name) + (liquid ? " liquid" : " vapour"));
            const reference::Mixture mixture(member.equation, feed.components());
            const auto lnPhi = mixture.lnPhi(x, 300.0, 5.0, liquid);
            const Call call = callEngine(member, MixtureMode::Fugacity, 0.0f, 0.0f, feed,
                                         {"300", "5", "1", "3", liquid ? "1" : "0"});
            EXPECT_TRUE(call.result.empty());
            for (int i = 0; i < 2; ++i) {
                const double phi = std::exp(lnPhi[i]);
                EXPECT_NEAR(services::val(call.out[11 + 4 * i]), phi, relativeTolerance * phi);
                EXPECT_NEAR(services::val(call.out[10 + 4 * i]), 5.0 * x[i] * phi, relativeTolerance * 5.0 * phi);
            }
            const reference::Roots roots = mixture.roots(x, 300.0, 5.0);
            EXPECT_NEAR(numberAfter(call.out[32], " compressibility = "), liquid ? roots.liquid : roots.vapour,
                        rootTolerance);
        }
    }
}

} // namespace
} // namespace calvex::mixture::testing
