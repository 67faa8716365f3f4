#include "services/usercomponentfile.h"

#include "tests/support/filesizelimit.h"
#include "tests/support/scratchfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace calvex::services {
namespace {

using testing::ScratchFolder;

const UserComponentRecord propane{"propane", "369.8", "42.48", "0.152", "231.1"};

TEST(UserComponentFile, RecordIsFiveQuotedFieldsEndedByCrLf)
{
    EXPECT_EQ(userComponentLine(propane), "\"propane\",\"369.8\",\"42.48\",\"0.152\",\"231.1\"\r\n");
    EXPECT_EQ(userComponentLine({"", "", "", "", ""}), "\"\",\"\",\"\",\"\",\"\"\r\n");
}

TEST(UserComponentFile, NamesWithCommasQuotesAndBlanksReadBack)
{
    const char* names[] = {"1,3-butadiene", "R-12 \"Freon\"", "\"", "  padded  ", "a\"\"b", "", ",\",\""};
    for (const char* name : names) {
        const UserComponentRecord record{name, "1", "2", "0.3", "4"};
        std::string line = userComponentLine(record);
        line.erase(line.size() - 2);
        const auto read = parseUserComponentLine(line);
        ASSERT_TRUE(read) << name;
        EXPECT_EQ(*read, record) << name;
    }
}

TEST(UserComponentFile, LineBreakInANameIsWrittenAsABlank)
{
    const std::string line = userComponentLine({"two\r\nlines", "1", "2", "3", "4"});
    EXPECT_EQ(line, "\"two  lines\",\"1\",\"2\",\"3\",\"4\"\r\n");
}

TEST(UserComponentFile, ReadsFieldsQuotedOrNot)
{
    struct Case {
        const char* line;
        UserComponentRecord expected;
    };
    const Case cases[] = {
        {"\"water\",\"647.3\",\"220.48\",\"0.344\",\"373.2\"", {"water", "647.3", "220.48", "0.344", "373.2"}},
        {"water,647.3,220.48,0.344,373.2", {"water", "647.3", "220.48", "0.344", "373.2"}},
        {" water , 647.3,220.48 ,0.344,373.2 ", {"water", "647.3", "220.48", "0.344", "373.2"}},
        {"\"water\" ,647.3,\"220.48\",0.344,\"373.2\"", {"water", "647.3", "220.48", "0.344", "373.2"}},
        {"\"\",\"\",\"\",\"\",\"\"", {"", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        const auto read = parseUserComponentLine(c.line);
        ASSERT_TRUE(read) << c.line;
        EXPECT_EQ(*read, c.expected) << c.line;
    }
}

TEST(UserComponentFile, MalformedLinesAreRefused)
{
    const char* lines[] = {
        "",
        "\"propane\",\"369.8\",\"42.48\",\"0.152\"",           // four fields
        "\"propane\",\"369.8\",\"42.48\",\"0.152\",\"231.1\",\"x\"", // six fields
        "\"propane,\"369.8\",\"42.48\",\"0.152\",\"231.1",     // quote never closed
        "\"propane\",\"369.8\",\"42.",                          // cut short by a crash
    };
    for (const char* line : lines)
        EXPECT_FALSE(parseUserComponentLine(line)) << line;
}

TEST(UserComponentFile, LookUpIsExactAndTakesTheFirstRecord)
{
    ScratchFolder folder;
    folder.write(userComponentFileName, "\"Propane\",\"1\",\"2\",\"3\",\"4\"\r\n"
                                        "\"propane\",\"369.8\",\"42.48\",\"0.152\",\"231.1\"\r\n"
                                        "\"propane\",\"9\",\"9\",\"9\",\"9\"\r\n");
    const auto found = findUserComponent("propane");
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, propane);
    EXPECT_FALSE(findUserComponent("PROPANE"));
    EXPECT_FALSE(findUserComponent("propane "));
    EXPECT_FALSE(findUserComponent("prop"));
}

TEST(UserComponentFile, DamagedLineDoesNotHideTheRecordsAfterIt)
{
    ScratchFolder folder;
    folder.write(userComponentFileName, "\"ethane\",\"305.3\",\"48.72\",\"0.1\",\"184.6\"\r\n"
                                        "\"broken\",\"1\"\r\n"
                                        "garbage without commas\n"
                                        "\"unterminated,\"2\",\"3\",\"4\",\"5\r\n"
                                        "\r\n"
                                        "\"propane\",\"369.8\",\"42.48\",\"0.152\",\"231.1\"\n");
    const auto found = findUserComponent("propane");
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, propane);
    EXPECT_TRUE(findUserComponent("ethane"));
    EXPECT_FALSE(findUserComponent("broken"));
}

TEST(UserComponentFile, MissingFileFindsNothing)
{
    ScratchFolder folder;
    EXPECT_FALSE(findUserComponent("propane"));
}

TEST(UserComponentFile, AppendCreatesTheFileAndAddsOneLineEachTime)
{
    ScratchFolder folder;
    ASSERT_TRUE(appendUserComponent(propane));
    EXPECT_EQ(folder.read(userComponentFileName), userComponentLine(propane));
    const UserComponentRecord quoted{"R-12 \"Freon\", old", "385", "41.4", "0.18", "243.4"};
    ASSERT_TRUE(appendUserComponent(quoted));
    EXPECT_EQ(folder.read(userComponentFileName), userComponentLine(propane) + userComponentLine(quoted));
    EXPECT_EQ(findUserComponent(quoted.name), quoted);
}

TEST(UserComponentFile, AppendAfterALineCutShortStartsALineOfItsOwn)
{
    ScratchFolder folder;
    const std::string cut = "\"ethane\",\"305.3\",\"48.7";
    folder.write(userComponentFileName, cut);
    ASSERT_TRUE(appendUserComponent(propane));
    EXPECT_EQ(folder.read(userComponentFileName), cut + "\r\n" + userComponentLine(propane));
    EXPECT_EQ(findUserComponent("propane"), propane);
}

TEST(UserComponentFile, AppendThatCannotBeWrittenReportsFailure)
{
    EXPECT_FALSE(appendUserComponent("/dev/full", propane));
    EXPECT_FALSE(appendUserComponent("/nonexistent-folder/Filedatabase.dat", propane));
    ScratchFolder folder;
    ASSERT_TRUE(appendUserComponent(propane));
    const std::string before = folder.read(userComponentFileName);
    {
        const testing::FileSizeLimit full(before.size() + 5); // the next record is cut after 5 bytes
        EXPECT_FALSE(appendUserComponent(propane));
    }
    EXPECT_EQ(folder.read(userComponentFileName), before);
}

// Another copy of the program appends while every append of this one is cut by a full disk and
// taken back: the cut back never takes the other copy's records.
TEST(UserComponentFile, AFailedAppendTakesBackNothingThatAnotherCopyAppended)
{
    ScratchFolder folder;
    const std::filesystem::path file = folder.file(userComponentFileName);
    ASSERT_TRUE(appendUserComponent(file, propane));
    const auto full = static_cast<rlim_t>(std::filesystem::file_size(file));
    constexpr int appends = 400;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const testing::FileSizeLimit limit(full);
        int refused = 0;
        for (int i = 0; i < appends; ++i)
            refused += appendUserComponent(file, {"refused", "1", "2", "3", "4"}) ? 0 : 1;
        ::_exit(refused == appends ? 0 : 1);
    }
    for (int i = 0; i < appends; ++i)
        ASSERT_TRUE(appendUserComponent(file, {"kept " + std::to_string(i), "1", "2", "3", "4"}));
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "every append of the full copy failed";
    for (int i = 0; i < appends; ++i)
        EXPECT_TRUE(findUserComponent(file, "kept " + std::to_string(i))) << i;
    EXPECT_FALSE(findUserComponent(file, "refused"));
}

} // namespace
} // namespace calvex::services
