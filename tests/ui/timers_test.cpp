#include "tests/support/printers.h"
#include "tests/ui/panel_fixture.h"

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
}

INSTANTIATE_TEST_SUITE_P(Timers, TimerStartTest,
                         ::testing::Values(TimerRow{"Timer1", TimerId::Timer1, 200},
                                           TimerRow{"Timer2", TimerId::Timer2, 500},
                                           TimerRow{"Timer3", TimerId::Timer3, 5000},
                                           TimerRow{"Timer4", TimerId::Timer4, 1000}),
                         tavo::test::RowName{});

TEST(PanelTimerTest, SettingTheIntervalOfARunningTimerRestartsItsCount) {
    MainWindow window;
    window.setTimerInterval(TimerId::Timer2, 60000);
    window.setTimerEnabled(TimerId::Timer2, true);
    window.setTimerInterval(TimerId::Timer2, 1000);
    const QTimer* timer = window.timer(TimerId::Timer2);
    EXPECT_TRUE(timer->isActive());
    // Still counting the old period, it would report close to a minute.
    EXPECT_LE(timer->remainingTime(), 1000);
    EXPECT_GT(timer->remainingTime(), 0);
}

TEST(PanelTimerTest, EnablingARunningTimerKeepsItsCount) {
    MainWindow window;
    int ticks = 0;
    QObject::connect(window.timer(TimerId::Timer1), &QTimer::timeout, [&ticks] { ++ticks; });
    window.setTimerInterval(TimerId::Timer1, 50);
    window.setTimerEnabled(TimerId::Timer1, true);
    // Enabled again far more often than it ticks: a restarting enable would never let it tick.
    EXPECT_TRUE(waitUntil([&] {
        window.setTimerEnabled(TimerId::Timer1, true);
        return ticks > 0;
    }));
}

TEST(PanelTimerTest, DisablingStops) {
    MainWindow window;
    window.setTimerEnabled(TimerId::Timer4, true);
    window.setTimerEnabled(TimerId::Timer4, false);
    EXPECT_FALSE(window.timer(TimerId::Timer4)->isActive());
}

using TimerRoutingTest = PanelTest;

TEST_F(TimerRoutingTest, TicksReachTheLogic) {
    click(Control::Command33);
    ASSERT_TRUE(window.control(Control::Frame8)->isVisible());
    ASSERT_TRUE(window.timer(TimerId::Timer3)->isActive());
    // The port panel's auto-hide, shortened: its tick hides the panel and stops the timer.
    window.setTimerInterval(TimerId::Timer3, 20);
    EXPECT_TRUE(waitUntil([&] { return !window.control(Control::Frame8)->isVisible(); }));
    EXPECT_FALSE(window.timer(TimerId::Timer3)->isActive());
}

} // namespace
} // namespace tavo::test
