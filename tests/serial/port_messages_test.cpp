// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/port_messages.h"

#include <gtest/gtest.h>
#include <ostream>
#include <vector>

namespace tavo {

namespace {

struct MessageCase {
    const char* name;
    OpenFailure failure;
    std::vector<const char*> mustContain;
    std::vector<const char*> mustNotContain;
};

void PrintTo(const MessageCase& c, std::ostream* os) {
    *os << c.name;
}

class OpenFailureMessages : public testing::TestWithParam<MessageCase> {};

TEST_P(OpenFailureMessages, TellTheUserWhatToDo) {
    const QString text = describeOpenFailure(GetParam().failure, Audience::Panel);
    for (const char* part : GetParam().mustContain) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << "missing \"" << part << "\" in\n" << text.toStdString();
    }
    for (const char* part : GetParam().mustNotContain) {
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
                    {.kind = OpenFailureKind::NoSuchDevice,
                     .portNumber = 1,
                     .device = QStringLiteral("/dev/ttyS0"),
                     .existingPorts = {QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyACM0")},
                     .detail = {}},
                    {"COM1 (/dev/ttyS0)", "does not exist", "/dev/ttyUSB0, /dev/ttyACM0",
                     "Choose Device… sets the device for COM1", "--com1", "--simulate"},
                    {"--com2"}},
        MessageCase{"NoSuchDeviceOnSecondPort",
                    {.kind = OpenFailureKind::NoSuchDevice,
                     .portNumber = 2,
                     .device = QStringLiteral("/dev/ttyS1"),
                     .existingPorts = {},
                     .detail = {}},
                    {"COM2 (/dev/ttyS1)", "No serial ports were found", "--com2"},
                    {"--com1", "--simulate", "Try Without a Projector"}},
        MessageCase{"LongPortListIsCut",
                    {.kind = OpenFailureKind::NoSuchDevice,
                     .portNumber = 1,
                     .device = QStringLiteral("/dev/ttyUSB3"),
                     .existingPorts = manyPorts(),
                     .detail = {}},
                    {"/dev/ttyS7", "and 4 more"},
                    {"/dev/ttyS8,"}},
        MessageCase{
            "NoDeviceSet",
            {.kind = OpenFailureKind::NoSuchDevice, .portNumber = 2, .device = {}, .existingPorts = {}, .detail = {}},
            {"No device is set for COM2", "--com2 DEVICE"},
            {"()"}},
        MessageCase{"BusyNamesTheOtherProgram",
                    {.kind = OpenFailureKind::Busy,
                     .portNumber = 1,
                     .device = QStringLiteral("/dev/ttyUSB0"),
                     .existingPorts = {},
                     .detail = {}},
                    {"COM1 (/dev/ttyUSB0)", "in use by another program"},
                    {"permission"}},
        MessageCase{"NotASerialPort",
                    {.kind = OpenFailureKind::NotASerialPort,
                     .portNumber = 1,
                     .device = QStringLiteral("/dev/null"),
                     .existingPorts = {},
                     .detail = {}},
                    {"COM1 (/dev/null)", "not a serial port", "--com1 DEVICE"},
                    {}},
        MessageCase{"NoHardwareListsThePorts",
                    {.kind = OpenFailureKind::NoHardware,
                     .portNumber = 1,
                     .device = QStringLiteral("/dev/ttyS0"),
                     .existingPorts = {QStringLiteral("/dev/ttyUSB0")},
                     .detail = {}},
                    {"COM1 (/dev/ttyS0)", "no serial port answers", "/dev/ttyUSB0", "--com1 DEVICE"},
                    {"not a serial port", "does not exist"}},
        MessageCase{
            "StaleLockSaysHowToRemoveIt",
            {.kind = OpenFailureKind::StaleLock,
             .portNumber = 1,
             .device = QStringLiteral("/dev/ttyS0"),
             .existingPorts = {},
             .detail = {},
             .lockFile = QStringLiteral("/run/lock/LCK..ttyS0"),
             .lockPid = 4321},
            {"/run/lock/LCK..ttyS0 names process 4321, which no longer exists", " sudo rm /run/lock/LCK..ttyS0 "},
            {"in use by another program"}},
        MessageCase{"OtherCarriesTheSystemWords",
                    {.kind = OpenFailureKind::Other,
                     .portNumber = 2,
                     .device = QStringLiteral("/dev/ttyS1"),
                     .existingPorts = {},
                     .detail = QStringLiteral("Input/output error")},
                    {"COM2 (/dev/ttyS1) cannot be opened: Input/output error."},
                    {"Unknown error"}}),
    [](const testing::TestParamInfo<MessageCase>& row) { return std::string(row.param.name); });

#ifndef Q_OS_WIN
TEST(PortMessages, PermissionDeniedNamesTheGroupThatGrantsAccess) {
    const QString text = describeOpenFailure({.kind = OpenFailureKind::PermissionDenied,
                                              .portNumber = 1,
                                              .device = QStringLiteral("/dev/ttyUSB0"),
                                              .existingPorts = {},
                                              .detail = {}},
                                             Audience::Panel);
    for (const char* part : {"COM1 (/dev/ttyUSB0)", "permission denied", "dialout group",
                             "sudo usermod -aG dialout $USER", "log in again"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part << " in\n" << text.toStdString();
    }
}

TEST(PortMessages, PermissionDeniedOnADeviceNoGroupMayUseNamesItsOwnership) {
    const QString text = describeOpenFailure({.kind = OpenFailureKind::PermissionDenied,
                                              .portNumber = 2,
                                              .device = QStringLiteral("/dev/ttyS4"),
                                              .existingPorts = {},
                                              .detail = {},
                                              .owner = QStringLiteral("root"),
                                              .group = QStringLiteral("dialout"),
                                              .mode = 0600},
                                             Audience::Panel);
    for (const char* part : {"COM2 (/dev/ttyS4)", "permission denied", "user root and group dialout with mode 0600",
                             "udev rule", "--com2 DEVICE"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part << " in\n" << text.toStdString();
    }
    EXPECT_FALSE(text.contains(QStringLiteral("usermod"))) << text.toStdString();
}
#endif

TEST(PortMessages, DisconnectedAndBackSayWhatThePanelDoes) {
    const QString lost = describeDisconnected(2, QStringLiteral("/dev/ttyUSB0"), Audience::Panel);
    EXPECT_TRUE(lost.startsWith(QStringLiteral("COM2 (/dev/ttyUSB0) was disconnected."))) << lost.toStdString();
    EXPECT_TRUE(lost.contains(QStringLiteral("opens it again"))) << lost.toStdString();
    EXPECT_EQ(describeReconnected(2, QStringLiteral("/dev/ttyUSB0")),
              QStringLiteral("COM2 (/dev/ttyUSB0) is back and open again."));
}

// Another program that owns the device speaks of itself, and gives none of the panel's advice.
TEST(PortMessages, AnotherProgramsTextsNameIt) {
    constexpr Audience kBridge = Audience::Bridge;
    const QString device = QStringLiteral("tcp://192.0.2.7:4001");
    const NetworkFailure cut{.kind = NetworkFailureKind::CutOff, .detail = QStringLiteral("a flood")};
    const std::vector<QString> texts{
        describeDisconnected(1, QStringLiteral("/dev/ttyUSB0"), kBridge),
        describeNetworkLoss(1, device, {.kind = NetworkFailureKind::Lost, .detail = {}}, kBridge),
        describeNetworkLoss(1, device, cut, kBridge),
        describeNetworkFailure(1, device, {.kind = NetworkFailureKind::NoComPortOption, .detail = {}}, kBridge),
        describeSpeedSetOnServer(1, device, kBridge),
        describeStillOpening(1, device, kBridge),
        describeOpenFailure({.kind = OpenFailureKind::NoSuchDevice,
                             .portNumber = 1,
                             .device = QStringLiteral("/dev/ttyUSB9"),
                             .existingPorts = {QStringLiteral("/dev/ttyUSB0")},
                             .detail = {}},
                            kBridge),
        describeOpenFailure({.kind = OpenFailureKind::NotASerialPort,
                             .portNumber = 1,
                             .device = QStringLiteral("/dev/null"),
                             .existingPorts = {},
                             .detail = {}},
                            kBridge),
        describeOpenFailure({.kind = OpenFailureKind::PermissionDenied,
                             .portNumber = 1,
                             .device = QStringLiteral("/dev/ttyS4"),
                             .existingPorts = {},
                             .detail = {},
                             .owner = QStringLiteral("root"),
                             .group = QStringLiteral("root"),
                             .mode = 0600},
                            kBridge),
    };
    for (const QString& text : texts) {
        EXPECT_FALSE(text.contains(QStringLiteral("panel"), Qt::CaseInsensitive)) << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("--com"))) << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("  ")) || text.endsWith(u' ')) << text.toStdString();
    }
    EXPECT_TRUE(texts[0].endsWith(QStringLiteral("The bridge opens it again as soon as it is back.")))
        << texts[0].toStdString();
    EXPECT_TRUE(texts[1].contains(QStringLiteral("The bridge connects again"))) << texts[1].toStdString();
}

