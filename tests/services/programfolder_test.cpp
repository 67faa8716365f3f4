#include "services/programfolder.h"

#include "services/filereplacement.h"
#include "services/pointsfile.h"
#include "services/resultformat.h"
#include "services/temporaryfolder.h"
#include "services/usercomponentfile.h"

#include "tests/support/environmentscope.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/otheraccount.h"
#include "tests/support/scratchfolder.h"
#include "tests/support/scriptedui.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <thread>
#include <vector>

#include <pwd.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace calvex::services {
namespace {

namespace fs = std::filesystem;
using testing::EnvironmentScope;
using testing::fileListing;
using testing::otherAccount;
using testing::ScratchFolder;

const std::string cannotSave = " Reports, plots and changes to the data cannot be saved.";
const std::string shownNotKept =
    " Reports and plots are shown but not kept after exit; changes to the data cannot be saved.";
const std::string anotherAccounts = "it belongs to another account";

fs::path othersFolder(const fs::path& folder)
{
    fs::create_directories(folder);
    testing::giveTo(folder, otherAccount);
    return folder;
}

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
        std::optional<fs::path> expectedHome; // where the folder is found through a home
    } rows[] = {
        {"/data/u", "/home/u", "/data/u/calvex", std::nullopt},
        {"", "/home/u", "/home/u/.local/share/calvex", "/home/u"},
        // The XDG rules ignore a relative path.
        {"relative/data", "/home/u", "/home/u/.local/share/calvex", "/home/u"},
        {std::nullopt, "relative/home", accountHome / ".local/share/calvex", accountHome},
        {std::nullopt, std::nullopt, accountHome / ".local/share/calvex", accountHome},
        {std::nullopt, "", accountHome / ".local/share/calvex", accountHome},
    };
    for (const auto& row : rows) {
        const EnvironmentScope xdg("XDG_DATA_HOME", row.xdgDataHome);
        const EnvironmentScope home("HOME", row.home);
        const auto folder = userDataFolder();
        ASSERT_TRUE(folder);
        EXPECT_EQ(folder->folder, row.expected);
        EXPECT_EQ(folder->home, row.expectedHome);
        EXPECT_NE(folder->folder.parent_path(), fs::temp_directory_path());
    }
}

TEST(ProgramFolder, NewUserFolderIsPrivateAndSeeded)
{
    ScratchFolder shipped;
    shipped.write("DATABASE.UFC", "groups");
    const fs::path data = shipped.path() / "home" / "share" / "calvex";
    EXPECT_EQ(useUserFolder(shipped.path(), data), "");
    EXPECT_EQ(programFolder(), data);
    EXPECT_EQ(modeOf(data), 0700u);
    EXPECT_EQ(modeOf(data.parent_path()), 0700u);
    EXPECT_EQ(shipped.read("home/share/calvex/DATABASE.UFC"), "groups");
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
    EXPECT_EQ(useUserFolder(shipped.path(), data.path()), "");
    for (const auto& row : rows)
        EXPECT_EQ(fs::exists(data.file(row.name)), !row.removed) << row.name;
}

