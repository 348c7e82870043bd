// SPDX-License-Identifier: GPL-3.0-or-later
// A port that keeps opening (the bridge's): a device that cannot be opened yet is tried again with
// the reconnect policy, its failure told once and again only when the reason changes, and its
// success told when it comes.

#include "serial/com_ports.h"
#include "serial/device_factory.h"
#include "tests/support/fake_port_advisor.h"
#include "tests/support/pty_pair.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tavo::test {
namespace {

TEST(KeepOpening, ADeviceThatIsNotThereYetIsTriedUntilItOpensAndEachReasonIsToldOnce) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString link = dir.filePath(QStringLiteral("ttyUSB-late"));
    const FakePortAdvisor advisor;
    ComPorts port({link, QString()}, makeDevice, advisor, PortNaming::Device);
    port.setKeepOpening(true);
    std::vector<PortEvent> events;
    std::vector<std::string> failures;
    port.setEventHandler([&](PortEvent event) {
        events.push_back(event);
        if (event == PortEvent::OpenFailed) {
            failures.push_back(port.describe(event));
        }
    });
    ASSERT_FALSE(port.setLineSettings({.baud = 9600}));

    QElapsedTimer clock;
    clock.start();
    const PortResult<Opening> opening = port.open();
    ASSERT_TRUE(opening.error.has_value());
    EXPECT_TRUE(opening.error->starts_with(link.toStdString() + " cannot be opened: the device does not exist."))
        << *opening.error;
    EXPECT_TRUE(port.isOpen().value) << "still trying";
    EXPECT_EQ(port.write("C00\r"), opening.error) << "a write meanwhile says why";

    // The same reason at the first try is not told again; a new one is.
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), link));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !failures.empty(); }, 3000));
    EXPECT_GE(clock.elapsed(), 900) << "the first try waits the policy's first delay";
    EXPECT_EQ(failures, std::vector<std::string>{link.toStdString() + " cannot be opened: it is not a serial port. "
                                                                       "[choose a device for COM1]"});

    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    ASSERT_TRUE(QFile::remove(link));
    ASSERT_TRUE(QFile::link(pty.slavePath(), link));
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::ranges::count(events, PortEvent::Opened) == 1; }, 5000));
    EXPECT_EQ(failures.size(), 1U);
    EXPECT_TRUE(port.deviceOpen());
    const termios line = pty.lineSettings();
    EXPECT_EQ(cfgetospeed(&line), static_cast<speed_t>(B9600));
    ASSERT_FALSE(port.write("CR0\r"));
    EXPECT_EQ(pty.receive(4), "CR0\r");
}

TEST(KeepOpening, ClosingStopsTheTries) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString link = dir.filePath(QStringLiteral("ttyUSB-never"));
    const FakePortAdvisor advisor;
    ComPorts port({link, QString()}, makeDevice, advisor);
    port.setKeepOpening(true);
    std::vector<PortEvent> events;
    port.setEventHandler([&](PortEvent event) { events.push_back(event); });
    ASSERT_TRUE(port.open().error.has_value());
    ASSERT_FALSE(port.close());
    EXPECT_FALSE(port.isOpen().value);
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    ASSERT_TRUE(QFile::link(pty.slavePath(), link));
    QTest::qWait(1500);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(pty.drain(), "");
}

} // namespace
} // namespace tavo::test
