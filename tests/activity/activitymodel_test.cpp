// The four activity models against the published identities and an independent evaluation by
// the multicomponent forms of NRTL and Wilson; the two-point law and the bubble-temperature
// solver against their defining properties; T-x-y curves, wide-boiling pairs among them,
// against a plain double-precision bisection.

#include "activity/activitymodel.h"
#include "activity/bubbletemperature.h"
#include "activity/vlerun.h"
#include "tests/activity/activityfixture.h"
#include "tests/unifac/referenceunifac.h"
#include "unifac/subgrouptable.h"
#include "unifac/unifacmodel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace calvex::activity {
namespace {

class Boxes final : public ParameterSource {
public:
    Boxes(std::map<std::string, std::string> texts) : m_texts(std::move(texts)) {}
    std::string boxText(const std::string& box) const override
    {
        const auto found = m_texts.find(box);
        return found == m_texts.end() ? std::string() : found->second;
    }

private:
    std::map<std::string, std::string> m_texts;
};

// The models store γ in 32 bits: 1e-6 relative is a few units of the last place.
constexpr double singleRelative = 1e-6;

// ln γ_i = Σj τji Gji xj / Σk Gki xk + Σj [xj Gij / Σk Gkj xk] (τij − Σm xm τmj Gmj / Σk Gkj xk)
std::array<double, 2> nrtlMulticomponent(double x1, double T, double g12, double g21, double alpha)
{
    const double x[2] = {x1, 1 - x1};
    const double tau[2][2] = {{0, g12 / (R * T)}, {g21 / (R * T), 0}};
    double G[2][2];
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            G[i][j] = std::exp(-alpha * tau[i][j]);
    std::array<double, 2> lnGamma{};
    for (int i = 0; i < 2; ++i) {
        double num = 0, den = 0;
        for (int j = 0; j < 2; ++j) {
            num += tau[j][i] * G[j][i] * x[j];
            den += G[j][i] * x[j];
        }
        lnGamma[i] = num / den;
        for (int j = 0; j < 2; ++j) {
            double sumG = 0, sumTauG = 0;
            for (int k = 0; k < 2; ++k) {
                sumG += G[k][j] * x[k];
                sumTauG += x[k] * tau[k][j] * G[k][j];
            }
            lnGamma[i] += x[j] * G[i][j] / sumG * (tau[i][j] - sumTauG / sumG);
        }
    }
    return lnGamma;
}

// ln γ_i = 1 − ln Σj xj Λij − Σk xk Λki / Σj xj Λkj, Λij = (vj/vi) exp(−λij/RT)
std::array<double, 2> wilsonMulticomponent(double x1, double T, double v1, double v2, double l12, double l21)
{
    const double x[2] = {x1, 1 - x1};
    const double L[2][2] = {{1, v2 / v1 * std::exp(-l12 / (R * T))}, {v1 / v2 * std::exp(-l21 / (R * T)), 1}};
    std::array<double, 2> lnGamma{};
    for (int i = 0; i < 2; ++i) {
        lnGamma[i] = 1 - std::log(x[0] * L[i][0] + x[1] * L[i][1]);
        for (int k = 0; k < 2; ++k)
            lnGamma[i] -= x[k] * L[k][i] / (x[0] * L[k][0] + x[1] * L[k][1]);
    }
    return lnGamma;
}

struct ModelCase {
    const char* what;
    ModelKind kind;
    std::map<std::string, std::string> boxes;
    float x1;
    float T;
    std::array<double, 2> lnGamma;
};

TEST(ActivityModels, CoefficientsAgreeWithIndependentValues)
{
    const std::vector<ModelCase> cases = {
        {"Margules 0.5/1.0 at 0.25: 0.5625 (0.5 + 0.25), 0.0625 (1.0 − 0.75)", ModelKind::Margules,
         {{"A12_Text1", "0.5"}, {"A21_Text1", "1.0"}}, 0.25f, 300, {0.421875, 0.015625}},
        {"Margules 1.2/1.2 at 0.5: 1.2/4 each", ModelKind::Margules, {{"A12_Text1", "1.2"}, {"A21_Text1", "1.2"}},
         0.5f, 300, {0.3, 0.3}},
        {"Van Laar A = B is Margules A12 = A21: A x2², A x1²", ModelKind::VanLaar,
         {{"A_Text1", "0.7"}, {"B_Text1", "0.7"}}, 0.3f, 300, {0.7 * 0.49, 0.7 * 0.09}},
        {"negative Margules constants give γ < 1", ModelKind::Margules, {{"A12_Text1", "-.8"}, {"A21_Text1", "-.8"}},
         0.5f, 300, {-0.2, -0.2}},
        {"NRTL, multicomponent form", ModelKind::Nrtl,
         {{"A_Text1", "500"}, {"B_Text1", "1500"}, {"alpha_Text1", "0.3"}}, 0.4f, 350,
         nrtlMulticomponent(0.4f, 350, 500, 1500, 0.3)},
        {"NRTL, zero energies: Raoult for any alpha", ModelKind::Nrtl,
         {{"A_Text1", ""}, {"B_Text1", "0"}, {"alpha_Text1", "0.47"}}, 0.3f, 320, {0, 0}},
        {"NRTL, deltag21 alone still moves γ1 (ln γ1 ≈ 0.06)", ModelKind::Nrtl,
         {{"A_Text1", "0"}, {"B_Text1", "1000"}, {"alpha_Text1", "0.3"}}, 0.5f, 350,
         nrtlMulticomponent(0.5f, 350, 0, 1000, 0.3)},
        {"NRTL at x1 = 1: γ1 = 1", ModelKind::Nrtl, {{"A_Text1", "800"}, {"B_Text1", "1200"}, {"alpha_Text1", "0.3"}},
         1.0f, 350, {0, nrtlMulticomponent(1.0f, 350, 800, 1200, 0.3)[1]}},
        {"Wilson, multicomponent form", ModelKind::Wilson,
         {{"A_Text1", "449.28"}, {"B_Text1", "1964.6"}, {"v1_Text1", "40.73"}, {"v2_Text1", "18.07"}}, 0.5f, 346.385f,
         wilsonMulticomponent(0.5f, 346.385f, 40.73, 18.07, 449.28, 1964.6)},
        {"Wilson, v1 = v2 and zero energies: Raoult", ModelKind::Wilson,
         {{"A_Text1", "0"}, {"B_Text1", "0"}, {"v1_Text1", "20"}, {"v2_Text1", "20"}}, 0.3f, 300, {0, 0}},
    };
    for (const ModelCase& c : cases) {
        const Boxes boxes(c.boxes);
        const auto gamma = makeModel(c.kind, boxes)->gammacal(c.x1, c.T);
        ASSERT_TRUE(gamma) << c.what;
        for (int i = 0; i < 2; ++i) {
            const double expected = std::exp(c.lnGamma[i]);
            EXPECT_NEAR((*gamma)[i], expected, singleRelative * expected) << c.what << " γ" << i + 1;
        }
    }
}

TEST(ActivityModels, UndefinedEvaluationsGiveNoCoefficients)
{
    const std::vector<std::tuple<const char*, ModelKind, std::map<std::string, std::string>, float, float>> cases = {
        {"Van Laar A = 0", ModelKind::VanLaar, {{"A_Text1", "0"}, {"B_Text1", "1"}}, 0.5f, 300},
        {"Van Laar B empty", ModelKind::VanLaar, {{"A_Text1", "1"}}, 0.5f, 300},
        {"NRTL at T = 0", ModelKind::Nrtl, {{"A_Text1", "100"}, {"B_Text1", "100"}, {"alpha_Text1", ".3"}}, 0.5f, 0},
        {"Wilson v1 = 0", ModelKind::Wilson, {{"A_Text1", "100"}, {"B_Text1", "100"}, {"v2_Text1", "18"}}, 0.5f, 300},
        {"Wilson at T = 0", ModelKind::Wilson, {{"A_Text1", "1"}, {"B_Text1", "1"}, {"v1_Text1", "1"}, {"v2_Text1", "1"}},
         0.5f, 0},
        {"Margules exp(100) beyond 32 bits", ModelKind::Margules, {{"A12_Text1", "400"}, {"A21_Text1", "400"}}, 0.5f, 300},
        {"a constant beyond 32 bits", ModelKind::Margules, {{"A12_Text1", "1e39"}, {"A21_Text1", "1"}}, 0.5f, 300},
        {"NaN temperature", ModelKind::Nrtl, {{"A_Text1", "1"}, {"B_Text1", "1"}, {"alpha_Text1", ".3"}}, 0.5f, NAN},
    };
    for (const auto& [what, kind, texts, x1, T] : cases) {
        const Boxes boxes(texts);
        EXPECT_FALSE(makeModel(kind, boxes)->gammacal(x1, T)) << what;
    }
}

TEST(ActivityModels, EveryEvaluationReadsTheBoxesAgain)
{
    class Editable final : public ParameterSource {
    public:
        std::string value = "0.5";
        std::string boxText(const std::string&) const override { return value; }
    } boxes;
    const MargulesModel model(boxes);
    EXPECT_FLOAT_EQ((*model.gammacal(0.5f, 300))[0], std::exp(0.125f));
    boxes.value = "1";
    EXPECT_FLOAT_EQ((*model.gammacal(0.5f, 300))[0], std::exp(0.25f));
}

// benzene as components.csv holds it, Pc in Pa.
constexpr BoilingConstants benzene{353.24f, 562.05f, 48.95e5f};
constexpr BoilingConstants toluene{383.79f, 591.75f, 41.08e5f};

TEST(TwoPointLaw, PassesThroughItsTwoPointsBothWays)
{
    EXPECT_NEAR(*Psatcalcal(benzene.Tb, benzene), atmosphere_Pa, singleRelative * atmosphere_Pa);
    EXPECT_NEAR(*Psatcalcal(benzene.Tc, benzene), benzene.Pc_Pa, singleRelative * benzene.Pc_Pa);
    EXPECT_NEAR(*Tboilcal(101325.0f, benzene), benzene.Tb, singleRelative * benzene.Tb);
    EXPECT_NEAR(*Tboilcal(benzene.Pc_Pa, benzene), benzene.Tc, singleRelative * benzene.Tc);
    // Linear in ln P against 1/T: the inverse of the law at any pressure.
    EXPECT_NEAR(*Psatcalcal(*Tboilcal(2.5e5f, toluene), toluene), 2.5e5, 2.5e5 * 1e-5);

    const std::vector<std::pair<const char*, BoilingConstants>> undefined = {
        {"Tb = Tc", {400, 400, 40e5f}}, {"Tb = 0", {0, 400, 40e5f}}, {"Pc = 0", {300, 400, 0}}};
    for (const auto& [what, c] : undefined)
        EXPECT_FALSE(Psatcalcal(350, c)) << what;
    EXPECT_FALSE(Psatcalcal(0, benzene)) << "T = 0";
    EXPECT_FALSE(Tboilcal(0, benzene)) << "P = 0";
    EXPECT_FALSE(Tboilcal(5e5f, {300, 400, 101325.0f})) << "Pc = 1 atm";
}

TEST(BubbleTemperature, IdealSolutionMeetsRaoultAndSameBoilingPointsFail)
{
    const Boxes raoult({{"A12_Text1", "0"}, {"A21_Text1", "0"}});
    const MargulesModel model(raoult);
    const BinaryConstants pair{benzene, toluene};
    const float P = 101325;
    float T0 = toluene.Tb;
    const BubbleSolve solve = iteration(model, pair, 0.5f, P, T0, benzene.Tb);
    ASSERT_TRUE(solve.converged());
    // |F| < 1e-5 is (Ps1 + Ps2)/2P within 1e-5 of 1.
    EXPECT_NEAR((*Psatcalcal(solve.T, benzene) + *Psatcalcal(solve.T, toluene)) / (2 * P), 1.0, 1.2e-5);
    EXPECT_NE(T0, toluene.Tb) << "the moving estimate is the caller's";

    const BinaryConstants twins{benzene, {benzene.Tb, 600, 40e5f}};
    float start = benzene.Tb;
    EXPECT_EQ(iteration(model, twins, 0.5f, P, start, benzene.Tb).outcome, BubbleSolve::Outcome::Failed);

    // At 50000 bar, beyond the limit of both, 1/T = 1/Tb − (1/Tb − 1/Tc) ln(P/atm)/ln(Pc/atm)
    // gives −9984.7 K and −14889.1 K; the chord between them meets the test below 0 K.
    float below = -14889.1f;
    EXPECT_EQ(iteration(model, pair, 0.5f, 5e9f, below, -9984.7f).outcome, BubbleSolve::Outcome::Failed);
}

// The law's constants as a run forms them: 32-bit kelvin, and the 32-bit bar value in pascal.
BoilingConstants law(const testing::VleFluid& f)
{
    return {static_cast<float>(f.Tb), static_cast<float>(f.Tc), static_cast<float>(static_cast<float>(f.Pc_bar) * 1e5)};
}

struct TxyCase {
    const char* what;
    const ActivityModel& model;
    testing::LnGamma reference;
    testing::VleFluid one, two;
    float P_Pa;
};

// The stop test |F| < 1e-5 leaves T within 1e-5/(dF/dT) of the root, and dF/dT (about
// d ln Psat/dT) is above 0.02 /K on these curves: 5e-4 K, plus 3e-5 K of 32-bit rounding.
// 0.01 K leaves room for that and still tells the root from any other temperature.
constexpr double curveTemperature = 0.01;
// y1 = γ1 x1 Ps1/P moves by under 5 % a kelvin, 3e-5 over those 5e-4 K; 32-bit γ and Ps1 add
// 1e-6. 1e-3 is far above both and far below the change of y1 between two grid points.
constexpr double curveY1 = 1e-3;
// What a converged solve claims: |F| < 1e-5 in single precision.
constexpr float stopTest = 0.00001f;

TEST(TxyCurve, WideBoilingPairsHaveTheBubblePointsOfAnIndependentSolve)
{
    const Boxes margulesBoxes({{"A12_Text1", "0.3"}, {"A21_Text1", "0.2"}});
    const MargulesModel margules(margulesBoxes);
    const Boxes wilsonBoxes({{"A_Text1", "500"}, {"B_Text1", "500"}, {"v1_Text1", "40.73"}, {"v2_Text1", "55.9"}});
    const WilsonModel wilson(wilsonBoxes);

    unifac::InitUnifacTables();
    const std::string etherGroups = "1,2;2,1;26,1;", tolueneGroups = "10,5;12,1;";
    unifac::UnifacComponentList list;
    list.AddComponent(testing::ether.name, etherGroups);
    list.AddComponent(testing::toluene.name, tolueneGroups);
    unifac::UnifacSheet sheet;
    sheet.rows[0].component = 1;
    sheet.rows[1].component = 2;
    const unifac::UnifacModel unifacModel(sheet, list);
    const testing::ReferenceMixture mixture = testing::referenceMixture({etherGroups, tolueneGroups});
    const testing::LnGamma unifacReference = [&mixture](double x1, double T) {
        const std::vector<double> gamma =
            testing::referenceUnifac(mixture.groups, mixture.counts, {x1, 1 - x1}, T, unifac::InteractionTable);
        return std::array<double, 2>{std::log(gamma[0]), std::log(gamma[1])};
    };

    const testing::LnGamma margulesReference = testing::margules(0.3, 0.2);
    const std::vector<TxyCase> cases = {
        {"water / ethylene glycol: component 1 far lighter", margules, margulesReference, testing::water,
         testing::glycol, 101325},
        {"n-pentane / n-octane", margules, margulesReference, testing::pentane, testing::octane, 101325},
        {"methanol / ethylene glycol, Wilson", wilson, testing::wilson(500, 500, 40.73, 55.9), testing::methanol,
         testing::glycol, 101325},
        {"ethylene glycol / methanol at 0.1 bar: component 1 far heavier", margules, margulesReference, testing::glycol,
         testing::methanol, 10000},
        {"benzene / toluene, which the chord solves", margules, margulesReference, testing::benzene, testing::toluene,
         101325},
        {"diethyl ether / toluene, UNIFAC", unifacModel, unifacReference, testing::ether, testing::toluene, 101325},
    };
    for (const TxyCase& c : cases) {
        SCOPED_TRACE(c.what);
        const BinaryConstants pair{law(c.one), law(c.two)};
        std::vector<services::TxyPoint> points;
        const bool complete = txyCurve(c.model, pair, c.P_Pa, points);
        EXPECT_TRUE(complete) << "refused at x1 = " << points.size() / 20.0;
        if (!complete)
            continue;
        for (std::size_t k = 1; k < 20; ++k) {
            const services::TxyPoint& point = points[k];
            const testing::CurvePoint ref = testing::bubbleTemperature(c.reference, c.one, c.two, point.x1, c.P_Pa);
            EXPECT_NEAR(point.T_K, ref.variable, curveTemperature) << "x1 = " << point.x1;
            EXPECT_NEAR(point.y1, ref.y1, curveY1) << "x1 = " << point.x1;
            EXPECT_GT(stopTest, std::fabs(F(c.model, pair, point.x1, c.P_Pa, point.T_K).value())) << "x1 = " << point.x1;
        }
    }
}

// A model that gives the same coefficients everywhere.
class Fixed final : public ActivityModel {
public:
    explicit Fixed(GammaPair gamma) : m_gamma(gamma) {}
    std::optional<GammaPair> gammacal(float, float) const override { return m_gamma; }

private:
    GammaPair m_gamma;
};

TEST(PxyCurve, EveryPressureIsFiniteAndAboveZeroSaveAPureComponentsZero)
{
    const std::vector<std::tuple<const char*, GammaPair, std::array<float, 2>, bool>> cases = {
        {"Raoult", {1, 1}, {2e5f, 1e5f}, true},
        {"component 1 without vapour pressure: its end at 0", {1, 1}, {0, 1e5f}, true},
        {"both without: 0 inside", {1, 1}, {0, 0}, false},
        {"negative coefficients", {-1, -1}, {2e5f, 1e5f}, false},
        {"negative vapour pressures", {1, 1}, {-2e5f, -1e5f}, false},
        {"an infinite end", {1, 1}, {INFINITY, 1e5f}, false},
    };
    for (const auto& [what, gamma, Psat, completes] : cases) {
        std::vector<services::PxyPoint> points;
        EXPECT_EQ(pxyCurve(Fixed(gamma), Psat, 300, pxyGrid(PxyGrid::FromSecond), points), completes) << what;
    }
}

} // namespace
} // namespace calvex::activity
