// SPDX-License-Identifier: GPL-3.0-or-later
// The one conversation on the virtual clock: what is credited to which line, when the next line
// may go out, and the bound on a reply.

#include "core/commands.h"
#include "core/line_exchange.h"
#include "tests/support/fake_serial_port.h"
#include "tests/support/printers.h"
#include "tests/support/virtual_clock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tavo {

void PrintTo(ExchangeEnd end, std::ostream* os) {
    constexpr std::array<const char*, 6> kNames{"Complete", "WaitEnded", "Superseded", "Overflowed", "Failed",
                                                "Abandoned"};
    *os << kNames.at(static_cast<std::size_t>(end));
}

} // namespace tavo

namespace tavo::test {
namespace {

std::string lineOf(Control control) {
    return std::string(findOneShot(control)->code) + kCarriageReturn;
}

const std::string kAck{kAcknowledge, kCarriageReturn};

class Recorder final : public ExchangeListener {
public:
    void lineWritten(ExchangeId id, std::string_view /*line*/, int step) override {
        written.push_back({id, step});
    }
    void bytesArrived(const Arrival& arrival) override {
        late += arrival.late;
        credited += arrival.credited;
        unasked += arrival.unasked;
    }
    void exchangeEnded(const ExchangeResult& result) override { ended.push_back(result); }
    void lateReply(ExchangeId id, std::string_view /*line*/, std::string_view bytes) override {
        lateReplies.emplace_back(id, bytes);
    }
    void ready() override { ++readies; }

    std::vector<std::pair<ExchangeId, int>> written;
    std::string late;
    std::string credited;
    std::string unasked;
    std::vector<ExchangeResult> ended;
    std::vector<std::pair<ExchangeId, std::string>> lateReplies;
    int readies = 0;
};

class LineExchangeTest : public ::testing::Test {
protected:
    LineExchangeTest() : LineExchangeTest(Pacing::AfterReply) {}
    explicit LineExchangeTest(Pacing pacing) : exchange(port, clock, pacing) {
        port.setEventHandler([this](PortEvent event) {
            if (event == PortEvent::Received) {
                (void)exchange.received();
            }
        });
        (void)port.open();
        exchange.addListener(recorder);
    }

    ExchangeId send(Control control, int waitMs = 2000) {
        const Submitted submitted = exchange.submit({.line = lineOf(control), .replyWaitMs = waitMs});
        EXPECT_FALSE(submitted.error);
        return submitted.id;
    }

