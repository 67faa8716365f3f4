// The fugacity and departure sweeps: grids, points files, values against the reference model at
// the stable root, and a failed point leaving the earlier file alone.

#include "mixture/windows/familysweep.h"

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

// The run state a report leaves: components (Tc K, Pc bar, omega) in equal parts, T in K, p in Pa.
MixtureRunState snapshotOf(std::vector<std::array<float, 3>> components, float T, float p_bar, int optionno = 2)
{
    MixtureRunState state;
    state.n = static_cast<std::int16_t>(components.size());
    state.optionno = static_cast<std::int16_t>(optionno);
    state.T = T;
    state.P = p_bar * 1e5f;
    for (std::size_t k = 1; k <= components.size(); ++k) {
        state.names[k] = "c" + std::to_string(k);
        std::tie(state.Tc[k], state.Pc[k], state.omega[k]) =
            std::tuple{components[k - 1][0], components[k - 1][1], components[k - 1][2]};
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
            numbers.push_back(std::stod(item));
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
    {"fugacity T", K::MixtureFugacity, "T", "points1.dat", 20, 2, 20, 400},
    {"fugacity P", K::MixtureFugacity, "P", "points2.dat", 20, 2, 2.5, 50},
    {"departure T", K::MixtureDeparture, "T", "points1.dat", 40, 3, 20, 800},
    {"departure P", K::MixtureDeparture, "P", "points2.dat", 40, 3, 2.5, 100},
};

TEST(FamilySweep, GridsAndFileLayout)
{
    for (const GridCase& g : grids) {
        testing::ScratchFolder folder;
        ScriptedUi ui;
        const MixtureRunState snapshot = snapshotOf({{300, 40, 0.1f}, {500, 60, 0.2f}}, 300, 2);
        ASSERT_EQ(writeFamilySweep(*familyTraits(g.kind), snapshot, g.argument), g.file) << g.what;
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
TEST(FamilySweep, FugacityGridEndsAtTheMeanTcOfTheMixtureInUse)
{
    testing::ScratchFolder folder;
    ScriptedUi ui;
    MixtureRunState snapshot = snapshotOf({{300, 40, 0.1f}, {400, 50, 0.1f}}, 250, 2);
    snapshot.Tc[3] = 500.0f;
    snapshot.Pc[3] = 60.0f;
    ASSERT_EQ(writeFamilySweep(*familyTraits(K::MixtureFugacity), snapshot, "T"), "points1.dat");
    EXPECT_NEAR(rowsOf(folder, "points1.dat").back()[0], 350.0, 1e-4);
}

// Propane + n-butane 50/50, Peng-Robinson, 300 K: the pressure grid steps by (42.48 + 37.96)/40
// bar; from 10.055 bar on the liquid root is the stable one (7.9540 bar at the vapour root).
TEST(FamilySweep, FugacityPointsAreTheReferencesAtTheStableRoot)
{
    testing::ScratchFolder folder;
    ScriptedUi ui;
    const MixtureRunState snapshot = snapshotOf({{369.83f, 42.48f, 0.152f}, {425.12f, 37.96f, 0.2f}}, 300, 2);
    ASSERT_EQ(writeFamilySweep(*familyTraits(K::MixtureFugacity), snapshot, "P"), "points2.dat");
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

TEST(FamilySweep, OtherArgumentsDoNothing)
{
    testing::ScratchFolder folder;
    ScriptedUi ui;
    const MixtureRunState snapshot = snapshotOf({{300, 40, 0.1f}, {500, 60, 0.2f}}, 300, 2);
    for (const std::string argument : {"t", "p", "", "TD", "XY"})
        EXPECT_EQ(writeFamilySweep(*familyTraits(K::MixtureDeparture), snapshot, argument), "") << argument;
    EXPECT_TRUE(ui.texts().empty());
    EXPECT_FALSE(std::filesystem::exists(folder.file("points1.dat")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("points2.dat")));
}

// A point without a value: the routines' messages, the sweep's, and the earlier file stays.
TEST(FamilySweep, FailedPointKeepsTheEarlierFile)
{
    for (K kind : {K::MixtureFugacity, K::MixtureDeparture}) {
        testing::ScratchFolder folder;
        folder.write("points1.dat", "earlier");
        ScriptedUi ui;
        MixtureRunState snapshot = snapshotOf({{300, 40, 0.1f}, {500, 60, 0.2f}}, 300, 2);
        snapshot.Pc[2] = 0.0f;
        EXPECT_EQ(writeFamilySweep(*familyTraits(kind), snapshot, "T"), "");
        ASSERT_FALSE(ui.messages().empty());
        EXPECT_EQ(ui.messages().back(), "error in PDorTD graph");
        EXPECT_EQ(folder.read("points1.dat"), "earlier");
    }
}

} // namespace
} // namespace calvex::mixture
