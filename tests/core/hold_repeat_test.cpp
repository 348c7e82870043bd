#include "core/commands.h"
#include "tests/core/form_fixture.h"

#include <algorithm>
#include <ostream>

namespace tavo::test {
namespace {

class HoldRepeat : public FormTest {
protected:
    // Instants (ms since the press) of every line written while the button is held.
    std::vector<std::int64_t> holdAndRecord(Control button, std::int64_t heldFor) {
        std::vector<std::int64_t> at;
        const std::int64_t t0 = panel.now();
        std::size_t seen = port.writes.size();
        form.press(button);
        for (std::int64_t t = 0; t <= heldFor; ++t) {
            if (t > 0) {
                panel.advance(1);
            }
            for (; seen < port.writes.size(); ++seen) {
                at.push_back(panel.now() - t0);
            }
        }
        form.release(button);
        return at;
    }
};

std::vector<std::int64_t> every(std::int64_t period, std::int64_t upTo) {
    std::vector<std::int64_t> v;
    for (std::int64_t t = 0; t <= upTo; t += period) {
        v.push_back(t);
    }
    return v;
}

struct PaceCase {
    const char* name;
    Control button;
    const char* line;
    std::int64_t period;
    int replyWait;
    int displayClear;
};

// Failure messages name the row instead of dumping its bytes.
void PrintTo(const PaceCase& row, std::ostream* os) {
    *os << row.name;
}

// Typed from the hold-button list by hand.
const PaceCase kPaces[] = {
    {"VolUp", Control::Command1, "C09\r", 250, 200, 245},
    {"VolDown", Control::Command2, "C0A\r", 250, 200, 245},
    {"ZoomUp", Control::Command15, "C47\r", 50, 25, 25},
    {"ZoomDown", Control::Command35, "C46\r", 50, 25, 25},
    {"FocusUp", Control::Command36, "C4B\r", 50, 25, 25},
    {"FocusDown", Control::Command37, "C4A\r", 50, 25, 25},
    {"DZoomUp", Control::Command48, "C30\r", 250, 200, 245},
    {"DZoomDown", Control::Command49, "C31\r", 250, 200, 245},
    {"KeystoneUp", Control::Command50, "C8E\r", 250, 200, 245},
    {"KeystoneDown", Control::Command51, "C8F\r", 250, 200, 245},
    {"Select", Control::Command6, "C3F\r", 500, 200, 245},
    {"LensUp", Control::Command59, "C5D\r", 30, 30, 30},
    {"LensDown", Control::Command62, "C5E\r", 50, 25, 25},
};

class HoldPace : public HoldRepeat, public ::testing::WithParamInterface<PaceCase> {};

TEST_P(HoldPace, RepeatsAtItsIntervalWhileHeld) {
    const PaceCase& c = GetParam();
    start();
    form.press(c.button);
    EXPECT_EQ(form.heldButton(), findHold(c.button)->repeatNumber);
    EXPECT_EQ(interval(TimerId::Timer1), c.period);
    EXPECT_EQ(interval(TimerId::Timer2), c.replyWait);
    EXPECT_EQ(interval(TimerId::Timer4), c.displayClear);
    form.release(c.button);

    port.writes.clear();
    const auto at = holdAndRecord(c.button, 4 * c.period + c.period / 2);
    EXPECT_EQ(at, every(c.period, 4 * c.period));
    ASSERT_FALSE(port.writes.empty());
    EXPECT_TRUE(std::all_of(port.writes.begin(), port.writes.end(), [&](const std::string& w) { return w == c.line; }))
        << escaped(port.writes.front());
}

INSTANTIATE_TEST_SUITE_P(Buttons, HoldPace, ::testing::ValuesIn(kPaces), RowName{});

TEST_F(HoldRepeat, VolumeHeldFor1100MsWritesThePressAndFourRepeats) {
    start();
    const auto at = holdAndRecord(Control::Command1, 1100);
    EXPECT_EQ(at, (std::vector<std::int64_t>{0, 250, 500, 750, 1000}));
    panel.advance(10000);
    EXPECT_EQ(port.writes.size(), 5U) << "nothing after the release";
}

TEST_F(HoldRepeat, PressAndReleaseWithinOneIntervalWritesOneLine) {
    start();
    form.press(Control::Command15);
    panel.advance(49);
    form.release(Control::Command15);
    panel.advance(1000);
    EXPECT_EQ(port.writes, (std::vector<std::string>{"C47\r"}));
}

TEST_F(HoldRepeat, EachRepeatShowsItsReplyAndIsBlankedBeforeTheNext) {
    start();
    form.press(Control::Command1);
    port.deliver("\x06\r");
    EXPECT_EQ(rxd(), " ACK CR ");
    panel.advance(200);
    EXPECT_EQ(rxd(), " ACK CR ");
    EXPECT_EQ(form.receiveBuffer(), "");
    panel.advance(45);
    EXPECT_EQ(txd(), "");
    EXPECT_EQ(rxd(), "");
    panel.advance(5);
    EXPECT_EQ(txd(), " C 0 9 CR ");
    panel.advance(200);
    EXPECT_EQ(rxd(), " X X X X") << "the second repeat got no reply";
    form.release(Control::Command1);
}

TEST_F(HoldRepeat, ReleaseTidiesThePaneAndClearsTheStatusASecondLater) {
    start();
    form.click(Control::Command44);
    port.deliver("80\r");
    form.press(Control::Command2);
    port.deliver("\x06");
    panel.advance(100);
    form.release(Control::Command2);

    EXPECT_EQ(form.heldButton(), 0);
    EXPECT_EQ(txd(), "");
    EXPECT_EQ(rxd(), "");
    EXPECT_EQ(form.receiveBuffer(), "");
    EXPECT_FALSE(running(TimerId::Timer1));
    EXPECT_FALSE(running(TimerId::Timer2));
    EXPECT_TRUE(running(TimerId::Timer4));
    EXPECT_EQ(interval(TimerId::Timer2), 500);
    EXPECT_EQ(interval(TimerId::Timer4), 1000);
    EXPECT_EQ(form.replyPending(), 0);

    panel.advance(999);
    EXPECT_EQ(status(), " Stand by");
    EXPECT_EQ(rxd(), "") << "no marker after a release";
    panel.advance(1);
    EXPECT_EQ(status(), "");
    EXPECT_FALSE(running(TimerId::Timer4));
}

TEST_F(HoldRepeat, ReleaseLeavesReplyPendingAsItWas) {
    start();
    form.press(Control::Command1);
    form.release(Control::Command1);
    EXPECT_EQ(form.replyPending(), 1);
}

TEST_F(HoldRepeat, ArrowsRightAfterStartRepeatEvery200AndKeepTheIntervals) {
    start();
    form.click(Control::Command44); // 2000 / 2500 stay in force
    port.writes.clear();
    const auto at = holdAndRecord(Control::Command5, 650);
    EXPECT_EQ(at, (std::vector<std::int64_t>{0, 200, 400, 600}));
    EXPECT_EQ(port.writes.front(), "C3C\r");
    EXPECT_EQ(form.cursorPadMode(), 0);
}

TEST_F(HoldRepeat, AfterMenuOnArrowsRepeatEvery200With150And190) {
    start();
    form.click(Control::Command23);
    port.writes.clear();
    form.press(Control::Command7);
    EXPECT_EQ(interval(TimerId::Timer2), 150);
    EXPECT_EQ(interval(TimerId::Timer4), 190);
    form.release(Control::Command7);
    const auto at = holdAndRecord(Control::Command9, 450);
    EXPECT_EQ(at, (std::vector<std::int64_t>{0, 200, 400}));
    EXPECT_EQ(port.writes.back(), "C3B\r");
}

TEST_F(HoldRepeat, AfterVolumeTheArrowsTakeItsRepeatButKeepTheMenuIntervals) {
    start();
    form.click(Control::Command23);
    form.press(Control::Command1);
    form.release(Control::Command1);
    port.writes.clear();
    form.press(Control::Command8);
    EXPECT_EQ(interval(TimerId::Timer2), 150);
    EXPECT_EQ(interval(TimerId::Timer4), 190);
    form.release(Control::Command8);
    const auto at = holdAndRecord(Control::Command8, 600);
    EXPECT_EQ(at, (std::vector<std::int64_t>{0, 250, 500}));
}

TEST_F(HoldRepeat, DigitalZoomRepeatsAt250ButAfterReleaseTheArrowsStepEvery5) {
    start();
    const auto zoom = holdAndRecord(Control::Command48, 600);
    EXPECT_EQ(zoom, (std::vector<std::int64_t>{0, 250, 500}));
    EXPECT_EQ(interval(TimerId::Timer1), 5);
    EXPECT_EQ(form.cursorPadMode(), 3);

    form.press(Control::Command5);
    EXPECT_EQ(interval(TimerId::Timer2), 5);
    EXPECT_EQ(interval(TimerId::Timer4), 5);
    form.release(Control::Command5);
    const auto arrows = holdAndRecord(Control::Command5, 22);
    EXPECT_EQ(arrows, (std::vector<std::int64_t>{0, 5, 10, 15, 20}));

    // SELECT sets its own 500 ms; the context stays 3 until MENU "ON" or "A-IMAGE".
    form.press(Control::Command6);
    form.release(Control::Command6);
    EXPECT_EQ(form.cursorPadMode(), 3);
    const auto after = holdAndRecord(Control::Command5, 600);
    EXPECT_EQ(after, (std::vector<std::int64_t>{0, 500}));
}

TEST_F(HoldRepeat, SecondPressWhileHoldingRestartsTheSequence) {
    start();
    form.press(Control::Command1);
    panel.advance(200);
    form.press(Control::Command1);
    EXPECT_EQ(port.writes.size(), 2U) << "the second press writes at once";
    panel.advance(249);
    EXPECT_EQ(port.writes.size(), 2U);
    panel.advance(1);
    EXPECT_EQ(port.writes.size(), 3U);
    form.release(Control::Command1);
}

TEST_F(HoldRepeat, TickWithNothingHeldWritesNothing) {
    start();
    form.timerTick(TimerId::Timer1);
    EXPECT_TRUE(port.writes.empty());
}

TEST_F(HoldRepeat, CancelledHoldStopsExactlyAsARelease) {
    start();
    form.press(Control::Command49);
    panel.advance(260);
    form.holdCancelled();
    EXPECT_EQ(form.heldButton(), 0);
    EXPECT_FALSE(running(TimerId::Timer1));
    EXPECT_EQ(txd(), "");
    EXPECT_EQ(interval(TimerId::Timer2), 500);
    EXPECT_EQ(interval(TimerId::Timer1), 5) << "the D.Zoom release steps run too";
    EXPECT_EQ(form.cursorPadMode(), 3);
    const std::size_t written = port.writes.size();
    panel.advance(5000);
    EXPECT_EQ(port.writes.size(), written);
}

TEST_F(HoldRepeat, CancelWhileIdleChangesNothing) {
    start();
    form.click(Control::Command44);
    port.deliver("80\r");
    form.holdCancelled();
    EXPECT_EQ(rxd(), " 8 0 CR ");
    EXPECT_EQ(interval(TimerId::Timer2), 2000);
    EXPECT_TRUE(running(TimerId::Timer2));
}

TEST_F(HoldRepeat, OneShotButtonsIgnorePressAndRelease) {
    start();
    form.press(Control::Command17);
    form.release(Control::Command17);
    EXPECT_TRUE(port.writes.empty());
    EXPECT_EQ(form.heldButton(), 0);
}

} // namespace
} // namespace tavo::test
