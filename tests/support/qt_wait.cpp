#include "tests/support/qt_wait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

namespace tavo::test {

namespace {

// Runs the event loop until `done` holds or the deadline passes; returns `done`.
bool runEventsUntil(const std::function<bool()>& done, const QDeadlineTimer& deadline) {
    // Wakes the blocking wait below now and then, so that the deadline is noticed.
    QTimer tick;
    tick.start(5);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

} // namespace

bool waitUntil(const std::function<bool()>& condition, int deadlineMs) {
    return runEventsUntil(condition, QDeadlineTimer(deadlineMs));
}

void spin(int ms) {
    runEventsUntil([] { return false; }, QDeadlineTimer(ms));
}

} // namespace tavo::test
