#include "services/programfolder.h"

#include "tests/support/scratchfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace calvex::services {
namespace {

namespace fs = std::filesystem;

TEST(ProgramFolder, SeedingRefreshesShippedFilesAndKeepsTheUsersData)
{
    testing::ScratchFolder shipped;
    testing::ScratchFolder user;
    shipped.write("properties.mdb", "new database");
    shipped.write("1.htm", "new help");
    shipped.write("Filedatabase.dat", "shipped list");
    shipped.write("calvex", "the program");
    fs::permissions(shipped.file("calvex"), fs::perms::owner_exec, fs::perm_options::add);
    user.write("properties.mdb", "old database");
    user.write("Filedatabase.dat", "the user's own components");

    seedUserFolder(shipped.path(), user.path());

    EXPECT_EQ(user.read("properties.mdb"), "new database");
    EXPECT_EQ(user.read("1.htm"), "new help");
    EXPECT_EQ(user.read("Filedatabase.dat"), "the user's own components");
    EXPECT_FALSE(fs::exists(user.file("calvex")));
}

TEST(ProgramFolder, SeedingGivesANewUserTheShippedData)
{
    testing::ScratchFolder shipped;
    testing::ScratchFolder user;
    shipped.write("DATABASE.UFC", "groups");
    fs::remove_all(user.path());
    seedUserFolder(shipped.path(), user.path());
    EXPECT_EQ(user.read("DATABASE.UFC"), "groups");
}

} // namespace
} // namespace calvex::services
