// The partial-fugacity, mixture-departure and mixture-fugacity runs after their checks: numbers
// against the double-precision reference model of tests/mixture/engine and the quoted values,
// the exact report lines, the stable-root rule, and bad input ending in "error in command".

#include "mixture/windows/familyrun.h"

#include "services/numbers.h"
#include "services/resultformat.h"
#include "tests/mixture/engine/eosexpected.h"
#include "tests/support/scratchfolder.h"
#include "tests/support/scriptedui.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>

namespace calvex::mixture {
namespace {

using K = MixtureWindowKind;

using eosreference::Eos;
using testing::ScriptedUi;

// Constants of the shared component table (Tc K, Pc bar, omega, Tb K).
const GatheredComponent methane{"methane", 190.56f, 45.99f, 0.011f, 111.66f, 0.0f};
const GatheredComponent ethane{"ethane", 305.32f, 48.72f, 0.099f, 184.55f, 0.0f};
const GatheredComponent propane{"propane", 369.83f, 42.48f, 0.152f, 231.02f, 0.0f};
const GatheredComponent butane{"n-butane", 425.12f, 37.96f, 0.2f, 272.66f, 0.0f};

// Tolerances: the routines hold every value in 32 bits; a coefficient carries a few 1e-7
// relative, 2e-5 leaves room for ln|Z - B| on a liquid root. A line rounded to 4 decimals is
// off by up to half its last digit from the unrounded reference, so 1e-4.
constexpr double phiRelative = 2e-5;
constexpr double roundedLine = 1e-4;

// T in K and p in bar unless the units say otherwise; then the converted values follow.
FamilyInput inputOf(std::vector<GatheredComponent> components, const std::vector<float>& z, float T, float p,
                    int optionno, std::string Tunit = "kelvin", float T_K = 0.0f)
{
    for (std::size_t i = 0; i < components.size(); ++i)
        components[i].z = z[i];
    return {T, std::move(Tunit), p, "bar", T_K == 0.0f ? T : T_K, p * 1e5f, static_cast<std::int16_t>(optionno),
            std::move(components)};
}

constexpr Eos eosOf[] = {Eos::VanDerWaals, Eos::PengRobinson, Eos::RedlichKwong, Eos::Soave};

// The reference picture of the state the run computes: Pc through 32 bits in Pa, as the run holds it.
eosreference::Expected referenceOf(const FamilyInput& input)
{
    eosreference::MixtureModel model{eosOf[input.optionno - 1], {}};
    std::vector<double> y;
    double sum = 0.0;
    for (const GatheredComponent& c : input.components)
        sum += c.z;
    for (const GatheredComponent& c : input.components) {
        model.components.push_back({c.Tc, static_cast<float>(c.Pc * 1e5), c.omega});
        y.push_back(c.z / sum);
    }
    return eosreference::expectedFor(model, y, input.T, input.p * 1e5);
}

double number(const std::string& text) { return services::val(text); }

struct Quoted {
    const char* what;
    FamilyInput input;
    std::vector<double> phi; // empty where not quoted
    double fugacity;         // bar
    double H;                // kJ/mol
    double S;                // J/(mol K)
    bool liquidStable;
};

const Quoted quoted[] = {
    {"PB 2 bar PR", inputOf({propane, butane}, {0.5f, 0.5f}, 300, 2, 2), {0.96866, 0.94752}, 1.9161, -0.2944, -0.6248, false},
    {"PB 2 bar vdW", inputOf({propane, butane}, {0.5f, 0.5f}, 300, 2, 1), {0.97747, 0.96510}, 1.9425, -0.1690, -0.3209, false},
    {"PB 2 bar RK", inputOf({propane, butane}, {0.5f, 0.5f}, 300, 2, 3), {0.97177, 0.95341}, 1.9251, -0.2649, -0.5657, false},
    {"PB 2 bar SRK", inputOf({propane, butane}, {0.5f, 0.5f}, 300, 2, 4), {0.97077, 0.95003}, 1.9207, -0.2910, -0.6335, false},
    {"PB 10 bar PR", inputOf({propane, butane}, {0.5f, 0.5f}, 300, 10, 2), {0.8467, 0.2478}, 4.5804, -18.8475, -56.3332, true},
    {"MEP 10 bar PR", inputOf({methane, ethane, propane}, {0.2f, 0.3f, 0.5f}, 250, 10, 2), {8.7949, 1.0718, 0.2190},
     7.3812, -13.6947, -52.2542, true},
    {"MEP 10 bar vdW", inputOf({methane, ethane, propane}, {0.2f, 0.3f, 0.5f}, 250, 10, 1), {}, 8.8557, -0.6279, -1.5013, false},
};

std::vector<std::string> linesOf(K kind, const FamilyInput& input)
{
    ScriptedUi ui;
    const std::optional<MixtureState> state = familyReport(*familyTraits(kind), input);
    EXPECT_TRUE(ui.texts().empty());
    return state ? state->out : std::vector<std::string>{};
}

TEST(FamilyReport, QuotedStatesMatchTheReferenceAtTheStableRoot)
{
    for (const Quoted& q : quoted) {
        SCOPED_TRACE(q.what);
        const eosreference::Expected e = referenceOf(q.input);
        ASSERT_EQ(e.roots.size(), 3u);
        EXPECT_EQ(e.liquidStable(), q.liquidStable);
        const double p = q.input.p * 1e5;

        const auto partial = linesOf(K::PartialFugacity, q.input);
        ASSERT_EQ(partial.size(), 49u);
        for (std::size_t k = 0; k < q.input.components.size(); ++k) {
            const double phi = std::exp(e.lnPhiStable()[k]);
            const int line = 11 + 7 * static_cast<int>(k);
            EXPECT_NEAR(number(partial[line]), phi, phiRelative * phi) << k;
            if (!q.phi.empty()) {
                EXPECT_NEAR(number(partial[line]), q.phi[k], roundedLine) << k;
            }
            EXPECT_NEAR(number(partial[line + 1]), phi * number(partial[line - 1]) * p / 1e5, roundedLine) << k;
        }

        const auto fugacity = linesOf(K::MixtureFugacity, q.input);
        ASSERT_EQ(fugacity.size(), 53u);
        EXPECT_NEAR(number(fugacity[49]), q.fugacity, roundedLine);
        EXPECT_NEAR(number(fugacity[49]), std::exp(e.stable().lnPhi) * p / 1e5, roundedLine);
        EXPECT_NEAR(number(fugacity[48]), e.roots.front(), 1e-6);

        const auto departure = linesOf(K::MixtureDeparture, q.input);
        ASSERT_EQ(departure.size(), 53u);
        EXPECT_NEAR(number(departure[49]), q.H, roundedLine);
        EXPECT_NEAR(number(departure[50]), q.S, roundedLine);
        EXPECT_NEAR(number(departure[49]), e.stable().H / 1000.0, roundedLine);
        EXPECT_NEAR(number(departure[50]), e.stable().S, roundedLine);
    }
}

// The lines a test names, by number; "" for a line that must stay empty.
using Lines = std::map<int, std::string>;

struct TextCase {
    const char* what;
    K kind;
    FamilyInput input;
    Lines lines;
};

const GatheredComponent typed{"my fluid", 282.34f, 48.8f, 0.087f, 169.4f, 0.0f};

const TextCase texts[] = {
    {"partial, celsius, 0.2/0.2", K::PartialFugacity, inputOf({typed, propane}, {0.2f, 0.2f}, 25, 1, 3, "celsius", 298.15f),
     {{1, "25(celsius)"}, {2, "1(bar)"}, {3, "Redlick  Kwong"}, {4, "298.15"}, {5, "100000"}, {6, "my fluid"},
      {7, "282.34"}, {8, "48.8"}, {9, "0.087"}, {10, "0.5"}, {13, "propane"}, {15, "42.48"}, {17, "0.5"},
      {20, ""}, {47, ""}, {48, ""}}},
    {"partial, Soave", K::PartialFugacity, inputOf({propane, butane}, {0.25f, 0.75f}, 300, 2, 4),
     {{1, "300(kelvin)"}, {3, "Soave  Redlick  Kwong"}, {10, "0.25"}, {17, "0.75"}}},
    {"partial, a component at 0", K::PartialFugacity, inputOf({propane, butane}, {0.0f, 0.5f}, 300, 2, 2),
     {{10, "0"}, {12, "0"}, {17, "1"}}},
    {"departure, celsius, vdW", K::MixtureDeparture, inputOf({propane, butane}, {0.2f, 0.2f}, 25, 1, 1, "celsius", 298.15f),
     {{1, "25 (celsius)"}, {2, "1 (bar)"}, {3, "propane"}, {4, "369.83"}, {5, "42.48"}, {6, "0.152"}, {7, "0.5"},
      {8, "n-butane"}, {12, "0.5"}, {13, ""}, {32, ""}, {33, "298.15"}, {34, "100000"}, {35, " Vander waal"}, {51, ""}}},
    {"departure, Redlich-Kwong", K::MixtureDeparture, inputOf({propane, butane}, {0.5f, 0.5f}, 300, 2, 3),
     {{33, "300"}, {34, "200000"}, {35, "Redlick Kwong"}}},
    {"fugacity, Soave", K::MixtureFugacity, inputOf({propane, butane}, {0.3f, 0.3f}, 300, 2, 4),
     {{1, "300 (kelvin)"}, {2, "2 (bar)"}, {7, "0.5"}, {12, "0.5"}, {13, ""}, {33, "300"}, {34, "200000"},
      {35, "Soave Redlick Kwong"}, {50, ""}, {51, ""}, {52, ""}}},
    {"fugacity, vdW", K::MixtureFugacity, inputOf({propane, butane}, {0.5f, 0.5f}, 300, 2, 1),
     {{35, "Vander waal"}}},
};

TEST(FamilyReport, LinesReadExactly)
{
    for (const TextCase& c : texts) {
        const auto lines = linesOf(c.kind, c.input);
        ASSERT_FALSE(lines.empty()) << c.what;
        for (const auto& [line, text] : c.lines)
            EXPECT_EQ(lines.at(static_cast<std::size_t>(line)), text) << c.what << " line " << line;
    }
}

struct BadCase {
    const char* what;
    FamilyInput input;
};

const float nan = std::numeric_limits<float>::quiet_NaN();
const float infinity = std::numeric_limits<float>::infinity();

const BadCase bad[] = {
    {"every fraction 0", inputOf({propane, butane}, {0.0f, 0.0f}, 300, 2, 2)},
    {"equation 0", inputOf({propane, butane}, {0.5f, 0.5f}, 300, 2, 0)},
    {"equation 5", inputOf({propane, butane}, {0.5f, 0.5f}, 300, 2, 5)},
    {"temperature NaN", inputOf({propane, butane}, {0.5f, 0.5f}, nan, 2, 2)},
    {"pressure infinite", inputOf({propane, butane}, {0.5f, 0.5f}, 300, infinity, 2)},
    {"temperature 0", inputOf({propane, butane}, {0.5f, 0.5f}, 0, 2, 2)},
    {"no component", inputOf({}, {}, 300, 2, 2)},
};

TEST(FamilyReport, BadInputEndsWithErrorInCommand)
{
    for (K kind : {K::PartialFugacity, K::MixtureDeparture, K::MixtureFugacity})
        for (const BadCase& c : bad) {
            ScriptedUi ui;
            EXPECT_FALSE(familyReport(*familyTraits(kind), c.input)) << c.what;
            EXPECT_EQ(ui.texts(), std::vector<std::string>{"error in command"}) << c.what;
        }
}

// Every placeholder of the three templates takes its value, in order.
TEST(FamilyTemplates, TakeEveryValueInOrder)
{
    for (const auto& [name, count] : {std::pair{"PartialFugacitycalculator.htm", 47},
                                      std::pair{"MixtureDeparturecalculator.htm", 51},
                                      std::pair{"MixtureFugacitycalculator.htm", 51}}) {
        testing::ScratchFolder folder;
        folder.copyProgramFile(name);
        services::ResultLines values(static_cast<std::size_t>(count) + 1);
        for (int i = 1; i <= count; ++i)
            values[static_cast<std::size_t>(i)] = "[" + std::to_string(i) + "]";
        ScriptedUi ui;
        ASSERT_TRUE(services::MakeResultFile(count, values, folder.file(name).string()).written) << name;
        const std::string page = folder.read("result.htm");
        std::size_t at = 0;
        for (int i = 1; i <= count; ++i) {
            at = page.find("[" + std::to_string(i) + "]", at);
            ASSERT_NE(at, std::string::npos) << name << ' ' << i;
        }
        EXPECT_EQ(page.find("variable"), std::string::npos) << name;
        EXPECT_TRUE(ui.texts().empty()) << name;
    }
}

} // namespace
} // namespace calvex::mixture