// Nothing is made on the way to a folder that cannot be used: not in another account's folder,
// nor in a home that is not the account's own (root started with another account's HOME, an
// account with root's, whose way it may not look into).
TEST(ProgramFolder, UnusableUserFolderIsNamedWithItsReasonAndNothingIsMade)
{
    ScratchFolder shipped;
    fs::permissions(shipped.path(), fs::perms::all); // a build folder every account writes
    shipped.write("a file", "");
    const fs::path others = othersFolder(shipped.file("others"));
    const fs::path othersHome = othersFolder(shipped.file("home"));
    fs::create_directories(othersHome / ".local/share/calvex"); // left there by an earlier run as root
    const fs::path missingHome = shipped.file("nonexistent");
    const fs::path rootsHome = testing::privateFolder(shipped.file("root's home"), ::geteuid());
    const struct {
        UserFolder folder;
        std::string reason;
        uid_t account = ::geteuid();
    } rows[] = {
        {shipped.file("a file") / "calvex", shipped.file("a file").string() + " is not a folder"},
        {shipped.file("a file"), "it is not a folder"},
        {others, anotherAccounts},
        {others / "share/calvex", anotherAccounts},
        {{missingHome / ".local/share/calvex", missingHome}, missingHome.string() + " does not exist"},
        {{othersHome / ".local/share/calvex", othersHome}, anotherAccounts},
        {{rootsHome / ".local/share/calvex", rootsHome}, anotherAccounts, otherAccount},
    };
    const std::string before = fileListing(shipped.path());
    for (const auto& row : rows) {
        SCOPED_TRACE(row.folder.folder);
        testing::inChildProcess(row.account, [&] {
            EXPECT_EQ(useUserFolder(shipped.path(), row.folder),
                      "The data folder " + row.folder.folder.string() + " could not be used: " + row.reason + "." +
                          cannotSave);
            EXPECT_EQ(programFolder(), shipped.path()) << "the program still reads its own files";
            EXPECT_EQ(programFileToWrite(resultPageName), shipped.file(resultPageName))
                << "a build folder keeps its own";
            setProgramFolder(shipped.path()); // the run's folder goes before the child ends
        });
        EXPECT_EQ(fileListing(shipped.path()), before);
    }
}

