// Links that another account plants in a program folder that several accounts write: every
// reader and writer of the folder's files refuses them, and nothing they name is read or changed.
#include "services/guardedopen.h"

#include "pure/componentdatabase.h"
#include "services/filereplacement.h"
#include "services/pointsfile.h"
#include "services/programfolder.h"
#include "services/resultformat.h"
#include "services/usercomponentfile.h"
#include "unifac/componentfile.h"

#include "tests/support/hangguard.h"
#include "tests/support/otheraccount.h"
#include "tests/support/scratchfolder.h"
#include "tests/support/scriptedui.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>
#include <set>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace calvex::services {
namespace {

namespace fs = std::filesystem;
using testing::ScratchFolder;

// The account that runs the program, and the one that shares its folder and plants the links.
constexpr uid_t runner = 65534;
constexpr uid_t planter = 65533;

// What `action` gives when `account` runs it, in a process of its own.
std::string runAs(uid_t account, const std::function<std::string()>& action)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return "no pipe";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(channel[0]);
        ::alarm(10); // a read left waiting on a FIFO ends the run
        ::umask(022);
        std::string outcome = "no account";
        if (::setgid(account) == 0 && ::setuid(account) == 0) {
            try {
                outcome = action();
            } catch (...) {
                outcome = "threw";
            }
        }
        ::_exit(writeAll(channel[1], outcome) ? 1 : 0);
    }
    ::close(channel[1]);
    std::string outcome;
    char buffer[256];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        outcome.append(buffer, static_cast<std::size_t>(got));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? outcome : "ended by a signal";
}

std::string joined(const std::vector<std::string>& texts)
{
    std::string all;
    for (const std::string& text : texts)
        all += text + "; ";
    return all;
}

std::string loadName(unifac::DatabaseLoad load)
{
    switch (load) {
    case unifac::DatabaseLoad::Loaded: return "loaded";
    case unifac::DatabaseLoad::Created: return "created";
    case unifac::DatabaseLoad::Failed: return "failed";
    case unifac::DatabaseLoad::Missing: return "missing";
    }
    return "?";
}

// The UNIFAC database's load and the save of one more component, as the editor's Exit does.
std::string loadAndSaveDatabase()
{
    const unifac::DatabaseLoad load = unifac::LoadDatabase();
    unifac::componentList().AddComponent("probe", "17,1;");
    return loadName(load) + (unifac::SaveDatabase() ? ", saved" : ", not saved");
}

// A plot's points written, then read back by the chart.
std::string writeAndReadPoints(const char* file)
{
    std::string outcome;
    {
        PointsFileWriter writer(file);
        outcome = writer.isOpen() && writer.writeLine({1, 2}) && writer.close() ? "written" : "not written";
    }
    try {
        PointsFileReader reader(file);
        return outcome + ", read " + std::to_string(reader.nextCount(10));
    } catch (const PlotFailure& failure) {
        return outcome + ", " + failure.what();
    }
}

std::string report()
{
    testing::ScriptedUi ui;
    ResultLines values{"", "9.7"};
    const ReportOutcome outcome = MakeResultFile(1, values, programFile("molarvolumecalculator.htm").string());
    // The page without its line end: the value alone where the template could not be read.
    return joined(ui.messages()) + (outcome.written ? "written " : "not written ") +
           outcome.page.substr(0, outcome.page.size() - 2);
}

std::string lookUpAndAppend()
{
    const bool found = findUserComponent("mine").has_value();
    const bool stored = appendUserComponent({"probe", "400", "40", "0.2", "300"});
    return std::string(found ? "found" : "not found") + (stored ? ", stored" : ", not stored");
}

std::string listComponents()
{
    const pure::ComponentList list = pure::ComponentDatabase().ListComponents();
    if (list.ok())
        return list.components.empty() ? "listed none" : "listed";
    return list.error->substr(list.error->find(": ") + 2); // without the folder's name
}

