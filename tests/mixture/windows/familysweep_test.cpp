// The fugacity and departure sweeps: grids, points files, values against the reference model at
// the stable root, and a failed point leaving the earlier file alone.

#include "mixture/windows/familysweep.h"

#include "tests/mixture/engine/eosexpected.h"
#include "tests/support/scratchfolder.h"
#include "tests/support/scriptedui.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace calvex::mixture {
namespace {

using testing::ScriptedUi;

// The state a report leaves: two components (Tc K, Pc bar, omega), 50/50, at T K and p bar.
MixtureState snapshotOf(MixtureHost host, std::vector<std::array<float, 3>> components, float T, float p_bar,
                        int optionno = 2)
{
    FamilyInput input{T, "kelvin", p_bar, "bar", T, p_bar * 1e5f, static_cast<std::int16_t>(optionno), {}};
    for (const auto& [Tc, Pc, omega] : components)
        input.components.push_back({"c" + std::to_string(input.components.size()), Tc, Pc, omega, 0.0f,
                                    1.0f / static_cast<float>(components.size())});
    return familyState(host, 53, input);
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
    FamilyKind kind;
    MixtureHost host;
    std::string argument;
    std::string file;
    std::size_t rows;
    std::size_t columns;
    double first;
    double last;
};

const GridCase grids[] = {
    {"fugacity T", FamilyKind::MixtureFugacity, MixtureHost::MixtureFugacity, "T", "points1.dat", 20, 2, 20, 400},
    {"fugacity P", FamilyKind::MixtureFugacity, MixtureHost::MixtureFugacity, "P", "points2.dat", 20, 2, 2.5, 50},
    {"departure T", FamilyKind::MixtureDeparture, MixtureHost::MixtureDeparture, "T", "points1.dat", 40, 3, 20, 800},
    {"departure P", FamilyKind::MixtureDeparture, MixtureHost::MixtureDeparture, "P", "points2.dat", 40, 3, 2.5, 100},
};

TEST(FamilySweep, GridsAndFileLayout)
{
    for (const GridCase& g : grids) {
        testing::ScratchFolder folder;
        ScriptedUi ui;
        const MixtureState snapshot = snapshotOf(g.host, {{300, 40, 0.1f}, {500, 60, 0.2f}}, 300, 2);
        ASSERT_EQ(writeFamilySweep(g.kind, snapshot, g.argument), g.file) << g.what;
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
    MixtureState snapshot = snapshotOf(MixtureHost::MixtureFugacity, {{300, 40, 0.1f}, {400, 50, 0.1f}}, 250, 2);
    snapshot.Tc[2] = 500.0f;
    snapshot.Pc[2] = 6e6f;
    ASSERT_EQ(writeFamilySweep(FamilyKind::MixtureFugacity, snapshot, "T"), "points1.dat");
    EXPECT_NEAR(rowsOf(folder, "points1.dat").back()[0], 350.0, 1e-4);
}

// Propane + n-butane 50/50, Peng-Robinson, 300 K: the pressure grid steps by (42.48 + 37.96)/40
// bar; from 10.055 bar on the liquid root is the stable one (7.9540 bar at the vapour root).
TEST(FamilySweep, FugacityPointsAreTheReferencesAtTheStableRoot)
{
    testing::ScratchFolder folder;
    ScriptedUi ui;
    const MixtureState snapshot =
        snapshotOf(MixtureHost::MixtureFugacity, {{369.83f, 42.48f, 0.152f}, {425.12f, 37.96f, 0.2f}}, 300, 2);
    ASSERT_EQ(writeFamilySweep(FamilyKind::MixtureFugacity, snapshot, "P"), "points2.dat");
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
    const MixtureState snapshot = snapshotOf(MixtureHost::MixtureDeparture, {{300, 40, 0.1f}, {500, 60, 0.2f}}, 300, 2);
    for (const std::string argument : {"t", "p", "", "TD", "XY"})
        EXPECT_EQ(writeFamilySweep(FamilyKind::MixtureDeparture, snapshot, argument), "") << argument;
    EXPECT_TRUE(ui.texts().empty());
    EXPECT_FALSE(std::filesystem::exists(folder.file("points1.dat")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("points2.dat")));
}

// A point without a value: the routines' messages, the sweep's, and the earlier file stays.
TEST(FamilySweep, FailedPointKeepsTheEarlierFile)
{
    for (auto [kind, host] : {std::pair{FamilyKind::MixtureFugacity, MixtureHost::MixtureFugacity},
                              std::pair{FamilyKind::MixtureDeparture, MixtureHost::MixtureDeparture}}) {
        testing::ScratchFolder folder;
        folder.write("points1.dat", "earlier");
        ScriptedUi ui;
        MixtureState snapshot = snapshotOf(host, {{300, 40, 0.1f}, {500, 60, 0.2f}}, 300, 2);
        snapshot.Pc[1] = 0.0f;
        EXPECT_EQ(writeFamilySweep(kind, snapshot, "T"), "");
        ASSERT_FALSE(ui.messages().empty());
        EXPECT_EQ(ui.messages().back(), "error in PDorTD graph");
        EXPECT_EQ(folder.read("points1.dat"), "earlier");
    }
}

} // namespace
} // namespace calvex::mixture