TEST(PortMessages, NotOpenSaysHowToOpen) {
    const QString text = describeNotOpen(1, QStringLiteral("/dev/ttyS0"), Audience::Panel);
    EXPECT_TRUE(text.startsWith(QStringLiteral("COM1 (/dev/ttyS0) is not open"))) << text.toStdString();
    // Choosing the port again tries to open it again.
    EXPECT_TRUE(text.contains(QStringLiteral("Choose COM1 again under COM"))) << text.toStdString();
}

// tavo-ctl has no chooser, no simulated projector and no reconnect: its texts name its own options.
TEST(PortMessages, TavoCtlsTextsNameOnlyItsOwnOptions) {
    const QString device = QStringLiteral("/dev/ttyS4");
    QStringList texts;
    for (const OpenFailureKind kind :
         {OpenFailureKind::NoSuchDevice, OpenFailureKind::PermissionDenied, OpenFailureKind::Busy,
          OpenFailureKind::NotASerialPort, OpenFailureKind::NoHardware, OpenFailureKind::StaleLock,
          OpenFailureKind::Other}) {
        for (const QString& name : {device, QString()}) {
            texts << describeOpenFailure({.kind = kind,
                                          .portNumber = 1,
                                          .device = name,
                                          .existingPorts = {},
                                          .detail = {},
                                          .owner = QStringLiteral("root"),
                                          .group = QStringLiteral("root"),
                                          .mode = 0600},
                                         Audience::Ctl);
        }
    }
    for (const NetworkFailureKind kind :
         {NetworkFailureKind::BadAddress, NetworkFailureKind::HostNotFound, NetworkFailureKind::Refused,
          NetworkFailureKind::NoAnswer, NetworkFailureKind::Silent, NetworkFailureKind::NoComPortOption,
          NetworkFailureKind::ClosedByServer, NetworkFailureKind::InUse, NetworkFailureKind::Lost,
          NetworkFailureKind::CutOff, NetworkFailureKind::Other}) {
        texts << describeNetworkFailure(1, device, {.kind = kind, .detail = {}}, Audience::Ctl)
              << describeNetworkLoss(1, device, {.kind = kind, .detail = {}}, Audience::Ctl);
    }
    texts << describeDisconnected(1, device, Audience::Ctl) << describeNotOpen(1, device, Audience::Ctl)
          << describeStillOpening(1, device, Audience::Ctl) << describeSpeedSetOnServer(1, device, Audience::Ctl);
    for (const QString& text : texts) {
        for (const char* panelWords :
             {"Choose Device", "Try Without a Projector", "--simulate", "Ctrl+D", "right-click", "DEVICE", "The panel",
              "the panel set", "the panel is", "by the panel", "start the panel"}) {
            EXPECT_FALSE(text.contains(QString::fromUtf8(panelWords))) << panelWords << " in\n" << text.toStdString();
        }
    }
    EXPECT_TRUE(texts.front().contains(QStringLiteral("--device DEV"))) << texts.front().toStdString();
}

} // namespace

} // namespace tavo
