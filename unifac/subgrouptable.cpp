#include "unifac/subgrouptable.h"

#include <array>

namespace calvex::unifac {

// Built from the project's interaction parameter file.
extern const float interactionValues[mainGroupCount][mainGroupCount];

namespace {

struct SubgroupRecord {
    const char* name;
    short mainGroup;
    float R;
    float Q;
};

// Subgroup k is element k - 1. "C=C" stands right after the other subgroups of main group 2.
constexpr std::array<SubgroupRecord, subgroupCount> subgroupRecords = {{
    {"CH3", 1, 0.9011f, 0.848f},       {"CH2", 1, 0.6744f, 0.54f},        {"CH", 1, 0.4469f, 0.228f},
    {"C", 1, 0.2195f, 0.0f},           {"CH2=CH", 2, 1.3454f, 1.176f},    {"CH=CH", 2, 1.1167f, 0.867f},
    {"CH2=C", 2, 1.1173f, 0.988f},     {"CH=C", 2, 0.8886f, 0.676f},      {"C=C", 2, 0.6605f, 0.485f},
    {"ACH", 3, 0.5313f, 0.4f},         {"AC", 3, 0.3652f, 0.12f},         {"ACCH3", 4, 1.2663f, 0.968f},
    {"ACCH2", 4, 1.0396f, 0.66f},      {"ACCH", 4, 0.8121f, 0.348f},      {"OH", 5, 1.0f, 1.2f},
    {"CH3OH", 6, 1.4311f, 1.432f},     {"H2O", 7, 0.92f, 1.4f},           {"ACOH", 8, 0.8952f, 0.68f},
    {"CH3CO", 9, 1.6724f, 1.488f},     {"CH2CO", 9, 1.4457f, 1.18f},      {"CHO", 10, 0.998f, 0.948f},
    {"CH3COO", 11, 1.9031f, 1.728f},   {"CH2COO", 11, 1.6764f, 1.42f},    {"HCOO", 12, 1.242f, 1.188f},
    {"CH3O", 13, 1.145f, 1.088f},      {"CH2O", 13, 0.9183f, 0.78f},      {"CHO", 13, 0.6908f, 0.468f},
    {"FCH2O", 13, 0.9183f, 1.1f},      {"CH3NH2", 14, 1.5959f, 1.544f},   {"CH2NH2", 14, 1.3692f, 1.236f},
    {"CHNH2", 14, 1.1417f, 0.924f},    {"CH3NH", 15, 1.4337f, 1.244f},    {"CH2NH", 15, 1.207f, 0.936f},
    {"CHNH", 15, 0.9795f, 0.624f},     {"CH3N", 16, 1.1865f, 0.94f},      {"CH2N", 16, 0.9597f, 0.632f},
    {"ACNH2", 17, 1.06f, 0.816f},      {"C5H5N", 18, 2.9993f, 2.113f},    {"C5H4N", 18, 2.8332f, 1.833f},
    {"C5H3N", 18, 2.667f, 1.553f},     {"CH3CN", 19, 1.8701f, 1.724f},    {"CH2CN", 19, 1.6434f, 1.416f},
    {"COOH", 20, 1.3013f, 1.224f},     {"HCOOH", 20, 1.528f, 1.532f},     {"CH2Cl", 21, 1.4654f, 1.264f},
    {"CHCl", 21, 1.238f, 0.952f},      {"CCl", 21, 1.006f, 0.724f},       {"CH2Cl2", 22, 2.2564f, 1.988f},
    {"CHCl2", 22, 2.0606f, 1.684f},    {"CCl2", 22, 1.8016f, 1.448f},     {"CHCl3", 23, 2.87f, 2.41f},
    {"CCl3", 23, 2.6401f, 2.184f},     {"CCl4", 24, 3.39f, 2.91f},        {"ACCl", 25, 1.1562f, 0.844f},
    {"CH3NO2", 26, 2.0086f, 1.868f},   {"CH2NO2", 26, 1.7818f, 1.56f},    {"CHNO2", 26, 1.5544f, 1.248f},
    {"ACNO2", 27, 1.4199f, 1.104f},    {"CS2", 28, 2.057f, 1.65f},        {"CH3SH", 29, 1.877f, 1.676f},
    {"CH2SH", 29, 1.651f, 1.368f},     {"furfural", 30, 3.168f, 2.481f},  {"(CH2OH)2", 31, 2.4088f, 2.248f},
    {"I", 32, 1.264f, 0.992f},         {"Br", 33, 0.9492f, 0.832f},       {"CH=-C", 34, 1.292f, 1.088f},
    {"C=-C", 34, 1.0613f, 0.784f},     {"DMSO", 35, 2.8266f, 2.472f},     {"acrylnitril", 36, 2.3144f, 2.052f},
    {"Cl-(C=-C)", 37, 0.791f, 0.724f}, {"ACF", 38, 0.6948f, 0.524f},      {"DMF-1", 39, 3.0856f, 2.736f},
    {"DMF-2", 39, 2.6322f, 2.12f},     {"CF3", 40, 1.406f, 1.38f},        {"CF2", 40, 1.0105f, 0.92f},
    {"CF", 40, 0.615f, 0.46f},         {"COO", 41, 1.38f, 1.2f},          {"SiH3", 42, 1.6035f, 1.2632f},
    {"SiH2", 42, 1.4443f, 1.0063f},    {"SiH", 42, 1.2851f, 0.7494f},     {"Si", 42, 1.047f, 0.4099f},
    {"SiH2O", 43, 1.4838f, 1.0621f},   {"SiHO", 43, 1.303f, 0.7639f},     {"SiO", 43, 1.1044f, 0.4657f},
}};

std::array<UnifacSubgroup, subgroupCount + 1> g_subgroups;
std::array<std::array<float, mainGroupCount + 1>, mainGroupCount + 1> g_interactions{};

// The 10-character field: longer names are cut, shorter ones padded with blanks.
std::string fieldOfWidth(std::string text)
{
    text.resize(subgroupNameWidth, ' ');
    return text;
}

void loadInteractionColumns(int firstColumn, int lastColumn)
{
    for (int m = 1; m <= mainGroupCount; ++m)
        for (int n = firstColumn; n <= lastColumn; ++n)
            g_interactions[m][n] = interactionValues[m - 1][n - 1];
}

} // namespace

void InitUnifacTables()
{
    LoadSubgroups();
    LoadInteractionParams1();
    LoadInteractionParams2();
}

void LoadSubgroups()
{
    g_subgroups[0] = UnifacSubgroup{fieldOfWidth({}), 0, 0.0f, 0.0f};
    for (int k = 1; k <= subgroupCount; ++k) {
        const SubgroupRecord& record = subgroupRecords[k - 1];
        g_subgroups[k] = UnifacSubgroup{fieldOfWidth(record.name), record.mainGroup, record.R, record.Q};
    }
}

void LoadInteractionParams1() { loadInteractionColumns(1, 21); }

void LoadInteractionParams2() { loadInteractionColumns(22, mainGroupCount); }

const UnifacSubgroup& SubgroupTable(int k) { return g_subgroups.at(k); }

double InteractionTable(int m, int n) { return g_interactions.at(m).at(n); }

bool isSubgroupNumber(int k) { return k >= 1 && k <= subgroupCount; }

} // namespace calvex::unifac
