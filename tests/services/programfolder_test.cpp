#include "services/programfolder.h"

#include "services/pointsfile.h"
#include "services/resultformat.h"
#include "services/usercomponentfile.h"

#include "tests/support/filesizelimit.h"
#include "tests/support/scratchfolder.h"
#include "tests/support/scriptedui.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>
#include <optional>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace calvex::services {
namespace {

namespace fs = std::filesystem;
using testing::ScratchFolder;

// An environment variable set (or unset, for nullopt) for the life of the object.
class EnvironmentScope {
public:
    EnvironmentScope(const char* name, std::optional<std::string> value) : m_name(name)
    {
        if (const char* previous = std::getenv(name))
            m_previous = previous;
        value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    }
    ~EnvironmentScope() { m_previous ? ::setenv(m_name, m_previous->c_str(), 1) : ::unsetenv(m_name); }

private:
    const char* m_name;
    std::optional<std::string> m_previous;
};

mode_t modeOf(const fs::path& path)
{
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

TEST(ProgramFolder, UserDataFolderIsTheAccountsOwnWhateverTheEnvironmentLacks)
{
    const passwd* account = ::getpwuid(::geteuid());
    ASSERT_NE(account, nullptr);
    const fs::path accountHome = account->pw_dir;
    const struct {
        std::optional<std::string> xdgDataHome, home;
        fs::path expected;
    } rows[] = {
        {"/data/u", "/home/u", "/data/u/calvex"},
        {"", "/home/u", "/home/u/.local/share/calvex"},
        {"relative/data", "/home/u", "/home/u/.local/share/calvex"}, // the XDG rules ignore a relative path
        {std::nullopt, std::nullopt, accountHome / ".local/share/calvex"},
        {std::nullopt, "", accountHome / ".local/share/calvex"},
    };
    for (const auto& row : rows) {
        const EnvironmentScope xdg("XDG_DATA_HOME", row.xdgDataHome);
        const EnvironmentScope home("HOME", row.home);
        const auto folder = userDataFolder();
        ASSERT_TRUE(folder);
        EXPECT_EQ(*folder, row.expected);
        EXPECT_NE(folder->parent_path(), fs::temp_directory_path());
    }
}

TEST(ProgramFolder, NewUserFolderIsPrivateAndSeeded)
{
    ScratchFolder shipped;
    shipped.write("DATABASE.UFC", "groups");
    testing::ScriptedUi ui;
    const fs::path data = shipped.path() / "home" / "share" / "calvex";
    useUserFolder(shipped.path(), data);
    EXPECT_EQ(programFolder(), data);
    EXPECT_EQ(modeOf(data), 0700u);
    EXPECT_EQ(modeOf(data.parent_path()), 0700u);
    EXPECT_EQ(shipped.read("home/share/calvex/DATABASE.UFC"), "groups");
    EXPECT_TRUE(ui.texts().empty());
}

TEST(ProgramFolder, StartRemovesWhatAnEndedRunLeftMidWrite)
{
    ScratchFolder shipped, data;
    // No process has the number pid_max: numbers stay below it.
    std::string pidMax;
    std::getline(std::ifstream("/proc/sys/kernel/pid_max"), pidMax);
    shipped.write("properties.mdb", "shipped");
    const struct {
        std::string name;
        bool removed;
    } rows[] = {
        {"properties.mdb." + pidMax + "-0.tmp", true}, // of the seeding
        {"DATABASE.UFC." + pidMax + "-3.tmp", true},   // of a save
        {"notes." + pidMax + "-4.tmp", false},         // the user's own
    };
    for (const auto& row : rows)
        data.write(row.name, "cut");
    testing::ScriptedUi ui;
    useUserFolder(shipped.path(), data.path());
    for (const auto& row : rows)
        EXPECT_EQ(fs::exists(data.file(row.name)), !row.removed) << row.name;
    EXPECT_TRUE(ui.texts().empty());
}

TEST(ProgramFolder, UnusableUserFolderIsNamedWithItsReasonAndNotUsed)
{
    ScratchFolder shipped;
    shipped.write("a file", "");
    const fs::path othersFolder = shipped.path() / "others";
    fs::create_directory(othersFolder);
    ASSERT_EQ(::chown(othersFolder.c_str(), 65534, 65534), 0) << "the tests run as root";
    const struct {
        fs::path folder;
        std::string reason;
    } rows[] = {
        {shipped.file("a file") / "calvex", std::generic_category().message(ENOTDIR)},
        {shipped.file("a file"), "it is not a folder"},
        {othersFolder, "it belongs to another account"},
    };
    for (const auto& row : rows) {
        testing::ScriptedUi ui;
        useUserFolder(shipped.path(), row.folder);
        EXPECT_EQ(ui.messages(), std::vector<std::string>{"The data folder " + row.folder.string() +
                                                          " could not be used: " + row.reason +
                                                          ". Reports, plots and changes to the data cannot be saved."});
        EXPECT_EQ(programFolder(), shipped.path()) << "the program still reads its own files";
        EXPECT_EQ(programFileToWrite(resultPageName), shipped.file(resultPageName)) << "a build folder keeps its own";
    }
}

// Every file and folder under `folder`, with its permissions and bytes.
std::string snapshot(const fs::path& folder)
{
    std::string listing;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        listing += entry.path().string() + " " + std::to_string(modeOf(entry.path())) + "\n";
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            listing.append(std::istreambuf_iterator<char>(in), {});
        }
    }
    return listing;
}

