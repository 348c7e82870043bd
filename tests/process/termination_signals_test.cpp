// SPDX-License-Identifier: GPL-3.0-or-later
#include "process/termination_signals.h"

#include <QEventLoop>
#include <QTimer>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>

namespace tavo {
namespace {

constexpr int kEndedByTheBound = 2;

// A signal leaves its mark on the whole process, so the test that raises one runs in a child
// process of its own and the others see a process that never had one.
TEST(TerminationSignalsDeathTest, EndTheLoopOfADialogShownBeforeTheMainLoopStarts) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            quitOnTerminationSignals(*QCoreApplication::instance());
            QEventLoop dialog;
            QTimer::singleShot(5000, &dialog, [&dialog] { dialog.exit(kEndedByTheBound); });
            QTimer::singleShot(20, [] { std::raise(SIGTERM); });
            // The signal ends the loop, not the bound.
            const bool endedBySignal = dialog.exec() == 0 && terminationRequested();
            std::exit(endedBySignal ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
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
