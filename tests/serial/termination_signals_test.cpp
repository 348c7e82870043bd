#include "serial/termination_signals.h"

#include <QEventLoop>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

namespace tavo {
namespace {

constexpr int kEndedByTheBound = 2;

// Each test runs in a process of its own, so the handler installed here touches no other test.
TEST(TerminationSignals, EndTheLoopOfADialogShownBeforeTheMainLoopStarts) {
    quitOnTerminationSignals(*QCoreApplication::instance());
    QEventLoop dialog;
    QTimer::singleShot(5000, &dialog, [&dialog] { dialog.exit(kEndedByTheBound); });
    QTimer::singleShot(20, [] { std::raise(SIGTERM); });
    EXPECT_EQ(dialog.exec(), 0) << "the signal ends the loop, not the bound";
    EXPECT_TRUE(terminationRequested());
}

TEST(TerminationSignals, NothingIsRequestedWithoutASignal) {
    quitOnTerminationSignals(*QCoreApplication::instance());
    QEventLoop loop;
    QTimer::singleShot(50, &loop, [&loop] { loop.exit(kEndedByTheBound); });
    EXPECT_EQ(loop.exec(), kEndedByTheBound);
    EXPECT_FALSE(terminationRequested());
}

} // namespace
} // namespace tavo
