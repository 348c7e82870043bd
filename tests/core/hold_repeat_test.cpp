// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/commands.h"
#include "core/rendering.h"
#include "tests/core/logic_fixture.h"

#include <algorithm>
#include <ostream>

namespace tavo::test {
namespace {

class HoldRepeat : public LogicTest {
protected:
    // Instants (ms since the press) of every line written while the button is held.
    std::vector<std::int64_t> holdAndRecord(Control button, std::int64_t heldFor) {
        std::vector<std::int64_t> at;
        const std::int64_t t0 = panel.now();
        std::size_t seen = port.writes.size();
        logic.press(button);
        for (std::int64_t t = 0; t <= heldFor; ++t) {
            if (t > 0) {
                panel.advance(1);
            }
            for (; seen < port.writes.size(); ++seen) {
                at.push_back(panel.now() - t0);
            }
        }
        logic.release(button);
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
    {"VolUp", Control::VolumeUp, "C09\r", 250, 200, 245},
    {"VolDown", Control::VolumeDown, "C0A\r", 250, 200, 245},
    {"ZoomUp", Control::ZoomIn, "C47\r", 50, 25, 25},
    {"ZoomDown", Control::ZoomOut, "C46\r", 50, 25, 25},
    {"FocusUp", Control::FocusFar, "C4B\r", 50, 25, 25},
    {"FocusDown", Control::FocusNear, "C4A\r", 50, 25, 25},
    {"DZoomUp", Control::DigitalZoomIn, "C30\r", 250, 200, 245},
    {"DZoomDown", Control::DigitalZoomOut, "C31\r", 250, 200, 245},
    {"KeystoneUp", Control::KeystoneUp, "C8E\r", 250, 200, 245},
    {"KeystoneDown", Control::KeystoneDown, "C8F\r", 250, 200, 245},
    {"Select", Control::CursorSelect, "C3F\r", 500, 200, 245},
    {"LensUp", Control::LensShiftUp, "C5D\r", 30, 30, 30},
    {"LensDown", Control::LensShiftDown, "C5E\r", 50, 25, 25},
};

class HoldPace : public HoldRepeat, public ::testing::WithParamInterface<PaceCase> {};

TEST_P(HoldPace, RepeatsAtItsIntervalWhileHeld) {
    const PaceCase& c = GetParam();
    start();
    logic.press(c.button);
    EXPECT_EQ(logic.heldButton(), findHold(c.button)->button);
    EXPECT_EQ(interval(TimerId::HoldRepeat), c.period);
    EXPECT_EQ(interval(TimerId::ReplyWait), c.replyWait);
    EXPECT_EQ(interval(TimerId::DisplayClear), c.displayClear);
    logic.release(c.button);

    port.writes.clear();
    const auto at = holdAndRecord(c.button, 4 * c.period + c.period / 2);
    EXPECT_EQ(at, every(c.period, 4 * c.period));
    ASSERT_FALSE(port.writes.empty());
    EXPECT_TRUE(std::all_of(port.writes.begin(), port.writes.end(), [&](const std::string& w) { return w == c.line; }))
        << spelledOut(port.writes.front());
}

INSTANTIATE_TEST_SUITE_P(Buttons, HoldPace, ::testing::ValuesIn(kPaces), RowName{});

TEST_F(HoldRepeat, VolumeHeldFor1100MsWritesThePressAndFourRepeats) {
    start();
    const auto at = holdAndRecord(Control::VolumeUp, 1100);
    EXPECT_EQ(at, (std::vector<std::int64_t>{0, 250, 500, 750, 1000}));
    panel.advance(10000);
    EXPECT_EQ(port.writes.size(), 5U) << "nothing after the release";
}

TEST_F(HoldRepeat, PressAndReleaseWithinOneIntervalWritesOneLine) {
    start();
    logic.press(Control::ZoomIn);
    panel.advance(49);
    logic.release(Control::ZoomIn);
    panel.advance(1000);
    EXPECT_EQ(port.writes, (std::vector<std::string>{"C47\r"}));
}

TEST_F(HoldRepeat, EachRepeatShowsItsReplyAndIsBlankedBeforeTheNext) {
    start();
    logic.press(Control::VolumeUp);
    port.deliver("\x06\r");
    EXPECT_EQ(rxd(), " ACK CR ");
    panel.advance(200);
    EXPECT_EQ(rxd(), " ACK CR ");
    EXPECT_EQ(logic.receiveBuffer(), "");
    panel.advance(45);
    EXPECT_EQ(txd(), "");
    EXPECT_EQ(rxd(), "");
    panel.advance(5);
    EXPECT_EQ(txd(), " C 0 9 CR ");
    panel.advance(200);
    EXPECT_EQ(rxd(), " X X X X") << "the second repeat got no reply";
    logic.release(Control::VolumeUp);
}

TEST_F(HoldRepeat, ReleaseTidiesThePaneAndClearsTheStatusASecondLater) {
    start();
    logic.click(Control::ReadStatus);
    port.deliver("80\r");
    logic.press(Control::VolumeDown);
    port.deliver("\x06");
    panel.advance(100);
    logic.release(Control::VolumeDown);

    EXPECT_EQ(logic.heldButton(), HoldButton::None);
    EXPECT_EQ(txd(), "");
    EXPECT_EQ(rxd(), "");
    EXPECT_EQ(logic.receiveBuffer(), "");
    EXPECT_FALSE(running(TimerId::HoldRepeat));
    EXPECT_FALSE(running(TimerId::ReplyWait));
    EXPECT_TRUE(running(TimerId::DisplayClear));
    EXPECT_EQ(interval(TimerId::ReplyWait), 500);
    EXPECT_EQ(interval(TimerId::DisplayClear), 1000);
    EXPECT_FALSE(logic.replyPending());

    panel.advance(999);
    EXPECT_EQ(status(), " Stand by");
    EXPECT_EQ(rxd(), "") << "no marker after a release";
    panel.advance(1);
    EXPECT_EQ(status(), "");
    EXPECT_FALSE(running(TimerId::DisplayClear));
}

TEST_F(HoldRepeat, ReleaseLeavesReplyPendingAsItWas) {
    start();
    logic.press(Control::VolumeUp);
    logic.release(Control::VolumeUp);
    EXPECT_TRUE(logic.replyPending());
}

TEST_F(HoldRepeat, ArrowsRightAfterStartRepeatEvery200AndKeepTheIntervals) {
    start();
    logic.click(Control::ReadStatus); // 2000 / 2500 stay in force
    port.writes.clear();
    const auto at = holdAndRecord(Control::CursorUp, 650);
    EXPECT_EQ(at, (std::vector<std::int64_t>{0, 200, 400, 600}));
    EXPECT_EQ(port.writes.front(), "C3C\r");
    EXPECT_EQ(logic.cursorPadContext(), CursorPadContext::Initial);
}

TEST_F(HoldRepeat, AfterMenuOnArrowsRepeatEvery200With150And190) {
    start();
    logic.click(Control::MenuOn);
    port.writes.clear();
    logic.press(Control::CursorDown);
    EXPECT_EQ(interval(TimerId::ReplyWait), 150);
    EXPECT_EQ(interval(TimerId::DisplayClear), 190);
    logic.release(Control::CursorDown);
    const auto at = holdAndRecord(Control::CursorLeft, 450);
    EXPECT_EQ(at, (std::vector<std::int64_t>{0, 200, 400}));
    EXPECT_EQ(port.writes.back(), "C3B\r");
}

TEST_F(HoldRepeat, AfterVolumeTheArrowsTakeItsRepeatButKeepTheMenuIntervals) {
    start();
    logic.click(Control::MenuOn);
    logic.press(Control::VolumeUp);
    logic.release(Control::VolumeUp);
    port.writes.clear();
    logic.press(Control::CursorRight);
    EXPECT_EQ(interval(TimerId::ReplyWait), 150);
    EXPECT_EQ(interval(TimerId::DisplayClear), 190);
    logic.release(Control::CursorRight);
    const auto at = holdAndRecord(Control::CursorRight, 600);
    EXPECT_EQ(at, (std::vector<std::int64_t>{0, 250, 500}));
}

TEST_F(HoldRepeat, DigitalZoomRepeatsAt250ButAfterReleaseTheArrowsStepEvery5) {
    start();
    const auto zoom = holdAndRecord(Control::DigitalZoomIn, 600);
    EXPECT_EQ(zoom, (std::vector<std::int64_t>{0, 250, 500}));
    EXPECT_EQ(interval(TimerId::HoldRepeat), 5);
    EXPECT_EQ(logic.cursorPadContext(), CursorPadContext::DigitalZoom);

    logic.press(Control::CursorUp);
    EXPECT_EQ(interval(TimerId::ReplyWait), 5);
    EXPECT_EQ(interval(TimerId::DisplayClear), 5);
    logic.release(Control::CursorUp);
    const auto arrows = holdAndRecord(Control::CursorUp, 22);
    EXPECT_EQ(arrows, (std::vector<std::int64_t>{0, 5, 10, 15, 20}));

    // SELECT sets its own 500 ms; the context stays 3 until MENU "ON" or "A-IMAGE".
    logic.press(Control::CursorSelect);
    logic.release(Control::CursorSelect);
    EXPECT_EQ(logic.cursorPadContext(), CursorPadContext::DigitalZoom);
    const auto after = holdAndRecord(Control::CursorUp, 600);
    EXPECT_EQ(after, (std::vector<std::int64_t>{0, 500}));
}

TEST_F(HoldRepeat, SecondPressWhileHoldingRestartsTheSequence) {
    start();
    logic.press(Control::VolumeUp);
    panel.advance(200);
    logic.press(Control::VolumeUp);
    EXPECT_EQ(port.writes.size(), 2U) << "the second press writes at once";
    panel.advance(249);
    EXPECT_EQ(port.writes.size(), 2U);
    panel.advance(1);
    EXPECT_EQ(port.writes.size(), 3U);
    logic.release(Control::VolumeUp);
}

TEST_F(HoldRepeat, TickWithNothingHeldWritesNothing) {
    start();
    logic.timerTick(TimerId::HoldRepeat);
    EXPECT_TRUE(port.writes.empty());
}

TEST_F(HoldRepeat, CancelledHoldStopsExactlyAsARelease) {
    start();
    logic.press(Control::DigitalZoomOut);
    panel.advance(260);
    logic.holdCancelled();
    EXPECT_EQ(logic.heldButton(), HoldButton::None);
    EXPECT_FALSE(running(TimerId::HoldRepeat));
    EXPECT_EQ(txd(), "");
    EXPECT_EQ(interval(TimerId::ReplyWait), 500);
    EXPECT_EQ(interval(TimerId::HoldRepeat), 5) << "the D.Zoom release steps run too";
    EXPECT_EQ(logic.cursorPadContext(), CursorPadContext::DigitalZoom);
    const std::size_t written = port.writes.size();
    panel.advance(5000);
    EXPECT_EQ(port.writes.size(), written);
}

TEST_F(HoldRepeat, CancelWhileIdleChangesNothing) {
    start();
    logic.click(Control::ReadStatus);
    port.deliver("80\r");
    logic.holdCancelled();
    EXPECT_EQ(rxd(), " 8 0 CR ");
    EXPECT_EQ(interval(TimerId::ReplyWait), 2000);
    EXPECT_TRUE(running(TimerId::ReplyWait));
}

TEST_F(HoldRepeat, OneShotButtonsIgnorePressAndRelease) {
    start();
    logic.press(Control::PowerOn);
    logic.release(Control::PowerOn);
    EXPECT_TRUE(port.writes.empty());
    EXPECT_EQ(logic.heldButton(), HoldButton::None);
}

} // namespace
} // namespace tavo::test
