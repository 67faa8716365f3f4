#include "widgets/terminationsignals.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/wait.h>
#include <unistd.h>

namespace calvex::widgets {
namespace {

enum class Where { MainLoop, BoxInsideMainLoop, BoxBeforeMainLoop };

// What main does, in a process of its own: a signal's end is not to be undone in this one.
// A loop that the signal does not end gives up after a while, with a status of its own.
int endedRun(int signal, Where where)
{
    int argc = 1;
    char name[] = "calvex";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    endOnTerminationSignals();
    constexpr int givenUp_ms = 5000;
    const auto box = [signal] {
        QEventLoop loop;
        QTimer::singleShot(0, [signal] { std::raise(signal); });
        QTimer::singleShot(givenUp_ms, &loop, &QEventLoop::quit);
        loop.exec();
    };
    if (where == Where::BoxBeforeMainLoop) {
        box();
        if (const int ended = terminationStatus())
            return ended;
    } else
        QTimer::singleShot(0, [&] { where == Where::MainLoop ? static_cast<void>(std::raise(signal)) : box(); });
    QTimer::singleShot(givenUp_ms, [] { QCoreApplication::exit(1); });
    return application.exec();
}

TEST(TerminationSignals, EndTheRunAsAQuitDoesWhereverTheyCome)
{
    for (const int signal : {SIGTERM, SIGHUP, SIGINT})
        for (const Where where : {Where::MainLoop, Where::BoxInsideMainLoop, Where::BoxBeforeMainLoop}) {
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0)
                ::_exit(endedRun(signal, where));
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            ASSERT_TRUE(WIFEXITED(status)) << "signal " << signal << " ended the process where it stood";
            EXPECT_EQ(WEXITSTATUS(status), 128 + signal) << "signal " << signal << ", place " << static_cast<int>(where);
        }
}

} // namespace
} // namespace calvex::widgets