// An installed copy run where its own folder cannot be used (a `sudo` that keeps HOME, a broken
// home) writes nothing, also where it could write into its installation: the tests run as root.
TEST(ProgramFolder, InstalledCopyWithoutAUsableFolderOfItsOwnSavesNothing)
{
    ScratchFolder installation, elsewhere;
    installation.write(installedMarkerName, "");
    installation.write("page.htm", "<p>variable</p>");
    elsewhere.write("calvex", "a file");
    const fs::path others = elsewhere.file("others");
    fs::create_directory(others);
    ASSERT_EQ(::chown(others.c_str(), 65534, 65534), 0) << "the tests run as root";
    const std::string cannotSave = " Reports, plots and changes to the data cannot be saved.";
    const struct {
        std::optional<fs::path> folder;
        std::string message;
    } rows[] = {
        {others, "The data folder " + others.string() + " could not be used: it belongs to another account."},
        {elsewhere.file("calvex"), "The data folder " + elsewhere.file("calvex").string() +
                                       " could not be used: it is not a folder."},
        {std::nullopt, "No data folder could be found: neither XDG_DATA_HOME nor HOME is set and the account has "
                       "no home folder."},
        {installation.file("calvex"), "The data folder " + installation.file("calvex").string() +
                                          " could not be used: it lies in the installation."},
    };
    const std::string before = snapshot(installation.path());
    for (const auto& row : rows) {
        SCOPED_TRACE(row.message);
        testing::ScriptedUi ui;
        useUserFolder(installation.path(), row.folder);
        EXPECT_EQ(ui.messages(), std::vector<std::string>{row.message + cannotSave});
        EXPECT_EQ(programFolder(), installation.path()) << "the program still reads its own files";
        EXPECT_EQ(programFileToWrite(resultPageName), std::nullopt);
        ui.clear();

        ResultLines values{"", "1"};
        EXPECT_FALSE(MakeResultFile(1, values, programFile("page.htm").string()).pageInFile);
        EXPECT_EQ(ui.messages(), std::vector<std::string>{"Error in  making result file so exiting"});
        EXPECT_FALSE(writeTxyPointsFile({{0.5f, 350.0f, 0.7f}}));
        EXPECT_FALSE(appendUserComponent({"probe", "400", "40", "0.2", "300"}));
        EXPECT_EQ(snapshot(installation.path()), before);
        EXPECT_TRUE(fs::is_empty(others));
    }
}

