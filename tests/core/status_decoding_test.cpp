// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/rendering.h"
#include "core/status_decoding.h"
#include "tests/core/logic_fixture.h"

#include <ostream>

namespace tavo::test {
namespace {

struct DecodeCase {
    const char* name;
    const char* query;
    std::string reply;
    const char* shown;
};

// Failure messages name the row instead of dumping its bytes.
void PrintTo(const DecodeCase& row, std::ostream* os) {
    *os << row.name;
}

class StatusTables : public LogicTest, public ::testing::WithParamInterface<DecodeCase> {};

Control buttonFor(std::string_view query) {
    if (query == "CR0")
        return Control::ReadStatus;
    if (query == "CR1")
        return Control::ReadInput;
    if (query == "CR3")
        return Control::ReadLampTime;
    if (query == "CR4")
        return Control::ReadMirror;
    if (query == "CR6")
        return Control::ReadTemperatures;
    return Control::PTimer;
}

TEST_P(StatusTables, ReplyIsDecodedIntoTheStatusLine) {
    start();
    logic.click(buttonFor(GetParam().query));
    port.deliver(GetParam().reply);
    EXPECT_EQ(status(), GetParam().shown) << "reply " << spelledOut(GetParam().reply);
}

INSTANTIATE_TEST_SUITE_P(Power, StatusTables,
                         ::testing::Values(DecodeCase{"On", "CR0", "00\r", " Power ON"},
                                           DecodeCase{"StandBy", "CR0", "80\r", " Stand by"},
                                           DecodeCase{"CountDown", "CR0", "40\r", " Count down"},
                                           DecodeCase{"Cooling", "CR0", "20\r", " Cooling down"},
                                           DecodeCase{"PowerFault", "CR0", "10\r", " Power abnormality"},
                                           DecodeCase{"Temp28", "CR0", "28\r", " Temperature abnormality"},
                                           DecodeCase{"Temp08", "CR0", "08\r", " Temperature abnormality"},
                                           DecodeCase{"Temp88", "CR0", "88\r", " Temperature abnormality"},
                                           DecodeCase{"KeysLocked", "CR0", "02\r", " Key input prohibition"},
                                           DecodeCase{"PmCooling", "CR0", "24\r", " Power Management Cooling"},
                                           DecodeCase{"PowerManagement", "CR0", "04\r", " Power Management"}),
                         RowName{});

INSTANTIATE_TEST_SUITE_P(Input, StatusTables,
                         ::testing::Values(DecodeCase{"One", "CR1", "1\r", " Input 1"},
                                           DecodeCase{"Two", "CR1", "2\r", " Input 2"},
                                           DecodeCase{"Three", "CR1", "3\r", " Input 3"},
                                           DecodeCase{"WithoutTerminator", "CR1", "2", " Input 2"}),
                         RowName{});

INSTANTIATE_TEST_SUITE_P(Mirror, StatusTables,
                         ::testing::Values(DecodeCase{"Normal", "CR4", "11\r", " Normally"},
                                           DecodeCase{"TopBottom", "CR4", "10\r", " Top/Bottom reversal"},
                                           DecodeCase{"LeftRight", "CR4", "01\r", " Left/Right reversal"},
                                           DecodeCase{"Both", "CR4", "00\r", " Top/Bottom , Left/Right reversal"}),
                         RowName{});

INSTANTIATE_TEST_SUITE_P(LampAndTemperature, StatusTables,
                         ::testing::Values(DecodeCase{"LampHours", "CR3", "0123\r", " 0 1 2 3 Hour Use"},
                                           DecodeCase{"ShortLampReplyShowsCr", "CR3", "12\r", " 1 2 CR  Hour Use"},
                                           DecodeCase{"Temperatures", "CR6", "025.0 031.5 042.0\r",
                                                      "  S1= 0 2 5 . 0 C  ,   S2=  3 1 . 5 C , S3= 0 4 2 . 0 C"},
                                           DecodeCase{"FiveCharacterTemperature", "CR6", "025.0\r",
                                                      "  S1= 0 2 5 . 0 C  ,   S2=  C , S3= C"},
                                           DecodeCase{"AckShiftsTheCuts", "CR6",
                                                      "\x06"
                                                      "025.0 031.5 042.0\r",
                                                      "  S1= ACK 0 2 5 C  ,   S2=    0 3 1 C , S3= 5   0 4 2 C"}),
                         RowName{});

TEST(StatusDecoding, SameKeyMeansDifferentThingsAfterDifferentQueries) {
    EXPECT_EQ(decodeStatus("CR0\r", " 1 0 CR "), " Power abnormality");
    EXPECT_EQ(decodeStatus("CR4\r", " 1 0 CR "), " Top/Bottom reversal");
    EXPECT_EQ(decodeStatus("CR0\r", " 0 0 CR "), " Power ON");
    EXPECT_EQ(decodeStatus("CR4\r", " 0 0 CR "), " Top/Bottom , Left/Right reversal");
}

TEST(StatusDecoding, OnlyTheExactStatusLinesChooseADecoder) {
    for (const char* line : {"C8A\r", "CR0", "CR0\r\r", "cr0\r", "CR2\r", "CR5\r", "C00\r", ""}) {
        EXPECT_EQ(decodeStatus(line, " 8 0 CR "), std::nullopt) << spelledOut(line);
    }
}

class StatusLine : public LogicTest {};

TEST_F(StatusLine, UnknownKeyKeepsThePreviousText) {
    start();
    logic.click(Control::ReadInput);
    port.deliver("2\r");
    logic.click(Control::ReadInput);
    panel.advance(2000); // the old reply is gone from the buffer, the status line stays
    port.deliver("4\r");
    EXPECT_EQ(status(), " Input 2");
}

TEST_F(StatusLine, ReplyStartingWithAckMatchesNoKey) {
    start();
    logic.click(Control::ReadStatus);
    port.deliver("\x06"
                 "80\r");
    EXPECT_EQ(status(), "");
}

TEST_F(StatusLine, RepliesToOtherCommandsNeverChangeIt) {
    start();
    logic.click(Control::ReadStatus);
    port.deliver("80\r");
    for (const Control c : {Control::PTimer, Control::PowerOn, Control::PictureStandard}) {
        logic.click(c);
        panel.advance(5000);
        port.deliver("00\r");
        EXPECT_EQ(status(), "") << ::testing::PrintToString(c);
        EXPECT_EQ(rxd(), " 0 0 CR ");
    }
}

TEST_F(StatusLine, GrowingReplyIsDecodedAgainWithEachPiece) {
    start();
    logic.click(Control::ReadStatus);
    port.deliver("8");
    EXPECT_EQ(status(), "") << "the key needs both characters";
    port.deliver("0");
    EXPECT_EQ(status(), " Stand by");

    logic.click(Control::ReadLampTime);
    panel.advance(2000);
    port.deliver("0");
    EXPECT_EQ(status(), " 0  Hour Use");
    port.deliver("42");
    EXPECT_EQ(status(), " 0 4 2  Hour Use");
}

TEST_F(StatusLine, TwoStatusReadsWithinOneWaitEachReadTheirOwnReply) {
    start();
    logic.click(Control::ReadLampTime);
    port.deliver("0123\r");
    logic.click(Control::ReadTemperatures);
    port.deliver("025.0 031.5 042.0\r");
    EXPECT_EQ(status(), "  S1= 0 2 5 . 0 C  ,   S2=  3 1 . 5 C , S3= 0 4 2 . 0 C");
}

} // namespace
} // namespace tavo::test
