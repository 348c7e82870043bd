// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/port_label.h"
#include "serial/port_messages.h"
#include "tests/support/fake_port_advisor.h"

#include <gtest/gtest.h>
#include <ostream>
#include <vector>

namespace tavo {

namespace {

using test::FakePortAdvisor;

struct MessageCase {
    const char* name;
    int portNumber;
    OpenFailure failure;
    std::vector<const char*> mustContain;
    std::vector<const char*> mustNotContain;
};

void PrintTo(const MessageCase& c, std::ostream* os) {
    *os << c.name;
}

class OpenFailureMessages : public testing::TestWithParam<MessageCase> {};

TEST_P(OpenFailureMessages, SayWhatHappenedAndEndWithTheProgramsAdvice) {
    const MessageCase& c = GetParam();
    const QString text =
        describeProblem(c.failure, portLabel(c.portNumber, c.failure.device), c.portNumber, FakePortAdvisor());
    for (const char* part : c.mustContain) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << "missing \"" << part << "\" in\n" << text.toStdString();
    }
    for (const char* part : c.mustNotContain) {
        EXPECT_FALSE(text.contains(QString::fromUtf8(part))) << "unexpected \"" << part << "\" in\n"
                                                             << text.toStdString();
    }
}

QStringList manyPorts() {
    QStringList ports;
    for (int i = 0; i < 12; ++i) {
        ports << QStringLiteral("/dev/ttyS%1").arg(i);
    }
    return ports;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, OpenFailureMessages,
    testing::Values(
        MessageCase{"NoSuchDeviceListsThePorts",
                    1,
                    {.kind = OpenFailureKind::NoSuchDevice,
                     .device = QStringLiteral("/dev/ttyS0"),
                     .existingPorts = {QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyACM0")},
                     .detail = {}},
                    {"COM1 (/dev/ttyS0) cannot be opened: the device does not exist. Serial ports found: "
                     "/dev/ttyUSB0, /dev/ttyACM0. [choose a device for COM1]"},
                    {}},
        MessageCase{"NoSuchDeviceOnSecondPort",
                    2,
                    {.kind = OpenFailureKind::NoSuchDevice,
                     .device = QStringLiteral("/dev/ttyS1"),
                     .existingPorts = {},
                     .detail = {}},
                    {"COM2 (/dev/ttyS1)", "No serial ports were found", "[choose a device for COM2]"},
                    {"COM1"}},
        MessageCase{"LongPortListIsCut",
                    1,
                    {.kind = OpenFailureKind::NoSuchDevice,
                     .device = QStringLiteral("/dev/ttyUSB3"),
                     .existingPorts = manyPorts(),
                     .detail = {}},
                    {"/dev/ttyS7", "and 4 more"},
                    {"/dev/ttyS8,"}},
        MessageCase{"NoDeviceSet",
                    2,
                    {.kind = OpenFailureKind::NoSuchDevice, .device = {}, .existingPorts = {}, .detail = {}},
                    {"No device is set for COM2. [choose a device for COM2]"},
                    {"()"}},
        MessageCase{"BusyNamesTheOtherProgram",
                    1,
                    {.kind = OpenFailureKind::Busy,
                     .device = QStringLiteral("/dev/ttyUSB0"),
                     .existingPorts = {},
                     .detail = {}},
                    {"COM1 (/dev/ttyUSB0) cannot be opened: it is in use by another program. Close that program (a "
                     "terminal, another panel) and try again."},
                    {"permission", "[choose"}},
        MessageCase{"NotASerialPort",
                    1,
                    {.kind = OpenFailureKind::NotASerialPort,
                     .device = QStringLiteral("/dev/null"),
                     .existingPorts = {},
                     .detail = {}},
                    {"COM1 (/dev/null) cannot be opened: it is not a serial port. [choose a device for COM1]"},
                    {}},
        MessageCase{"NoHardwareListsThePorts",
                    1,
                    {.kind = OpenFailureKind::NoHardware,
                     .device = QStringLiteral("/dev/ttyS0"),
                     .existingPorts = {QStringLiteral("/dev/ttyUSB0")},
                     .detail = {}},
                    {"COM1 (/dev/ttyS0)", "no serial port answers", "/dev/ttyUSB0", "[choose a device for COM1]"},
                    {"not a serial port", "does not exist"}},
        MessageCase{
            "StaleLockSaysHowToRemoveIt",
            1,
            {.kind = OpenFailureKind::StaleLock,
             .device = QStringLiteral("/dev/ttyS0"),
             .existingPorts = {},
             .detail = {},
             .lockFile = QStringLiteral("/run/lock/LCK..ttyS0"),
             .lockPid = 4321},
            {"/run/lock/LCK..ttyS0 names process 4321, which no longer exists", " sudo rm /run/lock/LCK..ttyS0 "},
            {"in use by another program"}},
        MessageCase{"OtherCarriesTheSystemWords",
                    2,
                    {.kind = OpenFailureKind::Other,
                     .device = QStringLiteral("/dev/ttyS1"),
                     .existingPorts = {},
                     .detail = QStringLiteral("Input/output error")},
                    {"COM2 (/dev/ttyS1) cannot be opened: Input/output error."},
                    {"Unknown error"}}),
    [](const testing::TestParamInfo<MessageCase>& row) { return std::string(row.param.name); });

#ifndef Q_OS_WIN
TEST(PortMessages, PermissionDeniedNamesTheGroupThatGrantsAccess) {
    const QString text = describeProblem(OpenFailure{.kind = OpenFailureKind::PermissionDenied,
                                                     .device = QStringLiteral("/dev/ttyUSB0"),
                                                     .existingPorts = {},
                                                     .detail = {}},
                                         QStringLiteral("COM1 (/dev/ttyUSB0)"), 1, FakePortAdvisor());
    EXPECT_EQ(text, QStringLiteral("COM1 (/dev/ttyUSB0) cannot be opened: permission denied. Serial devices are open "
                                   "to the members of the dialout group: run  sudo usermod -aG dialout $USER  and log "
                                   "in again."));
}

TEST(PortMessages, PermissionDeniedOnADeviceNoGroupMayUseNamesItsOwnership) {
    const QString text = describeProblem(OpenFailure{.kind = OpenFailureKind::PermissionDenied,
                                                     .device = QStringLiteral("/dev/ttyS4"),
                                                     .existingPorts = {},
                                                     .detail = {},
                                                     .owner = QStringLiteral("root"),
                                                     .group = QStringLiteral("dialout"),
                                                     .mode = 0600},
                                         QStringLiteral("COM2 (/dev/ttyS4)"), 2, FakePortAdvisor());
    for (const char* part : {"COM2 (/dev/ttyS4)", "permission denied", "user root and group dialout with mode 0600",
                             "udev rule", "mode 0660, [or another device for COM2]."}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part << " in\n" << text.toStdString();
    }
    EXPECT_FALSE(text.contains(QStringLiteral("usermod"))) << text.toStdString();
}
#endif

TEST(PortMessages, DisconnectedAndBackSayWhatTheProgramDoes) {
    const QString port = QStringLiteral("COM2 (/dev/ttyUSB0)");
    EXPECT_EQ(describeProblem(Disconnected{}, port, 2, FakePortAdvisor()),
              QStringLiteral("COM2 (/dev/ttyUSB0) was disconnected. The program opens it again as soon as it is back."));
    EXPECT_EQ(describeReconnected(port), QStringLiteral("COM2 (/dev/ttyUSB0) is back and open again."));
}

// A program that ends at a loss (tavo-ctl) says nothing of coming back; every text names the
// program through its advisor, and none is left with a double or trailing blank.
TEST(PortMessages, AProgramThatEndsAtALossIsNotSaidToComeBack) {
    const FakePortAdvisor ends(false);
    const QString port = QStringLiteral("tcp://192.0.2.7:4001");
    std::vector<QString> losses;
    for (const NetworkFailureKind kind : {NetworkFailureKind::Lost, NetworkFailureKind::CutOff,
                                          NetworkFailureKind::NotTaking, NetworkFailureKind::ClosedByServer,
                                          NetworkFailureKind::InUse}) {
        losses.push_back(describeProblem(NetworkLoss{.failure = {.kind = kind, .detail = QStringLiteral("a flood")}},
                                         port, 1, ends));
    }
    losses.push_back(describeProblem(Disconnected{}, port, 1, ends));
    for (const QString& text : losses) {
        EXPECT_TRUE(text.startsWith(port)) << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("again"))) << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("  ")) || text.endsWith(u' ')) << text.toStdString();
    }
    EXPECT_EQ(losses[2], QStringLiteral("tcp://192.0.2.7:4001 was cut off from the device server: the device server "
                                        "does not take what the program sends."));
    EXPECT_EQ(describeProblem(SpeedSetOnServer{}, port, 1, ends),
              QStringLiteral("tcp://192.0.2.7:4001 is a raw TCP connection: its line speed is set on the device "
                             "server, not by the program."));
    EXPECT_EQ(describeProblem(StillOpening{}, port, 1, ends),
              QStringLiteral("tcp://192.0.2.7:4001 is not ready yet: the program is still connecting to it."));
    EXPECT_EQ(describeProblem(NotOpen{}, port, 1, ends), QStringLiteral("tcp://192.0.2.7:4001 is not open."));
}

