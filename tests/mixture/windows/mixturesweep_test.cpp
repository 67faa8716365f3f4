// The molar-volume, fugacity and departure sweeps: grids, points files, values against the
// reference models at the stable root, and a failed point or a missing report leaving the
// earlier file alone.

#include "mixture/windows/mixturesweep.h"
#include "services/numbers.h"

#include "tests/mixture/engine/eosexpected.h"
#include "tests/support/scratchfolder.h"
#include "tests/support/scriptedui.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <tuple>

namespace calvex::mixture {
namespace {

using K = MixtureWindowKind;

using testing::ScriptedUi;

// The run state a report leaves: components (Tc K, Pc bar, omega) in equal parts, T in K, P in
// bar, as the engine runs keep it, or in Pa, as the family runs do.
MixtureRunState snapshotOf(std::vector<std::array<float, 3>> components, float T, float P, int optionno = 2)
{
    MixtureRunState state;
    state.n = static_cast<std::int16_t>(components.size());
    state.optionno = static_cast<std::int16_t>(optionno);
    state.T = T;
    state.P = P;
    for (std::size_t k = 1; k <= components.size(); ++k) {
        state.names[k] = "c" + std::to_string(k);
        std::tie(state.Tc[k], state.Pc[k], state.omega[k]) =
            std::tuple{components[k - 1][0], components[k - 1][1], components[k - 1][2]};
        state.Tb[k] = 0.6f * state.Tc[k];
        state.z[k] = 1.0f / static_cast<float>(components.size());
    }
    return state;
}

std::vector<std::vector<double>> rowsOf(const testing::ScratchFolder& folder, const std::string& file)
{
    std::istringstream text(folder.read(file));
    std::vector<std::vector<double>> rows;
    for (std::string line; std::getline(text, line);) {
        std::vector<double> numbers;
        std::istringstream items(line);
        for (std::string item; std::getline(items, item, ',');)
            numbers.push_back(services::val(item));
        rows.push_back(numbers);
    }
    return rows;
}

struct GridCase {
    const char* what;
    K kind;
    std::string argument;
    std::string file;
    std::size_t rows;
    std::size_t columns;
    double first;
    double last;
};

const GridCase grids[] = {
    {"molar volume T", K::MolarVolume, "T", "points1.dat", 20, 2, 20, 400},
    {"molar volume P", K::MolarVolume, "P", "points2.dat", 20, 2, 2, 40},
    {"fugacity T", K::MixtureFugacity, "T", "points1.dat", 20, 2, 20, 400},
    {"fugacity P", K::MixtureFugacity, "P", "points2.dat", 20, 2, 2.5, 50},
    {"departure T", K::MixtureDeparture, "T", "points1.dat", 40, 3, 20, 800},
    {"departure P", K::MixtureDeparture, "P", "points2.dat", 40, 3, 2.5, 100},
};

TEST(MixtureSweep, GridsAndFileLayout)
{
    for (const GridCase& g : grids) {
        testing::ScratchFolder folder;
        ScriptedUi ui;
        // One component has no two-phase region, so the molar-volume sweep draws every point.
        const MixtureRunState snapshot = g.kind == K::MolarVolume
                                             ? snapshotOf({{300, 40, 0.1f}}, 300, 2.0f)
                                             : snapshotOf({{300, 40, 0.1f}, {500, 60, 0.2f}}, 300, 2e5f);
        ASSERT_EQ(writeMixtureSweep(g.kind, snapshot, g.argument), g.file) << g.what;
        const auto rows = rowsOf(folder, g.file);
        ASSERT_EQ(rows.size(), g.rows + 2) << g.what;
        EXPECT_EQ(rows[0], std::vector<double>{static_cast<double>(g.rows)}) << g.what;
        EXPECT_EQ(rows[1], std::vector<double>{static_cast<double>(g.columns - 1)}) << g.what;
        for (std::size_t i = 1; i <= g.rows; ++i) {
            ASSERT_EQ(rows[i + 1].size(), g.columns) << g.what << ' ' << i;
            EXPECT_NEAR(rows[i + 1][0], g.first * static_cast<double>(i), 1e-6 * g.last) << g.what << ' ' << i;
        }
        EXPECT_NEAR(rows.back()[0], g.last, 1e-6 * g.last) << g.what;
        EXPECT_TRUE(ui.texts().empty()) << g.what;
    }
}

// Slots above the component count (an earlier run with more components) do not widen the grid.
TEST(MixtureSweep, FugacityGridEndsAtTheMeanTcOfTheMixtureInUse)
{
    testing::ScratchFolder folder;
    ScriptedUi ui;
    MixtureRunState snapshot = snapshotOf({{300, 40, 0.1f}, {400, 50, 0.1f}}, 250, 2e5f);
    snapshot.Tc[3] = 500.0f;
    snapshot.Pc[3] = 60.0f;
    ASSERT_EQ(writeMixtureSweep(K::MixtureFugacity, snapshot, "T"), "points1.dat");
    EXPECT_NEAR(rowsOf(folder, "points1.dat").back()[0], 350.0, 1e-4);
}

// Propane + n-butane 50/50, Peng-Robinson, 300 K: the pressure grid steps by (42.48 + 37.96)/40
// bar; from 10.055 bar on the liquid root is the stable one (7.9540 bar at the vapour root).
TEST(MixtureSweep, FugacityPointsAreTheReferencesAtTheStableRoot)
{
    testing::ScratchFolder folder;
    ScriptedUi ui;
    const MixtureRunState snapshot = snapshotOf({{369.83f, 42.48f, 0.152f}, {425.12f, 37.96f, 0.2f}}, 300, 2e5f);
    ASSERT_EQ(writeMixtureSweep(K::MixtureFugacity, snapshot, "P"), "points2.dat");
    const auto rows = rowsOf(folder, "points2.dat");
    const eosreference::MixtureModel model{eosreference::Eos::PengRobinson,
                                           {{369.83f, 4248000.0, 0.152f}, {425.12f, 3796000.0, 0.2f}}};
    for (const auto& [row, quoted] : {std::pair{1, 1.9261}, std::pair{5, 4.5813}}) {
        const double p = rows[static_cast<std::size_t>(row) + 1][0] * 1e5;
        const eosreference::Expected e = eosreference::expectedFor(model, {0.5, 0.5}, 300.0, p);
        const double f = rows[static_cast<std::size_t>(row) + 1][1];
        // 7 significant digits in the file, single-precision routines: 2e-5 relative.
        EXPECT_NEAR(f, std::exp(e.stable().lnPhi) * p / 1e5, 2e-5 * f) << row;
        EXPECT_NEAR(f, quoted, 1e-4) << row;
    }
}

TEST(MixtureSweep, OtherArgumentsDoNothing)
{
    testing::ScratchFolder folder;
    ScriptedUi ui;
    const MixtureRunState snapshot = snapshotOf({{300, 40, 0.1f}, {500, 60, 0.2f}}, 300, 2e5f);
    for (const std::string argument : {"t", "p", "", "TD", "XY"})
        EXPECT_EQ(writeMixtureSweep(K::MixtureDeparture, snapshot, argument), "") << argument;
    EXPECT_EQ(writeMixtureSweep(K::PartialFugacity, snapshot, "T"), "");
    EXPECT_TRUE(ui.texts().empty());
    EXPECT_FALSE(std::filesystem::exists(folder.file("points1.dat")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("points2.dat")));
}

// A point without a value, or no report to sweep from: the messages, the window's, and the
// earlier file stays.
struct FailureCase {
    const char* what;
    K kind;
    std::optional<MixtureRunState> snapshot;
    std::string message;
};

MixtureRunState brokenSnapshot(float P)
{
    MixtureRunState snapshot = snapshotOf({{300, 40, 0.1f}, {500, 60, 0.2f}}, 300, P);
    snapshot.Pc[2] = 0.0f;
    return snapshot;
}

const FailureCase failures[] = {
    {"fugacity point", K::MixtureFugacity, brokenSnapshot(2e5f), "error in PDorTD graph"},
    {"departure point", K::MixtureDeparture, brokenSnapshot(2e5f), "error in PDorTD graph"},
    {"molar volume point", K::MolarVolume, brokenSnapshot(2), "error in PVorTV graph"},
    {"molar volume, no member", K::MolarVolume, snapshotOf({{300, 40, 0.1f}, {500, 60, 0.2f}}, 300, 2, 1),
     "error in PVorTV graph"},
    {"departure, no report", K::MixtureDeparture, std::nullopt, "error in PDorTD graph"},
    {"molar volume, no report", K::MolarVolume, std::nullopt, "error in PVorTV graph"},
};

TEST(MixtureSweep, FailedPointKeepsTheEarlierFile)
{
    for (const FailureCase& c : failures) {
        testing::ScratchFolder folder;
        folder.write("points1.dat", "earlier");
        ScriptedUi ui;
        EXPECT_EQ(writeMixtureSweep(c.kind, c.snapshot, "T"), "") << c.what;
        ASSERT_FALSE(ui.messages().empty()) << c.what;
        EXPECT_EQ(ui.messages().back(), c.message) << c.what;
        EXPECT_EQ(folder.read("points1.dat"), "earlier") << c.what;
    }
}

} // namespace
} // namespace calvex::mixture
