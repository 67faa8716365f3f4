#include "mixture/engine/mixtureeos.h"
#include "services/numbers.h"
#include "tests/mixture/engine/eostestsupport.h"
#include "tests/support/scriptedui.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace calvex::mixture::testing {
namespace {

using calvex::testing::ScriptedUi;
using Texts = std::vector<std::string>;

const std::string cardanMessage = "Error in cardan Method Calculation perhaphs unvalid data entry";

MixtureState methaneButane(std::int16_t optionno, MixtureHost host)
{
    return stateOf({methane, butane}, {0.5f, 0.5f}, optionno, host);
}

// A report number is the plain text of a 32-bit value: it reads back to a float whose text it is.
void expectNumberLine(const MixtureState& state, int line, double expected, double tolerance)
{
    const std::string& text = state.out[line];
    const float value = static_cast<float>(services::val(text));
    EXPECT_EQ(text, services::singleText(value)) << "line " << line;
    EXPECT_NEAR(value, expected, tolerance) << "line " << line << ": " << text;
}

void expectUntouched(const MixtureState& state, std::initializer_list<int> lines)
{
    for (int line : lines)
        EXPECT_EQ(state.out[line], untouched) << "line " << line;
}

// The lines of the one-fluid quantities and of the cubic at 250 K and 1 MPa, checked against the
// double-precision picture: the coefficients from Vieta's formulas on the bisection roots, the
// solve's details from the coefficients.
void expectEquationLines(const MixtureState& state, std::int16_t optionno, bool withAmBm, bool withAB, bool withRoots)
{
    const MixtureModel model{equations[optionno - 1].eos, {methane, butane}};
    const double T = 250.0, P = 1e6, RT = 8.314 * T;
    const double am = model.am({0.5, 0.5}, T);
    const double bm = model.bm({0.5, 0.5});
    const auto z = eosreference::compressibilityRoots(model, T, P, am, bm);
    ASSERT_EQ(z.size(), 3u);
    const double c2 = -(z[0] + z[1] + z[2]);
    const double c1 = z[0] * z[1] + z[0] * z[2] + z[1] * z[2];
    const double c0 = -z[0] * z[1] * z[2];
    const double p = c1 - c2 * c2 / 3.0;
    const double q = 2.0 * c2 * c2 * c2 / 27.0 - c1 * c2 / 3.0 + c0;
    const double D = p * p * p / 27.0 + q * q / 4.0;
    const double r = std::sqrt(-p * p * p / 27.0);
    if (withAmBm) {
        expectNumberLine(state, 36, am, 1e-6 * am);
        expectNumberLine(state, 37, bm, 1e-6 * bm);
    }
    if (withAB) {
        expectNumberLine(state, 38, am * P / (RT * RT), 1e-6);
        expectNumberLine(state, 39, bm * P / RT, 1e-6);
    }
    expectNumberLine(state, 40, c2, 1e-6);
    expectNumberLine(state, 41, c1, 1e-6);
    expectNumberLine(state, 42, c0, 1e-7);
    if (!withRoots)
        return;
    expectNumberLine(state, 43, D, 1e-4 * std::fabs(D));
    expectNumberLine(state, 44, p, 1e-6);
    expectNumberLine(state, 45, q, 1e-6);
    expectNumberLine(state, 46, r, 1e-6);
    expectNumberLine(state, 47, std::acos(-q / 2.0 / r), 1e-5);
    expectNumberLine(state, 48, z[0], 1e-6);
}

TEST(MixtureEosReport, PartialFugacityNamesTheEquationOnLineThreeOnly)
{
    const char* names[] = {"Vander waal", "Peng Robinson", "Redlick  Kwong", "Soave  Redlick  Kwong"};
    for (std::int16_t option = 1; option <= 4; ++option) {
        MixtureState state = methaneButane(option, MixtureHost::PartialFugacity);
        ASSERT_TRUE(eos::phycal(state, 250.0f, 1e6f, std::int16_t{1}));
        for (int line = 0; line < 53; ++line)
            EXPECT_EQ(state.out[line], line == 3 ? names[option - 1] : untouched) << option << " line " << line;
    }
}

// All coefficients of a state at once against the calls one by one (each tested against the
// double-precision reference): the same floats bit for bit, report lines and messages, in a
// two-root state, a one-root state and one whose mixing fails (Pc = 0).
TEST(MixtureEosReport, AllPartialCoefficientsAtOnceAreThoseOfTheCallsOneByOne)
{
    const struct {
        float P;
        bool failing;
    } rows[] = {{1e6f, false}, {1e4f, false}, {1e6f, true}};
    for (std::int16_t option = 1; option <= 4; ++option)
        for (const auto& row : rows) {
            const auto prepared = [&] {
                MixtureState state = methaneButane(option, MixtureHost::PartialFugacity);
                if (row.failing)
                    state.Pc[1] = 0.0f;
                return state;
            };
            MixtureState oneByOne = prepared();
            ScriptedUi separateUi;
            std::vector<EosResult> separate;
            for (std::int16_t i = 0; i < oneByOne.nos && (separate.empty() || separate.back()); ++i)
                separate.push_back(eos::phycal(oneByOne, 250.0f, row.P, i));
            const Texts separateTexts = separateUi.texts();

            MixtureState atOnce = prepared();
            ScriptedUi togetherUi;
            const auto together = eos::phycalEach(atOnce, 250.0f, row.P);
            const std::string what = std::to_string(option) + " at " + std::to_string(row.P);
            EXPECT_EQ(togetherUi.texts(), separateTexts) << what;
            EXPECT_EQ(atOnce.out, oneByOne.out) << what;
            ASSERT_EQ(together.has_value(), !row.failing) << what;
            if (!together)
                continue;
            ASSERT_EQ(together->size(), separate.size()) << what;
            for (std::size_t i = 0; i < separate.size(); ++i)
                EXPECT_EQ((*together)[i], *separate[i]) << what << " component " << i;
        }
}

TEST(MixtureEosReport, MixtureFugacityWritesLines35To49)
{
    const char* names[] = {"Vander waal", "Peng Robinson", "Redlick Kwong", "Soave Redlick Kwong"};
    for (std::int16_t option = 1; option <= 4; ++option) {
        MixtureState state = methaneButane(option, MixtureHost::MixtureFugacity);
        const EosResult phi = eos::phycal(state, 250.0f, 1e6f);
        ASSERT_TRUE(phi);
        EXPECT_EQ(state.out[35], names[option - 1]);
        expectEquationLines(state, option, true, true, true);
        expectUntouched(state, {0, 1, 3, 34, 50, 51, 52});
    }
}

// Only the van der Waals compressibility routine writes A and B for the mixture-fugacity report.
TEST(MixtureEosReport, CompressibilityLinesFollowTheHost)
{
    const struct {
        MixtureHost host;
        std::int16_t option;
        std::vector<int> written;
    } rows[] = {
        {MixtureHost::PartialFugacity, 1, {}},
        {MixtureHost::PartialFugacity, 2, {}},
        {MixtureHost::MixtureFugacity, 1, {38, 39, 40, 41, 42}},
        {MixtureHost::MixtureFugacity, 3, {40, 41, 42}},
        {MixtureHost::MixtureDeparture, 1, {40, 41, 42, 43, 44, 45, 46, 47, 48, 49}},
        {MixtureHost::MixtureDeparture, 4, {40, 41, 42, 43, 44, 45, 46, 47, 48, 49}},
    };
    for (const auto& row : rows) {
        MixtureState state = methaneButane(row.option, row.host);
        const EosResult roots = equations[row.option - 1].Zcal(state, 250.0f, 1e6f);
        ASSERT_TRUE(roots);
        for (int line = 0; line < 53; ++line) {
            const bool written = std::find(row.written.begin(), row.written.end(), line) != row.written.end();
            EXPECT_EQ(state.out[line] != untouched, written) << row.option << " line " << line;
        }
        if (row.host == MixtureHost::MixtureDeparture) {
            expectEquationLines(state, row.option, false, false, true);
            EXPECT_EQ(state.out[48], services::singleText((*roots)[0]));
            EXPECT_EQ(state.out[49], services::singleText((*roots)[2]));
        }
    }
}

TEST(MixtureEosReport, DepartureWritesLines35To49)
{
    const char* names[] = {" Vander waal", "Peng Robinson", "Redlick Kwong", "Soave Redlick Kwong"};
    for (std::int16_t option = 1; option <= 4; ++option) {
        MixtureState state = methaneButane(option, MixtureHost::MixtureDeparture);
        ASSERT_TRUE(eos::Departurecal(state, 250.0f, 1e6f));
        EXPECT_EQ(state.out[35], names[option - 1]);
        expectEquationLines(state, option, true, true, true);
        expectUntouched(state, {0, 3, 34, 50, 51, 52});
    }
}

TEST(MixtureEosReport, OnlyTheVanderwaalDepartureStoresParameters)
{
    for (std::int16_t option = 1; option <= 4; ++option) {
        MixtureState state = methaneButane(option, MixtureHost::MixtureDeparture);
        state.a = {-1.0f, -1.0f};
        state.b = {-2.0f, -2.0f};
        ASSERT_TRUE(equations[option - 1].departure(state, 250.0f, 1e6f, 0.8f));
        EXPECT_EQ(state.a[0] != -1.0f, option == 1) << option;
        EXPECT_EQ(state.b[1] != -2.0f, option == 1) << option;
    }
}

TEST(MixtureEosReport, UnknownEquationDoesNothing)
{
    for (std::int16_t option : {std::int16_t{0}, std::int16_t{5}, std::int16_t{-1}}) {
        ScriptedUi ui;
        MixtureState state = methaneButane(option, MixtureHost::MixtureDeparture);
        EXPECT_FALSE(eos::phycal(state, 250.0f, 1e6f, std::int16_t{0}));
        EXPECT_FALSE(eos::phycal(state, 250.0f, 1e6f));
        EXPECT_FALSE(eos::Departurecal(state, 250.0f, 1e6f));
        expectUntouched(state, {3, 35, 36, 40, 49});
        EXPECT_TRUE(ui.texts().empty());
    }
}

// Each row: the routine, a fault put into the state or the arguments, the messages in order,
// and the lines that must still be untouched afterwards.
struct FailureRow {
    const char* what;
    std::function<EosResult(MixtureState&)> call;
    std::function<void(MixtureState&)> fault;
    MixtureHost host;
    Texts messages;
    std::vector<int> untouchedLines;
    std::vector<int> writtenLines;
};

// At about 3e23 Pa the coefficients still fit in 32 bits but the solver's intermediate values do
// not, so the cubic solver fails with its own message.
constexpr float solverBreakingPressure = 3e23f;
constexpr float nan = std::numeric_limits<float>::quiet_NaN();

void zeroPc(MixtureState& state) { state.Pc[1] = 0.0f; }
void noFault(MixtureState&) {}

TEST(MixtureEosFailures, ChainsShowTheirMessagesInnermostFirst)
{
    const std::vector<FailureRow> rows = {
        {"Redlich-Kwong partial fugacity, Pc = 0", [](MixtureState& s) { return eos::phycal(s, 250.0f, 1e6f, std::int16_t{0}); },
         [](MixtureState& s) { zeroPc(s); s.optionno = 3; }, MixtureHost::PartialFugacity,
         {"error in abcal", "error in Zcal", "error in partialphyrk"}, {}, {3}},
        {"Soave partial fugacity, Pc = 0", [](MixtureState& s) { return eos::phycal(s, 250.0f, 1e6f, std::int16_t{0}); },
         [](MixtureState& s) { zeroPc(s); s.optionno = 4; }, MixtureHost::PartialFugacity, {"error in partialphysrk"}, {}, {3}},
        {"Peng-Robinson partial fugacity, Pc = 0", [](MixtureState& s) { return eos::partialphycalPR(s, 250.0f, 1e6f, 0); },
         zeroPc, MixtureHost::PartialFugacity, {"error in partialphypr"}, {3}, {}},
        {"van der Waals partial fugacity, Pc = 0", [](MixtureState& s) { return eos::partialphycalvanderwaal(s, 250.0f, 1e6f, 0); },
         zeroPc, MixtureHost::PartialFugacity, {"error in partialphyvan"}, {3}, {}},
        {"van der Waals partial fugacity, P = 0", [](MixtureState& s) { return eos::partialphycalvanderwaal(s, 250.0f, 0.0f, 0); },
         noFault, MixtureHost::PartialFugacity, {"error in partialphyvan"}, {}, {}},
        {"partial fugacity, component beyond the slots", [](MixtureState& s) { return eos::partialphycalSRK(s, 250.0f, 1e6f, 7); },
         noFault, MixtureHost::PartialFugacity, {"error in partialphysrk"}, {}, {}},
        {"partial fugacity, all fractions zero", [](MixtureState& s) { return eos::partialphycalRK(s, 250.0f, 1e6f, 0); },
         [](MixtureState& s) { s.y = {}; }, MixtureHost::PartialFugacity, {"error in partialphyrk"}, {}, {}},
        {"partial fugacity, solver fails", [](MixtureState& s) { return eos::partialphycalRK(s, 250.0f, solverBreakingPressure, 0); },
         noFault, MixtureHost::PartialFugacity, {cardanMessage, "error in partialphyrk"}, {}, {}},
        {"partial dispatcher, report too short", [](MixtureState& s) { return eos::phycal(s, 250.0f, 1e6f, std::int16_t{0}); },
         [](MixtureState& s) { s.out.resize(3); }, MixtureHost::PartialFugacity, {"errror in phycal"}, {}, {}},
        {"mixture fugacity, Pc = 0", [](MixtureState& s) { return eos::phycal(s, 250.0f, 1e6f); },
         zeroPc, MixtureHost::MixtureFugacity, {"error in phy"}, {36, 37, 38, 39, 40, 43, 48, 49}, {35}},
        {"mixture fugacity, van der Waals solver fails", [](MixtureState& s) { return eos::phycal(s, 250.0f, solverBreakingPressure); },
         [](MixtureState& s) { s.optionno = 1; }, MixtureHost::MixtureFugacity, {cardanMessage, "error in phy"}, {48, 49},
         {35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47}},
        {"mixture fugacity, zero temperature", [](MixtureState& s) { return eos::phycalPR(s, 0.0f, 1e6f); },
         noFault, MixtureHost::MixtureFugacity, {"error in phy"}, {35, 36, 40}, {}},
        {"mixture dispatcher, report too short", [](MixtureState& s) { return eos::phycal(s, 250.0f, 1e6f); },
         [](MixtureState& s) { s.out.resize(20); }, MixtureHost::MixtureFugacity, {"error in phycal"}, {}, {}},
        {"departure, Pc = 0", [](MixtureState& s) { return eos::Departurecal(s, 250.0f, 1e6f); },
         zeroPc, MixtureHost::MixtureDeparture, {"error in abcal", "error in Zcal"}, {36, 40, 43, 48, 49}, {35}},
        {"departure, solver fails", [](MixtureState& s) { return eos::Departurecal(s, 250.0f, solverBreakingPressure); },
         [](MixtureState& s) { s.optionno = 3; }, MixtureHost::MixtureDeparture, {cardanMessage, "error in Zcal"},
         {36, 37, 38, 39, 48, 49}, {35, 40, 41, 42, 43, 44, 45, 46, 47}},
        {"departure member, Z = 0", [](MixtureState& s) { return eos::DepartureSRK(s, 250.0f, 1e6f, 0.0f); },
         noFault, MixtureHost::MixtureDeparture, {"error in departure calculaton"}, {35, 40}, {36, 37, 38, 39}},
        {"departure member, Z = B", [](MixtureState& s) {
             const float bm = (*eos::abRK(s, 250.0f, 1e6f))[1];
             return eos::DepartureRK(s, 250.0f, 1e6f, static_cast<float>(bm * 1e6 / (8.314 * 250.0))); },
         noFault, MixtureHost::MixtureDeparture, {"error in departure calculaton"}, {35, 40}, {36, 37, 38, 39}},
        {"departure member, NaN pressure", [](MixtureState& s) { return eos::DepartureRK(s, 250.0f, nan, 0.8f); },
         noFault, MixtureHost::MixtureDeparture, {"error in departure calculaton"}, {36, 37, 38, 39}, {}},
        {"departure, Redlich-Kwong at 1e11 K", [](MixtureState& s) { return eos::Departurecal(s, 1e11f, 1e6f); },
         [](MixtureState& s) { s.optionno = 3; }, MixtureHost::MixtureDeparture, {"error in departure calculaton"}, {36, 37, 38, 39}, {}},
        {"departure, report too short", [](MixtureState& s) { return eos::Departurecal(s, 250.0f, 1e6f); },
         [](MixtureState& s) { s.out.resize(30); }, MixtureHost::MixtureDeparture, {}, {}, {}},
    };
    for (const FailureRow& row : rows) {
        ScriptedUi ui;
        MixtureState state = methaneButane(2, row.host);
        row.fault(state);
        EXPECT_FALSE(row.call(state)) << row.what;
        EXPECT_EQ(ui.messages(), row.messages) << row.what;
        for (int line : row.untouchedLines)
            EXPECT_EQ(state.out[line], untouched) << row.what << ", line " << line;
        for (int line : row.writtenLines)
            EXPECT_NE(state.out[line], untouched) << row.what << ", line " << line;
        for (const std::string& text : state.out)
            EXPECT_EQ(text.find("nan"), std::string::npos) << row.what;
    }
}

// After a failed solve the departure report shows the details of the solve before it.
TEST(MixtureEosFailures, FailedSolveReportsThePreviousDetails)
{
    ScriptedUi ui;
    MixtureState state = methaneButane(3, MixtureHost::MixtureDeparture);
    ASSERT_TRUE(eos::Departurecal(state, 250.0f, 1e6f));
    const Texts before(state.out.begin() + 43, state.out.begin() + 48);
    EXPECT_FALSE(eos::Departurecal(state, 250.0f, solverBreakingPressure));
    EXPECT_EQ(Texts(state.out.begin() + 43, state.out.begin() + 48), before);
}

} // namespace
} // namespace calvex::mixture::testing
