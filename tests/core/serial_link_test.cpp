#include "tests/core/form_fixture.h"

#include <ostream>

namespace tavo::test {
namespace {

using Calls = std::vector<std::string>;

class SerialLink : public FormTest {};

TEST_F(SerialLink, StartUpOpensCom1TwiceAndWritesNothing) {
    ASSERT_TRUE(form.load());
    EXPECT_EQ(port.calls, (Calls{"setPortNumber(1)", "setSettings(19200,N,8,1)", "open", "isOpen", "close",
                                 "setPortNumber(1)", "open"}));
    EXPECT_TRUE(port.writes.empty());
    EXPECT_TRUE(port.opened);
    EXPECT_EQ(form.commSettings(), "19200,N,8,1");
    EXPECT_FALSE(panel.isVisible(Control::Frame8));
    EXPECT_TRUE(panel.isSelected(Control::Option1));
    EXPECT_FALSE(panel.isSelected(Control::Option2));
    EXPECT_TRUE(panel.isSelected(Control::Option3));
    EXPECT_FALSE(panel.isVisible(Control::Command34));
    EXPECT_EQ(form.heldButton(), 0);
    EXPECT_EQ(form.replyPending(), 0);
    for (const TimerId t : {TimerId::Timer1, TimerId::Timer2, TimerId::Timer3, TimerId::Timer4}) {
        EXPECT_FALSE(running(t)) << ::testing::PrintToString(t);
    }
}

TEST_F(SerialLink, StartUpPlacesTheWindowFromTheFullHeightThenCollapses) {
    // 1024 x 768 pixels; the window is 9600 x 6990 twips with its frame before collapsing.
    ASSERT_TRUE(form.load());
    EXPECT_DOUBLE_EQ(panel.left, 2880);
    EXPECT_DOUBLE_EQ(panel.top, 2265);
    EXPECT_DOUBLE_EQ(panel.height, 5350);
}

TEST_F(SerialLink, WindowLargerThanTheScreenStartsPartlyOffIt) {
    panel.screen = {6000, 4000};
    ASSERT_TRUE(form.load());
    EXPECT_DOUBLE_EQ(panel.left, -1800);
    EXPECT_DOUBLE_EQ(panel.top, -1495);
}

TEST_F(SerialLink, FailedStartUpOpenShowsThePortTextAndEnds) {
    port.missingPorts = {1};
    EXPECT_FALSE(form.load());
    EXPECT_EQ(panel.startupErrors, (Calls{"COM1 does not exist."}));
    EXPECT_TRUE(panel.ended);
    EXPECT_TRUE(panel.warnings.empty());
    EXPECT_FALSE(panel.isSelected(Control::Option1)) << "start-up stopped before selecting COM1";
    EXPECT_TRUE(port.writes.empty());
}

TEST_F(SerialLink, PortChangeFailureWarnsFallsBackAndLeavesThePanelShown) {
    port.missingPorts = {2};
    start();
    form.click(Control::Command33);
    panel.advance(1000);
    panel.selectOption(Control::Option2); // the window selects what the user clicked
    form.click(Control::Option2);

    EXPECT_EQ(panel.warnings, (Calls{"COM2 does not exist."}));
    EXPECT_EQ(port.portNumber, 1);
    EXPECT_FALSE(port.opened);
    EXPECT_TRUE(panel.isVisible(Control::Frame8));
    EXPECT_TRUE(panel.isSelected(Control::Option2)) << "the user's choice stays selected";
    panel.advance(3999);
    EXPECT_TRUE(panel.isVisible(Control::Frame8));
    panel.advance(1);
    EXPECT_FALSE(panel.isVisible(Control::Frame8)) << "Timer3 hides it 5000 ms after COM";
    EXPECT_FALSE(running(TimerId::Timer3));

    port.calls.clear();
    form.click(Control::Option1);
    EXPECT_EQ(port.calls, (Calls{"isOpen", "setPortNumber(1)"})) << "no reopening after a failure";
    EXPECT_FALSE(port.opened);
    EXPECT_EQ(panel.warnings.size(), 1U);
}

TEST_F(SerialLink, ChoosingAPortHidesThePanelAtOnceAndTheTickFindsItHidden) {
    start();
    form.click(Control::Command33);
    EXPECT_TRUE(panel.isVisible(Control::Frame8));
    panel.advance(1000);
    form.click(Control::Option2);
    EXPECT_FALSE(panel.isVisible(Control::Frame8));
    EXPECT_EQ(port.portNumber, 2);
    EXPECT_TRUE(port.opened);
    EXPECT_TRUE(running(TimerId::Timer3));
    panel.advance(4000);
    EXPECT_FALSE(running(TimerId::Timer3));
    EXPECT_FALSE(panel.isVisible(Control::Frame8));
}

TEST_F(SerialLink, SpeedChangeWhileOpenKeepsThePortOpenAndSurvivesAPortChange) {
    start();
    form.click(Control::Command33);
    form.click(Control::Option4);
    EXPECT_EQ(port.calls, (Calls{"setSettings(9600,N,8,1)"}));
    EXPECT_TRUE(port.opened);
    EXPECT_EQ(form.commSettings(), "9600,N,8,1");
    EXPECT_FALSE(panel.isVisible(Control::Frame8));

    form.click(Control::Option2);
    EXPECT_EQ(port.settings, "9600,N,8,1");
    EXPECT_TRUE(port.writes.empty());
}

TEST_F(SerialLink, ComAgainGivesTheFullFiveSeconds) {
    start();
    form.click(Control::Command33);
    panel.advance(4000);
    form.click(Control::Command33);
    panel.advance(4999);
    EXPECT_TRUE(panel.isVisible(Control::Frame8));
    panel.advance(1);
    EXPECT_FALSE(panel.isVisible(Control::Frame8));
}

TEST_F(SerialLink, EndClosesThePortWithoutWritingAndEndsTheProgram) {
    start();
    form.click(Control::Command16);
    EXPECT_EQ(port.calls, (Calls{"close"}));
    EXPECT_TRUE(port.writes.empty());
    EXPECT_TRUE(panel.ended);
}

class DataPaneAndKeys : public FormTest {};

TEST_F(DataPaneAndKeys, CtrlHOpensTheFullViewAndThePaneButtonToggles) {
    start();
    form.keyDown(kKeyH, kCtrlMask);
    EXPECT_DOUBLE_EQ(panel.height, 7000);
    EXPECT_EQ(panel.text(Control::Command34), "CLOSE");
    EXPECT_TRUE(panel.isVisible(Control::Command34));

    form.click(Control::Command34);
    EXPECT_DOUBLE_EQ(panel.height, 5350);
    EXPECT_EQ(panel.text(Control::Command34), "データを表示する");
    form.click(Control::Command34);
    EXPECT_DOUBLE_EQ(panel.height, 6645);
    EXPECT_EQ(panel.text(Control::Command34), "データを表示しない");
    form.click(Control::Command34);
    EXPECT_DOUBLE_EQ(panel.height, 5350);
    form.keyDown(kKeyH, kCtrlMask);
    EXPECT_DOUBLE_EQ(panel.height, 7000);
}

TEST_F(DataPaneAndKeys, HeightOfExactly6000Collapses) {
    start();
    panel.height = 6000;
    form.click(Control::Command34);
    EXPECT_DOUBLE_EQ(panel.height, 5350);
    panel.height = 5999.5;
    form.click(Control::Command34);
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

class OtherKeys : public FormTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(OtherKeys, ChangeNothing) {
    start();
    form.keyDown(GetParam().key, GetParam().shift);
    EXPECT_DOUBLE_EQ(panel.height, 5350);
    EXPECT_FALSE(panel.isVisible(Control::Command34));
}

INSTANTIATE_TEST_SUITE_P(Keys, OtherKeys,
                         ::testing::Values(KeyCase{"CtrlShiftH", kKeyH, kCtrlMask | kShiftMask},
                                           KeyCase{"CtrlAltH", kKeyH, kCtrlMask | kAltMask},
                                           KeyCase{"AltH", kKeyH, kAltMask}, KeyCase{"PlainH", kKeyH, 0},
                                           KeyCase{"CtrlG", 71, kCtrlMask}),
                         RowName{});

TEST_F(DataPaneAndKeys, PaneButtonRestartsThePortPanelCountdown) {
    start();
    form.keyDown(kKeyH, kCtrlMask);
    form.click(Control::Command33);
    panel.advance(3000);
    form.click(Control::Command34);
    panel.advance(4999);
    EXPECT_TRUE(panel.isVisible(Control::Frame8));
    panel.advance(1);
    EXPECT_FALSE(panel.isVisible(Control::Frame8));
}

TEST_F(DataPaneAndKeys, CtrlHLeavesAnOpenPortPanelAlone) {
    start();
    form.click(Control::Command33);
    form.keyDown(kKeyH, kCtrlMask);
    EXPECT_TRUE(panel.isVisible(Control::Frame8));
    EXPECT_TRUE(running(TimerId::Timer3));
}

} // namespace
} // namespace tavo::test
