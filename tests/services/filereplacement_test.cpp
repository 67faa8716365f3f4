#include "services/filereplacement.h"

#include "services/filelock.h"
#include "services/pointsfile.h"
#include "services/resultformat.h"
#include "services/usercomponentfile.h"

#include "tests/support/failingread.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/hangguard.h"
#include "tests/support/scratchfolder.h"
#include "tests/support/scriptedui.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <filesystem>
#include <optional>

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace calvex::services {
namespace {

namespace fs = std::filesystem;
using testing::ScratchFolder;

std::size_t entries(const ScratchFolder& folder)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder.path()), {}));
}

TEST(FileReplacement, ReplacesWholeKeepsWhatIsPresentAndLeavesNothingOnFailure)
{
    ScratchFolder folder;
    folder.write("list", "old");
    fs::permissions(folder.file("list"), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(writeReplacing(folder.file("list"), "new"));
    EXPECT_EQ(folder.read("list"), "new");
    EXPECT_EQ(fs::status(folder.file("list")).permissions(), fs::perms::owner_read | fs::perms::owner_write);

    EXPECT_EQ(writeReplacing(folder.file("list"), "other", WhenPresent::Keep), std::errc::file_exists);
    EXPECT_EQ(folder.read("list"), "new");
    EXPECT_FALSE(copyReplacing(folder.file("list"), folder.file("copy"), 16, WhenPresent::Keep));
    EXPECT_EQ(folder.read("copy"), "new");

    {
        const testing::FileSizeLimit full(2);
        EXPECT_EQ(writeReplacing(folder.file("list"), "longer"), std::errc::file_too_large);
        EXPECT_EQ(writeReplacing(folder.file("made"), "longer", WhenPresent::Keep), std::errc::file_too_large);
    }
    EXPECT_EQ(folder.read("list"), "new");
    EXPECT_FALSE(fs::exists(folder.file("made")));
    EXPECT_EQ(entries(folder), 2u) << "no temporary file is left";
}

// A process of the test's own: one that is still running, or one that has ended.
class ChildProcess {
public:
    explicit ChildProcess(bool running) : m_pid(::fork())
    {
        if (m_pid == 0) {
            if (running)
                ::pause();
            ::_exit(0);
        }
        if (!running)
            ::waitpid(m_pid, nullptr, 0);
    }
    ~ChildProcess()
    {
        if (::kill(m_pid, SIGKILL) == 0)
            ::waitpid(m_pid, nullptr, 0);
    }
    std::string pid() const { return std::to_string(m_pid); }

private:
    pid_t m_pid;
};

// What a run ended mid-write left behind goes at the next start; what a running copy is writing stays.
TEST(FileReplacement, LeftoverTemporariesOfEndedRunsAreRemoved)
{
    ScratchFolder folder;
    const ChildProcess ended(false), running(true);
    const auto twoHoursOld = [&folder](const std::string& name) {
        fs::last_write_time(folder.file(name), fs::last_write_time(folder.file(name)) - std::chrono::hours(2));
    };
    const struct {
        std::string name;
        bool removed;
        std::function<void(const std::string&)> prepare;
    } rows[] = {
        {"DATABASE.UFC." + ended.pid() + "-0.tmp", true, {}},
        {"properties.mdb." + ended.pid() + "-17.tmp", true, {}},
        {"DATABASE.UFC." + running.pid() + "-0.tmp", false, {}},
        {"DATABASE.UFC." + running.pid() + "-1.tmp", true, twoHoursOld}, // its pid taken by another process
        {"DATABASE.UFC", false, twoHoursOld},
        {"notes.tmp", false, {}},
        {"notes." + ended.pid() + "-x.tmp", false, {}},
        {"." + ended.pid() + "-0.tmp", false, {}},
        {"DATABASE.UFC." + ended.pid() + "-0.tmp.bak", false, {}},
        {"result.htm." + ended.pid() + "-3.tmp", true, {}},
        // A user's own files, whatever their names look like.
        {"notes." + ended.pid() + "-4.tmp", false, {}},
        {"report.2024-05.tmp", false, twoHoursOld},
        {"mydata.tmp", false, twoHoursOld},
        {"DATABASE.UFC.0" + ended.pid() + "-0.tmp", false, twoHoursOld},
    };
    for (const auto& row : rows) {
        folder.write(row.name, "bytes");
        if (row.prepare)
            row.prepare(row.name);
    }
    // A write that still holds its file, for longer than any write takes.
    const std::string held = "DATABASE.UFC." + running.pid() + "-2.tmp";
    folder.write(held, "bytes");
    twoHoursOld(held);
    const int fd = ::open(folder.file(held).c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_TRUE(lockOpenFile(fd, FileLock::Kind::Exclusive, false));
    fs::create_directory(folder.file("DATABASE.UFC." + ended.pid() + "-5.tmp"));

    EXPECT_EQ(removeLeftoverTemporaries(folder.path(), {"DATABASE.UFC", "properties.mdb", "result.htm"}), 4);
    for (const auto& row : rows)
        EXPECT_EQ(fs::exists(folder.file(row.name)), !row.removed) << row.name;
    EXPECT_TRUE(fs::exists(folder.file(held)));
    EXPECT_TRUE(fs::is_directory(folder.file("DATABASE.UFC." + ended.pid() + "-5.tmp")));
    ::close(fd);
}

// A save through a link of one's own writes the file it leads to, beside that file, and keeps the
// link and the file's permissions, also for a copy of another file's; what an ended save through
// the link left beside the file goes then, as the start clears only the program folder.
TEST(FileReplacement, SaveThroughAnOwnLinkWritesWhatItLeadsTo)
{
    const ScratchFolder elsewhere, folder;
    const ChildProcess ended(false);
    elsewhere.write("list", "old");
    fs::permissions(elsewhere.file("list"), fs::perms::owner_read | fs::perms::owner_write);
    const std::string leftover = "list." + ended.pid() + "-0.tmp";
    elsewhere.write(leftover, "cut");
    fs::create_symlink(elsewhere.file("list"), folder.file("list"));
    folder.write("shipped", "copied");

    EXPECT_FALSE(writeReplacing(folder.file("list"), "new"));
    EXPECT_EQ(elsewhere.read("list"), "new");
    EXPECT_FALSE(fs::exists(elsewhere.file(leftover)));
    EXPECT_FALSE(copyReplacing(folder.file("shipped"), folder.file("list"), 16));
    EXPECT_EQ(elsewhere.read("list"), "copied");
    EXPECT_EQ(fs::read_symlink(folder.file("list")), elsewhere.file("list"));
    EXPECT_EQ(fs::status(elsewhere.file("list")).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(entries(elsewhere), 1u) << "no temporary file is left";
}

// A leftover of a read-only target is read-only itself (a temporary file takes the target's
// permissions before the rename); an account that may only read it removes it all the same, and
// keeps a running copy's. Root may open any file, so the start is made by another account.
TEST(FileReplacement, ReadOnlyLeftoversGoAndThoseOfRunningCopiesStay)
{
    ScratchFolder folder;
    constexpr uid_t account = 65534;
    ASSERT_EQ(::chown(folder.path().c_str(), account, account), 0) << "the tests run as root";
    const ChildProcess ended(false), running(true);
    const std::string held = "result.htm." + running.pid() + "-1.tmp"; // written at this moment
    const struct {
        std::string name;
        bool removed;
    } rows[] = {
        {"result.htm." + ended.pid() + "-0.tmp", true},
        {"result.htm." + running.pid() + "-0.tmp", false},
        {held, false},
    };
    for (const auto& row : rows) {
        folder.write(row.name, "bytes");
        fs::permissions(folder.file(row.name), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    }
    fs::last_write_time(folder.file(held), fs::last_write_time(folder.file(held)) - std::chrono::hours(2));
    const int fd = ::open(folder.file(held).c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_TRUE(lockOpenFile(fd, FileLock::Kind::Exclusive, false));

    const pid_t start = ::fork();
    if (start == 0)
        ::_exit(::setuid(account) == 0 ? removeLeftoverTemporaries(folder.path(), {"result.htm"}) : 100);
    int status = 0;
    ASSERT_EQ(::waitpid(start, &status, 0), start);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1) << "removed";
    for (const auto& row : rows)
        EXPECT_EQ(fs::exists(folder.file(row.name)), !row.removed) << row.name;
    ::close(fd);
}

} // namespace
} // namespace calvex::services

namespace calvex::services {
namespace {

// Another process holding a file under a write lease, as a file server holds one for a client,
// and letting it go a while after the system tells it (SIGIO) that someone opens the file, as a
// server does once it has written back what the client changed.
class LeaseHolder {
public:
    explicit LeaseHolder(const fs::path& file)
    {
        int ready[2];
        if (::pipe(ready) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(ready[0]);
            ::alarm(10); // an open that never comes ends it
            sigset_t io;
            ::sigemptyset(&io);
            ::sigaddset(&io, SIGIO);
            ::sigprocmask(SIG_BLOCK, &io, nullptr);
            const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
            const char leased = fd >= 0 && ::fcntl(fd, F_SETLEASE, F_WRLCK) == 0 ? 'l' : 'n';
            int signal = 0;
            if (::write(ready[1], &leased, 1) != 1 || leased != 'l' || ::sigwait(&io, &signal) != 0)
                ::_exit(1);
            ::usleep(100'000);
            ::_exit(::fcntl(fd, F_SETLEASE, F_UNLCK) == 0 ? 0 : 1);
        }
        ::close(ready[1]);
        char leased = 'n';
        m_leased = m_pid > 0 && ::read(ready[0], &leased, 1) == 1 && leased == 'l';
        ::close(ready[0]);
    }
    ~LeaseHolder()
    {
        if (m_pid > 0 && ::kill(m_pid, SIGKILL) == 0)
            ::waitpid(m_pid, nullptr, 0);
    }
    LeaseHolder(const LeaseHolder&) = delete;
    LeaseHolder& operator=(const LeaseHolder&) = delete;

    bool leased() const { return m_leased; }
    // Whether it was told of an open and let the file go.
    bool letGo()
    {
        int status = 0;
        const bool ended = ::waitpid(m_pid, &status, 0) == m_pid;
        m_pid = -1;
        return ended && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

private:
    pid_t m_pid = -1;
    bool m_leased = false;
};

// Whether `reads` read, run in a process of its own that sees no /proc, as in a chroot without
// it; none where the system lets no test hide it.
std::optional<bool> readsWithoutProc(const std::function<bool()>& reads)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        const bool hidden = ::unshare(CLONE_NEWNS) == 0 &&
                            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                            ::mount("none", "/proc", "tmpfs", 0, nullptr) == 0;
        ::_exit(!hidden ? 2 : reads() ? 0 : 1);
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return false;
    if (WEXITSTATUS(status) == 2)
        return std::nullopt;
    return WEXITSTATUS(status) == 0;
}

// A read that fails is the reader's usual failure, and the file keeps its bytes: a folder in the
// file's place (EISDIR), a FIFO, which no writer fills, and a file past what the reader's format
// can hold, in every run, and ESTALE as on a network folder where the NFS rules are loaded. A file
// another process holds under a lease is read once it is let go, as open(2) waits for it; where
// the system shows no /proc, it is refused at once instead.
TEST(FileReplacement, ReadersReportAFailingReadAsAFileThatCannotBeRead)
{
    const std::string record = userComponentLine({"probe", "400", "40", "0.2", "300"});
    constexpr std::size_t ceiling = 5;
    const struct {
        const char* file;
        std::string bytes;
        std::function<bool(const ScratchFolder&)> reads; // true when the reader read the file
    } rows[] = {
        {"list", "bytes", [](const ScratchFolder& f) { return readWholeFile(f.file("list"), ceiling) == "bytes"; }},
        {"list", "bytes",
         [](const ScratchFolder& f) {
             fs::remove(f.file("copy"));
             const bool copied = !copyReplacing(f.file("list"), f.file("copy"), ceiling);
             EXPECT_EQ(fs::exists(f.file("copy")), copied) << "nothing is left of a copy that failed";
             return copied;
         }},
        {userComponentFileName, record,
         [](const ScratchFolder& f) { return findUserComponent(f.file(userComponentFileName), "probe").has_value(); }},
        {"points1.dat", "1\r\n",
         [](const ScratchFolder&) {
             try {
                 return PointsFileReader("points1.dat").nextCount(1) == 1;
             } catch (const PlotFailure& failure) {
                 return std::string(failure.what()).find(" could not be") == std::string::npos;
             }
         }},
        {"page.htm", "<p>variable</p>",
         [](const ScratchFolder& f) {
             testing::ScriptedUi ui;
             ResultFormat format;
             format.LoadTemplate(f.file("page.htm").string());
             return ui.messages().empty();
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        ScratchFolder folder;
        folder.write(row.file, row.bytes);
        EXPECT_TRUE(row.reads(folder));
        if (testing::FailingRead::available()) {
            const testing::FailingRead failing(folder.file(row.file));
            EXPECT_FALSE(row.reads(folder));
        }
        EXPECT_EQ(folder.read(row.file), row.bytes);
        {
            LeaseHolder holder(folder.file(row.file));
            ASSERT_TRUE(holder.leased()) << "the tests run as root";
            const testing::HangGuard guard;
            EXPECT_TRUE(row.reads(folder)) << "a file under a lease, once it is let go";
            EXPECT_TRUE(holder.letGo()) << "told of the open";
        }
        if (const std::optional<bool> read = readsWithoutProc([&] { return row.reads(folder); })) {
            EXPECT_TRUE(*read) << "without /proc";
            LeaseHolder holder(folder.file(row.file));
            ASSERT_TRUE(holder.leased());
            const auto start = std::chrono::steady_clock::now();
            EXPECT_EQ(readsWithoutProc([&] { return row.reads(folder); }), false) << "under a lease, without /proc";
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500)) << "at once";
            EXPECT_TRUE(holder.letGo()) << "told of the open all the same";
        }
        {
            // Past every reader's ceiling, and more than the memory of the computer: a reader
            // that read it would take seconds and then fail to hold it.
            const int fd = ::open(folder.file(row.file).c_str(), O_WRONLY | O_CLOEXEC);
            ASSERT_EQ(::ftruncate(fd, off_t{64} << 30), 0);
            ::close(fd);
            const auto start = std::chrono::steady_clock::now();
            EXPECT_FALSE(row.reads(folder)) << "a file past the reader's ceiling";
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500)) << "at once";
        }
        fs::remove(folder.file(row.file));
        fs::create_directory(folder.file(row.file));
        EXPECT_FALSE(row.reads(folder)) << "a folder in the file's place";
        fs::remove(folder.file(row.file));
        ASSERT_EQ(::mkfifo(folder.file(row.file).c_str(), 0600), 0);
        const testing::HangGuard guard;
        EXPECT_FALSE(row.reads(folder)) << "a FIFO in the file's place, at once";
    }
}

} // namespace
} // namespace calvex::services