// A copy with no folder to write keeps nothing: an installed one run where its own folder cannot
// be used (a `sudo` that keeps HOME, a broken home), also where it could write into its
// installation (the tests run as root), and one whose folder the account cannot write. What it
// shows, it writes into a private folder of the run's own, and reads back from there.
TEST(ProgramFolder, CopyWithNoFolderToWriteShowsItsResultsAndKeepsNothing)
{
    ScratchFolder installation, build, elsewhere;
    installation.write(installedMarkerName, "");
    installation.write("page.htm", "<p>variable</p>");
    build.write("page.htm", "<p>variable</p>");
    elsewhere.write("calvex", "a file");
    const fs::path others = othersFolder(elsewhere.file("others"));
    const fs::path roots = elsewhere.file("roots");
    fs::create_directory(roots);
    fs::create_symlink(installation.path(), elsewhere.file("link"));
    const auto runtimeOf = [&](uid_t account) {
        return testing::privateFolder(elsewhere.file("runtime of " + std::to_string(account)), account);
    };
    const uid_t root = ::geteuid();
    const struct {
        fs::path shipped;
        std::optional<UserFolder> folder;
        std::string message;
        uid_t account = ::geteuid();
    } rows[] = {
        {installation.path(), others,
         "The data folder " + others.string() + " could not be used: " + anotherAccounts + "."},
        {installation.path(), elsewhere.file("calvex"),
         "The data folder " + elsewhere.file("calvex").string() + " could not be used: it is not a folder."},
        {installation.path(), std::nullopt,
         "No data folder could be found: neither XDG_DATA_HOME nor HOME is set and the account has no home folder."},
        {installation.path(), installation.file("calvex"),
         "The data folder " + installation.file("calvex").string() +
             " could not be used: it lies in the installation."},
        {installation.path(), UserFolder(elsewhere.file("link/.local/share/calvex"), elsewhere.file("link")),
         "The data folder " + elsewhere.file("link/.local/share/calvex").string() +
             " could not be used: it lies in the installation."},
        {build.path(), roots, "The data folder " + roots.string() + " could not be used: " + anotherAccounts + ".",
         otherAccount},
    };
    const std::map<uid_t, fs::path> runtimes{{root, runtimeOf(root)}, {otherAccount, runtimeOf(otherAccount)}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.message);
        const fs::path& runtime = runtimes.at(row.account);
        const EnvironmentScope runtimeFolder("XDG_RUNTIME_DIR", runtime.string());
        const std::string before = fileListing(row.shipped);
        testing::inChildProcess(row.account, [&] {
            testing::ScriptedUi ui;
            EXPECT_EQ(useUserFolder(row.shipped, row.folder), row.message + shownNotKept);
            EXPECT_EQ(programFolder(), row.shipped) << "the program still reads its own files";
            ASSERT_EQ(std::distance(fs::directory_iterator(runtime), {}), 1);
            const fs::path shownIn = fs::directory_iterator(runtime)->path();
            EXPECT_EQ(modeOf(shownIn), 0700u);
            EXPECT_EQ(programFileToWrite(resultPageName), shownIn / resultPageName);
            EXPECT_EQ(programFileToWrite(unifacDatabaseName), std::nullopt);

            ResultLines values{"", "1"};
            EXPECT_TRUE(MakeResultFile(1, values, programFile("page.htm").string()).pageInFile);
            EXPECT_EQ(readWholeFile(programFile(resultPageName), largestPage), "<p>1</p>\r\n");
            EXPECT_TRUE(writeTxyPointsFile({{0.5f, 350.0f, 0.7f}}));
            PointsFileReader points(points1FileName);
            EXPECT_EQ(points.nextSingle(), 0.5f) << "the plots read their points where they were written";
            EXPECT_FALSE(appendUserComponent({"probe", "400", "40", "0.2", "300"}));
            EXPECT_TRUE(ui.texts().empty());
            setProgramFolder(row.shipped);
            EXPECT_TRUE(fs::is_empty(runtime)) << "the run's folder goes with what it holds";
        });
        EXPECT_EQ(fileListing(row.shipped), before);
        EXPECT_TRUE(fs::is_empty(others));
        EXPECT_TRUE(fs::is_empty(roots));
    }

    // Where not even a temporary folder can be made (the system's is open to all and not sticky),
    // nothing is shown either.
    const EnvironmentScope noRuntime("XDG_RUNTIME_DIR", std::nullopt);
    const EnvironmentScope noTemporary("TMPDIR", std::nullopt);
    testing::inChildProcess(root, [] {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", "/tmp", "tmpfs", 0, "mode=0777") != 0) {
            std::cout << "SKIP: a run with no temporary folder: no mount namespace here\n";
            return;
        }
        const fs::path shipped = "/tmp/installation";
        fs::create_directory(shipped);
        std::ofstream(shipped / installedMarkerName);
        std::ofstream(shipped / "page.htm") << "<p>variable</p>";
        const std::string before = fileListing(shipped);
        testing::ScriptedUi ui;
        EXPECT_EQ(useUserFolder(shipped, std::nullopt), "No data folder could be found: neither XDG_DATA_HOME nor "
                                                        "HOME is set and the account has no home folder." +
                                                            cannotSave);
        ResultLines values{"", "1"};
        EXPECT_FALSE(MakeResultFile(1, values, programFile("page.htm").string()).pageInFile);
        EXPECT_EQ(ui.messages(), std::vector<std::string>{"Error in  making result file so exiting"});
        EXPECT_FALSE(writeTxyPointsFile({{0.5f, 350.0f, 0.7f}}));
        EXPECT_EQ(fileListing(shipped), before);
        EXPECT_EQ(std::distance(fs::directory_iterator("/tmp"), {}), 1) << "nothing is made there";
    });
}

