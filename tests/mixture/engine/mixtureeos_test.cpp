#include "core/compressibility.h"
#include "core/departure.h"
#include "mixture/engine/mixtureeos.h"
#include "tests/mixture/engine/eosexpected.h"
#include "tests/mixture/engine/eostestsupport.h"
#include "tests/support/scriptedui.h"

#include <gtest/gtest.h>

#include <cmath>

namespace calvex::mixture::testing {
namespace {

using eosreference::departureSlope;
using eosreference::Expected;
using eosreference::expectedFor;

// The pure component in slot 0 of a state, as the core's departure-function window holds it.
core::EosState pureStateOf(const MixtureState& state)
{
    core::EosState pure(core::EosHost::DepartureFunctionCalculator);
    pure.component.Tc = state.Tc[0];
    pure.component.Pc = state.Pc[0];
    pure.component.omega = state.omega[0];
    pure.optionno = state.optionno;
    return pure;
}

// Tolerances. The routines keep every quantity in 32 bits (about 6e-8 relative). A root of the
// cubic moves by that much of its coefficients, a few 1e-8 in Z. ln phi on the liquid root
// carries ln|Z - B| with Z - B near 0.01, which magnifies the root's error a hundredfold, and
// the departures are sums of a few rounded terms.
constexpr double rootTolerance = 1e-6;       // in Z
constexpr double lnPhiTolerance = 2e-5;      // in ln phi
constexpr double departureTolerance = 1e-5;  // relative

const float T250 = 250.0f;
const float P1MPa = 1e6f;

struct Composition {
    std::vector<float> y;
};

// 50/50 has three real roots for every equation; 90/10 lies closer to methane; 100/0 leaves
// n-butane at infinite dilution.
const Composition compositions[] = {{{0.5f, 0.5f}}, {{0.9f, 0.1f}}, {{1.0f, 0.0f}}};

std::vector<double> widened(const std::vector<float>& y) { return {y.begin(), y.end()}; }

TEST(MixtureCompressibility, MethaneButaneRootsMatchABisectionSolve)
{
    for (const Equation& eq : equations) {
        calvex::testing::ScriptedUi ui;
        MixtureState state = stateOf({methane, butane}, {0.5f, 0.5f}, eq.optionno, MixtureHost::PartialFugacity);
        const Expected e = expectedFor({eq.eos, {methane, butane}}, {0.5, 0.5}, T250, P1MPa);
        ASSERT_EQ(e.roots.size(), 3u) << eq.name;
        const EosResult roots = eq.Zcal(state, T250, P1MPa);
        ASSERT_TRUE(roots) << eq.name;
        for (std::size_t k = 0; k < 3; ++k)
            EXPECT_NEAR((*roots)[k], e.roots[k], rootTolerance) << eq.name << " root " << k;
        EXPECT_TRUE(ui.texts().empty());
    }
}

TEST(MixtureCompressibility, OneRealRootComesThreeTimes)
{
    for (const Equation& eq : equations) {
        MixtureState state = stateOf({methane, butane}, {0.5f, 0.5f}, eq.optionno, MixtureHost::PartialFugacity);
        const MixtureModel model{eq.eos, {methane, butane}};
        const auto expected =
            eosreference::compressibilityRoots(model, 400.0, 1e5, model.am({0.5, 0.5}, 400.0), model.bm({0.5, 0.5}));
        ASSERT_EQ(expected.size(), 1u) << eq.name;
        const EosResult roots = eq.Zcal(state, 400.0f, 1e5f);
        ASSERT_TRUE(roots) << eq.name;
        EXPECT_NEAR((*roots)[0], expected[0], rootTolerance) << eq.name;
        EXPECT_EQ((*roots)[0], (*roots)[1]) << eq.name;
        EXPECT_EQ((*roots)[1], (*roots)[2]) << eq.name;
    }
}

// A "mixture" of one component repeated mixes back to that component's own a and b (to a few
// float roundings), so its cubic is the core's.
TEST(MixtureCompressibility, OneComponentRepeatedGivesTheCoresRoots)
{
    for (const Equation& eq : equations) {
        for (const auto& [T, P] : {std::pair{250.0f, 1e6f}, std::pair{400.0f, 1e5f}, std::pair{300.0f, 2e6f}}) {
            MixtureState state = stateOf({butane, butane}, {0.3f, 0.7f}, eq.optionno, MixtureHost::MixtureDeparture);
            core::EosState pure = pureStateOf(state);
            const auto expected = core::compressibilityRoots(pure, T, P);
            const EosResult roots = eq.Zcal(state, T, P);
            ASSERT_TRUE(expected && roots) << eq.name;
            for (std::size_t k = 0; k < 3; ++k)
                EXPECT_NEAR((*roots)[k], expected->roots[k], rootTolerance) << eq.name << ' ' << T << " root " << k;
        }
    }
}

TEST(PartialFugacity, MethaneButaneCoefficientsAreTheDerivativesOfNLnPhi)
{
    for (const Equation& eq : equations) {
        for (const Composition& c : compositions) {
            MixtureState state = stateOf({methane, butane}, c.y, eq.optionno, MixtureHost::PartialFugacity);
            const Expected e = expectedFor({eq.eos, {methane, butane}}, widened(c.y), T250, P1MPa);
            for (std::int16_t i = 0; i < 2; ++i) {
                const EosResult phi = eos::phycal(state, T250, P1MPa, i);
                ASSERT_TRUE(phi) << eq.name;
                EXPECT_NEAR(std::log((*phi)[0]), e.lnPhiSmallest[i], lnPhiTolerance) << eq.name << ' ' << c.y[0] << ' ' << i;
                EXPECT_NEAR(std::log((*phi)[1]), e.lnPhiLargest[i], lnPhiTolerance) << eq.name << ' ' << c.y[0] << ' ' << i;
                EXPECT_EQ((*phi)[2], 0.0f);
            }
        }
    }
}

TEST(MixtureFugacity, MethaneButaneMatchesTheResidualHelmholtzEnergy)
{
    for (const Equation& eq : equations) {
        for (const Composition& c : compositions) {
            MixtureState state = stateOf({methane, butane}, c.y, eq.optionno, MixtureHost::MixtureFugacity);
            const Expected e = expectedFor({eq.eos, {methane, butane}}, widened(c.y), T250, P1MPa);
            const EosResult phi = eos::phycal(state, T250, P1MPa);
            ASSERT_TRUE(phi) << eq.name;
            EXPECT_NEAR(std::log((*phi)[0]), e.smallest.lnPhi, lnPhiTolerance) << eq.name << ' ' << c.y[0];
            EXPECT_NEAR(std::log((*phi)[1]), e.largest.lnPhi, lnPhiTolerance) << eq.name << ' ' << c.y[0];
            EXPECT_EQ((*phi)[2], 0.0f);
        }
    }
}

TEST(MixtureFugacity, PartialCoefficientsAverageToTheMixtures)
{
    const std::vector<Component> three{methane, butane, {304.13f, 73.77e5f, 0.225f}};
    for (const Equation& eq : equations) {
        for (const std::vector<float>& y : {std::vector{0.5f, 0.5f, 0.0f}, std::vector{0.2f, 0.3f, 0.5f},
                                            std::vector{0.05f, 0.9f, 0.05f}}) {
            MixtureState mixture = stateOf(three, y, eq.optionno, MixtureHost::MixtureFugacity);
            const EosResult phi = eos::phycal(mixture, T250, P1MPa);
            ASSERT_TRUE(phi) << eq.name;
            MixtureState partial = stateOf(three, y, eq.optionno, MixtureHost::PartialFugacity);
            double sumSmallest = 0.0, sumLargest = 0.0;
            for (std::int16_t i = 0; i < 3; ++i) {
                const EosResult phiI = eos::phycal(partial, T250, P1MPa, i);
                ASSERT_TRUE(phiI) << eq.name;
                sumSmallest += y[i] * std::log((*phiI)[0]);
                sumLargest += y[i] * std::log((*phiI)[1]);
            }
            EXPECT_NEAR(sumSmallest, std::log((*phi)[0]), lnPhiTolerance) << eq.name << ' ' << y[0];
            EXPECT_NEAR(sumLargest, std::log((*phi)[1]), lnPhiTolerance) << eq.name << ' ' << y[0];
        }
    }
}

TEST(PartialFugacity, IdenticalComponentsEachHaveTheMixturesCoefficient)
{
    for (const Equation& eq : equations) {
        MixtureState mixture = stateOf({butane, butane, butane}, {0.2f, 0.3f, 0.5f}, eq.optionno, MixtureHost::MixtureFugacity);
        const EosResult phi = eos::phycal(mixture, 300.0f, 5e5f);
        ASSERT_TRUE(phi) << eq.name;
        MixtureState partial = stateOf({butane, butane, butane}, {0.2f, 0.3f, 0.5f}, eq.optionno, MixtureHost::PartialFugacity);
        for (std::int16_t i = 0; i < 3; ++i) {
            const EosResult phiI = eos::phycal(partial, 300.0f, 5e5f, i);
            ASSERT_TRUE(phiI) << eq.name;
            EXPECT_NEAR((*phiI)[0], (*phi)[0], 1e-5 * (*phi)[0]) << eq.name << i;
            EXPECT_NEAR((*phiI)[1], (*phi)[1], 1e-5 * (*phi)[1]) << eq.name << i;
        }
    }
}

TEST(MixtureFugacity, LowPressureVapourIsIdeal)
{
    for (const Equation& eq : equations) {
        MixtureState state = stateOf({methane, butane}, {0.5f, 0.5f}, eq.optionno, MixtureHost::MixtureFugacity);
        const EosResult phi = eos::phycal(state, T250, 1.0f);
        ASSERT_TRUE(phi) << eq.name;
        EXPECT_NEAR((*phi)[1], 1.0f, 1e-5) << eq.name;
    }
}

// Methane + n-butane 50/50 at 250 K and 1 MPa has three real roots: the liquid root is the stable
// one for Peng-Robinson, Redlich-Kwong and Soave, the vapour root for van der Waals.
TEST(MixtureDeparture, MethaneButaneMatchesTheResidualIntegralsAtTheStableRoot)
{
    for (const Equation& eq : equations) {
        for (const Composition& c : compositions) {
            MixtureState state = stateOf({methane, butane}, c.y, eq.optionno, MixtureHost::MixtureDeparture);
            const MixtureModel model{eq.eos, {methane, butane}};
            const Expected e = expectedFor(model, widened(c.y), T250, P1MPa);
            const eosreference::Residuals& stable = e.stable();
            const EosResult departure = eos::Departurecal(state, T250, P1MPa);
            ASSERT_TRUE(departure) << eq.name;
            EXPECT_NEAR((*departure)[0], stable.H, departureTolerance * std::fabs(stable.H)) << eq.name << ' ' << c.y[0];
            EXPECT_NEAR((*departure)[1], stable.S, departureTolerance * std::fabs(stable.S)) << eq.name << ' ' << c.y[0];
            EXPECT_EQ((*departure)[2], 0.0f);
        }
    }
}

// With every component alike, the averages of omega, Tc and alpha are the component's own and
// the averaged derivative is the exact one of the pure fluid: the core's departures.
TEST(MixtureDeparture, OneComponentRepeatedGivesTheCoresPureDepartures)
{
    for (const Equation& eq : equations) {
        for (const auto& [T, P] : {std::pair{250.0f, 1e6f}, std::pair{400.0f, 1e5f}, std::pair{300.0f, 2e6f}}) {
            MixtureState state = stateOf({butane, butane}, {0.3f, 0.7f}, eq.optionno, MixtureHost::MixtureDeparture);
            core::EosState pure = pureStateOf(state);
            const auto roots = core::compressibilityRoots(pure, T, P);
            ASSERT_TRUE(roots) << eq.name;
            const auto expected = core::Departure(pure, T, P, roots->roots[2]);
            const EosResult departure = eos::Departurecal(state, T, P);
            ASSERT_TRUE(expected && departure) << eq.name;
            EXPECT_NEAR((*departure)[0], (*expected)[0], departureTolerance * std::fabs((*expected)[0])) << eq.name << ' ' << T;
            EXPECT_NEAR((*departure)[1], (*expected)[1], departureTolerance * std::fabs((*expected)[1])) << eq.name << ' ' << T;
        }
    }
}

// The exact derivative of the mixed am differs from the averaged one by far more than the
// tolerance above, so that test tells the two apart.
TEST(MixtureDeparture, AveragedDerivativeIsNotTheExactOne)
{
    for (Eos eos : {Eos::Soave, Eos::PengRobinson}) {
        const MixtureModel model{eos, {methane, butane}};
        const double h = 1e-3;
        const double exact = (model.am({0.5, 0.5}, 250.0 + h) - model.am({0.5, 0.5}, 250.0 - h)) / (2.0 * h);
        const double averaged = departureSlope(model, {0.5, 0.5}, 250.0, model.am({0.5, 0.5}, 250.0));
        EXPECT_GT(std::fabs(exact - averaged), 1e-3 * std::fabs(exact));
    }
}

} // namespace
} // namespace calvex::mixture::testing
