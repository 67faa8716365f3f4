#include "data/csvreader.h"
#include "data/interactiontable.h"
#include "data/propertieswriter.h"

#include "tests/support/scratchfolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace calvex::data {
namespace {

namespace fs = std::filesystem;

const std::string componentHeader = "SNO,name,Pc,Tc,Tb,omega,eq,VPA,VPB,VPC,VPD,CPVAPA,CPVAPB,CPVAPC,CPVAPD\n";
const std::string notListedRow = "0,not listed,0,0,0,0,0,0,0,0,0,0,0,0,0\n";

// `fields` comma-separated, field `index` replaced by `field`, and a line end.
std::string row(std::vector<std::string> fields, std::size_t index = 99, const std::string& field = {})
{
    if (index < fields.size())
        fields[index] = field;
    std::string text;
    for (const std::string& each : fields)
        text += (text.empty() ? "" : ",") + each;
    return text + "\n";
}

const std::vector<std::string> argon = {"1", "argon", "48.98", "150.86", "87.27", "-0.002", "3", "8.614915",
                                        "700.5086", "-5.83", "0", "20.78616", "0", "0", "0"};
const std::vector<std::string> zeros(interactionGroups, "0");

std::string components(const std::string& rows) { return componentHeader + notListedRow + rows; }

// `lines` lines of 43 zeros, line `line` (from 1) replaced by `replacement`.
std::string interactions(int line = 0, const std::string& replacement = {}, int lines = 43)
{
    std::string text;
    for (int index = 1; index <= lines; ++index)
        text += index == line ? replacement : row(zeros);
    return text;
}

std::string failureOf(const std::function<void(const std::vector<CsvLine>&)>& check, const std::string& text)
{
    try {
        check(parseCsvLines(text));
    } catch (const CsvError& error) {
        return error.what();
    }
    return "accepted";
}

TEST(DataTableCheck, NamesTheLineOfTheFirstFault)
{
    const struct {
        std::function<void(const std::vector<CsvLine>&)> check;
        std::string text;
        const char* failure;
    } rows[] = {
        {checkComponentTable, components(row(argon)), "accepted"},
        {checkComponentTable, "", "line 1: no header"},
        {checkComponentTable, "SNO,name,Pc\n" + notListedRow, "line 1: no column Tc"},
        {checkComponentTable, componentHeader + row(argon), "line 2: no row \"not listed\""},
        {checkComponentTable, components("1,argon,48.98\n"), "line 3: 3 fields, the header has 15"},
        // A quoted name over two lines: the count is of lines, not of records.
        {checkComponentTable, components(row(argon, 1, "\"two\nlines\"") + row(argon, 2, "48.98 bar")),
         "line 5: Pc \"48.98 bar\" is not a number"},
        {checkComponentTable, components(row(argon, 3, "")), "line 3: Tc \"\" is not a number"},
        {checkComponentTable, components(row(argon, 4, "nan")), "line 3: Tb \"nan\" is not a number"},
        {checkComponentTable, components(row(argon, 0, "1.5")), "line 3: SNO \"1.5\" is not a whole number"},
        {checkComponentTable, components(row(argon, 6, "x")), "line 3: eq \"x\" is not a whole number"},
        {checkComponentTable, components(row(argon, 1, "")), "line 3: no name"},
        {checkInteractionTable, interactions(), "accepted"},
        {checkInteractionTable, "", "line 1: 0 lines, 43 expected"},
        {checkInteractionTable, interactions(0, {}, 42), "line 42: 42 lines, 43 expected"},
        {checkInteractionTable, interactions(7, "0,0\n"), "line 7: 2 fields, 43 expected"},
        {checkInteractionTable, interactions(9, row(zeros, 2, "x")), "line 9: field 3 \"x\" is not a number"},
        {checkInteractionTable, interactions(43, row(zeros, 42, "1e999")), "line 43: field 43 \"1e999\" is not a number"},
    };
    for (const auto& each : rows)
        EXPECT_EQ(failureOf(each.check, each.text), each.failure) << each.text.substr(0, 200);
}

// The build tools as the build runs them: a fault stops the build (exit status 1) with the
// file and the line on the error output, and leaves no database or generated table behind.
TEST(DataTableCheck, BuildToolsStopWithoutAnOutput)
{
    testing::ScratchFolder folder;
    const struct {
        const char* tool;
        const char* table;
        std::string content; // empty: no such file
        const char* message;
    } rows[] = {
        {CALVEX_MAKEPROPERTIESDB, "components.csv", components("1,argon,48.98\n"), "components.csv: line 3: 3 fields, the header has 15"},
        {CALVEX_MAKEPROPERTIESDB, "components.csv", "", "components.csv: cannot be read"},
        {CALVEX_MAKEINTERACTIONTABLE, "unifac-interactions.csv", interactions(43, "0,0\n"), "unifac-interactions.csv: line 43: 2 fields, 43 expected"},
        {CALVEX_MAKEINTERACTIONTABLE, "unifac-interactions.csv", "", "unifac-interactions.csv: cannot be read"},
    };
    for (const auto& each : rows) {
        fs::remove(folder.file(each.table));
        if (!each.content.empty())
            folder.write(each.table, each.content);
        folder.write("output", "from an earlier build");
        const std::string command = std::string(each.tool) + " " + folder.file(each.table).string() + " " +
                                    folder.file("output").string() + " 2>" + folder.file("errors").string();
        EXPECT_NE(std::system(command.c_str()), 0) << command;
        EXPECT_EQ(folder.read("errors"), folder.file(each.message).string() + "\n");
        EXPECT_FALSE(fs::exists(folder.file("output"))) << each.tool;
    }
}

} // namespace
} // namespace calvex::data