struct LabelCase {
    const char* name;
    int portNumber;
    const char* device;
    PortNaming naming;
    const char* label;
};

// COM1 appears only where the user chose COM1; a device named by the user is named as given.
TEST(PortLabels, NameThePortAsTheUserChoseIt) {
    for (const LabelCase& c : std::vector<LabelCase>{
             {"ChosenPort", 1, "/dev/ttyS0", PortNaming::ComNumber, "COM1 (/dev/ttyS0)"},
             {"SecondChosenPort", 2, "rfc2217://hall:3000", PortNaming::ComNumber, "COM2 (rfc2217://hall:3000)"},
             {"ChosenPortWithoutDevice", 2, "", PortNaming::ComNumber, "COM2"},
             {"NamedDevice", 1, "/tmp/x", PortNaming::Device, "/tmp/x"},
             {"NamedNetworkDevice", 1, "tcp://127.0.0.1:4001", PortNaming::Device, "tcp://127.0.0.1:4001"},
             {"NamedButEmpty", 1, "", PortNaming::Device, "COM1"},
         }) {
        EXPECT_EQ(portLabel(c.portNumber, QString::fromUtf8(c.device), c.naming), QString::fromUtf8(c.label))
            << c.name;
    }
    EXPECT_EQ(simulatedProjectorName(), QStringLiteral("simulated projector"));
}

} // namespace

} // namespace tavo
