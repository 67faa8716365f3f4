#include "widgets/terminationsignals.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace calvex::widgets {
namespace {

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

} // namespace
} // namespace calvex::widgets
