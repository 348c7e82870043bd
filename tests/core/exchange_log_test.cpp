// SPDX-License-Identifier: GPL-3.0-or-later
// The exchange log's rows as the engine runs on the virtual clock, and its bounds.

#include "core/commands.h"
#include "core/exchange_log.h"
#include "core/line_exchange.h"
#include "core/rendering.h"
#include "tests/support/fake_serial_port.h"
#include "tests/support/virtual_clock.h"

#include <gtest/gtest.h>

namespace tavo::test {
namespace {

class ExchangeLogTest : public ::testing::Test {
protected:
    ExchangeLogTest() {
        port.setEventHandler([this](PortEvent event) {
            if (event == PortEvent::Received) {
                (void)exchange.received();
            }
        });
        (void)port.open();
        exchange.addListener(log);
        log.setPort("COM1");
    }

    void send(Control control) {
        const OneShotCommand& command = *findOneShot(control);
        (void)exchange.submit({.line = std::string(command.code) + kCarriageReturn,
                               .replyWaitMs = command.intervals->replyWait,
                               .steps = 1,
                               .periodMs = 0});
    }

    FakeSerialPort port;
    VirtualClock clock;
    // As the panel paces its lines: everything is read as it arrives.
    LineExchange exchange{port, clock, Pacing::AtOnce};
    ExchangeLog log{clock};
};

TEST_F(ExchangeLogTest, AStatusReadShowsItsLineItsReplyAndWhatItMeans) {
    clock.advance(1000);
    send(Control::ReadStatus);
    clock.advance(40);
    port.deliver("80\r");
    ASSERT_EQ(log.rows().size(), 2U);
    const LogRow& sent = log.rows()[0];
    EXPECT_EQ(sent.kind, LogKind::Sent);
    EXPECT_EQ(sent.atMs, 1000);
    EXPECT_EQ(sent.port, "COM1");
    EXPECT_EQ(sent.tokens, visibleRendering("CR0\r"));
    const LogRow& reply = log.rows()[1];
    EXPECT_EQ(reply.kind, LogKind::Reply);
    EXPECT_EQ(reply.atMs, 1040);
    EXPECT_EQ(reply.tokens, visibleRendering("80\r"));
    EXPECT_EQ(reply.decoded, "Stand by");
}

TEST_F(ExchangeLogTest, ASilentWaitAndTheLateReplyAfterItAreRowsOfTheirOwn) {
    send(Control::ReadStatus);
    clock.advance(findOneShot(Control::ReadStatus)->intervals->replyWait);
    clock.advance(300);
    port.deliver("00\r");
    ASSERT_EQ(log.rows().size(), 3U);
    EXPECT_EQ(log.rows()[1].kind, LogKind::NoReply);
    EXPECT_EQ(log.rows()[2].kind, LogKind::LateReply);
    EXPECT_EQ(log.rows()[2].text, "CR0") << "it names the line it answers";
    EXPECT_EQ(log.rows()[2].decoded, "Power ON");
}

TEST_F(ExchangeLogTest, KeepsTheNewestRowsAndAFloodInOneBoundedRow) {
    for (std::size_t i = 0; i < kMaxLogRows + 5; ++i) {
        log.portEvent("event");
    }
    EXPECT_EQ(log.rows().size(), kMaxLogRows);
    EXPECT_EQ(log.rows().front().serial, 6U);
    for (int i = 0; i < 100; ++i) {
        port.deliver(std::string(1000, 'x'));
    }
    const LogRow& flood = log.rows().back();
    EXPECT_EQ(flood.kind, LogKind::Unasked);
    EXPECT_EQ(flood.bytes, 100'000U);
    EXPECT_EQ(flood.tokens, visibleRendering(std::string(kMaxLogRowBytes, 'x')));
    EXPECT_EQ(log.rows().size(), kMaxLogRows);
}

} // namespace
} // namespace tavo::test
