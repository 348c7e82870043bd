// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/commands.h"
#include "serial/com_ports.h"
#include "serial/device_factory.h"
#include "serial/device_list.h"
#include "serial/device_settings.h"
#include "serial/local_device.h"
#include "serial/open_diagnosis.h"
#include "tests/support/fake_port_advisor.h"
#include "tests/support/pty_pair.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace tavo {

namespace {

using test::FakePortAdvisor;
using test::PtyPair;

bool contains(const PortError& error, std::string_view part) {
    return error && error->find(part) != std::string::npos;
}

// Receives as the panel's logic does: on each arrival it reads everything and appends it to one
// buffer.
struct Receiver {
    std::string buffer;
    std::vector<std::string> buffers; // the buffer after each receive notification
    std::vector<PortEvent> codes;

    void attach(ComPorts& port) {
        port.setEventHandler([this, &port](PortEvent code) {
            codes.push_back(code);
            if (code == PortEvent::Received) {
                buffer += port.readAll().value;
                buffers.push_back(buffer);
            }
        });
    }
    [[nodiscard]] int count(PortEvent code) const {
        return static_cast<int>(std::count(codes.begin(), codes.end(), code));
    }
};

class ComPortsTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.ok());
        port = std::make_unique<ComPorts>(QStringList{pty.devicePath(), QString()}, makeDevice, advisor);
        receiver.attach(*port);
    }

    void openPort() {
        ASSERT_FALSE(port->setLineSettings({.baud = 19200}));
        const PortError error = port->open().error;
        ASSERT_FALSE(error) << *error;
    }

    PtyPair pty;
    FakePortAdvisor advisor;
    std::unique_ptr<ComPorts> port;
    Receiver receiver;
};

TEST_F(ComPortsTest, WritesEveryCommandLineByteForByte) {
    openPort();
    std::vector<std::string_view> codes;
    for (const auto& button : kOneShotCommands) {
        codes.push_back(button.code);
    }
    for (const auto& button : kHoldCommands) {
        codes.push_back(button.code);
    }
    ASSERT_EQ(codes.size(), 54U);
    for (const auto code : codes) {
        const std::string line = std::string(code) + '\r';
        ASSERT_FALSE(port->write(line)) << code;
        // The write has reached the line when write() returns: no event loop turn needed.
        EXPECT_EQ(pty.drain(), line) << code;
    }
}

TEST_F(ComPortsTest, ReplyInThreePiecesRaisesThreeNotificationsWithAGrowingBuffer) {
    openPort();
    const std::vector<std::string> pieces{"02", "5", ".0 "};
    std::string expected;
    std::vector<std::string> expectedBuffers;
    for (const auto& piece : pieces) {
        pty.send(piece);
        expected += piece;
        expectedBuffers.push_back(expected);
        ASSERT_TRUE(QTest::qWaitFor([&] { return receiver.buffer == expected; })) << receiver.buffer;
    }
    EXPECT_EQ(receiver.buffers, expectedBuffers);
    EXPECT_EQ(receiver.count(PortEvent::Received), 3);
}

// A pseudo-terminal that nobody reads fills up: what it cannot take is not sent, and the line
// stays open rather than counting as lost.
TEST_F(ComPortsTest, AFullPseudoTerminalRefusesAWriteAndStaysOpen) {
    openPort();
    const std::string line(kSendBufferSize, 'x');
    PortError refused;
    // The system's buffer of a pseudo-terminal holds a few pages; far fewer than this fill it.
    constexpr int kMostWrites = 4096;
    for (int i = 0; i < kMostWrites && !refused; ++i) {
        refused = port->write(line);
    }
    ASSERT_TRUE(refused) << "the line never filled";
    EXPECT_TRUE(contains(refused, "did not take the data")) << *refused;
    QTest::qWait(50);
    EXPECT_EQ(receiver.count(PortEvent::DeviceLost), 0);
    EXPECT_TRUE(port->deviceOpen());
    (void)pty.drain();
    EXPECT_FALSE(port->write("CR0\r"));
    EXPECT_TRUE(QTest::qWaitFor([this] { return pty.drain().ends_with("CR0\r"); }));
}

