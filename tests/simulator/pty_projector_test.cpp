// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/com_ports.h"
#include "simulator/pty_projector.h"
#include "tests/support/projector_over_pty.h"
#include "tests/support/pty_pair.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace tavo {

namespace {

ProjectorModel::Options fastProjector() {
    ProjectorModel::Options options;
    options.replyDelayMs = 5;
    options.splitPercent = 0;
    options.countDownMs = 200;
    options.coolingDownMs = 200;
    return options;
}

// The panel's serial port talking to a simulated projector over a new pseudo-terminal.
class PtyProjectorTest : public test::ProjectorOverPty {
protected:
    void start(ProjectorModel::Options model) {
        ASSERT_NO_FATAL_FAILURE(startProjector(std::move(model)));
        port->setEventHandler([this](PortEvent event) {
            if (event == PortEvent::Received) {
                buffer += port->readAll().value;
            }
        });
        ASSERT_FALSE(port->setLineSettings({.baud = 19200}));
        ASSERT_FALSE(port->open().error);
    }

    // Sends one line and waits (bounded) for a reply that ends in CR.
    std::string ask(const std::string& line) {
        buffer.clear();
        EXPECT_FALSE(port->write(line + '\r'));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !buffer.empty() && buffer.back() == '\r'; }))
            << line << " got \"" << buffer << '"';
        return buffer;
    }

    std::string buffer;
};

TEST_F(PtyProjectorTest, AnswersStatusReadsOverTheLine) {
    start(fastProjector());
    EXPECT_EQ(ask("CR0"), "80\r");
    EXPECT_EQ(ask("CR1"), "1\r");
    EXPECT_EQ(ask("CR3"), "1234\r");
    EXPECT_EQ(ask("CR4"), "11\r");
    EXPECT_EQ(ask("CR6"), "025.0 031.5 042.0\r");
    EXPECT_EQ(ask("C0B"), "\x06\r");
    EXPECT_EQ(ask("NOPE"), "?\r");
}

TEST_F(PtyProjectorTest, PowersOnThroughTheCountDown) {
    start(fastProjector());
    EXPECT_EQ(ask("C00"), "\x06\r");
    EXPECT_EQ(ask("CR0"), "40\r");
    EXPECT_EQ(projector->model().power(), PowerState::CountDown);
    // The projector's own clock ends the count-down without any command.
    ASSERT_TRUE(QTest::qWaitFor([&] { return projector->model().power() == PowerState::On; }));
    EXPECT_EQ(ask("CR0"), "00\r");
}

TEST_F(PtyProjectorTest, SplitRepliesArriveWholeAndInOrder) {
    auto options = fastProjector();
    options.splitPercent = 100;
    options.pieceGapMs = 10;
    start(options);
    for (int round = 0; round < 5; ++round) {
        EXPECT_EQ(ask("CR6"), "025.0 031.5 042.0\r") << "round " << round;
        EXPECT_EQ(ask("CR3"), "1234\r") << "round " << round;
    }
}

TEST_F(PtyProjectorTest, RepliesLeaveAtTheLineSpeed) {
    auto options = fastProjector();
    options.baud = 9600;
    start(options);
    ASSERT_FALSE(port->setLineSettings({.baud = 9600}));
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(ask("CR6"), "025.0 031.5 042.0\r");
    // 18 characters of 10 bits at 9600 baud take 18.75 ms on the line; it cannot be faster.
    EXPECT_GE(clock.elapsed(), 5 + 18);
}

TEST_F(PtyProjectorTest, SeesThePanelsSpeedAndGarblesRepliesWhenItDiffers) {
    start(fastProjector());
    EXPECT_EQ(projector->panelBaud(), 19200);
    ASSERT_FALSE(port->setLineSettings({.baud = 9600}));
    EXPECT_EQ(projector->panelBaud(), 9600);

    const std::string garbled = resampleUart("?\r", 19200, 9600);
    ASSERT_FALSE(port->write("C00\r"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return buffer.size() >= garbled.size(); }));
    EXPECT_EQ(buffer, garbled);
    EXPECT_EQ(projector->model().power(), PowerState::Standby);

    // Back at the right speed the projector understands again.
    ASSERT_FALSE(port->setLineSettings({.baud = 19200}));
    EXPECT_EQ(ask("CR0"), "80\r");
}

TEST_F(PtyProjectorTest, SilentProjectorHearsButNeverAnswers) {
    auto options = fastProjector();
    options.silent = true;
    start(options);
    QByteArray heard;
    QObject::connect(projector.get(), &PtyProjector::received, [&heard](const QByteArray& bytes) { heard += bytes; });
    ASSERT_FALSE(port->write("CR0\r"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return heard == "CR0\r"; }));
    EXPECT_FALSE(projector->model().nextEventMs().has_value());
    EXPECT_EQ(buffer, "");
}

TEST_F(PtyProjectorTest, PanelMayCloseAndReopenItsEnd) {
    start(fastProjector());
    for (int round = 0; round < 3; ++round) {
        ASSERT_FALSE(port->close());
        ASSERT_FALSE(port->open().error) << "round " << round;
        EXPECT_EQ(ask("CR1"), "1\r") << "round " << round;
    }
}

TEST(PtyProjectorCreate, RefusesInvalidOptionsAndDevices) {
    QString error;
    auto options = fastProjector();
    options.input = 7;
    EXPECT_EQ(PtyProjector::create({.model = options, .device = {}}, &error), nullptr);
    EXPECT_TRUE(error.contains(QStringLiteral("input"))) << error.toStdString();

    error.clear();
    options = fastProjector();
    options.baud = 12345;
    EXPECT_EQ(PtyProjector::create({.model = options, .device = {}}, &error), nullptr);
    EXPECT_TRUE(error.contains(QStringLiteral("12345"))) << error.toStdString();

    error.clear();
    EXPECT_EQ(PtyProjector::create({.model = fastProjector(), .device = QStringLiteral("/dev/null")}, &error), nullptr);
    EXPECT_TRUE(error.contains(QStringLiteral("not a serial port"))) << error.toStdString();
}

TEST(PtyProjectorCreate, ServesOnAGivenSerialDevice) {
    // The far end of a pseudo-terminal stands in for a real serial device here.
    test::PtyPair line;
    ASSERT_TRUE(line.ok());
    QString error;
    const auto projector = PtyProjector::create({.model = fastProjector(), .device = line.slavePath()}, &error);
    ASSERT_NE(projector, nullptr) << error.toStdString();
    EXPECT_EQ(projector->devicePath(), line.slavePath());
    line.send("CR0\r");
    std::string reply;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        reply += line.drain();
        return reply == "80\r";
    })) << reply;
}

} // namespace

} // namespace tavo
