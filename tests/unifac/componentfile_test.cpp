// The component list and DATABASE.UFC byte for byte, and that no failure loses the user's file.
#include "unifac/componentfile.h"
#include "unifac/grouplist.h"

#include "services/programfolder.h"

#include "tests/support/failingread.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/hangguard.h"
#include "tests/support/scratchfolder.h"
#include "tests/support/scriptedui.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <set>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace calvex::unifac {
namespace {

std::string padded(const std::string& text, std::size_t width) { return text + std::string(width - text.size(), ' '); }

std::string record(const std::string& name, const std::string& groups)
{
    return padded(name, componentNameWidth) + padded(groups, groupListWidth);
}

std::string names(const UnifacComponentList& list)
{
    std::string out;
    for (int i = 1; i <= list.ComponentCount(); ++i)
        out += trimBlanks(list.ComponentNameAt(i)) + ";";
    return out;
}

UnifacComponentList listOf(std::initializer_list<const char*> componentNames)
{
    UnifacComponentList list;
    for (const char* name : componentNames)
        EXPECT_EQ(list.AddComponent(name, "17,1;"), ListChange::Done);
    return list;
}

class ComponentFile : public ::testing::Test {
protected:
    std::string fileBytes() const { return folder.read("DATABASE.UFC"); }
    // DATABASE.UFC and the lock file of saves alone: no temporary file is left beside them.
    bool fileStandsAlone() const
    {
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            if (entry.path().filename() != "DATABASE.UFC" && entry.path().filename() != "DATABASE.UFC.lock")
                return false;
        return true;
    }
    testing::ScratchFolder folder;
    UnifacComponentList list;
};

TEST(ComponentList, Operations)
{
    UnifacComponentList abc = listOf({"A", "B", "C"});
    abc.DeleteComponent(2);
    EXPECT_EQ(names(abc), "A;C;");
    abc = listOf({"A", "B", "C"});
    abc.SwapComponents(1, 3);
    EXPECT_EQ(names(abc), "C;B;A;");
    EXPECT_EQ(abc.ComponentNameAt(4), "");
    EXPECT_EQ(abc.ComponentGroups(0), "");
    EXPECT_EQ(abc.ComponentNameAt(1), padded("C", 20));
    EXPECT_EQ(abc.ComponentGroups(1), padded("17,1;", 44));

    UnifacComponentList list;
    ASSERT_EQ(list.AddComponent("a name of twenty-five ch", "17,1;"), ListChange::Done);
    EXPECT_EQ(list.ComponentNameAt(1), "a name of twenty-fiv");
    const std::string longest = "10,10;11,11;12,12;13,13;14,14;15,15;16,16;17";
    ASSERT_EQ(longest.size(), 44u);
    EXPECT_EQ(list.AddComponent("x", longest + ";"), ListChange::GroupsTooLong);
    EXPECT_EQ(list.SetComponentGroups(1, longest + ";"), ListChange::GroupsTooLong);
    EXPECT_EQ(list.AddComponent("snow ☃", "17,1;"), ListChange::NotStorable);
    EXPECT_EQ(list.SetComponentName(1, "snow ☃"), ListChange::NotStorable);
    EXPECT_EQ(list.ComponentCount(), 1);
    EXPECT_EQ(list.ComponentGroups(1), padded("17,1;", 44));
    EXPECT_EQ(list.AddComponent("x", longest), ListChange::Done);
    EXPECT_EQ(list.ComponentGroups(2), longest);

    std::vector<UnifacComponent> full(maxComponentCount, UnifacComponent{"n", ""});
    list.replaceAll(full);
    EXPECT_EQ(list.AddComponent("one more", "17,1;"), ListChange::ListFull);
    EXPECT_EQ(list.ComponentCount(), maxComponentCount);
}

TEST_F(ComponentFile, WaterIsSixtySixBytes)
{
    list.AddComponent("water", "17,1;");
    ASSERT_TRUE(SaveDatabase(list, databaseFile()));
    EXPECT_EQ(fileBytes(), std::string("\x01\x00", 2) + record("water", "17,1;"));
    EXPECT_EQ(fileBytes().size(), 66u);
    EXPECT_TRUE(fileStandsAlone());
}

TEST_F(ComponentFile, MissingFileIsCreatedEmpty)
{
    list.AddComponent("left over", "17,1;");
    EXPECT_EQ(LoadDatabase(list, databaseFile()), DatabaseLoad::Created);
    EXPECT_EQ(list.ComponentCount(), 0);
    EXPECT_EQ(fileBytes(), std::string(2, '\0'));
}

TEST_F(ComponentFile, MissingFileThatCannotBeWrittenIsNotLeftBehind)
{
    {
        const testing::FileSizeLimit full(1);
        EXPECT_EQ(LoadDatabase(list, databaseFile()), DatabaseLoad::Failed);
    }
    EXPECT_FALSE(std::filesystem::exists(databaseFile()));
    EXPECT_EQ(LoadDatabase(list, databaseFile()), DatabaseLoad::Created) << "once there is space again";
    EXPECT_EQ(fileBytes(), std::string(2, '\0'));
}

TEST_F(ComponentFile, SavingThreeOverFiveKeepsTheOldTail)
{
    UnifacComponentList five = listOf({"a", "b", "c", "d", "e"});
    ASSERT_TRUE(SaveDatabase(five, databaseFile()));
    const std::string before = fileBytes();
    UnifacComponentList three = listOf({"x", "y", "z"});
    ASSERT_TRUE(SaveDatabase(three, databaseFile()));
    const std::string after = fileBytes();
    ASSERT_EQ(after.size(), 322u);
    EXPECT_EQ(after.substr(0, 194), std::string("\x03\x00", 2) + record("x", "17,1;") + record("y", "17,1;") + record("z", "17,1;"));
    EXPECT_EQ(after.substr(194), before.substr(194));
    EXPECT_EQ(LoadDatabase(list, databaseFile()), DatabaseLoad::Loaded);
    EXPECT_EQ(names(list), "x;y;z;");
}

TEST_F(ComponentFile, UnreadableFilesAreLeftAlone)
{
    const std::string negative = std::string("\xFF\xFF", 2) + record("kept", "17,1;");
    const std::string truncated = std::string("\x03\x00", 2) + record("a", "17,1;") + record("b", "10,6;") + "partial";
    struct Case { std::string bytes; DatabaseLoad result; std::string names; };
    for (const Case& c : std::vector<Case>{{negative, DatabaseLoad::Failed, ""},
                                           {std::string(1, '\x01'), DatabaseLoad::Failed, ""},
                                           {truncated, DatabaseLoad::Loaded, "a;b;"}}) {
        folder.write("DATABASE.UFC", c.bytes);
        list.AddComponent("left over", "17,1;");
        EXPECT_EQ(LoadDatabase(list, databaseFile()), c.result);
        EXPECT_EQ(names(list), c.names);
        EXPECT_EQ(fileBytes(), c.bytes);
    }
}

// What no list can be fails the load at once: a FIFO, which no writer fills, and a file longer
// than any list (sparse, read it would take seconds and more memory than there is); a full list
// still loads.
TEST_F(ComponentFile, WhatNoListCanBeFailsTheLoadAtOnce)
{
    const struct {
        const char* what;
        std::function<void()> make;
        DatabaseLoad result;
        int count;
    } rows[] = {
        {"a FIFO", [] { ASSERT_EQ(::mkfifo(databaseFile().c_str(), 0600), 0); }, DatabaseLoad::Failed, 0},
        {"a file longer than any list",
         [this] {
             folder.write("DATABASE.UFC", "");
             ASSERT_EQ(::truncate(databaseFile().c_str(), off_t{64} << 30), 0);
         },
         DatabaseLoad::Failed, 0},
        {"a full list",
         [] {
             UnifacComponentList full;
             full.replaceAll(std::vector<UnifacComponent>(maxComponentCount, UnifacComponent{"n", "17,1;"}));
             ASSERT_TRUE(SaveDatabase(full, databaseFile()));
         },
         DatabaseLoad::Loaded, maxComponentCount},
    };
    const testing::HangGuard guard;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        std::filesystem::remove(databaseFile());
        row.make();
        list.AddComponent("left over", "17,1;");
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(LoadDatabase(list, databaseFile()), row.result);
        if (row.result == DatabaseLoad::Failed) {
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500)) << "at once";
        }
        EXPECT_EQ(list.ComponentCount(), row.count);
    }
}

