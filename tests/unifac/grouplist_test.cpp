// Reading group lists ("10,5;54,1;") into pairs, as the calculation and the editor do.
#include "unifac/grouplist.h"

#include <gtest/gtest.h>

namespace calvex::unifac {
namespace {

TEST(GroupList, ParseGroupsCases)
{
    struct Case { std::string text; short result; std::vector<GroupPair> pairs; };
    const std::vector<Case> cases = {
        {"10,5;54,1;", 0, {{10, 5}, {54, 1}}},
        {"  10,5;54,1;  ", 0, {{10, 5}, {54, 1}}},
        {"", -1, {}},
        {"0,1;", -1, {}},
        {"10,;", 0, {{10, 0}}},
        {"10,6;x", 0, {{10, 6}}}, // one character left over is ignored
        {"10,6;xy", -1, {}},
        {"10,6", -1, {}},         // no room: CountGroups is 0
        {"99999,1;", -1, {}},
        {"10,99999;", -1, {}},
        {"abc", -1, {}},
        {"1,2;1,3;", 0, {{1, 2}, {1, 3}}},
        {"10.5,1;", 0, {{10, 1}}}, // halves to even
    };
    for (const Case& c : cases) {
        std::vector<GroupPair> pairs(static_cast<std::size_t>(CountGroups(c.text)));
        EXPECT_EQ(ParseGroups(c.text, pairs), c.result) << '"' << c.text << '"';
        if (c.result == 0) {
            EXPECT_EQ(pairs, c.pairs) << '"' << c.text << '"';
        }
    }
    EXPECT_FALSE(knownGroupPairs("85,1;"));
    EXPECT_FALSE(knownGroupPairs("-3,1;"));
    EXPECT_TRUE(knownGroupPairs("84,1;"));
}

TEST(GroupList, CountAndStrip)
{
    EXPECT_EQ(CountGroups("  10,5;54,1;  "), 2);
    EXPECT_EQ(CountGroups(""), 0);
    struct Case { std::string text; char delimiter; std::string left; };
    for (const Case& c : std::vector<Case>{{"10,5;54,1;", ',', "5;54,1;"}, {"abc", ';', ""}, {";x", ';', "x"}}) {
        std::string text = c.text;
        StripThrough(text, c.delimiter);
        EXPECT_EQ(text, c.left) << c.text;
    }
}

} // namespace
} // namespace calvex::unifac