TEST(ComPortsPaths, OpensAPseudoTerminalByItsFullPath) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    ASSERT_TRUE(pty.slavePath().startsWith(QStringLiteral("/dev/pts/")));
    const FakePortAdvisor advisor;
    ComPorts port(QStringList{pty.slavePath()}, makeDevice, advisor);
    const PortError error = port.open().error;
    ASSERT_FALSE(error) << *error;
    ASSERT_FALSE(port.write("CR0\r"));
    EXPECT_EQ(pty.drain(), "CR0\r");
}

TEST(ComPortsPaths, OpensAPseudoTerminalBehindALinkWithAPathTooLongForALockFileName) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder =
        dir.filePath(QString(120, QLatin1Char('d')) + QLatin1Char('/') + QString(120, QLatin1Char('e')));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString link = folder + QStringLiteral("/projector");
    ASSERT_TRUE(QFile::link(pty.slavePath(), link));
    const FakePortAdvisor advisor;
    ComPorts port(QStringList{link}, makeDevice, advisor);
    const PortError error = port.open().error;
    ASSERT_FALSE(error) << *error;
    ASSERT_FALSE(port.write("CR0\r"));
    EXPECT_EQ(pty.drain(), "CR0\r");
}

TEST_F(ComPortsTest, OneCharacterIsEnoughForANotification) {
    openPort();
    pty.send("\x06");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !receiver.codes.empty(); }));
    EXPECT_EQ(receiver.codes, std::vector<PortEvent>{PortEvent::Received});
    EXPECT_EQ(receiver.buffer, "\x06");
}

TEST_F(ComPortsTest, LongInputArrivesWholeThroughTheSmallReceiveBuffer) {
    openPort();
    std::string sent;
    for (int i = 0; i < 3000; ++i) {
        sent.push_back(static_cast<char>('A' + i % 26));
    }
    pty.send(sent);
    ASSERT_TRUE(QTest::qWaitFor([&] { return receiver.buffer.size() >= sent.size(); }))
        << receiver.buffer.size() << " of " << sent.size();
    EXPECT_EQ(receiver.buffer, sent);
}

TEST_F(ComPortsTest, StaleInputFromBeforeTheOpeningIsDropped) {
    pty.send("stale");
    openPort();
    pty.send("80\r");
    ASSERT_TRUE(QTest::qWaitFor([&] { return receiver.buffer.size() >= 3; }));
    EXPECT_EQ(receiver.buffer, "80\r");
}

struct SpeedCase {
    const char* name;
    LineSettings settings;
    speed_t speed;
    tcflag_t size;
    bool parity;
    bool twoStopBits;
};

void PrintTo(const SpeedCase& c, std::ostream* os) {
    *os << c.name;
}

class LineSettingsOnTheWire : public ComPortsTest, public testing::WithParamInterface<SpeedCase> {};

TEST_P(LineSettingsOnTheWire, ApplyAtOnceWhileOpen) {
    openPort();
    ASSERT_FALSE(port->setLineSettings(GetParam().settings));
    EXPECT_TRUE(port->isOpen().value);
    EXPECT_TRUE(port->deviceOpen());
    const termios tio = pty.lineSettings();
    EXPECT_EQ(cfgetospeed(&tio), GetParam().speed);
    EXPECT_EQ(tio.c_cflag & CSIZE, GetParam().size);
    EXPECT_EQ((tio.c_cflag & PARENB) != 0, GetParam().parity);
    EXPECT_EQ((tio.c_cflag & CSTOPB) != 0, GetParam().twoStopBits);
    EXPECT_EQ(tio.c_cflag & CRTSCTS, 0U);
    // Still the same line: a command goes through at the new speed.
    ASSERT_FALSE(port->write("CR0\r"));
    EXPECT_EQ(pty.drain(), "CR0\r");
}

