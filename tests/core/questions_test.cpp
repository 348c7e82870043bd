// SPDX-License-Identifier: GPL-3.0-or-later
// The questions a failed open asks: the logic returns at once, goes on meanwhile, and takes the
// answer as an event of its own.

#include "tests/core/logic_fixture.h"

#include <string>
#include <utility>
#include <vector>

namespace tavo::test {
namespace {

using Calls = std::vector<std::string>;

class Questions : public LogicTest {
protected:
    void failChangeToCom2() {
        port.missingPorts = {2};
        ASSERT_NO_FATAL_FAILURE(start());
        logic.click(Control::PortButton);
        panel.advance(1000);
        panel.selectOption(Control::Com2Option); // the window selects what the user clicked
        logic.click(Control::Com2Option);
        ASSERT_EQ(logic.sessionState(), SessionState::AskingAfterChange);
    }
};

// The port panel's timer fired inside the warning's modal loop once, re-entering the logic; now it
// is one more event, and the answer that follows still finds the state it left.
TEST_F(Questions, TicksAndClicksWhileTheWarningIsOpenAreHandledAsInAnyOtherState) {
    ASSERT_NO_FATAL_FAILURE(failChangeToCom2());
    EXPECT_EQ(port.portNumber, 2) << "the number falls back once the warning is answered";
    EXPECT_TRUE(panel.isSelected(Control::Com2Option)) << "the warning is about the port chosen";

    panel.advance(4000);
    EXPECT_FALSE(panel.isVisible(Control::PortPanel)) << "hidden 5000 ms after COM, warning or not";
    EXPECT_FALSE(running(TimerId::PortPanelHide));
    // Nothing can be sent meanwhile, and the notice says so.
    logic.click(Control::PowerOn);
    EXPECT_TRUE(port.writes.empty());
    ASSERT_TRUE(panel.notice);
    EXPECT_EQ(panel.notice->second, Notice::Lasting);
    EXPECT_EQ(logic.sessionState(), SessionState::AskingAfterChange);

    port.calls.clear();
    logic.answered(PortFailureChoice::Dismiss);
    EXPECT_EQ(port.calls, (Calls{"setPortNumber(1)"}));
    EXPECT_TRUE(panel.isSelected(Control::Com1Option));
    EXPECT_FALSE(panel.notice) << "it named the port that failed";
    logic.click(Control::PowerOn);
    const std::string notSent = "Not sent: C00. " + port.description(1) + " is not open.";
    EXPECT_EQ(status(), " " + notSent);
    EXPECT_EQ(panel.notice, std::pair(notSent, Notice::Lasting));

    // A second answer, as from a dialog closed twice, asks nothing and changes nothing.
    port.calls.clear();
    logic.answered(PortFailureChoice::Retry);
    EXPECT_TRUE(port.calls.empty());
    EXPECT_EQ(panel.warnings.size(), 1U);
}

TEST_F(Questions, AnAnswerToAQuestionAPortChangeReplacedChangesNothing) {
    ASSERT_NO_FATAL_FAILURE(failChangeToCom2());
    panel.selectOption(Control::Com1Option);
    logic.click(Control::Com1Option);
    EXPECT_EQ(logic.sessionState(), SessionState::Settled);
    EXPECT_TRUE(port.opened);

    port.calls.clear();
    logic.answered(PortFailureChoice::Retry);
    logic.answered(PortFailureChoice::Dismiss);
    EXPECT_TRUE(port.calls.empty());
    EXPECT_EQ(port.portNumber, 1);
    EXPECT_TRUE(port.opened);
    EXPECT_TRUE(panel.isSelected(Control::Com1Option));
}

// Before the window is shown, the start-up error asks as often as the port fails; the window is
// shown once, after the open that goes through.
TEST_F(Questions, TheStartUpErrorAsksAgainUntilTheWindowCanBeShown) {
    port.missingPorts = {1};
    logic.start();
    logic.answered(PortFailureChoice::Retry);
    EXPECT_EQ(panel.startupErrors.size(), 2U);
    EXPECT_FALSE(panel.windowShown);
    EXPECT_FALSE(panel.isSelected(Control::Com1Option));
    EXPECT_EQ(logic.sessionState(), SessionState::AskingAtStartUp);

    port.missingPorts.clear();
    port.calls.clear();
    logic.answered(PortFailureChoice::Retry);
    EXPECT_EQ(port.calls, (Calls{"setPortNumber(1)", "setLineSettings(19200,N,8,1)", "open", "isOpen", "close",
                                 "setPortNumber(1)", "open"}));
    EXPECT_TRUE(panel.windowShown);
    EXPECT_TRUE(panel.isSelected(Control::Com1Option));
    EXPECT_FALSE(panel.ended);
    EXPECT_EQ(logic.sessionState(), SessionState::Settled);
}

} // namespace
} // namespace tavo::test