// A component's record in DATABASE.UFC: the name in 20 bytes, the group list in 44.
std::string ufcRecord(const std::string& name, const std::string& groups = "")
{
    return name + std::string(20 - name.size(), ' ') + groups + std::string(44 - groups.size(), ' ');
}

std::string ufc(const std::string& name) { return std::string("\x01\x00", 2) + ufcRecord(name); }

enum Planted { ToTheRunnersFile, Dangling, ToAFifo, RunnersLinkMoved, RunnersOwnLink };
constexpr std::array<const char*, 5> plantedNames{
    "the planter's link to the runner's file", "a dangling link", "a link to a FIFO",
    "the runner's own link, renamed by the planter", "the runner's own link in a folder of its own"};

// The file a link of that kind names, made as the runner's own; none for a dangling link.
fs::path makeTarget(const ScratchFolder& home, const std::string& file, const std::string& bytes, Planted planted)
{
    if (planted == Dangling)
        return home.file(file + ".missing");
    const fs::path target = home.file(planted == ToAFifo ? file + ".fifo" : file);
    if (planted == ToAFifo)
        EXPECT_EQ(::mkfifo(target.c_str(), 0600), 0);
    else if (file == pure::componentDatabaseFile)
        fs::copy_file(ScratchFolder::builtProgramFolder() / file, target);
    else
        home.write(file, bytes);
    EXPECT_EQ(::chown(target.c_str(), runner, runner), 0);
    EXPECT_EQ(::chmod(target.c_str(), 0600), 0);
    return target;
}