TEST(ProgramFolder, SeedingBringsOnlyTheProgramsOwnFilesAndKeepsTheUsers)
{
    const struct {
        const char* name;
        std::optional<std::string> user; // the file in the user's folder before the start
        std::optional<std::string> expected;
    } rows[] = {
        {"properties.mdb", "old database", "shipped properties.mdb"},
        {"1.htm", std::nullopt, "shipped 1.htm"},
        {"Filedatabase.dat", "the user's components", "the user's components"},
        {"DATABASE.UFC", "the user's groups", "the user's groups"},
        {"result.htm", "the user's report", "the user's report"},
        {"points1.dat", std::nullopt, std::nullopt},
        {"points2.dat", "the user's plot", "the user's plot"},
        {"DATABASE.UFC.bak", std::nullopt, std::nullopt},
        {"DATABASE.UFC.lock", "", ""}, // a lock file in use is never replaced
        {installedMarkerName, std::nullopt, std::nullopt},
        {"calvex", std::nullopt, std::nullopt},
    };
    ScratchFolder shipped;
    ScratchFolder user;
    for (const auto& row : rows) {
        shipped.write(row.name, std::string("shipped ") + row.name);
        if (row.user)
            user.write(row.name, *row.user);
    }
    fs::permissions(shipped.file("calvex"), fs::perms::owner_exec, fs::perm_options::add);

    EXPECT_EQ(seedUserFolder(shipped.path(), user.path()), "");

    for (const auto& row : rows) {
        EXPECT_EQ(fs::exists(user.file(row.name)), row.expected.has_value()) << row.name;
        if (row.expected) {
            EXPECT_EQ(user.read(row.name), *row.expected) << row.name;
        }
    }
}

TEST(ProgramFolder, InstalledCopyUsesTheUserFolderAlsoWhereItCouldWriteItsOwn)
{
    const struct {
        bool marked;
        bool userFolderChosen;
    } rows[] = {{true, true}, {false, false}};
    for (const auto& row : rows) {
        ScratchFolder installation;
        ScratchFolder data;
        installation.write("properties.mdb", "database");
        if (row.marked)
            installation.write(installedMarkerName, "");
        ASSERT_EQ(::access(installation.path().c_str(), W_OK), 0);
        const EnvironmentScope xdg("XDG_DATA_HOME", data.path().string());
        testing::ScriptedUi ui;

        chooseProgramFolder(installation.path());

        EXPECT_EQ(programFolder(), row.userFolderChosen ? data.path() / "calvex" : installation.path());
        EXPECT_EQ(fs::exists(data.file("calvex/properties.mdb")), row.userFolderChosen);
        EXPECT_TRUE(ui.texts().empty());
    }
}

TEST(ProgramFolder, SeedingOntoAFullDiskKeepsTheEarlierCopies)
{
    ScratchFolder shipped;
    ScratchFolder user;
    shipped.write("properties.mdb", "a newer database");
    user.write("properties.mdb", "old database");
    std::string reason;
    {
        const testing::FileSizeLimit full(4);
        reason = seedUserFolder(shipped.path(), user.path());
    }
    EXPECT_EQ(reason, std::generic_category().message(EFBIG));
    EXPECT_EQ(user.read("properties.mdb"), "old database");
    EXPECT_EQ(std::distance(fs::directory_iterator(user.path()), {}), 1) << "no partial copy is left";
}

// Two copies of the program started at the same instant seed one new folder together.
TEST(ProgramFolder, SeedingsAtOnceReportNothingAndLeaveEveryFileWhole)
{
    ScratchFolder shipped;
    const std::string large(200000, 'd'); // copies long enough to overlap
    for (const char* name : {"properties.mdb", "1.htm", "help.css", "DATABASE.UFC", "Filedatabase.dat"})
        shipped.write(name, std::string(name) + large);
    constexpr int trials = 30;
    constexpr int starts = 3;
    for (int trial = 0; trial < trials; ++trial) {
        ScratchFolder user;
        std::atomic<int> waiting{starts};
        std::vector<std::string> reasons(starts);
        std::vector<std::thread> threads;
        for (int i = 0; i < starts; ++i)
            threads.emplace_back([&, i] {
                for (--waiting; waiting > 0;)
                    std::this_thread::yield();
                reasons[i] = seedUserFolder(shipped.path(), user.path());
            });
        for (std::thread& thread : threads)
            thread.join();
        EXPECT_EQ(reasons, std::vector<std::string>(starts)) << "trial " << trial;
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(user.path())) {
            names.push_back(entry.path().filename());
            EXPECT_EQ(user.read(names.back()), shipped.read(names.back())) << names.back();
        }
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"1.htm", "DATABASE.UFC", "Filedatabase.dat", "help.css",
                                                   "properties.mdb"}))
            << "no temporary file is left";
    }
}

} // namespace
} // namespace calvex::services
