#pragma once

#include <QCoreApplication>

namespace tavo {

// Ends the event loop on SIGINT, SIGTERM and SIGHUP instead of dying at once, so that the serial
// port is closed and its lock file removed on the way out. Call once, after the application
// object exists.
void quitOnTerminationSignals(QCoreApplication& app);

} // namespace tavo
