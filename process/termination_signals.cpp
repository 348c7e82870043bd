// SPDX-License-Identifier: GPL-3.0-or-later
#include "process/termination_signals.h"

#include <QSocketNotifier>
#include <array>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace tavo {

namespace {

// A signal handler may only write to a descriptor; the event loop reads the other end.
std::array<int, 2> signalPipe{-1, -1};
bool terminating = false;

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto n = ::write(signalPipe[1], &byte, 1);
}

} // namespace

void quitOnTerminationSignals(QCoreApplication& app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe.data()) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
        // Read the byte, or the notifier would fire again at once, for ever.
        char byte = 0;
        [[maybe_unused]] const auto n = ::read(signalPipe[0], &byte, 1);
        terminating = true;
        // Unlike quit(), exit() also ends the loops of modal dialogs and works before exec().
        QCoreApplication::exit(0);
    });
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGHUP, onSignal);
}

bool terminationRequested() {
    return terminating;
}

} // namespace tavo