    FakeSerialPort port;
    VirtualClock clock;
    LineExchange exchange;
    Recorder recorder;
};

TEST_F(LineExchangeTest, AReplyInPiecesIsCreditedWholeAndJudged) {
    const ExchangeId id = send(Control::ReadStatus);
    port.deliver("8");
    EXPECT_TRUE(recorder.ended.empty()) << "no CR yet";
    port.deliver("0\r");
    ASSERT_EQ(recorder.ended.size(), 1U);
    EXPECT_EQ(recorder.ended[0].id, id);
    EXPECT_EQ(recorder.ended[0].end, ExchangeEnd::Complete);
    EXPECT_EQ(recorder.ended[0].reply, "80\r");
    EXPECT_EQ(recorder.ended[0].judgement.verdict, ReplyVerdict::Status);
    EXPECT_TRUE(exchange.ready()) << "a whole reply leaves nothing to wait for";
}

TEST_F(LineExchangeTest, BytesOutsideAnExchangeAreNobodysAnswer) {
    port.deliver("00\r");
    EXPECT_EQ(recorder.unasked, "") << "between exchanges nothing is read";
    send(Control::ReadStatus);
    EXPECT_EQ(recorder.unasked, "00\r") << "what waited is dropped before the line goes out";
    port.deliver("80\r00\r");
    EXPECT_EQ(recorder.credited, "80\r") << "the reply ends at its CR";
    EXPECT_EQ(recorder.unasked, "00\r00\r");
    ASSERT_EQ(recorder.ended.size(), 1U);
    EXPECT_EQ(recorder.ended[0].reply, "80\r");
}

// A device that sends without end, 100 bytes every 10 ms, for `ms`.
void babble(FakeSerialPort& port, VirtualClock& clock, int ms) {
    for (int t = 0; t < ms; t += 10) {
        port.deliver(std::string(100, 'x'));
        clock.advance(10);
    }
}

std::size_t reads(const FakeSerialPort& port) {
    return static_cast<std::size_t>(std::ranges::count(port.calls, std::string("readAll")));
}

TEST_F(LineExchangeTest, ABabblingDeviceIsReadInAFewReadsPerExchangeAndDroppedWhole) {
    // Settled between exchanges: nothing is read, however much comes.
    babble(port, clock, 10'000);
    EXPECT_EQ(reads(port), 0U);
    EXPECT_TRUE(recorder.unasked.empty());
    send(Control::ReadStatus, 500);
    EXPECT_EQ(reads(port), 1U);
    EXPECT_EQ(recorder.unasked.size(), 100'000U) << "what waited is read whole before the line goes out";
    EXPECT_TRUE(port.pending.empty());

    // In flight it reads at once; the noise ends the exchange at its wait, and the line stays
    // unsettled while the device talks, read only every kUnsettledReadPeriodMs.
    babble(port, clock, 10'000);
    ASSERT_EQ(recorder.ended.size(), 1U);
    EXPECT_EQ(recorder.ended[0].end, ExchangeEnd::WaitEnded);
    EXPECT_FALSE(exchange.ready());
    EXPECT_LE(reads(port), 1U + 500U / 10U + 10'000U / kUnsettledReadPeriodMs + 1U);
    EXPECT_EQ(recorder.late.size() + recorder.credited.size() + recorder.unasked.size(), 200'000U - port.pending.size());

    // Once the device is quiet, the line settles within the quiet time and one more read.
    clock.advance(kQuietAfterSilenceMs + kUnsettledReadPeriodMs);
    EXPECT_TRUE(exchange.ready());
    EXPECT_EQ(recorder.readies, 1);
    EXPECT_TRUE(port.pending.empty());
}

TEST_F(LineExchangeTest, AReplyAfterItsWaitIsNeverCreditedToTheNextLine) {
    const ExchangeId first = send(Control::PowerOn, 2000);
    clock.advance(2000);
    ASSERT_EQ(recorder.ended.size(), 1U);
    EXPECT_EQ(recorder.ended[0].end, ExchangeEnd::WaitEnded);
    EXPECT_TRUE(exchange.projectorSilent());
    EXPECT_FALSE(exchange.ready());

    const ExchangeId second = send(Control::ReadStatus);
    EXPECT_EQ(port.writes.size(), 1U) << "the next line waits for the line to be quiet";
    clock.advance(300);
    port.deliver("00\r"); // the first line's late reply
    EXPECT_FALSE(exchange.projectorSilent());
    ASSERT_EQ(recorder.lateReplies.size(), 1U);
    EXPECT_EQ(recorder.lateReplies[0], std::make_pair(first, std::string("00\r")));
    clock.advance(499);
    EXPECT_EQ(port.writes.size(), 1U) << "the quiet time starts again with every byte";
    clock.advance(1);
    ASSERT_EQ(port.writes.size(), 2U);
    port.deliver("80\r");
    ASSERT_EQ(recorder.ended.size(), 2U);
    EXPECT_EQ(recorder.ended[1].id, second);
    EXPECT_EQ(recorder.ended[1].reply, "80\r");
    EXPECT_EQ(recorder.lateReplies.size(), 1U) << "a late reply is told once";
}

TEST_F(LineExchangeTest, LateNoiseIsToldOnceWhenTheLineSettles) {
    send(Control::ReadStatus, 500);
    clock.advance(500);
    port.deliver("x");
    port.deliver("y");
    EXPECT_TRUE(recorder.lateReplies.empty()) << "no CR: the late reply is not whole yet";
    // "y" came while a read was due, and is read then: the quiet time runs from that read.
    clock.advance(kQuietAfterSilenceMs + kUnsettledReadPeriodMs);
    ASSERT_EQ(recorder.lateReplies.size(), 1U);
    EXPECT_EQ(recorder.lateReplies[0].second, "xy");
    EXPECT_TRUE(exchange.ready());
    EXPECT_EQ(recorder.readies, 1);
}

TEST_F(LineExchangeTest, AFloodIsCutAtTheBoundAndHeardOut) {
    send(Control::ReadStatus);
    port.deliver(std::string(kMaxReplyBytes + 10, 'x'));
    ASSERT_EQ(recorder.ended.size(), 1U);
    EXPECT_EQ(recorder.ended[0].end, ExchangeEnd::Overflowed);
    EXPECT_EQ(recorder.ended[0].reply.size(), kMaxReplyBytes);
    EXPECT_EQ(recorder.unasked.size(), 10U);
    EXPECT_FALSE(exchange.ready()) << "the next line waits until the device is quiet";
    clock.advance(kQuietAfterSilenceMs);
    EXPECT_TRUE(exchange.ready());
}

TEST_F(LineExchangeTest, AHeldLineIsWrittenStepByStepAndWholeWithAReplyForEach) {
    const HoldCommand& volume = *findHold(Control::VolumeUp);
    const std::string line = std::string(volume.code) + kCarriageReturn;
    const Submitted submitted =
        exchange.submit({.line = line, .replyWaitMs = 500, .steps = 3, .periodMs = volume.timing->repeat});
    ASSERT_FALSE(submitted.error);
    port.deliver(kAck);
    clock.advance(volume.timing->repeat);
    port.deliver(kAck);
    EXPECT_EQ(port.writes.size(), 2U);
    clock.advance(volume.timing->repeat);
    EXPECT_EQ(port.writes, std::vector<std::string>(3, line));
    EXPECT_TRUE(recorder.ended.empty());
    port.deliver(kAck);
    ASSERT_EQ(recorder.ended.size(), 1U);
    EXPECT_EQ(recorder.ended[0].end, ExchangeEnd::Complete);
    EXPECT_EQ(recorder.ended[0].written, 3);
    EXPECT_EQ(recorder.ended[0].judgement.verdict, ReplyVerdict::Acknowledged);
}

TEST_F(LineExchangeTest, ALostDeviceEndsTheExchangeAndTheWaitingLineAtOnce) {
    send(Control::ReadStatus, 500);
    clock.advance(500);
    send(Control::ReadInput); // held back until the line is quiet
    exchange.portFailed("gone");
    ASSERT_EQ(recorder.ended.size(), 2U);
    EXPECT_EQ(recorder.ended[1].end, ExchangeEnd::Failed);
    EXPECT_EQ(recorder.ended[1].written, 0);
    EXPECT_EQ(recorder.ended[1].error, "gone");
    EXPECT_EQ(port.writes.size(), 1U);
}

TEST_F(LineExchangeTest, ALineThePortRefusesBeginsNoExchange) {
    port.failWrites = true;
    const Submitted submitted = exchange.submit({.line = lineOf(Control::PowerOn), .replyWaitMs = 500});
    EXPECT_TRUE(submitted.error);
    EXPECT_EQ(submitted.id, 0U);
    EXPECT_TRUE(recorder.ended.empty());
    EXPECT_TRUE(exchange.ready());
}

class AtOnceTest : public LineExchangeTest {
protected:
    AtOnceTest() : LineExchangeTest(Pacing::AtOnce) {}

    // A line whose wait the owner ends, as the panel does with its own timer.
    static LineRequest ownersWait(Control control) {
        return {.line = lineOf(control), .replyWaitMs = std::nullopt, .steps = 1, .periodMs = 0};
    }
};

TEST_F(AtOnceTest, EverythingIsReadAsItArrivesAlsoBetweenExchanges) {
    babble(port, clock, 1000);
    EXPECT_EQ(reads(port), 100U);
    EXPECT_EQ(recorder.unasked.size(), 10'000U);
}

TEST_F(AtOnceTest, ANewLineGoesOutAtOnceAndTakesTheRepliesFromThen) {
    const ExchangeId first = exchange.submit(ownersWait(Control::ReadStatus)).id;
    port.deliver("8");
    const ExchangeId second = exchange.submit(ownersWait(Control::ReadInput)).id;
    EXPECT_EQ(port.writes.size(), 2U);
    ASSERT_EQ(recorder.ended.size(), 1U);
    EXPECT_EQ(recorder.ended[0].id, first);
    EXPECT_EQ(recorder.ended[0].end, ExchangeEnd::Superseded);
    port.deliver("2\r");
    ASSERT_EQ(recorder.ended.size(), 2U);
    EXPECT_EQ(recorder.ended[1].id, second);
    EXPECT_EQ(recorder.ended[1].reply, "2\r");
}

TEST_F(AtOnceTest, AfterASilentWaitTheLateReplyGoesToItsOwnLineEvenWithANewLineOut) {
    const ExchangeId first = exchange.submit(ownersWait(Control::PowerOn)).id;
    exchange.endWait(); // the owner's reply wait
    const ExchangeId second = exchange.submit(ownersWait(Control::ReadStatus)).id;
    EXPECT_EQ(port.writes.size(), 2U) << "the line goes out at once";
    port.deliver(kAck + "80\r");
    ASSERT_EQ(recorder.lateReplies.size(), 1U);
    EXPECT_EQ(recorder.lateReplies[0], std::make_pair(first, kAck));
    ASSERT_EQ(recorder.ended.size(), 2U);
    EXPECT_EQ(recorder.ended[1].id, second);
    EXPECT_EQ(recorder.ended[1].reply, "80\r");
}

} // namespace
} // namespace tavo::test
