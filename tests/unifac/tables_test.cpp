// The subgroup and interaction tables against the entries and invariants the program's
// numbering and parameter set are known to have.
#include "unifac/subgrouptable.h"

#include <gtest/gtest.h>

#include <vector>

namespace calvex::unifac {
namespace {

class UnifacTables : public ::testing::Test {
protected:
    void SetUp() override { InitUnifacTables(); }
};

// Parameters compared as the single-precision values they are held as.
void expectParameter(int m, int n, float value)
{
    EXPECT_EQ(InteractionTable(m, n), static_cast<double>(value)) << "a(" << m << ", " << n << ")";
}

TEST_F(UnifacTables, SubgroupsAsNumbered)
{
    struct Row { int k; const char* name; short main; float R, Q; };
    const std::vector<Row> rows = {
        {1, "CH3       ", 1, 0.9011f, 0.848f},   {4, "C         ", 1, 0.2195f, 0.0f},
        {9, "C=C       ", 2, 0.6605f, 0.485f},   {10, "ACH       ", 3, 0.5313f, 0.4f},
        {13, "ACCH2     ", 4, 1.0396f, 0.66f},   {17, "H2O       ", 7, 0.92f, 1.4f},
        {21, "CHO       ", 10, 0.998f, 0.948f},  {27, "CHO       ", 13, 0.6908f, 0.468f},
        {54, "ACCl      ", 25, 1.1562f, 0.844f}, {69, "acrylnitri", 36, 2.3144f, 2.052f},
        {70, "Cl-(C=-C) ", 37, 0.791f, 0.724f},  {84, "SiO       ", 43, 1.1044f, 0.4657f},
    };
    for (const Row& row : rows) {
        const UnifacSubgroup& s = SubgroupTable(row.k);
        EXPECT_EQ(s.name, row.name) << row.k;
        EXPECT_EQ(s.MainGroup, row.main) << row.k;
        EXPECT_EQ(s.R, row.R) << row.k;
        EXPECT_EQ(s.Q, row.Q) << row.k;
    }
    // Main groups never decrease and none is skipped, so the subgroups of one main group stand together.
    for (int k = 2; k <= subgroupCount; ++k) {
        const int step = SubgroupTable(k).MainGroup - SubgroupTable(k - 1).MainGroup;
        EXPECT_TRUE(step == 0 || step == 1) << k;
        EXPECT_EQ(SubgroupTable(k).name.size(), 10u) << k;
    }
    EXPECT_EQ(SubgroupTable(subgroupCount).MainGroup, mainGroupCount);
}

TEST_F(UnifacTables, RowAndColumnOfMainGroupOne)
{
    const std::vector<float> row = {0, 86.02f, 61.13f, 76.5f, 986.5f, 697.2f, 1318, 1333, 476.4f, 677, 232.1f,
        741.4f, 251.5f, 391.5f, 255.7f, 206.6f, 920.7f, 287.77f, 597, 663.5f, 35.93f, 53.76f, 24.9f, 104.3f,
        321.5f, 661.5f, 543, 153.6f, 184.4f, 354.55f, 3025, 335.8f, 479.5f, 298.9f, 526.5f, 689, -4.189f,
        125.8f, 485.3f, -2.859f, 387.1f, 407.2f, 327};
    const std::vector<float> column = {0, -35.36f, -11.12f, -69.7f, 156.4f, 16.51f, 300, 275.8f, 26.76f,
        505.7f, 114.8f, 90.49f, 83.36f, -30.48f, 65.33f, -83.9f, 1139, -101.6f, 24.82f, 315.3f, 91.46f,
        34.01f, 36.7f, -78.45f, -141.3f, -32.69f, 5541, -52.65f, -7.481f, -25.31f, 140, 128, -31.52f,
        -72.88f, 50.49f, -165.9f, 47.41f, -5.132f, -31.95f, 147.3f, 529, 97.9f, 109.2f};
    for (int n = 1; n <= mainGroupCount; ++n) {
        expectParameter(1, n, row[n - 1]);
        expectParameter(n, 1, column[n - 1]);
    }
}

TEST_F(UnifacTables, TellingEntries)
{
    struct Entry { int m, n; float value; };
    const std::vector<Entry> entries = {
        {1, 2, 86.02f}, {2, 1, -35.36f}, {5, 7, 353.5f}, {7, 5, -229.1f}, {6, 7, -181}, {7, 6, 289.6f},
        {3, 5, 636.1f}, {5, 3, 89.6f}, {42, 43, 498.8f}, {43, 42, 639.3f}, {9, 17, 6201}, {4, 19, 6096},
        {4, 7, 5695}, {4, 11, 5688}, {4, 39, 5629}, {27, 1, 5541}, {33, 20, 5256}, {8, 31, -687.1f},
        {8, 7, -601.8f}, {16, 7, -598.8f}, {15, 6, -500.4f}, {8, 41, -494.2f},
        {7, 31, 0}, {31, 7, 0}, {22, 23, 0}, {23, 22, 0}, {24, 8, 9999.999f}, {8, 24, 1827},
        // The published ester + water pair stands in place of a placeholder opposite 14.42.
        {7, 11, 72.87f}, {11, 7, 200.8f},
    };
    for (const Entry& entry : entries)
        expectParameter(entry.m, entry.n, entry.value);
}

TEST_F(UnifacTables, InvariantsOfTheInteractionTable)
{
    double largest = 0, smallest = 0;
    for (int m = 0; m <= mainGroupCount; ++m) {
        EXPECT_EQ(InteractionTable(m, 0), 0.0);
        EXPECT_EQ(InteractionTable(0, m), 0.0);
        if (m > 0) {
            EXPECT_EQ(InteractionTable(m, m), 0.0) << m;
        }
        for (int n = 1; n <= mainGroupCount && m > 0; ++n) {
            // A placeholder never stands opposite a parameter (9999.999 opposite 1827 is the one exception).
            if (!(m == 24 && n == 8) && !(m == 8 && n == 24)) {
                EXPECT_EQ(InteractionTable(m, n) == NoInteraction, InteractionTable(n, m) == NoInteraction) << m << "," << n;
            }
            if (InteractionTable(m, n) < NoInteraction) {
                largest = std::max(largest, InteractionTable(m, n));
                smallest = std::min(smallest, InteractionTable(m, n));
            }
        }
    }
    EXPECT_EQ(largest, static_cast<double>(6201.0f));
    EXPECT_EQ(smallest, static_cast<double>(-687.1f));
    // Main group 1 is the only one with a parameter towards every other main group.
    for (int m = 2; m <= mainGroupCount; ++m) {
        int parameters = 0;
        for (int n = 1; n <= mainGroupCount; ++n)
            parameters += n != m && InteractionTable(m, n) != NoInteraction ? 1 : 0;
        EXPECT_LT(parameters, 42) << m;
    }
}

TEST_F(UnifacTables, FillingTwiceLeavesTheSameTables)
{
    const double before = InteractionTable(19, 4);
    const std::string name = SubgroupTable(69).name;
    InitUnifacTables();
    EXPECT_EQ(InteractionTable(19, 4), before);
    EXPECT_EQ(SubgroupTable(69).name, name);
}

} // namespace
} // namespace calvex::unifac
