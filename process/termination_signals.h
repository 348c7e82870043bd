// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

namespace tavo {

// Ends every running event loop, modal dialogs' included, on SIGINT, SIGTERM and SIGHUP instead
// of dying at once, so that the serial port is closed and its lock file removed on the way out.
// Call once, after the application object exists.
void quitOnTerminationSignals(QCoreApplication& app);

// Whether such a signal has arrived; a loop that has not started yet must not start then.
[[nodiscard]] bool terminationRequested();

} // namespace tavo
