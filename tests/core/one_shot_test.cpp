// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/commands.h"
#include "core/rendering.h"
#include "tests/core/logic_fixture.h"

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
    {"PowerOn", Control::PowerOn, "43 30 30 0D", 5000, 5500},
    {"PowerOff", Control::PowerOff, "43 30 32 0D", kKeeps, kKeeps},
    {"Input1Analog", Control::Input1Analog, "43 46 20 49 4E 50 55 54 31 20 41 4E 41 4C 4F 47 0D", 5000, 5500},
    {"Input1Digital", Control::Input1Digital, "43 46 20 49 4E 50 55 54 31 20 44 49 47 49 54 41 4C 0D", 5000, 5500},
    {"Input2Rgb", Control::Input2Rgb, "43 46 20 49 4E 50 55 54 32 20 41 4E 41 4C 4F 47 0D", 5000, 5500},
    {"Input2Video", Control::Input2Video, "43 46 20 49 4E 50 55 54 32 20 56 49 44 45 4F 0D", 5000, 5500},
    {"Input2Component", Control::Input2Component, "43 46 20 49 4E 50 55 54 32 20 59 50 42 50 52 0D", 5000, 5500},
    {"Input3Video", Control::Input3Video, "43 46 20 49 4E 50 55 54 33 20 56 49 44 45 4F 0D", 5000, 5500},
    {"Input3SVideo", Control::Input3SVideo, "43 46 20 49 4E 50 55 54 33 20 53 2D 56 49 44 45 4F 0D", 5000, 5500},
    {"Input3Component", Control::Input3Component, "43 46 20 49 4E 50 55 54 33 20 59 50 42 50 52 0D", 5000, 5500},
    {"AudioMuteOn", Control::AudioMuteOn, "43 30 42 0D", 500, 1000},
    {"AudioMuteOff", Control::AudioMuteOff, "43 30 43 0D", 500, 1000},
    {"NoShowOn", Control::NoShowOn, "43 30 44 0D", 500, 1000},
    {"NoShowOff", Control::NoShowOff, "43 30 45 0D", 500, 1000},
    {"FreezeOn", Control::FreezeOn, "43 34 33 0D", 500, 1000},
    {"FreezeOff", Control::FreezeOff, "43 34 34 0D", 500, 1000},
    {"MenuOn", Control::MenuOn, "43 31 43 0D", 500, 1000},
    {"MenuOff", Control::MenuOff, "43 31 44 0D", 500, 1000},
    {"VideoNormal", Control::VideoImageNormal, "43 30 46 0D", 500, 1000},
    {"VideoWide", Control::VideoImageWide, "43 31 30 0D", 500, 1000},
    {"AutoImage", Control::AutoImage, "43 38 39 0D", 5000, 5500},
    {"Image", Control::ImageButton, "43 32 37 0D", kKeeps, kKeeps},
    {"PTimer", Control::PTimer, "43 38 41 0D", kKeeps, kKeeps},
    {"DisplayClear", Control::DisplayClear, "43 31 45 0D", kKeeps, kKeeps},
    {"Stand", Control::PictureStandard, "43 46 20 49 4D 41 47 45 20 53 54 41 4E 44 0D", 2000, 2500},
    {"Real", Control::PictureReal, "43 46 20 49 4D 41 47 45 20 52 45 41 4C 0D", 2000, 2500},
    {"Cinema", Control::PictureCinema, "43 46 20 49 4D 41 47 45 20 43 49 4E 45 4D 41 0D", 2000, 2500},
    {"Image1", Control::PictureCustom1, "43 46 20 49 4D 41 47 45 20 43 55 53 54 4F 4D 31 0D", 2000, 2500},
    {"Image2", Control::PictureCustom2, "43 46 20 49 4D 41 47 45 20 43 55 53 54 4F 4D 32 0D", 2000, 2500},
    {"Image3", Control::PictureCustom3, "43 46 20 49 4D 41 47 45 20 43 55 53 54 4F 4D 33 0D", 2000, 2500},
    {"Image4", Control::PictureCustom4, "43 46 20 49 4D 41 47 45 20 43 55 53 54 4F 4D 34 0D", 2000, 2500},
    {"Status", Control::ReadStatus, "43 52 30 0D", 2000, 2500},
    {"Mode", Control::ReadInput, "43 52 31 0D", 2000, 2500},
    {"LampTime", Control::ReadLampTime, "43 52 33 0D", 2000, 2500},
    {"Setting", Control::ReadMirror, "43 52 34 0D", 2000, 2500},
    {"Temperature", Control::ReadTemperatures, "43 52 36 0D", 2000, 2500},
    {"C01", Control::SendC01, "43 30 31 0D", 3000, 3500},
};

static_assert(std::size(kCases) == kOneShotCommands.size(), "every one-shot button has a case");

class OneShotButtons : public LogicTest, public ::testing::WithParamInterface<OneShotCase> {};

