#include "widgets/terminationsignals.h"

#include "services/filelock.h"
#include "services/programfolder.h"
#include "tests/support/scratchfolder.h"
#include "unifac/componentfile.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <charconv>
#include <chrono>
#include <csignal>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace calvex::widgets {
namespace {

namespace fs = std::filesystem;

enum class Where { MainLoop, BoxInsideMainLoop, BoxBeforeMainLoop };

// How a process ended, as a shell tells the two apart: "exit 143" (a quit with that status),
// "signal 15" (the signal's default action).
std::string exited(int code) { return "exit " + std::to_string(code); }
std::string killedBy(int signal) { return "signal " + std::to_string(signal); }
std::string howEnded(int status)
{
    return WIFEXITED(status) ? exited(WEXITSTATUS(status)) : killedBy(WTERMSIG(status));
}

// The start that main makes, in a process of its own: a signal's end is not to be undone in
// this one.
struct Program {
    Program() { endOnTerminationSignals(); }

    int argc = 1;
    char name[7] = "calvex";
    char* argv[2] = {name, nullptr};
    QCoreApplication application{argc, argv};
};

// What main does, the signals raised one after the other. A loop that they do not end gives up
// after a while, with a status of its own.
int endedRun(const std::vector<int>& raised, Where where, int ignoredAtStart)
{
    if (ignoredAtStart != 0)
        std::signal(ignoredAtStart, SIG_IGN);
    Program program;
    constexpr int givenUp_ms = 5000;
    const auto raise = [raised] {
        for (const int signal : raised)
            std::raise(signal);
    };
    const auto box = [raise] {
        QEventLoop loop;
        QTimer::singleShot(0, raise);
        QTimer::singleShot(givenUp_ms, &loop, &QEventLoop::quit);
        loop.exec();
    };
    if (where == Where::BoxBeforeMainLoop) {
        box();
        if (const int ended = terminationStatus())
            return ended;
    } else
        QTimer::singleShot(0, [&] { where == Where::MainLoop ? raise() : box(); });
    QTimer::singleShot(givenUp_ms, [] { QCoreApplication::exit(1); });
    return program.application.exec();
}

TEST(TerminationSignals, EndTheRunAsAQuitDoesWhereverTheyCome)
{
    struct Run {
        std::vector<int> raised;
        Where where;
        int ignoredAtStart; // as nohup starts a program; 0 for none
        std::string expected;
    };
    std::vector<Run> runs;
    for (const int signal : {SIGTERM, SIGHUP, SIGINT})
        for (const Where where : {Where::MainLoop, Where::BoxInsideMainLoop, Where::BoxBeforeMainLoop})
            runs.push_back({{signal}, where, 0, exited(128 + signal)});
    // Under nohup a SIGHUP, before the SIGTERM or after it, neither ends the run nor counts as a
    // signal of its own: the SIGTERM quits.
    runs.push_back({{SIGHUP, SIGTERM}, Where::MainLoop, SIGHUP, exited(128 + SIGTERM)});
    runs.push_back({{SIGTERM, SIGHUP}, Where::MainLoop, SIGHUP, exited(128 + SIGTERM)});
    for (const Run& run : runs) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            ::_exit(endedRun(run.raised, run.where, run.ignoredAtStart));
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_EQ(howEnded(status), run.expected) << "signals " << ::testing::PrintToString(run.raised)
                                                  << ", place " << static_cast<int>(run.where);
    }
}

// A child that saves DATABASE.UFC in `folder` from its event loop, as a window does, and ends
// as main would after it.
[[noreturn]] void saveFromEventLoop(const fs::path& folder)
{
    Program program;
    unifac::UnifacComponentList list;
    QTimer::singleShot(0, [&] { unifac::SaveDatabase(list, folder / services::unifacDatabaseName); });
    ::_exit(program.application.exec());
}

// Whether a lock request waits on `file`: the kernel lists a waiting one with "->" before it,
// and names the file as major:minor:inode of its device, in hex, hex and decimal.
bool lockRequestWaits(const fs::path& file)
{
    struct stat held {};
    if (::stat(file.c_str(), &held) != 0)
        return false;
    const auto hex = [](unsigned value) {
        char digits[16];
        const std::string text(digits, std::to_chars(digits, digits + sizeof digits, value, 16).ptr);
        return text.size() < 2 ? "0" + text : text;
    };
    const std::string id = hex(major(held.st_dev)) + ":" + hex(minor(held.st_dev)) + ":" + std::to_string(held.st_ino);
    std::ifstream locks("/proc/locks");
    for (std::string line; std::getline(locks, line);) {
        std::istringstream fields(line);
        std::string number, arrow, kind, mode, access, pid, lockedFile;
        if (fields >> number >> arrow >> kind >> mode >> access >> pid >> lockedFile && arrow == "->" &&
            lockedFile == id)
            return true;
    }
    return false;
}

// Whether `signal` waits to be delivered to the process `pid`.
bool signalPending(pid_t pid, int signal)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (!line.starts_with("ShdPnd:"))
            continue;
        unsigned long long pending = 0;
        const char* digits = line.c_str() + line.find_first_not_of(" \t", 7);
        std::from_chars(digits, line.c_str() + line.size(), pending, 16);
        return (pending >> (signal - 1) & 1) != 0;
    }
    return false;
}

// A child process, ended and reaped at the end of the test where it still runs.
struct Child {
    explicit Child(pid_t forked) : pid(forked) {}
    ~Child()
    {
        if (pid > 0 && running()) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool running()
    {
        reaped = reaped || ::waitpid(pid, &status, WNOHANG) == pid;
        return !reaped;
    }
    std::string end() { return running() ? "still running" : howEnded(status); }

    pid_t pid;
    int status = 0;
    bool reaped = false;
};

// Waits until `condition` holds, for a while; whether it came to hold.
bool cameTrue(const std::function<bool()>& condition)
{
    const auto givenUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > givenUp)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

TEST(TerminationSignals, SecondOneEndsAProgramThatCannotComeBackToItsLoop)
{
    // The first signal asks for a quit, which cannot come while the save waits for the lock that
    // this process holds; the second ends the program as its own default action does.
    struct Run {
        int first;
        int second;
        std::string expected;
    };
    const Run runs[] = {
        {SIGTERM, SIGTERM, killedBy(SIGTERM)},
        {SIGHUP, SIGINT, killedBy(SIGINT)},
    };
    for (const Run& run : runs) {
        const testing::ScratchFolder folder;
        const fs::path lockFile = folder.file(services::unifacDatabaseLockName);
        const services::FileLock held(lockFile, folder.file(services::unifacDatabaseName));
        ASSERT_TRUE(held);
        Child child(::fork());
        ASSERT_GE(child.pid, 0);
        if (child.pid == 0)
            saveFromEventLoop(folder.path());
        const auto waiting = [&] { return child.running() && lockRequestWaits(lockFile); };
        ASSERT_TRUE(cameTrue(waiting)) << "the save did not wait for the lock: " << child.end();
        ::kill(child.pid, run.first);
        ASSERT_TRUE(cameTrue([&] { return !signalPending(child.pid, run.first); }));
        // The handler has run between the wait that the signal broke off and the same wait again.
        ASSERT_TRUE(cameTrue(waiting)) << "the first signal ended the wait: " << child.end();
        ::kill(child.pid, run.second);
        ASSERT_TRUE(cameTrue([&] { return !child.running(); })) << "the second signal did not end the program";
        EXPECT_EQ(child.end(), run.expected) << "signals " << run.first << ", " << run.second;
    }
}

} // namespace
} // namespace calvex::widgets