TEST_P(LineSettingsOnTheWire, AreKeptForLaterOpenings) {
    ASSERT_FALSE(port->setLineSettings(GetParam().settings));
    for (int opening = 0; opening < 2; ++opening) {
        ASSERT_FALSE(port->open().error);
        const termios tio = pty.lineSettings();
        EXPECT_EQ(cfgetospeed(&tio), GetParam().speed) << "opening " << opening;
        EXPECT_EQ(tio.c_cflag & CSIZE, GetParam().size) << "opening " << opening;
        ASSERT_FALSE(port->close());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, LineSettingsOnTheWire,
    testing::Values(SpeedCase{"Slow", {.baud = 9600}, B9600, CS8, false, false},
                    SpeedCase{"Fast", {.baud = 19200}, B19200, CS8, false, false},
                    SpeedCase{"TwoStopBits", {.baud = 9600, .stopBits = StopBits::Two}, B9600, CS8, false, true}),
    [](const testing::TestParamInfo<SpeedCase>& row) { return std::string(row.param.name); });

TEST_F(ComPortsTest, SettingsTheDeviceRejectsAreReportedAndThePortStaysOpen) {
    // A pseudo-terminal carries 8 data bits without parity only.
    openPort();
    const PortError error = port->setLineSettings({.baud = 9600, .parity = Parity::Even, .dataBits = 7});
    EXPECT_TRUE(contains(error, "does not accept the line settings 9600,E,7,1")) << error.value_or("success");
    EXPECT_TRUE(port->isOpen().value);
    ASSERT_FALSE(port->setLineSettings({.baud = 19200}));
    ASSERT_FALSE(port->write("CR0\r"));
    EXPECT_EQ(pty.drain(), "CR0\r");
}

TEST_F(ComPortsTest, PortNumbersChooseTheirDevices) {
    PtyPair second;
    ASSERT_TRUE(second.ok());
    port = std::make_unique<ComPorts>(QStringList{pty.devicePath(), second.devicePath()}, makeDevice, advisor);
    ASSERT_FALSE(port->setPortNumber(2));
    ASSERT_FALSE(port->open().error);
    ASSERT_FALSE(port->write("C00\r"));
    EXPECT_EQ(second.drain(), "C00\r");
    EXPECT_EQ(pty.drain(), "");
    ASSERT_FALSE(port->close());
    ASSERT_FALSE(port->setPortNumber(1));
    ASSERT_FALSE(port->open().error);
    ASSERT_FALSE(port->write("C02\r"));
    EXPECT_EQ(pty.drain(), "C02\r");
    EXPECT_EQ(second.drain(), "");
}

TEST_F(ComPortsTest, PortNumberCannotChangeWhileOpenOrLeaveOneAndTwo) {
    openPort();
    EXPECT_TRUE(contains(port->setPortNumber(2), "close it before"));
    EXPECT_EQ(port->portNumber(), 1);
    ASSERT_FALSE(port->close());
    EXPECT_TRUE(contains(port->setPortNumber(3), "There is no port 3"));
    EXPECT_TRUE(contains(port->setPortNumber(0), "There is no port 0"));
    EXPECT_EQ(port->portNumber(), 1);
}

TEST_F(ComPortsTest, OpeningTwiceIsRefusedWithoutClosing) {
    openPort();
    EXPECT_TRUE(contains(port->open().error, "already open"));
    EXPECT_TRUE(port->isOpen().value);
    ASSERT_FALSE(port->write("CR1\r"));
    EXPECT_EQ(pty.drain(), "CR1\r");
}

TEST_F(ComPortsTest, WriteOnAClosedPortFailsWithADescription) {
    const PortError neverOpened = port->write("C00\r");
    EXPECT_TRUE(contains(neverOpened, "is not open")) << neverOpened.value_or("success");
    openPort();
    ASSERT_FALSE(port->close());
    EXPECT_FALSE(port->isOpen().value);
    const PortError closed = port->write("C00\r");
    EXPECT_TRUE(contains(closed, "COM1 (" + pty.devicePath().toStdString() + ") is not open"))
        << closed.value_or("success");
    EXPECT_EQ(pty.drain(), "");
}

TEST_F(ComPortsTest, OverlongWriteIsRefusedWhole) {
    openPort();
    EXPECT_TRUE(contains(port->write(std::string(513, 'C')), "513 characters"));
    EXPECT_EQ(pty.drain(), "");
    const std::string longest(512, 'C');
    ASSERT_FALSE(port->write(longest));
    EXPECT_EQ(pty.receive(longest.size()), longest);
}

TEST_F(ComPortsTest, ClosingAClosedPortIsHarmless) {
    EXPECT_FALSE(port->close());
    openPort();
    EXPECT_FALSE(port->close());
    EXPECT_FALSE(port->close());
    EXPECT_FALSE(port->isOpen().value);
}

TEST_F(ComPortsTest, SecondOpeningOfTheSameDeviceIsBusy) {
    openPort();
    ComPorts other(QStringList{pty.devicePath()}, makeDevice, advisor);
    const PortError error = other.open().error;
    EXPECT_TRUE(contains(error, "in use by another program")) << error.value_or("success");
    EXPECT_FALSE(other.isOpen().value);
    // The first holder is undisturbed.
    ASSERT_FALSE(port->write("CR0\r"));
    EXPECT_EQ(pty.drain(), "CR0\r");
    // Once released, the other one can have it.
    ASSERT_FALSE(port->close());
    EXPECT_FALSE(other.open().error);
}

TEST_F(ComPortsTest, PeerHangingUpIsReportedOnceAndStopsTheDevice) {
    openPort();
    pty.hangUp();
    ASSERT_TRUE(QTest::qWaitFor([&] { return receiver.count(PortEvent::DeviceLost) > 0; }));
    // A few more turns of the event loop: a spinning device would keep notifying.
    for (int i = 0; i < 50; ++i) {
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(receiver.count(PortEvent::DeviceLost), 1);
    EXPECT_EQ(receiver.count(PortEvent::Received), 0);
    EXPECT_FALSE(port->deviceOpen());
    // Still open for the logic, so that choosing the port again reopens it.
    EXPECT_TRUE(port->isOpen().value);
    const PortError first = port->write("C00\r");
    EXPECT_TRUE(contains(first, "was disconnected")) << first.value_or("success");
    EXPECT_TRUE(contains(port->write("C00\r"), "was disconnected"));
}

TEST(ComPortsRecovery, ChoosingThePortAgainReopensTheDeviceOnceItIsBack) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString link = dir.filePath(QStringLiteral("ttyUSB-adapter"));
    auto before = std::make_unique<PtyPair>();
    ASSERT_TRUE(QFile::link(before->slavePath(), link));

    const FakePortAdvisor advisor;

    ComPorts port(QStringList{link}, makeDevice, advisor);
    Receiver receiver;
    receiver.attach(port);
    ASSERT_FALSE(port.open().error);
    before->hangUp();
    ASSERT_TRUE(QTest::qWaitFor([&] { return receiver.count(PortEvent::DeviceLost) == 1; }));

    // While the device is away, reopening fails with a description and leaves the port closed.
    ASSERT_TRUE(QFile::remove(link));
    ASSERT_FALSE(port.close());
    const PortError away = port.open().error;
    EXPECT_TRUE(contains(away, "does not exist")) << away.value_or("success");
    EXPECT_FALSE(port.isOpen().value);

    // The adapter is plugged in again.
    PtyPair after;
    ASSERT_TRUE(after.ok());
    ASSERT_TRUE(QFile::link(after.slavePath(), link));
    ASSERT_FALSE(port.open().error);
    ASSERT_FALSE(port.write("CR0\r"));
    EXPECT_EQ(after.drain(), "CR0\r");
    after.send("80\r");
    ASSERT_TRUE(QTest::qWaitFor([&] { return receiver.buffer == "80\r"; })) << receiver.buffer;
}

// The adapter pulled (the far end of the line closed) and plugged in again (a new pseudo-terminal
// behind the same link): the port reopens it by itself, at the speed last set, and says so once.
TEST(ComPortsRecovery, LostDeviceIsReopenedByItselfWhenItsLinkReturns) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString link = dir.filePath(QStringLiteral("ttyUSB-adapter"));
    auto before = std::make_unique<PtyPair>();
    ASSERT_TRUE(QFile::link(before->slavePath(), link));

    const FakePortAdvisor advisor;

    ComPorts port(QStringList{link, QString()}, makeDevice, advisor);
    Receiver receiver;
    receiver.attach(port);
    ASSERT_FALSE(port.setLineSettings({.baud = 9600}));
    ASSERT_FALSE(port.open().error);
    before->hangUp();
    ASSERT_TRUE(QTest::qWaitFor([&] { return receiver.count(PortEvent::DeviceLost) == 1; }));
    EXPECT_EQ(port.describe(PortEvent::DeviceLost),
              QStringLiteral("COM1 (%1) was disconnected. The program opens it again as soon as it is back.")
                  .arg(link)
                  .toStdString());

    // Away for a while: nothing is reopened, nothing more is raised.
    QTest::qWait(1500);
    EXPECT_EQ(receiver.count(PortEvent::DeviceBack), 0);
    EXPECT_TRUE(contains(port.write("C00\r"), "was disconnected"));

    PtyPair after;
    ASSERT_TRUE(after.ok());
    ASSERT_TRUE(QFile::remove(link));
    ASSERT_TRUE(QFile::link(after.slavePath(), link));
    QElapsedTimer back;
    back.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return receiver.count(PortEvent::DeviceBack) == 1; }, 3000));
    EXPECT_LE(back.elapsed(), 2000);
    EXPECT_TRUE(port.deviceOpen());
    const termios line = after.lineSettings();
    EXPECT_EQ(cfgetospeed(&line), static_cast<speed_t>(B9600));
    ASSERT_FALSE(port.write("CR0\r"));
    EXPECT_EQ(after.receive(4), "CR0\r");
    after.send("80\r");
    ASSERT_TRUE(QTest::qWaitFor([&] { return receiver.buffer == "80\r"; })) << receiver.buffer;
    EXPECT_EQ(receiver.count(PortEvent::DeviceLost), 1);

    // Closed by the user, a port no longer looks for its device.
    ASSERT_FALSE(port.close());
    after.hangUp();
    QTest::qWait(1200);
    EXPECT_EQ(receiver.count(PortEvent::DeviceLost), 1);
    EXPECT_EQ(receiver.count(PortEvent::DeviceBack), 1);
}