// Each file of the folder with a link in its place, by each kind of link, run by the account
// that shares the folder with the planter. The planter's links are refused, and so is the
// runner's own link that the planter renamed onto the file's name: the target keeps its bytes,
// mode and owner, a dangling one makes no file, a FIFO keeps no one waiting. A save that renames
// a file into place over such a link is not refused: the link is gone, and what it named is
// untouched. The runner's own link in a folder of its own works as the file would: a writer in
// place and a save that renames a file into place both write its target, and the link stays.
TEST(GuardedOpen, LinksAnotherAccountPlantedAreNotFollowed)
{
    ASSERT_EQ(::geteuid(), 0u) << "the tests run as root";
    const std::string record = userComponentLine({"mine", "500", "50", "0.3", "350"});
    const std::string probe = userComponentLine({"probe", "400", "40", "0.2", "300"});
    const std::string page = "<p>variable</p>";
    const struct {
        const char* file;
        std::string targetBytes; // what the runner's own file there holds
        std::function<void(const ScratchFolder&)> prepare;
        std::function<std::string()> action;
        std::array<std::string, 5> outcomes; // by Planted
        std::string ownTargetAfter;          // the runner's file after its own link was used; empty: unchanged
    } rows[] = {
        {unifacDatabaseName, ufc("mine"), {}, loadAndSaveDatabase,
         {"failed, not saved", "failed, saved", "failed, saved", "failed, not saved", "loaded, saved"},
         std::string("\x02\x00", 2) + ufcRecord("mine") + ufcRecord("probe", "17,1;")},
        {unifacDatabaseLockName, "", [](const ScratchFolder& f) { f.write(unifacDatabaseName, ufc("theirs")); },
         loadAndSaveDatabase,
         {"loaded, not saved", "loaded, not saved", "loaded, not saved", "loaded, not saved", "loaded, saved"}, {}},
        {unifacDatabaseBackupName, "mine", [](const ScratchFolder& f) { f.write(unifacDatabaseName, "\xff\xff"); },
         loadAndSaveDatabase, {"failed, saved", "failed, saved", "failed, saved", "failed, saved", "failed, saved"},
         "\xff\xff"},
        {points1FileName, "notes", {}, [] { return writeAndReadPoints(points1FileName); },
         {"not written, points1.dat could not be read", "not written, points1.dat could not be opened",
          "not written, points1.dat could not be read", "not written, points1.dat could not be read",
          "written, read 1"},
         "1,2\r\n"},
        {points2FileName, "notes", {}, [] { return writeAndReadPoints(points2FileName); },
         {"not written, points2.dat could not be read", "not written, points2.dat could not be opened",
          "not written, points2.dat could not be read", "not written, points2.dat could not be read",
          "written, read 1"},
         "1,2\r\n"},
        {userComponentFileName, record, {}, lookUpAndAppend,
         {"not found, not stored", "not found, not stored", "not found, not stored", "not found, not stored",
          "found, stored"},
         record + probe},
        {resultPageName, "notes", [&](const ScratchFolder& f) { f.write("molarvolumecalculator.htm", page); }, report,
         {"written <p>9.7</p>", "written <p>9.7</p>", "written <p>9.7</p>", "written <p>9.7</p>",
          "written <p>9.7</p>"},
         "<p>9.7</p>\r\n"},
        {"molarvolumecalculator.htm", page, {}, report,
         {"Error in data replacement file finding so exiting; written 9.7",
          "Error in data replacement file finding so exiting; written 9.7",
          "Error in data replacement file finding so exiting; written 9.7",
          "Error in data replacement file finding so exiting; written 9.7", "written <p>9.7</p>"},
         {}},
        {pure::componentDatabaseFile, "", {}, listComponents,
         {"unable to open database file", "unable to open database file", "unable to open database file",
          "unable to open database file", "listed"},
         {}},
    };
    const testing::HangGuard guard(60);
    for (const auto& row : rows) {
        for (const Planted planted : {ToTheRunnersFile, Dangling, ToAFifo, RunnersLinkMoved, RunnersOwnLink}) {
            SCOPED_TRACE(std::string(row.file) + ", " + plantedNames[planted]);
            const ScratchFolder home;
            const ScratchFolder folder; // the program folder from here on
            if (planted == RunnersOwnLink) {
                ASSERT_EQ(::chown(folder.path().c_str(), runner, runner), 0);
            }
            ASSERT_EQ(::chmod(folder.path().c_str(), planted == RunnersOwnLink ? 0755 : 0777), 0);
            ASSERT_EQ(::chown(home.path().c_str(), runner, runner), 0);
            ASSERT_EQ(::chmod(home.path().c_str(), 0700), 0);
            const fs::path target = makeTarget(home, row.file, row.targetBytes, planted);
            // The planter's own files of the folder, as it would make them for the others.
            if (row.prepare)
                row.prepare(folder);
            for (const auto& entry : fs::directory_iterator(folder.path())) {
                ASSERT_EQ(::chown(entry.path().c_str(), planter, planter), 0);
                ASSERT_EQ(::chmod(entry.path().c_str(), 0666), 0);
            }
            const bool runners = planted == RunnersLinkMoved || planted == RunnersOwnLink;
            const fs::path link = folder.file(row.file);
            // Made under a name of its own, which the planter, who may write the folder, changes.
            const fs::path made = planted == RunnersLinkMoved ? folder.file("kept.lnk") : link;
            ASSERT_EQ(::symlink(target.c_str(), made.c_str()), 0);
            ASSERT_EQ(::lchown(made.c_str(), runners ? runner : planter, runners ? runner : planter), 0);
            if (planted == RunnersLinkMoved) {
                ASSERT_EQ(runAs(planter, [&] { return std::to_string(::rename(made.c_str(), link.c_str())); }), "0");
            }
            const std::string before =
                planted == ToTheRunnersFile || runners ? home.read(target.filename().string()) : "";

            EXPECT_EQ(runAs(runner, row.action), row.outcomes[planted]);
            if (planted == RunnersOwnLink) {
                std::error_code error;
                EXPECT_EQ(fs::read_symlink(link, error), target) << "the link stays";
            }

            std::set<fs::path> inHome;
            for (const auto& entry : fs::directory_iterator(home.path()))
                inHome.insert(entry.path().filename());
            if (planted == Dangling) {
                EXPECT_TRUE(inHome.empty()) << "nothing is made where the link points";
                continue;
            }
            EXPECT_EQ(inHome, std::set<fs::path>{target.filename()}) << "nothing is made beside it";
            struct stat status {};
            ASSERT_EQ(::lstat(target.c_str(), &status), 0);
            EXPECT_EQ(status.st_mode & 07777, 0600u) << "never widened";
            EXPECT_EQ(status.st_uid, runner);
            EXPECT_EQ(S_ISFIFO(status.st_mode), planted == ToAFifo);
            if (planted != ToAFifo) {
                EXPECT_EQ(home.read(target.filename().string()),
                          planted == RunnersOwnLink && !row.ownTargetAfter.empty() ? row.ownTargetAfter : before);
            }
        }
    }
}

