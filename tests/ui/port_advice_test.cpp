// SPDX-License-Identifier: GPL-3.0-or-later
// The panel's texts of a failed port, word for word as its users read them (and as the README's
// Troubleshooting table quotes them), and the simulated projector named as such in them.

#include "serial/com_ports.h"
#include "serial/device_factory.h"
#include "serial/port_messages.h"
#include "tests/support/pty_pair.h"
#include "ui/panel_port_advisor.h"

#include <gtest/gtest.h>
#include <ostream>
#include <vector>

namespace tavo::test {
namespace {

struct PanelTextCase {
    const char* name;
    PortProblem problem;
    const char* port;
    int portNumber;
    const char* text;
};

void PrintTo(const PanelTextCase& c, std::ostream* os) {
    *os << c.name;
}

class PanelTexts : public testing::TestWithParam<PanelTextCase> {};

TEST_P(PanelTexts, AreWordForWordAsTheUserReadsThem) {
    const PanelTextCase& c = GetParam();
    EXPECT_EQ(describeProblem(c.problem, QString::fromUtf8(c.port), c.portNumber, PanelPortAdvisor()).toStdString(),
              c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Troubleshooting, PanelTexts,
    testing::Values(
        PanelTextCase{"NoSuchDeviceOnCom1",
                      OpenFailure{.kind = OpenFailureKind::NoSuchDevice,
                                  .device = QStringLiteral("/dev/ttyS0"),
                                  .existingPorts = {QStringLiteral("/dev/ttyUSB0")},
                                  .detail = {}},
                      "COM1 (/dev/ttyS0)", 1,
                      "COM1 (/dev/ttyS0) cannot be opened: the device does not exist. Serial ports found: "
                      "/dev/ttyUSB0. Choose Device… sets the device for COM1 (in the running panel: right-click COM, "
                      "or Ctrl+D). From a terminal: --com1 DEVICE, or --simulate for a simulated projector."},
        // The simulated projector stands only behind COM1.
        PanelTextCase{"NoSuchDeviceOnCom2",
                      OpenFailure{.kind = OpenFailureKind::NoSuchDevice,
                                  .device = QStringLiteral("/dev/ttyS1"),
                                  .existingPorts = {},
                                  .detail = {}},
                      "COM2 (/dev/ttyS1)", 2,
                      "COM2 (/dev/ttyS1) cannot be opened: the device does not exist. No serial ports were found on "
                      "this computer. Choose Device… sets the device for COM2 (in the running panel: right-click COM, "
                      "or Ctrl+D). From a terminal: --com2 DEVICE."},
        PanelTextCase{"NoGroupMayUseIt",
                      OpenFailure{.kind = OpenFailureKind::PermissionDenied,
                                  .device = QStringLiteral("/dev/ttyS4"),
                                  .existingPorts = {},
                                  .detail = {},
                                  .owner = QStringLiteral("root"),
                                  .group = QStringLiteral("root"),
                                  .mode = 0600},
                      "COM1 (/dev/ttyS4)", 1,
                      "COM1 (/dev/ttyS4) cannot be opened: permission denied. The device belongs to user root and "
                      "group root with mode 0600, so joining a group does not help. Have the administrator add a udev "
                      "rule that gives it group dialout and mode 0660, or start the panel with --com1 DEVICE to use "
                      "another device."},
        PanelTextCase{"NotOpenAfterAFailedPortChange", NotOpen{}, "COM1 (/dev/ttyS0)", 1,
                      "COM1 (/dev/ttyS0) is not open: a port change failed. Choose COM1 again under COM to try again, "
                      "or choose another device (Ctrl+D)."},
        PanelTextCase{"Disconnected", Disconnected{}, "COM1 (/dev/ttyUSB0)", 1,
                      "COM1 (/dev/ttyUSB0) was disconnected. The panel opens it again as soon as it is back."},
        PanelTextCase{"NoComPortOption",
                      NetworkFailure{.kind = NetworkFailureKind::NoComPortOption, .detail = {}},
                      "COM1 (rfc2217://hall:3000)", 1,
                      "COM1 (rfc2217://hall:3000) cannot be opened: the device server does not let the panel set the "
                      "line (RFC 2217). Enable it on the server, or use tcp://HOST:PORT with the speed set on the "
                      "server."},
        PanelTextCase{"LostConnection",
                      NetworkLoss{.failure = {.kind = NetworkFailureKind::Lost, .detail = {}}},
                      "COM1 (rfc2217://hall:3000)", 1,
                      "COM1 (rfc2217://hall:3000) lost the connection to the device server. The panel connects again "
                      "by itself as soon as the server answers."},
        PanelTextCase{"SpeedOnARawPort", SpeedSetOnServer{}, "COM1 (tcp://hall:4001)", 1,
                      "COM1 (tcp://hall:4001) is a raw TCP connection: its line speed is set on the device server, "
                      "not by the panel."}),
    [](const testing::TestParamInfo<PanelTextCase>& row) { return std::string(row.param.name); });

// The panel's texts never show the simulated projector's pseudo-terminal, a path the user never
// chose.
TEST(PanelTexts, NameTheSimulatedProjectorAsSuch) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    const PanelPortAdvisor advisor;
    ComPorts port({pty.devicePath(), QString()}, makeDevice, advisor);
    port.setSimulatedDevice(pty.devicePath());
    EXPECT_EQ(port.label(), QStringLiteral("COM1 (simulated projector)"));
    EXPECT_EQ(port.write("C00\r"),
              "COM1 (simulated projector) is not open: a port change failed. Choose COM1 again under COM to try "
              "again, or choose another device (Ctrl+D).");
    ASSERT_FALSE(port.open().error);
    EXPECT_EQ(port.describeOpening(), "Opening COM1 (simulated projector)\u2026");
    ASSERT_FALSE(port.close());
    // Another device behind COM2 keeps its own name.
    ASSERT_FALSE(port.setPortNumber(2));
    EXPECT_EQ(port.write("C00\r"), "COM2 is not open: a port change failed. Choose COM2 again under COM to try "
                                   "again, or choose another device (Ctrl+D).");
}

} // namespace
} // namespace tavo::test