// An installed copy without a folder of its own to write: the window opens with an empty list,
// as on a first start, and saves fail, leaving the installation as it is.
TEST_F(ComponentFile, WithoutAFolderToWriteTheProgramsListIsMadeNowhereAndNotSaved)
{
    const testing::ScratchFolder installation;
    installation.write(services::installedMarkerName, "");
    testing::ScriptedUi ui;
    services::useUserFolder(installation.path(), std::nullopt);
    ASSERT_EQ(services::programFileToWrite(services::unifacDatabaseName), std::nullopt);
    componentList().AddComponent("left over", "17,1;");
    EXPECT_EQ(LoadDatabase(), DatabaseLoad::Missing);
    EXPECT_EQ(componentList().ComponentCount(), 0);
    componentList().AddComponent("water", "17,1;");
    EXPECT_FALSE(SaveDatabase());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(installation.path()), {}), 1) << "the marker alone";
    EXPECT_TRUE(ui.messages().empty()) << "the load and the saves say nothing";
}

// Accounts sharing a folder and a database that each may write: the lock file that the first
// saver made, under a umask that keeps others out, lets the next account take its turn.
TEST_F(ComponentFile, AnotherAccountSavesAfterTheFirst)
{
    ASSERT_EQ(::chmod(folder.path().c_str(), 0777), 0);
    folder.write("DATABASE.UFC", std::string(2, '\0'));
    ASSERT_EQ(::chmod(databaseFile().c_str(), 0666), 0);
    const auto saveAs = [](uid_t account, const char* name) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::umask(022);
            UnifacComponentList own;
            const bool saved = ::setgid(account) == 0 && ::setuid(account) == 0 &&
                               LoadDatabase(own, databaseFile()) == DatabaseLoad::Loaded &&
                               own.AddComponent(name, "17,1;") == ListChange::Done && SaveDatabase(own, databaseFile());
            ::_exit(saved ? 0 : 1);
        }
        int status = 0;
        return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    };
    ASSERT_EQ(::geteuid(), 0u) << "the tests run as root";
    EXPECT_TRUE(saveAs(65534, "first"));
    EXPECT_TRUE(saveAs(65533, "second"));
    ASSERT_EQ(LoadDatabase(list, databaseFile()), DatabaseLoad::Loaded);
    EXPECT_EQ(names(list), "first;second;");
}

