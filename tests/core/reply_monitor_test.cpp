#include "tests/core/form_fixture.h"

#include <algorithm>

namespace tavo::test {
namespace {

class ReplyMonitor : public FormTest {};

TEST_F(ReplyMonitor, StatusExchangeFromClickToClear) {
    start();
    form.click(Control::Command44);
    EXPECT_EQ(txd(), " C R 0 CR ");
    EXPECT_EQ(form.replyPending(), 1);

    port.deliver("80\r");
    EXPECT_EQ(rxd(), " 8 0 CR ");
    EXPECT_EQ(status(), " Stand by");
    EXPECT_EQ(form.replyPending(), 0);

    panel.advance(2000);
    EXPECT_EQ(rxd(), " 8 0 CR ") << "the end of the reply wait leaves RXD as it was";
    EXPECT_EQ(form.receiveBuffer(), "");
    EXPECT_FALSE(running(TimerId::Timer2));

    panel.advance(499);
    EXPECT_EQ(status(), " Stand by");
    panel.advance(1);
    EXPECT_EQ(txd(), "");
    EXPECT_EQ(rxd(), "");
    EXPECT_EQ(status(), "");
    EXPECT_FALSE(running(TimerId::Timer4));
}

TEST_F(ReplyMonitor, NoReplyIsMarkedAtTheEndOfTheWait) {
    start();
    form.click(Control::Command44);
    panel.advance(1999);
    EXPECT_EQ(rxd(), "");
    panel.advance(1);
    EXPECT_EQ(rxd(), " X X X X");
    EXPECT_EQ(form.replyPending(), 0);
    panel.advance(500);
    EXPECT_EQ(rxd(), "");
}

TEST_F(ReplyMonitor, ALoneAckSuppressesTheMarker) {
    start();
    form.click(Control::Command19);
    port.deliver("\x06");
    panel.advance(500);
    EXPECT_EQ(rxd(), " ACK ");
}

TEST_F(ReplyMonitor, ReplyInPiecesKeepsOneLeadingSpace) {
    start();
    form.click(Control::Command46);
    port.deliver("01");
    EXPECT_EQ(rxd(), " 0 1 ");
    port.deliver("2");
    EXPECT_EQ(rxd(), " 0 1 2 ");
    port.deliver("3\r\n");
    EXPECT_EQ(rxd(), " 0 1 2 3 CR LF  ");
    EXPECT_EQ(form.receiveBuffer(), "0123\r\n");
}

TEST_F(ReplyMonitor, SecondSendWithinTheWaitAppendsToTheSameBuffer) {
    start();
    form.click(Control::Command44);
    port.deliver("00\r");
    form.click(Control::Command45);
    port.deliver("2\r");
    EXPECT_EQ(form.receiveBuffer(), "00\r2\r");
    EXPECT_EQ(rxd(), " 0 0 CR 2 CR ");
    EXPECT_EQ(status(), " Power ON") << "the input decoder reads the first reply's start";
}

TEST_F(ReplyMonitor, DisplayClearEmptiesFieldsEvenBeforeTheReplyWaitEnds) {
    start();
    form.click(Control::Command44); // reply wait 2000, display clear 2500
    panel.advance(2100);
    // Keeps the intervals: the stopped reply wait starts afresh, the running clear does not.
    form.click(Control::Command18);
    port.deliver("\x06\r");
    panel.advance(400);
    EXPECT_TRUE(running(TimerId::Timer2));
    EXPECT_EQ(txd(), "");
    EXPECT_EQ(rxd(), "");
    panel.advance(1600);
    EXPECT_EQ(rxd(), "") << "a reply arrived, so no marker";
}

TEST_F(ReplyMonitor, LateReplyStartsAFreshBufferAndIsDecoded) {
    start();
    form.click(Control::Command44);
    panel.advance(2000);
    port.deliver("20\r");
    EXPECT_EQ(rxd(), " 2 0 CR ");
    EXPECT_EQ(status(), " Cooling down");
}

TEST_F(ReplyMonitor, OtherEventCodesAreIgnored) {
    start();
    form.click(Control::Command44);
    port.pending = "80\r";
    port.notify(3);
    EXPECT_EQ(form.replyPending(), 1);
    EXPECT_EQ(rxd(), "");
    EXPECT_EQ(port.pending, "80\r") << "nothing was read";
}

TEST_F(ReplyMonitor, ThreeNotificationsOfTwoOneAndThreeCharacters) {
    start();
    form.click(Control::Command47);
    port.deliver("11");
    EXPECT_EQ(form.replyPending(), 0);
    port.deliver("\r");
    port.deliver("abc");
    EXPECT_EQ(form.receiveBuffer(), "11\rabc");
    EXPECT_EQ(rxd(), " 1 1 CR a b c ");
}

TEST_F(ReplyMonitor, ReceiveBufferStaysBoundedAndKeepsItsStart) {
    start();
    form.click(Control::Command44);
    port.deliver("80\r");
    for (int i = 0; i < 200; ++i) {
        port.deliver(std::string(100, 'x'));
    }
    EXPECT_EQ(form.receiveBuffer().size(), kReceiveBufferLimit);
    EXPECT_EQ(form.receiveBuffer().substr(0, 3), "80\r");
    EXPECT_EQ(status(), " Stand by");
    EXPECT_TRUE(port.pending.empty()) << "the flood is still drained from the port";
}

class SendFailures : public FormTest {};

TEST_F(SendFailures, ClosedPortIsReportedInTheStatusLineWithoutEndingAnything) {
    port.missingPorts = {2};
    start();
    form.click(Control::Command33);
    form.click(Control::Option2); // fails: the port stays closed on COM1
    ASSERT_FALSE(port.opened);
    panel.warnings.clear();

    form.click(Control::Command17);
    EXPECT_EQ(status(), " Not sent: COM1 is not open.");
    EXPECT_EQ(txd(), " C 0 0 CR ") << "the line is still shown";
    EXPECT_TRUE(running(TimerId::Timer2));
    EXPECT_TRUE(panel.warnings.empty()) << "no dialog for a send";
    EXPECT_FALSE(panel.ended);
    panel.advance(5000);
    EXPECT_EQ(rxd(), " X X X X");
    EXPECT_EQ(form.lastSentLine(), "C00\r");
}

TEST_F(SendFailures, RejectedWritesDuringAHoldDoNotStopTheRepeat) {
    start();
    port.failWrites = true;
    form.press(Control::Command15);
    panel.advance(500);
    EXPECT_EQ(form.heldButton(), 7);
    EXPECT_EQ(std::count(port.calls.begin(), port.calls.end(), "write(C47\r)"), 11);
    form.release(Control::Command15);
    EXPECT_FALSE(running(TimerId::Timer1));
    EXPECT_TRUE(panel.warnings.empty());
}

TEST_F(SendFailures, AFailedReadChangesNothing) {
    start();
    form.click(Control::Command44);
    port.failReads = true;
    port.deliver("80\r");
    EXPECT_EQ(form.replyPending(), 1);
    EXPECT_EQ(form.receiveBuffer(), "");
    EXPECT_EQ(status(), " Read failed.");
}

} // namespace
} // namespace tavo::test