// A run whose home is not an existing folder of the account's own (root started with another
// account's HOME, a relative or missing one) gets a home of its own in the run's folder before any
// library starts, whatever folder the program chose; the normal case keeps its environment.
TEST(ProgramFolder, StartGivesARunWhoseHomeIsNotItsOwnAHomeOfItsOwn)
{
    ScratchFolder scratch;
    const fs::path own = scratch.file("own");
    fs::create_directory(own);
    const fs::path others = othersFolder(scratch.file("others"));
    const fs::path runtime = testing::privateFolder(scratch.file("runtime"), ::geteuid());
    const EnvironmentScope runtimeFolder("XDG_RUNTIME_DIR", runtime.string());
    const struct {
        std::string home;
        bool kept;
    } rows[] = {
        {own.string(), true},
        {others.string(), false},
        {"relative", false},
        {scratch.file("missing").string(), false},
    };
    const std::string before = fileListing(own) + fileListing(others);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.home);
        const EnvironmentScope home("HOME", row.home);
        testing::inChildProcess(::geteuid(), [&] {
            EXPECT_EQ(initialiseProgramFolder(), "") << "the tests' own folder is a build folder";
            const std::string now = std::getenv("HOME");
            if (row.kept) {
                EXPECT_EQ(now, row.home);
                EXPECT_TRUE(fs::is_empty(runtime));
            } else {
                ASSERT_EQ(std::distance(fs::directory_iterator(runtime), {}), 1);
                const fs::path run = fs::directory_iterator(runtime)->path();
                EXPECT_EQ(now, (run / "home").string());
                EXPECT_EQ(modeOf(now), 0700u);
            }
            setProgramFolder(scratch.path());
            EXPECT_TRUE(fs::is_empty(runtime)) << "the run's folder goes with its home";
        });
        EXPECT_EQ(fileListing(own) + fileListing(others), before);
    }
}

// The run's temporary folder stays the account's own: in the runtime folder only where that is
// the account's own with mode 0700 (under sudo -E it is another's), else in the temporary folder
// only where no other account can remove or rename what is made there, else in /tmp.
TEST(ProgramFolder, TemporaryFolderIsPrivateAndMadeOnlyWhereNoOtherAccountReachesIt)
{
    ScratchFolder scratch;
    const auto folder = [&](const char* name, fs::perms mode, uid_t owner = ::geteuid()) {
        const fs::path made = scratch.file(name);
        fs::create_directory(made);
        fs::permissions(made, mode);
        EXPECT_EQ(::chown(made.c_str(), owner, owner), 0);
        return made.string();
    };
    const fs::perms sticky = fs::perms::all | fs::perms::sticky_bit;
    const std::string runtime = folder("runtime", fs::perms::owner_all);
    const std::string openRuntime = folder("open runtime", fs::perms::owner_all | fs::perms::group_read);
    const std::string othersRuntime = folder("others runtime", fs::perms::owner_all, otherAccount);
    const std::string temporary = folder("tmp", fs::perms::owner_all | fs::perms::group_read);
    const std::string shared = folder("shared tmp", sticky);
    const std::string unguarded = folder("unguarded tmp", fs::perms::all);
    const std::string othersTemporary = folder("others tmp", fs::perms::owner_all, otherAccount);
    const struct {
        std::optional<std::string> xdgRuntimeDir, tmpdir;
        std::string expected;
    } rows[] = {
        {runtime, temporary, runtime},
        {openRuntime, temporary, temporary},
        {othersRuntime, temporary, temporary},
        {"relative", shared, shared},
        {std::nullopt, std::nullopt, "/tmp"},
        {std::nullopt, unguarded, "/tmp"},
        {othersRuntime, othersTemporary, "/tmp"},
        {std::nullopt, "relative", "/tmp"},
    };
    for (const auto& row : rows) {
        const EnvironmentScope runtimeFolder("XDG_RUNTIME_DIR", row.xdgRuntimeDir);
        const EnvironmentScope temporaryFolder("TMPDIR", row.tmpdir);
        std::optional<TemporaryFolder> made = TemporaryFolder::make();
        ASSERT_TRUE(made) << row.xdgRuntimeDir.value_or("") << " " << row.tmpdir.value_or("");
        const fs::path path = made->path();
        EXPECT_EQ(path.parent_path(), row.expected);
        EXPECT_EQ(path.filename().string().substr(0, 7), "calvex-");
        EXPECT_EQ(modeOf(path), 0700u);
        std::ofstream(path / resultPageName) << "shown";
        made.reset();
        EXPECT_FALSE(fs::exists(path));
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

        EXPECT_EQ(chooseProgramFolder(installation.path()), "");

        EXPECT_EQ(programFolder(), row.userFolderChosen ? data.path() / "calvex" : installation.path());
        EXPECT_EQ(fs::exists(data.file("calvex/properties.mdb")), row.userFolderChosen);
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
