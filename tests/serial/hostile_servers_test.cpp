// SPDX-License-Identifier: GPL-3.0-or-later
// The panel's COM ports against device servers that misbehave: a server past a bound is cut off
// with a text that says what it did, memory stays flat, the usual reconnect takes over with
// backoff, and an oversized subnegotiation never reaches the data.

#include "serial/com_ports.h"
#include "serial/device_factory.h"
#include "tests/support/fake_port_advisor.h"
#include "tests/support/hostile_server.h"

#include <QTest>
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace tavo::test {
namespace {

std::int64_t residentBytes() {
    std::ifstream statm("/proc/self/statm");
    std::int64_t size = 0;
    std::int64_t resident = 0;
    statm >> size >> resident;
    return resident * ::sysconf(_SC_PAGESIZE);
}

struct Panel {
    explicit Panel(quint16 serverPort)
        : port({QStringLiteral("rfc2217://127.0.0.1:%1").arg(serverPort), {}}, makeDevice, advisor) {
        port.setEventHandler([this](PortEvent event) {
            events.push_back(event);
            if (event == PortEvent::Received) {
                received += port.readAll().value;
            }
        });
    }
    [[nodiscard]] bool seen(PortEvent event) const {
        return std::find(events.begin(), events.end(), event) != events.end();
    }

    FakePortAdvisor advisor;
    ComPorts port;
    std::vector<PortEvent> events;
    std::string received;
};

TEST(HostileServers, NegotiationFloodIsCutOffAndTriedAgainLaterWithFlatMemory) {
    HostileServer server(Hostility::NegotiationFlood);
    Panel panel(server.port());
    const std::int64_t residentBefore = residentBytes();
    ASSERT_FALSE(panel.port.open().error);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return panel.seen(PortEvent::DeviceLost) || panel.seen(PortEvent::OpenFailed); }));
    const PortEvent ended = panel.seen(PortEvent::DeviceLost) ? PortEvent::DeviceLost : PortEvent::OpenFailed;
    const std::string text = panel.port.describe(ended);
    EXPECT_NE(text.find("the device server sent endless telnet negotiation"), std::string::npos) << text;
    EXPECT_TRUE(panel.received.empty()) << "negotiation is no data";

    // Lost once it was open: the reconnect takes over, at growing intervals.
    if (ended == PortEvent::DeviceLost) {
        QTest::qWait(4500);
        EXPECT_GE(server.connections(), 2) << "tried again";
        EXPECT_LE(server.connections(), 3) << "tried again without backoff";
        // Each return is cut off again, and each loss is told once.
        const auto count = [&panel](PortEvent event) {
            return std::ranges::count(panel.events, event);
        };
        EXPECT_EQ(count(PortEvent::DeviceLost), count(PortEvent::DeviceBack) + 1);
    }
    EXPECT_LT(residentBytes() - residentBefore, 50 * 1024 * 1024);
}

TEST(HostileServers, OversizedSubnegotiationIsDroppedWholeAndTheDataAfterItArrives) {
    HostileServer server(Hostility::LongSubnegotiationThenAck);
    Panel panel(server.port());
    ASSERT_FALSE(panel.port.open().error);
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel.seen(PortEvent::Opened); }));
    ASSERT_FALSE(panel.port.write("C00\r"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel.received.find('\r') != std::string::npos; }));
    QTest::qWait(50);
    EXPECT_EQ(panel.received, "\x06\r");
}

TEST(HostileServers, EndlessSubnegotiationIsCutOff) {
    HostileServer server(Hostility::EndlessSubnegotiation);
    Panel panel(server.port());
    ASSERT_FALSE(panel.port.open().error);
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel.seen(PortEvent::Opened); }));
    ASSERT_FALSE(panel.port.write("C00\r"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel.seen(PortEvent::DeviceLost); }));
    const std::string text = panel.port.describe(PortEvent::DeviceLost);
    EXPECT_NE(text.find("a telnet subnegotiation that never ends"), std::string::npos) << text;
    EXPECT_TRUE(panel.received.empty());
    EXPECT_LT(server.bytesSent(), kFloodBytes);
}

} // namespace
} // namespace tavo::test