TEST_F(ComponentFile, SaveStoppedBeforeTheRenameLeavesTheOldFile)
{
    UnifacComponentList old = listOf({"old"});
    ASSERT_TRUE(SaveDatabase(old, databaseFile()));
    const std::string before = fileBytes();
    UnifacComponentList changed = listOf({"new"});
    {
        const testing::FileSizeLimit full(before.size() / 2);
        EXPECT_FALSE(SaveDatabase(changed, databaseFile()));
    }
    EXPECT_EQ(fileBytes(), before);
    EXPECT_EQ(names(changed), "new;");
    EXPECT_TRUE(fileStandsAlone());
}

TEST_F(ComponentFile, SaveOverAnUnchangedFileWritesTheListAsItIs)
{
    const std::string a = record("a", "17,1;"), b = record("b", "10,6;"), c = record("c", "1,2;2,6;");
    folder.write("DATABASE.UFC", std::string("\x03\x00", 2) + a + b + c);
    ASSERT_EQ(LoadDatabase(list, databaseFile()), DatabaseLoad::Loaded);
    list.DeleteComponent(1);
    list.AddComponent("d", "17,1;");
    ASSERT_TRUE(SaveDatabase(list, databaseFile()));
    EXPECT_EQ(fileBytes(), std::string("\x03\x00", 2) + b + c + record("d", "17,1;"));
    list.DeleteComponent(3);
    list.DeleteComponent(2);
    ASSERT_TRUE(SaveDatabase(list, databaseFile()));
    EXPECT_EQ(fileBytes(), std::string("\x01\x00", 2) + b + c + record("d", "17,1;")) << "never shortened";
}

