#include "listening/TerminationSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <array>
#include <cerrno>

namespace TerminationSignals {
namespace {

constexpr std::array kSignals{SIGTERM, SIGINT, SIGHUP};

// Read end, write end; both close on exec so that no started program holds them.
int pipeEnds[2] = {-1, -1};

void Caught(int) {
    const int savedErrno = errno;
    const char byte = 1;
    // A full pipe already holds a request: the byte is not needed.
    [[maybe_unused]] const ssize_t written = write(pipeEnds[1], &byte, 1);
    errno = savedErrno;
}

}  // namespace

void Install() {
    // Without a pipe the signals keep ending the process on the spot.
    if (pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    struct sigaction action {};
    action.sa_handler = Caught;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals) sigaction(signal, &action, nullptr);
}

void Watch(std::function<void()> onSignal) {
    if (pipeEnds[0] < 0) return;
    auto* notifier =
        new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                     [onSignal = std::move(onSignal)] {
                         char bytes[64];
                         while (read(pipeEnds[0], bytes, sizeof bytes) > 0) {
                         }
                         onSignal();
                     });
}

}  // namespace TerminationSignals