// A socket in the directory, such as a program's control socket.
QString unixSocketIn(const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("projector.socket"));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    std::copy_n(name.constData(), std::min<std::size_t>(name.size(), sizeof(address.sun_path) - 1),
                static_cast<char*>(address.sun_path));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd >= 0) {
        (void)::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address));
        ::close(fd);
    }
    return path;
}

struct OpenFailureCase {
    const char* name;
    QString (*device)(const QTemporaryDir&);
    std::vector<const char*> mustContain;
};

void PrintTo(const OpenFailureCase& c, std::ostream* os) {
    *os << c.name;
}

class OpenFailures : public testing::TestWithParam<OpenFailureCase> {};

TEST_P(OpenFailures, AreDescribedForTheUser) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile plain(dir.filePath(QStringLiteral("plain-file")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();

    const QString device = GetParam().device(dir);
    const FakePortAdvisor advisor;
    ComPorts port(QStringList{device, QString()}, makeDevice, advisor);
    const PortError error = port.open().error;
    ASSERT_TRUE(error.has_value());
    for (const char* part : GetParam().mustContain) {
        EXPECT_NE(error->find(part), std::string::npos) << "missing \"" << part << "\" in\n" << *error;
    }
    EXPECT_EQ(error->find("Unknown error"), std::string::npos) << *error;
    EXPECT_FALSE(port.isOpen().value);
}

INSTANTIATE_TEST_SUITE_P(
    Devices, OpenFailures,
    testing::Values(OpenFailureCase{"NoSuchDevice",
                                    [](const QTemporaryDir& d) { return d.filePath(QStringLiteral("ttyNONE")); },
                                    {"COM1 (", "ttyNONE)", "does not exist", " [choose a device for COM1]"}},
                    OpenFailureCase{"NullDeviceIsNoSerialPort",
                                    [](const QTemporaryDir&) { return QStringLiteral("/dev/null"); },
                                    {"COM1 (/dev/null)", "not a serial port"}},
                    OpenFailureCase{"PlainFileIsNoSerialPort",
                                    [](const QTemporaryDir& d) { return d.filePath(QStringLiteral("plain-file")); },
                                    {"plain-file)", "not a serial port"}},
                    OpenFailureCase{"ControllingTerminalIsNoSerialPort",
                                    [](const QTemporaryDir&) { return QStringLiteral("/dev/tty"); },
                                    {"COM1 (/dev/tty)", "not a serial port"}},
                    OpenFailureCase{"TerminalMultiplexerIsNoSerialPort",
                                    [](const QTemporaryDir&) { return QStringLiteral("/dev/ptmx"); },
                                    {"COM1 (/dev/ptmx)", "not a serial port"}},
                    OpenFailureCase{"SocketIsNoSerialPort", unixSocketIn, {"projector.socket)", "not a serial port"}},
                    OpenFailureCase{"HostAndPortWithoutScheme",
                                    [](const QTemporaryDir&) { return QStringLiteral("127.0.0.1:35001"); },
                                    {"does not exist; did you mean tcp://127.0.0.1:35001 or "
                                     "rfc2217://127.0.0.1:35001?"}},
                    OpenFailureCase{"NoDeviceGiven",
                                    [](const QTemporaryDir&) { return QString(); },
                                    {"No device is set for COM1"}}),
    [](const testing::TestParamInfo<OpenFailureCase>& row) { return std::string(row.param.name); });

struct ClassificationCase {
    QSerialPort::SerialPortError error;
    int systemError;
    OpenFailureKind kind;
};

TEST(OpenFailureClassification, FollowsTheSystemErrorBeforeQtsGuess) {
    // An 8250 port without a UART behind it fails a plain open() with EIO, whatever Qt makes of it.
    for (const ClassificationCase& c : std::vector<ClassificationCase>{
             {QSerialPort::ResourceError, EIO, OpenFailureKind::NoHardware},
             {QSerialPort::UnsupportedOperationError, EIO, OpenFailureKind::NoHardware},
             {QSerialPort::UnknownError, ENXIO, OpenFailureKind::NoHardware},
             {QSerialPort::UnknownError, ENOTTY, OpenFailureKind::NotASerialPort},
             {QSerialPort::PermissionError, EACCES, OpenFailureKind::PermissionDenied},
             {QSerialPort::PermissionError, 0, OpenFailureKind::Busy},
             {QSerialPort::DeviceNotFoundError, 0, OpenFailureKind::NoSuchDevice},
             {QSerialPort::UnknownError, 0, OpenFailureKind::Other},
         }) {
        EXPECT_EQ(classifyOpenFailure(c.error, c.systemError), c.kind) << c.error << " " << c.systemError;
    }
    const QString text = describeProblem(OpenFailure{.kind = classifyOpenFailure(QSerialPort::ResourceError, EIO),
                                                     .device = QStringLiteral("/dev/ttyS0"),
                                                     .existingPorts = {QStringLiteral("/dev/ttyUSB0")},
                                                     .detail = {}},
                                         QStringLiteral("COM1 (/dev/ttyS0)"), 1, FakePortAdvisor());
    EXPECT_TRUE(text.startsWith(QStringLiteral("COM1 (/dev/ttyS0) cannot be opened: the device exists, but no "
                                               "serial port answers behind it")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Serial ports found: /dev/ttyUSB0."))) << text.toStdString();
}

// The kernel's 8250 driver opens a node that has no UART behind it, and then fails the question for
// its line settings with EIO. No such port is at hand, so the system's answer is given here.
TEST(OpenFailureDiagnosis, NoUartBehindAnOpenedNodeIsNamedWithThePortsFound) {
    const OpenFailure failure =
        diagnoseOpenFailure(QStringLiteral("/dev/ttyS2"), QStringLiteral("/dev/ttyS2"), QSerialPort::ResourceError,
                            QStringLiteral("Input/output error"), [](const QString&) { return EIO; });
    EXPECT_EQ(failure.kind, OpenFailureKind::NoHardware);
    EXPECT_EQ(failure.existingPorts, presentDevicePaths());
    const QString text = describeProblem(failure, QStringLiteral("COM1 (/dev/ttyS2)"), 1, FakePortAdvisor());
    EXPECT_TRUE(text.startsWith(QStringLiteral("COM1 (/dev/ttyS2) cannot be opened: the device exists, but no "
                                               "serial port answers behind it")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(failure.existingPorts.isEmpty() ? QStringLiteral("No serial ports were found")
                                                              : QStringLiteral("Serial ports found: ")))
        << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("not a serial port"))) << text.toStdString();
}

// The probe gives the error of the question itself, so that an EIO is not read as "no terminal".
TEST(OpenFailureDiagnosis, TheProbeAsksTheTerminalForItsSettings) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    EXPECT_EQ(probeTerminal(pty.slavePath()), 0);
    EXPECT_EQ(probeTerminal(QStringLiteral("/dev/null")), ENOTTY);
    EXPECT_EQ(probeTerminal(QStringLiteral("/nonexistent/ttyS0")), ENOENT);
}

// Root may open them and would write to the screen: refused before opening, for every user.
TEST(ComPortsDevices, ConsolesAreNoSerialPorts) {
    for (const QString& console : {QStringLiteral("/dev/tty1"), QStringLiteral("/dev/console")}) {
        if (!QFileInfo(console).exists()) {
            continue;
        }
        const FakePortAdvisor advisor;
        ComPorts port(QStringList{console}, makeDevice, advisor);
        const PortError error = port.open().error;
        EXPECT_TRUE(contains(error, "not a serial port")) << error.value_or("opened " + console.toStdString());
        EXPECT_TRUE(contains(error, "[choose a device for COM1]")) << *error;
    }
}

TEST(ComPortsDevices, DeviceTheUserMayNotOpenNamesTheDialoutGroup) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root may open any device";
    }
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    ASSERT_EQ(::chmod(QFile::encodeName(pty.slavePath()).constData(), 0), 0);
    const FakePortAdvisor advisor;
    ComPorts port(QStringList{pty.devicePath()}, makeDevice, advisor);
    const PortError error = port.open().error;
    EXPECT_TRUE(contains(error, "permission denied")) << error.value_or("success");
    EXPECT_TRUE(contains(error, "dialout")) << error.value_or("success");
}

