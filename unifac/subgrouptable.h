#pragma once
// The UNIFAC subgroups with their main groups, R and Q, and the main-group interaction
// parameters a(m, n) in kelvin. The subgroup number is what group lists and DATABASE.UFC store,
// so the numbering is part of the file format.

#include <string>

namespace calvex::unifac {

constexpr int subgroupCount = 84;
constexpr int mainGroupCount = 43;
// Stored in both directions for a pair of main groups without a parameter.
constexpr float NoInteraction = 9000.0f;
constexpr int subgroupNameWidth = 10;

struct UnifacSubgroup {
    std::string name;  // exactly 10 characters, blank-padded
    short MainGroup = 0;
    float R = 0.0f;
    float Q = 0.0f;
};

// Fills both tables; every call writes the same constants again.
void InitUnifacTables();
void LoadSubgroups();
void LoadInteractionParams1(); // a(m, n) for n = 1..21
void LoadInteractionParams2(); // a(m, n) for n = 22..43

// Subgroup k, 0..84; record 0 is blank and never used. All records are blank until the tables
// are filled.
const UnifacSubgroup& SubgroupTable(int k);
// a(m, n) for m, n in 0..43, widened to double; row and column 0 stay 0.
double InteractionTable(int m, int n);

bool isSubgroupNumber(int k);

} // namespace calvex::unifac
