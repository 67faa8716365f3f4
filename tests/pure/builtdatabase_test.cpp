#include "pure/componentdatabase.h"

#include "tests/support/scratchfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <map>
#include <regex>

namespace calvex::pure {
namespace {

namespace fs = std::filesystem;
using core::ComponentConstants;

fs::path builtDatabase() { return testing::ScratchFolder::builtProgramFolder() / componentDatabaseFile; }

// The component table read here with a regular expression rather than with the build tool's
// reader, so that a fault of either shows against the other. Its records hold no line breaks.
std::vector<std::map<std::string, std::string>> csvRows()
{
    std::ifstream in(CALVEX_COMPONENTS_CSV, std::ios::binary);
    EXPECT_TRUE(in) << CALVEX_COMPONENTS_CSV;
    static const std::regex field(R"re(^(?:"((?:[^"]|"")*)"|([^,"]*))(,|$))re");
    std::vector<std::string> header;
    std::vector<std::map<std::string, std::string>> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        std::vector<std::string> fields;
        std::smatch match;
        auto position = line.cbegin();
        for (;;) {
            EXPECT_TRUE(std::regex_search(position, line.cend(), match, field)) << line;
            if (match.empty())
                break;
            fields.push_back(match[1].matched ? std::regex_replace(match[1].str(), std::regex("\"\""), "\"")
                                              : match[2].str());
            if (match[3].length() == 0)
                break;
            position = match[0].second;
        }
        if (header.empty()) {
            header = fields;
            continue;
        }
        EXPECT_EQ(fields.size(), header.size()) << line;
        std::map<std::string, std::string> row;
        for (std::size_t i = 0; i < fields.size() && i < header.size(); ++i)
            row[header[i]] = fields[i];
        rows.push_back(row);
    }
    return rows;
}

float single(const std::string& text)
{
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return static_cast<float>(value);
}

TEST(BuiltDatabase, IsEncrypted)
{
    std::ifstream in(builtDatabase(), std::ios::binary);
    ASSERT_TRUE(in) << builtDatabase();
    char start[16] = {};
    in.read(start, sizeof start);
    ASSERT_EQ(in.gcount(), 16);
    EXPECT_NE(std::string(start, 16), std::string("SQLite format 3\0", 16));
}

TEST(BuiltDatabase, ListsEveryRowOfTheComponentTable)
{
    const auto rows = csvRows();
    ASSERT_EQ(rows.size(), 451u);
    const ComponentList list = ComponentDatabase(builtDatabase()).ListComponents();
    ASSERT_TRUE(list.ok()) << *list.error;
    ASSERT_EQ(list.components.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(list.components[i].name, rows[i].at("name"));
        EXPECT_EQ(list.components[i].SNO, std::stoi(rows[i].at("SNO")));
    }
    const auto notListed = std::ranges::find(list.components, std::string("not listed"), &ComponentEntry::name);
    ASSERT_NE(notListed, list.components.end());
    EXPECT_EQ(notListed->SNO, 0);
}

// Every row read back by its SNO and by its name gives the table's values, stored as doubles
// and read into 32-bit floats: equal to the float nearest the written number.
TEST(BuiltDatabase, EveryRowReadsBackWithTheTablesValues)
{
    const ComponentDatabase db(builtDatabase());
    for (const auto& row : csvRows()) {
        const std::string& name = row.at("name");
        ComponentConstants bySno;
        const ComponentLookup lookup = db.ReadComponent(std::stoi(row.at("SNO")), bySno, ComponentColumns::HeatCapacity);
        ASSERT_TRUE(lookup.ok()) << name << ": " << *lookup.error;
        ASSERT_TRUE(lookup.found) << name;
        ComponentConstants byName;
        ASSERT_TRUE(db.FindComponentByName(name, byName).found) << name;
        const int eq = std::stoi(row.at("eq"));
        for (const ComponentConstants& c : {bySno, byName}) {
            EXPECT_EQ(c.Pc, single(row.at("Pc"))) << name;
            EXPECT_EQ(c.Tc, single(row.at("Tc"))) << name;
            EXPECT_EQ(c.Tb, single(row.at("Tb"))) << name;
            EXPECT_EQ(c.omega, single(row.at("omega"))) << name;
            EXPECT_EQ(c.eq, eq) << name;
            if (eq == 3) {
                EXPECT_EQ(c.VPA, single(row.at("VPA"))) << name;
                EXPECT_EQ(c.VPB, single(row.at("VPB"))) << name;
                EXPECT_EQ(c.VPC, single(row.at("VPC"))) << name;
            }
        }
        EXPECT_EQ(bySno.CPVAPA, single(row.at("CPVAPA"))) << name;
        EXPECT_EQ(bySno.CPVAPB, single(row.at("CPVAPB"))) << name;
        EXPECT_EQ(bySno.CPVAPC, single(row.at("CPVAPC"))) << name;
        EXPECT_EQ(bySno.CPVAPD, single(row.at("CPVAPD"))) << name;
    }
}

// Critical constants as published in Poling, Prausnitz & O'Connell, 5th ed., Appendix A.
TEST(BuiltDatabase, KnownComponentsCarryTheirPublishedConstants)
{
    const struct {
        const char* name;
        float Tc, Pc, omega;
    } rows[] = {
        {"argon", 150.86f, 48.98f, -0.002f},
        {"methane", 190.56f, 45.99f, 0.011f},
        {"water", 647.14f, 220.64f, 0.344f},
        {"benzene", 562.05f, 48.95f, 0.210f},
        {"propane", 369.83f, 42.48f, 0.152f},
        {"n-hexane", 507.60f, 30.25f, 0.300f},
    };
    const ComponentDatabase db(builtDatabase());
    for (const auto& row : rows) {
        ComponentConstants c;
        ASSERT_TRUE(db.FindComponentByName(row.name, c).found) << row.name;
        EXPECT_EQ(c.Tc, row.Tc) << row.name;
        EXPECT_EQ(c.Pc, row.Pc) << row.name;
        EXPECT_EQ(c.omega, row.omega) << row.name;
        EXPECT_EQ(c.eq, 3) << row.name;
    }
}

TEST(BuiltDatabase, IsReadFromTheProgramFolder)
{
    testing::ScratchFolder folder;
    folder.copyProgramFile(componentDatabaseFile);
    const ComponentList list = ComponentDatabase().ListComponents();
    ASSERT_TRUE(list.ok()) << *list.error;
    EXPECT_EQ(list.components.size(), 451u);
    ComponentConstants c;
    ASSERT_TRUE(ComponentDatabase().FindComponentByName("carbontetrachloride", c).found);
    EXPECT_GT(c.Tc, 500.0f);
}

} // namespace
} // namespace calvex::pure