TEST(ComPortsDevices, OtherProgramsCannotOpenTheDeviceWhileThePanelHasIt) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root passes over exclusive use";
    }
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    const FakePortAdvisor advisor;
    ComPorts port(QStringList{pty.devicePath()}, makeDevice, advisor);
    ASSERT_FALSE(port.open().error);
    const int fd = ::open(QFile::encodeName(pty.slavePath()).constData(), O_RDWR | O_NOCTTY);
    const int openError = errno;
    if (fd >= 0) {
        ::close(fd);
    }
    EXPECT_LT(fd, 0);
    EXPECT_EQ(openError, EBUSY);
}

TEST(ComPortsDevices, SecondPortWithoutADeviceFailsToOpen) {
    const FakePortAdvisor advisor;
    ComPorts port(QStringList{QStringLiteral("/dev/null")}, makeDevice, advisor);
    ASSERT_FALSE(port.setPortNumber(2));
    EXPECT_TRUE(contains(port.open().error, "No device is set for COM2"));
}

TEST(ComPortsDevices, DefaultsAreTheFirstTwoSystemPorts) {
#ifdef Q_OS_WIN
    EXPECT_EQ(defaultDevices(), (DeviceChoice{.com1 = QStringLiteral("COM1"), .com2 = QStringLiteral("COM2")}));
#else
    EXPECT_EQ(defaultDevices(),
              (DeviceChoice{.com1 = QStringLiteral("/dev/ttyS0"), .com2 = QStringLiteral("/dev/ttyS1")}));
#endif
}

} // namespace

} // namespace tavo