TEST_P(OneShotButtons, WritesItsLineAndSetsItsIntervals) {
    const OneShotCase& c = GetParam();
    start();
    // A status read first leaves 2000/2500 behind, which the buttons without intervals keep.
    logic.click(Control::ReadStatus);
    port.writes.clear();

    logic.click(c.control);

    ASSERT_EQ(port.writes.size(), 1U);
    EXPECT_EQ(spelledOut(port.writes[0]), spelledOut(fromHex(c.wireHex)));
    EXPECT_EQ(logic.lastSentLine(), fromHex(c.wireHex));
    EXPECT_EQ(interval(TimerId::ReplyWait), c.wait == kKeeps ? 2000 : c.wait);
    EXPECT_EQ(interval(TimerId::DisplayClear), c.clear == kKeeps ? 2500 : c.clear);
    EXPECT_TRUE(running(TimerId::ReplyWait));
    EXPECT_TRUE(running(TimerId::DisplayClear));
    EXPECT_TRUE(logic.replyPending());
}

TEST_P(OneShotButtons, FirstCommandAfterStartUpUsesTheInitialIntervals) {
    const OneShotCase& c = GetParam();
    start();
    logic.click(c.control);
    EXPECT_EQ(interval(TimerId::ReplyWait), c.wait == kKeeps ? 500 : c.wait);
    EXPECT_EQ(interval(TimerId::DisplayClear), c.clear == kKeeps ? 1000 : c.clear);
}

INSTANTIATE_TEST_SUITE_P(All, OneShotButtons, ::testing::ValuesIn(kCases), RowName{});

TEST(OneShotTable, HoldButtonsAreNotOneShots) {
    EXPECT_EQ(findOneShot(Control::VolumeUp), nullptr) << "VOL + is a hold button";
}

class CommandButtons : public LogicTest {};

TEST_F(CommandButtons, PowerOffAfterAHoldReleaseRunsWith500And1000) {
    start();
    logic.click(Control::ReadStatus);
    logic.press(Control::VolumeUp);
    logic.release(Control::VolumeUp);
    logic.click(Control::PowerOff);
    EXPECT_EQ(interval(TimerId::ReplyWait), 500);
    EXPECT_EQ(interval(TimerId::DisplayClear), 1000);
}

TEST_F(CommandButtons, TwoQuickClicksSendTwoLinesAndRestartTheWait) {
    start();
    logic.click(Control::AudioMuteOn);
    panel.advance(400);
    logic.click(Control::AudioMuteOff);
    EXPECT_EQ(port.writes, (std::vector<std::string>{"C0B\r", "C0C\r"}));
    panel.advance(499);
    EXPECT_TRUE(running(TimerId::ReplyWait)) << "the second click restarted the reply wait";
    EXPECT_EQ(txd(), " C 0 C CR ");
    panel.advance(1);
    EXPECT_EQ(rxd(), " X X X X");
}

TEST_F(CommandButtons, MenuOnAndAutoImageEnterTheMenuContextWithoutAnyReply) {
    start();
    for (const Control c : {Control::MenuOn, Control::AutoImage}) {
        logic.press(Control::DigitalZoomIn); // D.Zoom release: 5 ms and context 3
        logic.release(Control::DigitalZoomIn);
        ASSERT_EQ(logic.cursorPadContext(), CursorPadContext::DigitalZoom);
        logic.click(c);
        EXPECT_EQ(interval(TimerId::HoldRepeat), 200) << ::testing::PrintToString(c);
        EXPECT_EQ(logic.cursorPadContext(), CursorPadContext::Menu) << ::testing::PrintToString(c);
        EXPECT_FALSE(running(TimerId::HoldRepeat)) << "the click starts no repeat";
    }
}

TEST_F(CommandButtons, MenuOffChangesNeitherContextNorRepeatInterval) {
    start();
    logic.press(Control::DigitalZoomOut);
    logic.release(Control::DigitalZoomOut);
    logic.click(Control::MenuOff);
    EXPECT_EQ(interval(TimerId::HoldRepeat), 5);
    EXPECT_EQ(logic.cursorPadContext(), CursorPadContext::DigitalZoom);
}

TEST_F(CommandButtons, DisplayClearSendsAndLeavesThePaneAlone) {
    start();
    logic.click(Control::ReadStatus);
    port.deliver("80\r");
    logic.click(Control::DisplayClear);
    EXPECT_EQ(port.writes.back(), "C1E\r");
    EXPECT_EQ(rxd(), " 8 0 CR ");
    EXPECT_EQ(status(), " Stand by");
}

TEST_F(CommandButtons, ClickTouchesNeitherBufferNorHoldNorPortPanel) {
    start();
    logic.click(Control::ReadInput);
    port.deliver("2");
    logic.click(Control::PortButton);
    logic.click(Control::PowerOn);
    EXPECT_EQ(logic.receiveBuffer(), "2");
    EXPECT_EQ(logic.heldButton(), HoldButton::None);
    EXPECT_TRUE(panel.isVisible(Control::PortPanel));
}

TEST_F(CommandButtons, HoldButtonsIgnoreClicks) {
    start();
    for (const auto& b : kHoldCommands) {
        logic.click(b.control);
    }
    EXPECT_TRUE(port.writes.empty());
}

} // namespace
} // namespace tavo::test
