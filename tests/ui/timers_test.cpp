// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/printers.h"
#include "tests/ui/panel_fixture.h"

#include <QTest>
#include <QElapsedTimer>
#include <QTimer>

namespace tavo::test {
namespace {

struct TimerRow {
    const char* name;
    TimerId timer;
    int interval;
};

void PrintTo(const TimerRow& row, std::ostream* os) {
    *os << row.name;
}

class TimerStartTest : public ::testing::TestWithParam<TimerRow> {};

TEST_P(TimerStartTest, StoppedPreciseAndPeriodicWithItsInterval) {
    MainWindow window;
    const QTimer* timer = window.timer(GetParam().timer);
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(timer->isActive());
    EXPECT_FALSE(timer->isSingleShot());
    EXPECT_EQ(timer->timerType(), Qt::PreciseTimer);
    EXPECT_EQ(timer->interval(), GetParam().interval);
    EXPECT_EQ(timer->objectName().toStdString(), GetParam().name) << "found by its original name";
}

INSTANTIATE_TEST_SUITE_P(Timers, TimerStartTest,
                         ::testing::Values(TimerRow{"Timer1", TimerId::HoldRepeat, 200},
                                           TimerRow{"Timer2", TimerId::ReplyWait, 500},
                                           TimerRow{"Timer3", TimerId::PortPanelHide, 5000},
                                           TimerRow{"Timer4", TimerId::DisplayClear, 1000}),
                         tavo::test::RowName{});

TEST(PanelTimerTest, SettingTheIntervalOfARunningTimerRestartsItsCount) {
    MainWindow window;
    window.setTimerInterval(TimerId::ReplyWait, 60000);
    window.setTimerEnabled(TimerId::ReplyWait, true);
    window.setTimerInterval(TimerId::ReplyWait, 1000);
    const QTimer* timer = window.timer(TimerId::ReplyWait);
    EXPECT_TRUE(timer->isActive());
    // Still counting the old period, it would report close to a minute.
    EXPECT_LE(timer->remainingTime(), 1000);
    EXPECT_GT(timer->remainingTime(), 0);
}

TEST(PanelTimerTest, EnablingARunningTimerKeepsItsCount) {
    MainWindow window;
    int ticks = 0;
    QObject::connect(window.timer(TimerId::HoldRepeat), &QTimer::timeout, [&ticks] { ++ticks; });
    window.setTimerInterval(TimerId::HoldRepeat, 50);
    window.setTimerEnabled(TimerId::HoldRepeat, true);
    // Enabled again far more often than it ticks: a restarting enable would never let it tick.
    EXPECT_TRUE(QTest::qWaitFor([&] {
        window.setTimerEnabled(TimerId::HoldRepeat, true);
        return ticks > 0;
    }));
}

TEST(PanelTimerTest, DisablingStops) {
    MainWindow window;
    window.setTimerEnabled(TimerId::DisplayClear, true);
    window.setTimerEnabled(TimerId::DisplayClear, false);
    EXPECT_FALSE(window.timer(TimerId::DisplayClear)->isActive());
}

using TimerRoutingTest = PanelTest;

TEST_F(TimerRoutingTest, TicksReachTheLogic) {
    click(Control::PortButton);
    ASSERT_TRUE(window.control(Control::PortPanel)->isVisible());
    ASSERT_TRUE(window.timer(TimerId::PortPanelHide)->isActive());
    // The port panel's auto-hide, shortened: its tick hides the panel and stops the timer.
    window.setTimerInterval(TimerId::PortPanelHide, 20);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.control(Control::PortPanel)->isVisible(); }));
    EXPECT_FALSE(window.timer(TimerId::PortPanelHide)->isActive());
}

} // namespace
} // namespace tavo::test