// Two copies of the program saving at the same moment, again and again: each save is applied to
// the other's, and every save reports success.
TEST_F(ComponentFile, TwoProcessesSavingAtOnceLoseNoComponent)
{
    ASSERT_EQ(LoadDatabase(list, databaseFile()), DatabaseLoad::Created);
    constexpr int savesEach = 40;
    int gate[2];
    ASSERT_EQ(::pipe(gate), 0);
    std::vector<pid_t> copies;
    for (const char side : {'a', 'b'}) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(gate[1]);
            char go;
            int failed = ::read(gate[0], &go, 1) != 0; // both start as the gate closes
            UnifacComponentList own;
            failed += LoadDatabase(own, databaseFile()) != DatabaseLoad::Loaded;
            for (int i = 0; i < savesEach; ++i) {
                own.AddComponent(side + std::to_string(i), "17,1;");
                failed += !SaveDatabase(own, databaseFile());
            }
            ::_exit(failed == 0 ? 0 : 1);
        }
        copies.push_back(pid);
    }
    ::close(gate[0]);
    ::close(gate[1]);
    for (const pid_t pid : copies) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a save failed";
    }
    ASSERT_EQ(LoadDatabase(list, databaseFile()), DatabaseLoad::Loaded);
    std::set<std::string> saved;
    for (int i = 1; i <= list.ComponentCount(); ++i)
        saved.insert(trimBlanks(list.ComponentNameAt(i)));
    EXPECT_EQ(saved.size(), 2u * savesEach);
    EXPECT_EQ(list.ComponentCount(), 2 * savesEach);
    EXPECT_TRUE(fileStandsAlone());
}

// A save that cannot have its lock, or whose read of the file fails (ESTALE under the NFS
// rules), fails and leaves the file and the list as they were.
TEST_F(ComponentFile, SaveWithoutItsLockOrItsReadFailsAndKeepsTheFile)
{
    list.AddComponent("water", "17,1;");
    ASSERT_TRUE(SaveDatabase(list, databaseFile()));
    const std::string bytes = fileBytes();
    list.AddComponent("benzene", "10,6;");
    const std::filesystem::path lock = folder.file("DATABASE.UFC.lock");
    std::filesystem::remove(lock);
    std::filesystem::create_directory(lock); // cannot be opened for writing
    EXPECT_FALSE(SaveDatabase(list, databaseFile()));
    EXPECT_EQ(fileBytes(), bytes);
    std::filesystem::remove(lock);
    if (testing::FailingRead::available()) {
        const testing::FailingRead failing(databaseFile());
        EXPECT_FALSE(SaveDatabase(list, databaseFile()));
        UnifacComponentList other;
        EXPECT_EQ(LoadDatabase(other, databaseFile()), DatabaseLoad::Failed);
    }
    EXPECT_EQ(fileBytes(), bytes);
    EXPECT_EQ(names(list), "water;benzene;");
    EXPECT_TRUE(SaveDatabase(list, databaseFile()));
}

TEST_F(ComponentFile, NamesTravelAsWindows1252)
{
    ASSERT_EQ(list.AddComponent("€-ester é", "17,1;"), ListChange::Done);
    ASSERT_TRUE(SaveDatabase(list, databaseFile()));
    EXPECT_EQ(fileBytes().substr(2, 9), "\x80-ester \xE9");
    const std::string stored = list.ComponentNameAt(1);
    EXPECT_EQ(LoadDatabase(list, databaseFile()), DatabaseLoad::Loaded);
    EXPECT_EQ(list.ComponentNameAt(1), stored);
    // Bytes the code page leaves undefined come back as they were.
    folder.write("DATABASE.UFC", std::string("\x01\x00", 2) + record("\x81\x9D", "17,1;"));
    ASSERT_EQ(LoadDatabase(list, databaseFile()), DatabaseLoad::Loaded);
    ASSERT_TRUE(SaveDatabase(list, databaseFile()));
    EXPECT_EQ(fileBytes(), std::string("\x01\x00", 2) + record("\x81\x9D", "17,1;"));
}

} // namespace
} // namespace calvex::unifac
