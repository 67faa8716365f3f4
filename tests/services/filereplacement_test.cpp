#include "services/filereplacement.h"

#include "tests/support/filesizelimit.h"
#include "tests/support/scratchfolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <filesystem>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
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
    EXPECT_FALSE(copyReplacing(folder.file("list"), folder.file("copy"), WhenPresent::Keep));
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
    const int fd = ::open(folder.file(held).c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    fs::create_directory(folder.file("folder." + ended.pid() + "-0.tmp"));

    EXPECT_EQ(removeLeftoverTemporaries(folder.path()), 3);
    for (const auto& row : rows)
        EXPECT_EQ(fs::exists(folder.file(row.name)), !row.removed) << row.name;
    EXPECT_TRUE(fs::exists(folder.file(held)));
    EXPECT_TRUE(fs::is_directory(folder.file("folder." + ended.pid() + "-0.tmp")));
    ::close(fd);
}

} // namespace
} // namespace calvex::services