// Where a link of the account's own is followed: only where no other account can have given it
// its name, each link on the way. Only an account that may write a folder renames what it holds,
// and in a sticky folder only the owner of the name or of the folder; root is trusted anywhere.
TEST(GuardedOpen, OwnLinksAreFollowedOnlyWhereNoOtherAccountCanRenameThem)
{
    enum Extra { None, SecondName, OnToASharedFolder };
    const struct {
        const char* what;
        uid_t account;     // that runs the program, owns the link and the file it leads to
        uid_t folderOwner; // of the folder that holds the link
        mode_t folderMode;
        Extra extra;
        bool followed;
    } rows[] = {
        {"a folder of the account's own", runner, runner, 0755, None, true},
        {"a folder of root's", runner, 0, 0755, None, true},
        {"a sticky folder of root's, as /tmp", runner, 0, 01777, None, true},
        {"a sticky folder of the account's own its group may write", runner, runner, 01770, None, true},
        {"a folder of root's that all may write, as a shared build folder", runner, 0, 0777, None, false},
        {"a folder of the account's own its group may write", runner, runner, 0775, None, false},
        {"a folder of the account's own others may write", runner, runner, 0757, None, false},
        {"a folder of another account's", runner, planter, 0755, None, false},
        {"a sticky folder of another account's", runner, planter, 01777, None, false},
        {"a sticky folder of root's, the link with a second name", runner, 0, 01777, SecondName, false},
        {"a folder of the account's own, then a link in a folder all may write", runner, runner, 0755,
         OnToASharedFolder, false},
        {"root's folder, run by root", 0, 0, 0755, None, true},
        {"another account's folder, run by root", 0, runner, 0700, None, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const ScratchFolder home, folder, shared;
        home.write("mine", "bytes");
        testing::giveTo(home.path(), row.account);
        ASSERT_EQ(::chmod(home.path().c_str(), 0700), 0);
        ASSERT_EQ(::chmod(shared.path().c_str(), 0777), 0);
        fs::path target = home.file("mine");
        if (row.extra == OnToASharedFolder) {
            ASSERT_EQ(::symlink(target.c_str(), shared.file("on").c_str()), 0);
            target = shared.file("on");
        }
        const fs::path link = folder.file(unifacDatabaseName);
        ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
        if (row.extra == SecondName) {
            ASSERT_EQ(::link(link.c_str(), folder.file("second").c_str()), 0);
        }
        testing::giveTo(shared.path(), row.account);
        testing::giveTo(folder.path(), row.account);
        ASSERT_EQ(::chown(folder.path().c_str(), row.folderOwner, row.folderOwner), 0);
        ASSERT_EQ(::chmod(folder.path().c_str(), row.folderMode), 0);

        EXPECT_EQ(runAs(row.account,
                        [&] {
                            const int fd = openGuarded(link, O_RDONLY);
                            if (fd < 0)
                                return std::string(errno == ELOOP ? "not followed" : "failed");
                            char bytes[16];
                            const ssize_t got = ::read(fd, bytes, sizeof bytes);
                            ::close(fd);
                            return got < 0 ? "not read" : std::string(bytes, static_cast<std::size_t>(got));
                        }),
                  row.followed ? "bytes" : "not followed");
    }
}

} // namespace
} // namespace calvex::services
