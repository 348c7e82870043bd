#include "core/commands.h"
#include "tests/core/form_fixture.h"

#include <ostream>
#include <string>

namespace tavo::test {
namespace {

std::string fromHex(std::string_view hex) {
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 3) {
        out += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    }
    return out;
}

constexpr int kKeeps = -1;

// Typed from the command list by hand, bytes in hex, so a slip in the production table shows.
struct OneShotCase {
    const char* name;
    Control control;
    const char* wireHex;
    int wait;
    int clear;
};

// Failure messages name the row instead of dumping its bytes.
void PrintTo(const OneShotCase& row, std::ostream* os) {
    *os << row.name;
}

const OneShotCase kCases[] = {
    {"PowerOn", Control::Command17, "43 30 30 0D", 5000, 5500},
    {"PowerOff", Control::Command18, "43 30 32 0D", kKeeps, kKeeps},
    {"Input1Analog", Control::Command40, "43 46 20 49 4E 50 55 54 31 20 41 4E 41 4C 4F 47 0D", 5000, 5500},
    {"Input1Digital", Control::Command63, "43 46 20 49 4E 50 55 54 31 20 44 49 47 49 54 41 4C 0D", 5000, 5500},
    {"Input2Rgb", Control::Command28, "43 46 20 49 4E 50 55 54 32 20 41 4E 41 4C 4F 47 0D", 5000, 5500},
    {"Input2Video", Control::Command29, "43 46 20 49 4E 50 55 54 32 20 56 49 44 45 4F 0D", 5000, 5500},
    {"Input2Component", Control::Command27, "43 46 20 49 4E 50 55 54 32 20 59 50 42 50 52 0D", 5000, 5500},
    {"Input3Video", Control::Command4, "43 46 20 49 4E 50 55 54 33 20 56 49 44 45 4F 0D", 5000, 5500},
    {"Input3SVideo", Control::Command14, "43 46 20 49 4E 50 55 54 33 20 53 2D 56 49 44 45 4F 0D", 5000, 5500},
    {"Input3Component", Control::Command66, "43 46 20 49 4E 50 55 54 33 20 59 50 42 50 52 0D", 5000, 5500},
    {"AudioMuteOn", Control::Command19, "43 30 42 0D", 500, 1000},
    {"AudioMuteOff", Control::Command20, "43 30 43 0D", 500, 1000},
    {"NoShowOn", Control::Command21, "43 30 44 0D", 500, 1000},
    {"NoShowOff", Control::Command22, "43 30 45 0D", 500, 1000},
    {"FreezeOn", Control::Command25, "43 34 33 0D", 500, 1000},
    {"FreezeOff", Control::Command26, "43 34 34 0D", 500, 1000},
    {"MenuOn", Control::Command23, "43 31 43 0D", 500, 1000},
    {"MenuOff", Control::Command24, "43 31 44 0D", 500, 1000},
    {"VideoNormal", Control::Command31, "43 30 46 0D", 500, 1000},
    {"VideoWide", Control::Command32, "43 31 30 0D", 500, 1000},
    {"AutoImage", Control::Command13, "43 38 39 0D", 5000, 5500},
    {"Image", Control::Command73, "43 32 37 0D", kKeeps, kKeeps},
    {"PTimer", Control::Command39, "43 38 41 0D", kKeeps, kKeeps},
    {"DisplayClear", Control::Command3, "43 31 45 0D", kKeeps, kKeeps},
    {"Stand", Control::Command10, "43 46 20 49 4D 41 47 45 20 53 54 41 4E 44 0D", 2000, 2500},
    {"Real", Control::Command12, "43 46 20 49 4D 41 47 45 20 52 45 41 4C 0D", 2000, 2500},
    {"Cinema", Control::Command41, "43 46 20 49 4D 41 47 45 20 43 49 4E 45 4D 41 0D", 2000, 2500},
    {"Image1", Control::Command11, "43 46 20 49 4D 41 47 45 20 43 55 53 54 4F 4D 31 0D", 2000, 2500},
    {"Image2", Control::Command30, "43 46 20 49 4D 41 47 45 20 43 55 53 54 4F 4D 32 0D", 2000, 2500},
    {"Image3", Control::Command42, "43 46 20 49 4D 41 47 45 20 43 55 53 54 4F 4D 33 0D", 2000, 2500},
    {"Image4", Control::Command43, "43 46 20 49 4D 41 47 45 20 43 55 53 54 4F 4D 34 0D", 2000, 2500},
    {"Status", Control::Command44, "43 52 30 0D", 2000, 2500},
    {"Mode", Control::Command45, "43 52 31 0D", 2000, 2500},
    {"LampTime", Control::Command46, "43 52 33 0D", 2000, 2500},
    {"Setting", Control::Command47, "43 52 34 0D", 2000, 2500},
    {"Temperature", Control::Command38, "43 52 36 0D", 2000, 2500},
    {"C01", Control::Command52, "43 30 31 0D", 3000, 3500},
};

static_assert(std::size(kCases) == kOneShotButtons.size(), "every one-shot button has a case");

class OneShotButtons : public FormTest, public ::testing::WithParamInterface<OneShotCase> {};

TEST_P(OneShotButtons, WritesItsLineAndSetsItsIntervals) {
    const OneShotCase& c = GetParam();
    start();
    // A status read first leaves 2000/2500 behind, which the buttons without intervals keep.
    form.click(Control::Command44);
    port.writes.clear();

    form.click(c.control);

    ASSERT_EQ(port.writes.size(), 1U);
    EXPECT_EQ(escaped(port.writes[0]), escaped(fromHex(c.wireHex)));
    EXPECT_EQ(form.lastSentLine(), fromHex(c.wireHex));
    EXPECT_EQ(interval(TimerId::Timer2), c.wait == kKeeps ? 2000 : c.wait);
    EXPECT_EQ(interval(TimerId::Timer4), c.clear == kKeeps ? 2500 : c.clear);
    EXPECT_TRUE(running(TimerId::Timer2));
    EXPECT_TRUE(running(TimerId::Timer4));
    EXPECT_EQ(form.replyPending(), 1);
}

TEST_P(OneShotButtons, FirstCommandAfterStartUpUsesTheInitialIntervals) {
    const OneShotCase& c = GetParam();
    start();
    form.click(c.control);
    EXPECT_EQ(interval(TimerId::Timer2), c.wait == kKeeps ? 500 : c.wait);
    EXPECT_EQ(interval(TimerId::Timer4), c.clear == kKeeps ? 1000 : c.clear);
}

INSTANTIATE_TEST_SUITE_P(All, OneShotButtons, ::testing::ValuesIn(kCases), RowName{});

TEST(OneShotTable, CaptionsAsShownOnTheButtons) {
    EXPECT_EQ(findOneShot(Control::Command28)->caption, "RGB");
    EXPECT_EQ(findOneShot(Control::Command3)->caption, "DISPLAY CLEAR");
    EXPECT_EQ(findOneShot(Control::Command39)->caption, "P-Timer");
    EXPECT_EQ(findOneShot(Control::Command1), nullptr) << "VOL + is a hold button";
}

class CommandButtons : public FormTest {};

TEST_F(CommandButtons, PowerOffAfterAHoldReleaseRunsWith500And1000) {
    start();
    form.click(Control::Command44);
    form.press(Control::Command1);
    form.release(Control::Command1);
    form.click(Control::Command18);
    EXPECT_EQ(interval(TimerId::Timer2), 500);
    EXPECT_EQ(interval(TimerId::Timer4), 1000);
}

TEST_F(CommandButtons, TwoQuickClicksSendTwoLinesAndRestartTheWait) {
    start();
    form.click(Control::Command19);
    panel.advance(400);
    form.click(Control::Command20);
    EXPECT_EQ(port.writes, (std::vector<std::string>{"C0B\r", "C0C\r"}));
    panel.advance(499);
    EXPECT_TRUE(running(TimerId::Timer2)) << "the second click restarted the reply wait";
    EXPECT_EQ(txd(), " C 0 C CR ");
    panel.advance(1);
    EXPECT_EQ(rxd(), " X X X X");
}

TEST_F(CommandButtons, MenuOnAndAutoImageEnterTheMenuContextWithoutAnyReply) {
    start();
    for (const Control c : {Control::Command23, Control::Command13}) {
        form.press(Control::Command48); // D.Zoom release: 5 ms and context 3
        form.release(Control::Command48);
        ASSERT_EQ(form.cursorPadMode(), 3);
        form.click(c);
        EXPECT_EQ(interval(TimerId::Timer1), 200) << ::testing::PrintToString(c);
        EXPECT_EQ(form.cursorPadMode(), 1) << ::testing::PrintToString(c);
        EXPECT_FALSE(running(TimerId::Timer1)) << "the click starts no repeat";
    }
}

TEST_F(CommandButtons, MenuOffChangesNeitherContextNorRepeatInterval) {
    start();
    form.press(Control::Command49);
    form.release(Control::Command49);
    form.click(Control::Command24);
    EXPECT_EQ(interval(TimerId::Timer1), 5);
    EXPECT_EQ(form.cursorPadMode(), 3);
}

TEST_F(CommandButtons, DisplayClearSendsAndLeavesThePaneAlone) {
    start();
    form.click(Control::Command44);
    port.deliver("80\r");
    form.click(Control::Command3);
    EXPECT_EQ(port.writes.back(), "C1E\r");
    EXPECT_EQ(rxd(), " 8 0 CR ");
    EXPECT_EQ(status(), " Stand by");
}

TEST_F(CommandButtons, ClickTouchesNeitherBufferNorHoldNorPortPanel) {
    start();
    form.click(Control::Command45);
    port.deliver("2");
    form.click(Control::Command33);
    form.click(Control::Command17);
    EXPECT_EQ(form.receiveBuffer(), "2");
    EXPECT_EQ(form.heldButton(), 0);
    EXPECT_TRUE(panel.isVisible(Control::Frame8));
}

TEST_F(CommandButtons, HoldButtonsIgnoreClicks) {
    start();
    for (const auto& b : kHoldButtons) {
        form.click(b.control);
    }
    EXPECT_TRUE(port.writes.empty());
}

} // namespace
} // namespace tavo::test
