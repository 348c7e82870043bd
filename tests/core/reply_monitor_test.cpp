// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/operation_model.h"
#include "core/wording.h"
#include "tests/core/logic_fixture.h"

#include <algorithm>

namespace tavo::test {
namespace {

class ReplyMonitor : public LogicTest {};

TEST_F(ReplyMonitor, StatusExchangeFromClickToClear) {
    start();
    logic.click(Control::ReadStatus);
    EXPECT_EQ(txd(), " C R 0 CR ");
    EXPECT_TRUE(logic.replyPending());

    port.deliver("80\r");
    EXPECT_EQ(rxd(), " 8 0 CR ");
    EXPECT_EQ(status(), " Stand by");
    EXPECT_FALSE(logic.replyPending());

    panel.advance(2000);
    EXPECT_EQ(rxd(), " 8 0 CR ") << "the end of the reply wait leaves RXD as it was";
    EXPECT_EQ(logic.receiveBuffer(), "");
    EXPECT_FALSE(running(TimerId::ReplyWait));

    panel.advance(499);
    EXPECT_EQ(status(), " Stand by");
    panel.advance(1);
    EXPECT_EQ(txd(), "");
    EXPECT_EQ(rxd(), "");
    EXPECT_EQ(status(), "");
    EXPECT_FALSE(running(TimerId::DisplayClear));
}

// The decoder's text stays as it is; whether the reply is one the projector gives is said beside it.
TEST_F(ReplyMonitor, AnUnexpectedStatusReplyIsRemarkedOnBesideTheStatusLine) {
    start();
    logic.click(Control::ReadTemperatures);
    port.deliver("\x1b[31m EVIL");
    EXPECT_EQ(panel.remark(Control::StatusLine), "") << "not judged before its CR";
    port.deliver("\r");
    EXPECT_EQ(status(), "  S1= ? [ 3 1 m C  ,   S2=  V I L C C , S3= C") << "the decoder's text, unchanged";
    EXPECT_EQ(panel.remark(Control::StatusLine),
              "Unexpected reply <1B>[31m EVIL<CR> to CR6<CR>; expected 3 temperatures such as 025.0 031.5 042.0 CR.");

    panel.advance(2500);
    logic.click(Control::ReadStatus);
    port.deliver("80\r");
    EXPECT_EQ(status(), " Stand by");
    EXPECT_EQ(panel.remark(Control::StatusLine), "");
}

TEST_F(ReplyMonitor, NoReplyIsMarkedAtTheEndOfTheWait) {
    start();
    logic.click(Control::ReadStatus);
    panel.advance(1999);
    EXPECT_EQ(rxd(), "");
    panel.advance(1);
    EXPECT_EQ(rxd(), " X X X X");
    EXPECT_FALSE(logic.replyPending());
    panel.advance(500);
    EXPECT_EQ(rxd(), "");
}

TEST_F(ReplyMonitor, ALoneAckSuppressesTheMarker) {
    start();
    logic.click(Control::AudioMuteOn);
    port.deliver("\x06");
    panel.advance(500);
    EXPECT_EQ(rxd(), " ACK ");
}

TEST_F(ReplyMonitor, ReplyInPiecesKeepsOneLeadingSpace) {
    start();
    logic.click(Control::ReadLampTime);
    port.deliver("01");
    EXPECT_EQ(rxd(), " 0 1 ");
    port.deliver("2");
    EXPECT_EQ(rxd(), " 0 1 2 ");
    port.deliver("3\r\n");
    EXPECT_EQ(rxd(), " 0 1 2 3 CR LF  ");
    EXPECT_EQ(logic.receiveBuffer(), "0123\r\n");
}

TEST_F(ReplyMonitor, SecondSendWithinTheWaitAppendsToTheSameBuffer) {
    start();
    logic.click(Control::ReadStatus);
    port.deliver("00\r");
    logic.click(Control::ReadInput);
    port.deliver("2\r");
    EXPECT_EQ(logic.receiveBuffer(), "00\r2\r");
    EXPECT_EQ(rxd(), " 0 0 CR 2 CR ");
    EXPECT_EQ(status(), " Input 2") << "the input decoder reads its own reply";
}

TEST_F(ReplyMonitor, EachQueryIsDecodedFromItsOwnReply) {
    start();
    port.deliver("25\r"); // nobody asked
    panel.advance(10000);
    logic.click(Control::ReadTemperatures);
    port.deliver("025.0 031.5 042.0\r");
    panel.advance(800);
    logic.click(Control::ReadStatus);
    port.deliver("8");
    port.deliver("0\r");
    EXPECT_EQ(status(), " Stand by");
    EXPECT_EQ(logic.receiveBuffer(), "25\r025.0 031.5 042.0\r80\r") << "RXD still shows all that arrived";

    logic.click(Control::ReadLampTime);
    port.deliver("01");
    EXPECT_EQ(status(), " 0 1  Hour Use") << "a reply in pieces is decoded as it grows";
    logic.click(Control::ReadInput);
    panel.advance(2000);
    port.deliver("3\r");
    EXPECT_EQ(status(), " Input 3") << "a late reply is decoded against the last line sent";
}

TEST_F(ReplyMonitor, DisplayClearEmptiesFieldsEvenBeforeTheReplyWaitEnds) {
    start();
    logic.click(Control::ReadStatus); // reply wait 2000, display clear 2500
    panel.advance(2100);
    // Keeps the intervals: the stopped reply wait starts afresh, the running clear does not.
    logic.click(Control::PowerOff);
    port.deliver("\x06\r");
    panel.advance(400);
    EXPECT_TRUE(running(TimerId::ReplyWait));
    EXPECT_EQ(txd(), "");
    EXPECT_EQ(rxd(), "");
    panel.advance(1600);
    EXPECT_EQ(rxd(), "") << "a reply arrived, so no marker";
}

TEST_F(ReplyMonitor, LateReplyStartsAFreshBufferAndIsDecoded) {
    start();
    logic.click(Control::ReadStatus);
    panel.advance(2000);
    port.deliver("20\r");
    EXPECT_EQ(rxd(), " 2 0 CR ");
    EXPECT_EQ(status(), " Cooling down");
}

// The engine tells which line a reply answers: the end of a status read's reply that comes after
// its wait, once an input read has gone out, answers the status read. RXD shows it, the status line
// does not read it as the input, and the log says whose it is.
TEST_F(ReplyMonitor, ALateReplyAfterANewClickIsNotDecodedAsItsAnswer) {
    start();
    logic.click(Control::ReadStatus);
    panel.advance(2000);
    ASSERT_EQ(rxd(), " X X X X");
    panel.advance(100);
    logic.click(Control::ReadInput);
    port.deliver("20\r");
    EXPECT_EQ(rxd(), " 2 0 CR ");
    EXPECT_EQ(status(), "") << "\"2\" would read as input 2";
    port.deliver("3\r");
    EXPECT_EQ(rxd(), " 2 0 CR 3 CR ");
    EXPECT_EQ(status(), " Input 3");

    std::vector<std::pair<LogKind, std::string>> rows;
    for (const LogRow& row : logic.exchangeLog().rows()) {
        if (row.kind != LogKind::Port) {
            rows.emplace_back(row.kind, row.kind == LogKind::LateReply ? row.text + " " + row.decoded : row.tokens);
        }
    }
    EXPECT_EQ(rows, (std::vector<std::pair<LogKind, std::string>>{{LogKind::Sent, " C R 0 CR "},
                                                                  {LogKind::NoReply, " X X X X"},
                                                                  {LogKind::Sent, " C R 1 CR "},
                                                                  {LogKind::LateReply, "CR0 Cooling down"},
                                                                  {LogKind::Reply, " 3 CR "}}));
}

// A click is sent whatever the projector's state; where a recent status read tells a state in
// which the projector takes the line and ignores it, the notice says so.
struct IgnoredRow {
    const char* name;
    const char* status;
    std::int64_t readAgoMs;
    Control control;
    bool told;
};

void PrintTo(const IgnoredRow& row, std::ostream* os) {
    *os << row.name;
}

class IgnoredClick : public LogicTest, public ::testing::WithParamInterface<IgnoredRow> {};

TEST_P(IgnoredClick, IsSentAndToldOnlyWhileTheReadingIsRecent) {
    const IgnoredRow& row = GetParam();
    start();
    logic.click(Control::ReadStatus);
    port.deliver(row.status);
    panel.advance(row.readAgoMs);
    ASSERT_FALSE(panel.notice);

    logic.click(row.control);
    const std::string line = std::string(findOneShot(row.control)->code) + kCarriageReturn;
    EXPECT_EQ(port.writes.back(), line) << "sent all the same";
    if (!row.told) {
        EXPECT_FALSE(panel.notice);
        return;
    }
    const auto phase = powerCondition(std::string_view(row.status).substr(0, 2))->phase;
    const std::string why = whyIgnored(row.control, *phase, SourceWording{});
    EXPECT_EQ(panel.notice,
              std::pair(fillIn("Sent %1, but %2 (status read %3 s ago).",
                               {line.substr(0, line.size() - 1), why, std::to_string((row.readAgoMs + 500) / 1000)}),
                        Notice::Passing));
}

INSTANTIATE_TEST_SUITE_P(
    Readings, IgnoredClick,
    ::testing::Values(
        IgnoredRow{.name = "PowerOnWhileCoolingDown",
                   .status = "20\r",
                   .readAgoMs = 3000,
                   .control = Control::PowerOn,
                   .told = true},
        IgnoredRow{
            .name = "MuteInStandby", .status = "80\r", .readAgoMs = 0, .control = Control::AudioMuteOn, .told = true},
        IgnoredRow{
            .name = "PowerOnWhileOn", .status = "00\r", .readAgoMs = 0, .control = Control::PowerOn, .told = false},
        IgnoredRow{.name = "ReadingNoLongerRecent",
                   .status = "20\r",
                   .readAgoMs = kPowerReadingFreshMs + 1,
                   .control = Control::PowerOn,
                   .told = false}),
    tavo::test::RowName{});

TEST_F(ReplyMonitor, OtherEventCodesAreIgnored) {
    start();
    logic.click(Control::ReadStatus);
    port.pending = "80\r";
    port.notify(PortEvent::LineError);
    EXPECT_TRUE(logic.replyPending());
    EXPECT_EQ(rxd(), "");
    EXPECT_EQ(port.pending, "80\r") << "nothing was read";
}

TEST_F(ReplyMonitor, ThreeNotificationsOfTwoOneAndThreeCharacters) {
    start();
    logic.click(Control::ReadMirror);
    port.deliver("11");
    EXPECT_FALSE(logic.replyPending());
    port.deliver("\r");
    port.deliver("abc");
    EXPECT_EQ(logic.receiveBuffer(), "11\rabc");
    EXPECT_EQ(rxd(), " 1 1 CR a b c ");
}

TEST_F(ReplyMonitor, ReceiveBufferStaysBoundedAndKeepsItsStart) {
    start();
    logic.click(Control::ReadStatus);
    port.deliver("80\r");
    for (int i = 0; i < 200; ++i) {
        port.deliver(std::string(100, 'x'));
    }
    EXPECT_EQ(logic.receiveBuffer().size(), kReceiveBufferLimit);
    EXPECT_EQ(logic.receiveBuffer().substr(0, 3), "80\r");
    EXPECT_EQ(status(), " Stand by");
    EXPECT_TRUE(port.pending.empty()) << "the flood is still drained from the port";
}

class SendFailures : public LogicTest {};

// Where the port stands when a line is not sent: what it refuses the write with, and the notice
// that tells of it (an open in progress keeps its Cancel).
struct NotSentRow {
    const char* name;
    void (*arrange)(FakeSerialPort& port, PanelLogic& logic);
    std::string reason;
    Notice kind;
};

void PrintTo(const NotSentRow& row, std::ostream* os) {
    *os << row.name;
}

class NotSent : public LogicTest, public ::testing::WithParamInterface<NotSentRow> {};

TEST_P(NotSent, EveryClickChangesTheNoticeAndTxdShowsNoLine) {
    start();
    GetParam().arrange(port, logic);
    panel.warnings.clear();

    logic.click(Control::PowerOn);
    const std::string first = "Not sent: C00. " + GetParam().reason;
    EXPECT_EQ(panel.notice, std::pair(first, GetParam().kind));
    EXPECT_EQ(status(), " " + first);
    EXPECT_EQ(txd(), "") << "nothing was written";
    EXPECT_FALSE(running(TimerId::ReplyWait)) << "no reply can come";
    EXPECT_FALSE(logic.replyPending());
    EXPECT_EQ(logic.lastSentLine(), "C00\r");

    // The same button again still changes what the collapsed view shows.
    logic.click(Control::ReadStatus);
    logic.click(Control::ReadStatus);
    EXPECT_EQ(panel.notice, std::pair("Not sent: CR0 (3 in a row). " + GetParam().reason, GetParam().kind));
    EXPECT_TRUE(port.writes.empty());
    EXPECT_TRUE(panel.warnings.empty()) << "no dialog for a send";

    panel.advance(5000);
    EXPECT_EQ(status(), "") << "the display clear takes the status line's report";
    EXPECT_EQ(rxd(), "") << "no missing reply for a line never sent";
    EXPECT_TRUE(panel.notice) << "the notice stays with the state it tells of";
    EXPECT_FALSE(panel.ended);
}

INSTANTIATE_TEST_SUITE_P(States, NotSent,
                         ::testing::Values(NotSentRow{.name = "AfterAFailedPortChange",
                                                      .arrange =
                                                          [](FakeSerialPort& port, PanelLogic& logic) {
                                                              port.missingPorts = {2};
                                                              logic.click(Control::Com2Option);
                                                              logic.answered(PortFailureChoice::Dismiss);
                                                          },
                                                      .reason = "COM1 is not open.",
                                                      .kind = Notice::Lasting},
                                           NotSentRow{.name = "DeviceLost",
                                                      .arrange =
                                                          [](FakeSerialPort& port, PanelLogic& /*logic*/) {
                                                              port.failWrites = true;
                                                              port.notify(PortEvent::DeviceLost);
                                                          },
                                                      .reason = "Write failed on COM1.",
                                                      .kind = Notice::Lasting},
                                           NotSentRow{.name = "Connecting",
                                                      .arrange =
                                                          [](FakeSerialPort& port, PanelLogic& logic) {
                                                              port.pendingPorts = {2};
                                                              logic.click(Control::Com2Option);
                                                          },
                                                      .reason = "COM2 is still connecting.",
                                                      .kind = Notice::Progress}),
                         tavo::test::RowName{});

TEST_F(SendFailures, AWrittenLineEndsTheReport) {
    start();
    port.failWrites = true;
    logic.click(Control::PowerOn);
    ASSERT_TRUE(panel.notice);
    port.failWrites = false;
    logic.click(Control::PowerOn);
    EXPECT_FALSE(panel.notice);
    EXPECT_EQ(txd(), " C 0 0 CR ");
    port.failWrites = true;
    logic.click(Control::PowerOn);
    EXPECT_EQ(panel.notice, std::pair(std::string("Not sent: C00. Write failed on COM1."), Notice::Lasting))
        << "counted afresh";
}

TEST_F(SendFailures, RejectedWritesDuringAHoldDoNotStopTheRepeat) {
    start();
    port.failWrites = true;
    logic.press(Control::ZoomIn);
    panel.advance(500);
    EXPECT_EQ(logic.heldButton(), HoldButton::ZoomIn);
    EXPECT_EQ(std::count(port.calls.begin(), port.calls.end(), "write(C47\r)"), 11);
    EXPECT_EQ(panel.noticesShown, 1) << "the repeats are not told one by one";
    EXPECT_EQ(status(), " Not sent: C47. Write failed on COM1.");
    logic.release(Control::ZoomIn);
    EXPECT_FALSE(running(TimerId::HoldRepeat));
    EXPECT_TRUE(panel.warnings.empty());
}

TEST_F(SendFailures, AFailedReadChangesNothing) {
    start();
    logic.click(Control::ReadStatus);
    port.failReads = true;
    port.deliver("80\r");
    EXPECT_TRUE(logic.replyPending());
    EXPECT_EQ(logic.receiveBuffer(), "");
    EXPECT_EQ(status(), " Read failed.");
}

} // namespace
} // namespace tavo::test
