// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/core/logic_fixture.h"

#include <optional>
#include <ostream>
#include <string>
#include <utility>

namespace tavo::test {
namespace {

using Calls = std::vector<std::string>;

class SerialLink : public LogicTest {};

TEST_F(SerialLink, StartUpOpensCom1TwiceAndWritesNothing) {
    logic.start();
    EXPECT_TRUE(panel.windowShown);
    EXPECT_EQ(port.calls, (Calls{"setPortNumber(1)", "setLineSettings(19200,N,8,1)", "open", "isOpen", "close",
                                 "setPortNumber(1)", "open"}));
    EXPECT_TRUE(port.writes.empty());
    EXPECT_TRUE(port.opened);
    EXPECT_EQ(logic.lineSettings(), kSettings19200);
    EXPECT_FALSE(panel.isVisible(Control::PortPanel));
    EXPECT_TRUE(panel.isSelected(Control::Com1Option));
    EXPECT_FALSE(panel.isSelected(Control::Com2Option));
    EXPECT_TRUE(panel.isSelected(Control::Speed19200Option));
    EXPECT_FALSE(panel.isVisible(Control::PaneButton));
    EXPECT_EQ(logic.heldButton(), HoldButton::None);
    EXPECT_FALSE(logic.replyPending());
    for (const TimerId t : {TimerId::HoldRepeat, TimerId::ReplyWait, TimerId::PortPanelHide, TimerId::DisplayClear}) {
        EXPECT_FALSE(running(t)) << ::testing::PrintToString(t);
    }
}

TEST_F(SerialLink, StartUpPlacesTheWindowFromTheFullHeightThenCollapses) {
    // 1024 x 768 pixels; the window is 9600 x 6990 twips with its frame before collapsing.
    start();
    EXPECT_DOUBLE_EQ(panel.left, 2880);
    EXPECT_DOUBLE_EQ(panel.top, 2265);
    EXPECT_DOUBLE_EQ(panel.height, 5350);
}

TEST_F(SerialLink, WindowLargerThanTheScreenStartsPartlyOffIt) {
    panel.screen = {6000, 4000};
    start();
    EXPECT_DOUBLE_EQ(panel.left, -1800);
    EXPECT_DOUBLE_EQ(panel.top, -1495);
}

TEST_F(SerialLink, FailedStartUpOpenShowsThePortTextAndEnds) {
    port.missingPorts = {1};
    logic.start();
    EXPECT_EQ(panel.startupErrors, (Calls{"COM1 does not exist."}));
    EXPECT_EQ(logic.sessionState(), SessionState::AskingAtStartUp);
    EXPECT_FALSE(panel.ended) << "the error waits for its answer";
    logic.answered(PortFailureChoice::Dismiss);
    EXPECT_TRUE(panel.ended);
    EXPECT_TRUE(logic.gaveUpAtStartUp());
    EXPECT_FALSE(panel.windowShown);
    EXPECT_TRUE(panel.warnings.empty());
    EXPECT_FALSE(panel.isSelected(Control::Com1Option)) << "start-up stopped before selecting COM1";
    EXPECT_TRUE(port.writes.empty());
}

TEST_F(SerialLink, PortChangeFailureWarnsFallsBackAndLeavesThePanelShown) {
    port.missingPorts = {2};
    start();
    logic.click(Control::PortButton);
    panel.advance(1000);
    panel.selectOption(Control::Com2Option); // the window selects what the user clicked
    logic.click(Control::Com2Option);

    EXPECT_EQ(panel.warnings, (Calls{"COM2 does not exist."}));
    EXPECT_EQ(logic.sessionState(), SessionState::AskingAfterChange);
    logic.answered(PortFailureChoice::Dismiss);
    EXPECT_EQ(logic.sessionState(), SessionState::Settled);
    EXPECT_EQ(port.portNumber, 1);
    EXPECT_FALSE(port.opened);
    EXPECT_TRUE(panel.isVisible(Control::PortPanel));
    EXPECT_TRUE(panel.isSelected(Control::Com1Option)) << "the panel shows the port in use, not the one that failed";
    panel.advance(3999);
    EXPECT_TRUE(panel.isVisible(Control::PortPanel));
    panel.advance(1);
    EXPECT_FALSE(panel.isVisible(Control::PortPanel)) << "the port panel hides itself 5000 ms after COM";
    EXPECT_FALSE(running(TimerId::PortPanelHide));

    port.calls.clear();
    logic.click(Control::Com1Option);
    EXPECT_EQ(port.calls, (Calls{"isOpen", "setPortNumber(1)", "open"})) << "choosing a port again tries it again";
    EXPECT_TRUE(port.opened);
    EXPECT_EQ(panel.warnings.size(), 1U);
}

TEST_F(SerialLink, ChoosingADeviceInTheFailureMessagesTriesTheSamePortAgain) {
    port.missingPorts = {1};
    logic.start();
    EXPECT_EQ(panel.startupErrors, (Calls{"COM1 does not exist."}));
    EXPECT_FALSE(panel.windowShown);
    // "Choose Device…" mends the device behind the port, as the chooser would, and tries again.
    const auto chooseDevice = [this] {
        port.missingPorts.clear();
        logic.answered(PortFailureChoice::Retry);
    };
    chooseDevice();
    EXPECT_TRUE(panel.windowShown);
    EXPECT_TRUE(panel.isSelected(Control::Com1Option));
    EXPECT_TRUE(port.opened);
    EXPECT_FALSE(panel.ended);
    EXPECT_TRUE(port.writes.empty());

    port.missingPorts = {2};
    panel.selectOption(Control::Com2Option);
    logic.click(Control::Com2Option);
    EXPECT_EQ(panel.warnings, (Calls{"COM2 does not exist."}));
    chooseDevice();
    EXPECT_EQ(port.portNumber, 2);
    EXPECT_TRUE(port.opened);
    EXPECT_FALSE(panel.isVisible(Control::PortPanel));

    // A new choice of devices from the running panel reopens the port chosen last.
    port.calls.clear();
    logic.devicesChanged();
    EXPECT_EQ(port.calls, (Calls{"isOpen", "close", "setPortNumber(2)", "open"}));
}

TEST_F(SerialLink, LostDeviceStopsTheHoldAndIsNoticedUntilItIsBack) {
    start();
    logic.press(Control::CursorUp);
    panel.advance(450);
    ASSERT_TRUE(running(TimerId::HoldRepeat));

    port.notify(PortEvent::DeviceLost);
    EXPECT_EQ(logic.heldButton(), HoldButton::None);
    EXPECT_FALSE(running(TimerId::HoldRepeat));
    ASSERT_TRUE(panel.notice);
    EXPECT_EQ(*panel.notice, std::pair(std::string("COM1 was disconnected."), Notice::Lasting));
    EXPECT_EQ(status(), " COM1 was disconnected.");
    const std::size_t writes = port.writes.size();
    panel.advance(5000);
    EXPECT_EQ(port.writes.size(), writes) << "nothing is sent after the loss";
    EXPECT_TRUE(panel.notice) << "the notice stays while the device is away";
    EXPECT_TRUE(panel.warnings.empty());
    EXPECT_TRUE(panel.startupErrors.empty());

    port.notify(PortEvent::DeviceBack);
    EXPECT_EQ(*panel.notice, std::pair(std::string("COM1 is back."), Notice::Passing));
    EXPECT_EQ(panel.noticesShown, 2);
    logic.click(Control::PowerOn);
    EXPECT_EQ(port.writes.back(), "C00\r");

    // A line error still changes nothing.
    port.notify(PortEvent::LineError);
    EXPECT_EQ(panel.noticesShown, 2);
    logic.click(Control::Com1Option);
    EXPECT_FALSE(panel.notice) << "a port change starts afresh";
}

TEST_F(SerialLink, ChoosingAPortHidesThePanelAtOnceAndTheTickFindsItHidden) {
    start();
    logic.click(Control::PortButton);
    EXPECT_TRUE(panel.isVisible(Control::PortPanel));
    panel.advance(1000);
    logic.click(Control::Com2Option);
    EXPECT_FALSE(panel.isVisible(Control::PortPanel));
    EXPECT_EQ(port.portNumber, 2);
    EXPECT_TRUE(port.opened);
    EXPECT_TRUE(running(TimerId::PortPanelHide));
    panel.advance(4000);
    EXPECT_FALSE(running(TimerId::PortPanelHide));
    EXPECT_FALSE(panel.isVisible(Control::PortPanel));
}

TEST_F(SerialLink, SpeedChangeWhileOpenKeepsThePortOpenAndSurvivesAPortChange) {
    start();
    logic.click(Control::PortButton);
    logic.click(Control::Speed9600Option);
    EXPECT_EQ(port.calls, (Calls{"setLineSettings(9600,N,8,1)"}));
    EXPECT_TRUE(port.opened);
    EXPECT_EQ(logic.lineSettings(), kSettings9600);
    EXPECT_FALSE(panel.isVisible(Control::PortPanel));

    logic.click(Control::Com2Option);
    EXPECT_EQ(port.settings, "9600,N,8,1");
    EXPECT_TRUE(port.writes.empty());
}

TEST_F(SerialLink, ComAgainGivesTheFullFiveSeconds) {
    start();
    logic.click(Control::PortButton);
    panel.advance(4000);
    logic.click(Control::PortButton);
    panel.advance(4999);
    EXPECT_TRUE(panel.isVisible(Control::PortPanel));
    panel.advance(1);
    EXPECT_FALSE(panel.isVisible(Control::PortPanel));
}

TEST_F(SerialLink, EndClosesThePortWithoutWritingAndEndsTheProgram) {
    start();
    logic.click(Control::EndButton);
    EXPECT_EQ(port.calls, (Calls{"close"}));
    EXPECT_TRUE(port.writes.empty());
    EXPECT_TRUE(panel.ended);
}

// A device on the network connects in the background: the panel goes on meanwhile and tells the
// end of the open as it would have told it at once.
class Connecting : public LogicTest {
protected:
    [[nodiscard]] std::optional<std::pair<std::string, Notice>> progress(int number) const {
        return std::pair("Connecting to 127.0.0.1:400" + std::to_string(number) + "\u2026", Notice::Progress);
    }
};

TEST_F(Connecting, PortChangeShowsProgressThenHidesThePanelOrWarnsAndFallsBack) {
    port.pendingPorts = {2};
    start();
    logic.click(Control::PortButton);
    panel.selectOption(Control::Com2Option);
    logic.click(Control::Com2Option);
    EXPECT_EQ(panel.notice, progress(2));
    EXPECT_TRUE(panel.isVisible(Control::PortPanel)) << "the panel stays until the device answers";

    // A click meanwhile is not sent, and the notice says so while it still offers to cancel.
    logic.click(Control::PowerOn);
    EXPECT_EQ(status(), " Not sent: C00. COM2 is still connecting.");
    EXPECT_EQ(panel.notice, std::pair(std::string("Not sent: C00. COM2 is still connecting."), Notice::Progress));
    EXPECT_EQ(txd(), "");
    EXPECT_TRUE(port.writes.empty());
    EXPECT_TRUE(panel.warnings.empty());

    port.completeOpen();
    EXPECT_FALSE(panel.notice);
    EXPECT_FALSE(panel.isVisible(Control::PortPanel));
    EXPECT_TRUE(panel.warnings.empty());
    logic.click(Control::PowerOn);
    EXPECT_EQ(port.writes, (Calls{"C00\r"}));

    // The same change failing later: the warning carries the port's reason, the port falls back,
    // and Retry tries the same port again.
    port.calls.clear();
    panel.selectOption(Control::Com1Option);
    logic.click(Control::Com1Option);
    panel.selectOption(Control::Com2Option);
    logic.click(Control::Com2Option);
    port.calls.clear();
    port.failOpen("COM2 cannot be opened: the device server refused the connection.");
    EXPECT_EQ(panel.warnings, (Calls{"COM2 cannot be opened: the device server refused the connection."}));
    logic.answered(PortFailureChoice::Retry);
    EXPECT_EQ(port.calls, (Calls{"setPortNumber(1)", "isOpen", "setPortNumber(2)", "open"})) << "Retry";
    EXPECT_EQ(panel.notice, progress(2));
    port.failOpen("COM2 cannot be opened: again.");
    EXPECT_EQ(panel.warnings.size(), 2U);
    logic.answered(PortFailureChoice::Dismiss);
    EXPECT_EQ(port.portNumber, 1);
    EXPECT_FALSE(port.opened);
    EXPECT_FALSE(panel.notice);
    EXPECT_TRUE(panel.isSelected(Control::Com1Option)) << "the panel shows the port in use";
    EXPECT_TRUE(panel.startupErrors.empty());
    port.calls.clear();
    logic.devicesChanged();
    EXPECT_EQ(port.calls, (Calls{"isOpen", "setPortNumber(1)", "open"}))
        << "a new choice of devices opens the port in use, not the one that failed";
}

TEST_F(Connecting, StartUpShowsTheWindowAndAFailureLaterIsTheStartUpError) {
    port.pendingPorts = {1};
    logic.start();
    EXPECT_TRUE(panel.windowShown) << "the window is shown while the device connects";
    EXPECT_EQ(port.calls, (Calls{"setPortNumber(1)", "setLineSettings(19200,N,8,1)", "open", "isOpen", "close",
                                 "setPortNumber(1)", "open"}))
        << "only the last open connects";
    EXPECT_EQ(panel.notice, progress(1));
    EXPECT_TRUE(panel.isSelected(Control::Com1Option));

    // Retry opens again; the second failure dismissed ends the program.
    port.failOpen("COM1 cannot be opened: the device server did not answer within 4 seconds.");
    EXPECT_EQ(panel.startupErrors,
              (Calls{"COM1 cannot be opened: the device server did not answer within 4 seconds."}));
    EXPECT_TRUE(panel.warnings.empty());
    logic.answered(PortFailureChoice::Retry);
    EXPECT_FALSE(panel.ended);
    EXPECT_TRUE(port.opening) << "Retry opened again";
    EXPECT_EQ(panel.notice, progress(1));
    EXPECT_FALSE(logic.gaveUpAtStartUp());
    port.failOpen("COM1 cannot be opened: again.");
    EXPECT_EQ(panel.startupErrors.size(), 2U);
    logic.answered(PortFailureChoice::Dismiss);
    EXPECT_TRUE(panel.ended);
    EXPECT_TRUE(logic.gaveUpAtStartUp());

    // An answer after the open ended, or for an open the user replaced, changes nothing.
    panel.notice.reset();
    port.notify(PortEvent::Opened);
    port.notify(PortEvent::OpenFailed);
    EXPECT_FALSE(panel.notice);
    EXPECT_EQ(panel.startupErrors.size(), 2U);
}

TEST_F(Connecting, CancelClosesThePortFallsBackAndSaysSoWithoutADialog) {
    port.pendingPorts = {2};
    start();
    panel.selectOption(Control::Com2Option);
    logic.click(Control::Com2Option);
    port.calls.clear();
    logic.cancelOpening();
    EXPECT_EQ(port.calls, (Calls{"close", "setPortNumber(1)"}));
    EXPECT_FALSE(port.opened);
    EXPECT_FALSE(panel.notice);
    EXPECT_EQ(status(), " Cancelled: Connecting to 127.0.0.1:4002\u2026");
    EXPECT_TRUE(panel.warnings.empty());
    EXPECT_TRUE(panel.startupErrors.empty());

    // Nothing to cancel now; a click is answered as on a closed port.
    port.calls.clear();
    logic.cancelOpening();
    EXPECT_TRUE(port.calls.empty());
    logic.click(Control::PowerOn);
    EXPECT_EQ(status(), " Not sent: C00. COM1 is not open.");
    EXPECT_TRUE(port.writes.empty());
}

TEST_F(Connecting, RefusedSpeedWarnsAndNoticeGoesToTheStatusLine) {
    start();
    port.refusal = "COM1 does not accept the line settings 9600,N,8,1: the device server set 19200 baud.";
    port.notify(PortEvent::SettingsRefused);
    EXPECT_EQ(panel.warnings, (Calls{port.refusal}));
    port.noticeText = "COM1 is a raw TCP connection.";
    port.notify(PortEvent::Notice);
    EXPECT_EQ(status(), " COM1 is a raw TCP connection.");
    EXPECT_EQ(panel.warnings.size(), 1U);
}

class DataPaneAndKeys : public LogicTest {};

TEST_F(DataPaneAndKeys, CtrlHOpensTheFullViewAndThePaneButtonToggles) {
    start();
    logic.keyDown(kKeyH, kCtrlMask);
    EXPECT_DOUBLE_EQ(panel.height, 7000);
    EXPECT_EQ(panel.text(Control::PaneButton), "CLOSE");
    EXPECT_TRUE(panel.isVisible(Control::PaneButton));

    logic.click(Control::PaneButton);
    EXPECT_DOUBLE_EQ(panel.height, 5350);
    EXPECT_EQ(panel.text(Control::PaneButton), "データを表示する");
    logic.click(Control::PaneButton);
    EXPECT_DOUBLE_EQ(panel.height, 6645);
    EXPECT_EQ(panel.text(Control::PaneButton), "データを表示しない");
    logic.click(Control::PaneButton);
    EXPECT_DOUBLE_EQ(panel.height, 5350);
    logic.keyDown(kKeyH, kCtrlMask);
    EXPECT_DOUBLE_EQ(panel.height, 7000);
}

TEST_F(DataPaneAndKeys, HeightOfExactly6000Collapses) {
    start();
    panel.height = 6000;
    logic.click(Control::PaneButton);
    EXPECT_DOUBLE_EQ(panel.height, 5350);
    panel.height = 5999.5;
    logic.click(Control::PaneButton);
    EXPECT_DOUBLE_EQ(panel.height, 6645);
}

struct KeyCase {
    const char* name;
    int key;
    int shift;
};

// Failure messages name the row instead of dumping its bytes.
void PrintTo(const KeyCase& row, std::ostream* os) {
    *os << row.name;
}

class OtherKeys : public LogicTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(OtherKeys, ChangeNothing) {
    start();
    logic.keyDown(GetParam().key, GetParam().shift);
    EXPECT_DOUBLE_EQ(panel.height, 5350);
    EXPECT_FALSE(panel.isVisible(Control::PaneButton));
}

INSTANTIATE_TEST_SUITE_P(Keys, OtherKeys,
                         ::testing::Values(KeyCase{"CtrlShiftH", kKeyH, kCtrlMask | kShiftMask},
                                           KeyCase{"CtrlAltH", kKeyH, kCtrlMask | kAltMask},
                                           KeyCase{"AltH", kKeyH, kAltMask}, KeyCase{"PlainH", kKeyH, 0},
                                           KeyCase{"CtrlG", 71, kCtrlMask}),
                         RowName{});

TEST_F(DataPaneAndKeys, PaneButtonRestartsThePortPanelCountdown) {
    start();
    logic.keyDown(kKeyH, kCtrlMask);
    logic.click(Control::PortButton);
    panel.advance(3000);
    logic.click(Control::PaneButton);
    panel.advance(4999);
    EXPECT_TRUE(panel.isVisible(Control::PortPanel));
    panel.advance(1);
    EXPECT_FALSE(panel.isVisible(Control::PortPanel));
}

TEST_F(DataPaneAndKeys, CtrlHLeavesAnOpenPortPanelAlone) {
    start();
    logic.click(Control::PortButton);
    logic.keyDown(kKeyH, kCtrlMask);
    EXPECT_TRUE(panel.isVisible(Control::PortPanel));
    EXPECT_TRUE(running(TimerId::PortPanelHide));
}

} // namespace
} // namespace tavo::test
