#include "data/propertieswriter.h"

#include "tests/support/scratchfolder.h"

#include <gtest/gtest.h>

namespace calvex::data {
namespace {

namespace fs = std::filesystem;

TEST(PropertiesWriter, RefusesRecordsItCannotStoreAndKeepsTheOldFile)
{
    const struct {
        const char* csv;
        const char* why;
    } rows[] = {
        {"SNO,name,colour\n1,argon,grey\n", "unknown column \"colour\""},
        {"SNO,name,SNO\n1,argon,1\n", "column SNO named twice"},
        {"SNO,name,Pc\n1,argon,48.98 bar\n", "record 2: Pc \"48.98 bar\" is not a number"},
        {"SNO,name,eq\n1,argon,3.5\n", "record 2: eq \"3.5\" is not a whole number"},
        {"SNO,name,Pc\n1,argon,48.98\n2,neon\n", "record 3: 2 fields, the header has 3"},
        {"SNO,name\n1,argon\n1,neon\n", "record 3: UNIQUE constraint failed: properties.SNO"},
        {"", "no header record"},
    };
    testing::ScratchFolder folder;
    const fs::path file = folder.file("properties.mdb");
    for (const auto& row : rows) {
        folder.write("properties.mdb", "the previous file");
        try {
            writePropertiesDatabase(file, parseCsv(row.csv), "xbrek");
            ADD_FAILURE() << "stored " << row.csv;
        } catch (const PropertiesWriteError& error) {
            EXPECT_STREQ(error.what(), row.why);
        }
        EXPECT_EQ(folder.read("properties.mdb"), "the previous file") << row.csv;
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1)
            << "a partial file was left behind after " << row.csv;
    }
}

TEST(PropertiesWriter, ReplacesTheFileOnlyOnceComplete)
{
    testing::ScratchFolder folder;
    folder.write("properties.mdb", "the previous file");
    writePropertiesDatabase(folder.file("properties.mdb"), parseCsv("SNO,name\n0,not listed\n"), "xbrek");
    const std::string written = folder.read("properties.mdb");
    EXPECT_NE(written, "the previous file");
    EXPECT_GE(written.size(), 1024u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

} // namespace
} // namespace calvex::data
