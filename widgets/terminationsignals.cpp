#include "widgets/terminationsignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace calvex::widgets {
namespace {

constexpr int terminationSignals[] = {SIGTERM, SIGHUP, SIGINT};

volatile std::sig_atomic_t g_signal = 0;
// The handler only notes the signal and wakes the event loop through this pipe: nothing else
// may be done safely inside a signal handler.
int g_wake[2] = {-1, -1};

void noteSignal(int signal)
{
    if (g_signal != 0) {
        // The quit the first one asked for has not come. The signal is blocked while its handler
        // runs: raised again, it ends the process as soon as the handler returns.
        ::signal(signal, SIG_DFL);
        ::raise(signal);
        return;
    }
    const int saved = errno;
    g_signal = signal;
    [[maybe_unused]] const ssize_t written = ::write(g_wake[1], "", 1);
    errno = saved;
}

} // namespace

void endOnTerminationSignals()
{
    if (g_wake[0] >= 0 || ::pipe2(g_wake, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_wake[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char drained[16];
        while (::read(g_wake[0], drained, sizeof drained) > 0) {
        }
        QCoreApplication::exit(terminationStatus());
    });
    struct sigaction action {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    for (const int signal : terminationSignals)
        sigaddset(&action.sa_mask, signal);
    action.sa_flags = SA_RESTART;
    for (const int signal : terminationSignals) {
        // nohup, or a shell starting the program in the background, hands the signal over ignored.
        struct sigaction atStart {};
        if (::sigaction(signal, nullptr, &atStart) == 0 && atStart.sa_handler != SIG_IGN)
            ::sigaction(signal, &action, nullptr);
    }
}

int terminationStatus() { return g_signal == 0 ? 0 : 128 + g_signal; }

} // namespace calvex::widgets
