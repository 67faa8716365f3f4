#include "data/csvreader.h"

#include <gtest/gtest.h>

namespace calvex::data {
namespace {

TEST(CsvReader, ReadsTheFieldsOfEachRecord)
{
    const struct {
        const char* text;
        std::vector<CsvRecord> records;
    } rows[] = {
        {"SNO,name,Pc\n1,argon,48.98\n", {{"SNO", "name", "Pc"}, {"1", "argon", "48.98"}}},
        {"a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}},
        {"a,b\nc,d", {{"a", "b"}, {"c", "d"}}},
        {"29,\"1-chloro-1,1,2,2,2-pentafluoroethane\",31.29\n",
         {{"29", "1-chloro-1,1,2,2,2-pentafluoroethane", "31.29"}}},
        {"\"say \"\"hi\"\"\",x\n", {{"say \"hi\"", "x"}}},
        {"\"\"\"\",\"\"\n", {{"\"", ""}}},
        {"\"two\r\nlines\",x\r\n", {{"two\r\nlines", "x"}}},
        {"a,,c,\n", {{"a", "", "c", ""}}},
        {"a\n\n\nb\n\n", {{"a"}, {"b"}}},
        {"\xEF\xBB\xBFSNO,name\n", {{"SNO", "name"}}},
        {"", {}},
        {"a\rb,c\n", {{"a\rb", "c"}}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(parseCsv(row.text), row.records) << row.text;
}

TEST(CsvReader, RefusesMalformedQuotingNamingTheLine)
{
    const struct {
        const char* text;
        const char* message;
    } rows[] = {
        {"a,b\n\"open,c\nd,e\n", "line 2: quote never closed"},
        {"a,\"b\"c\n", "line 1: text after a closing quote"},
        {"a\nb,c\"d\n", "line 2: quote inside an unquoted field"},
        {"\"x\ny\"z\n", "line 2: text after a closing quote"},
    };
    for (const auto& row : rows) {
        try {
            parseCsv(row.text);
            ADD_FAILURE() << "accepted " << row.text;
        } catch (const CsvError& error) {
            EXPECT_STREQ(error.what(), row.message);
        }
    }
}

} // namespace
} // namespace calvex::data
