// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The failure descriptions of the COM ports and their devices. They go to the user as they are (a warning
// box, the start-up error, the status line, a program's error output), so each names the port and
// the device and says what to do about it, in the words of the program that shows it.

#include <QString>
#include <QStringList>
#include <cstdint>

namespace tavo {

// The program whose user reads the texts: the advice names only that program's own options and
// windows.
enum class Audience : std::uint8_t {
    // tavo-panel: its device chooser, Try Without a Projector, --com1 DEVICE and --simulate.
    Panel,
    // tavo-ctl: --device DEV, --com1 and --com2; it ends where the others open the device again.
    Ctl,
    // tavo-pjlink, which opens its device again by itself and has no options to offer for it.
    Bridge,
};

enum class OpenFailureKind {
    NoSuchDevice,
    PermissionDenied,
    Busy,
    NotASerialPort,
    // The device node exists but no port answers behind it, as a built-in port the machine lacks.
    NoHardware,
    // A lock file names a process that no longer exists, and the user may not remove it.
    StaleLock,
    Other,
};

struct OpenFailure {
    OpenFailureKind kind = OpenFailureKind::Other;
    int portNumber = 1;
    QString device;
    // The serial ports that exist, for NoSuchDevice.
    QStringList existingPorts;
    // The system's own words, for Other.
    QString detail;
    // The device's owner, group and permission bits, for PermissionDenied; empty when not known.
    QString owner{};
    QString group{};
    unsigned mode = 0;
    // The lock file and the process it names, for StaleLock.
    QString lockFile{};
    qint64 lockPid = 0;
};

// Why a device server on the network could not be reached or was lost.
enum class NetworkFailureKind {
    BadAddress,
    HostNotFound,
    Refused,
    NoAnswer,
    // Connected, but the server said nothing to the telnet negotiation.
    Silent,
    NoComPortOption,
    ClosedByServer,
    // The server said its port is in use: another client has it.
    InUse,
    Lost,
    // The panel cut the connection off: the server went past a bound (what it did is the detail).
    CutOff,
    Other,
};

struct NetworkFailure {
    NetworkFailureKind kind = NetworkFailureKind::Other;
    // The host, for HostNotFound; the reason, for BadAddress; what the server did, for CutOff; the
    // system's own words, for Other.
    QString detail;
};

// "COM1 (/dev/ttyS0)", or just "COM1" when the device is not known.
[[nodiscard]] QString portLabel(int portNumber, const QString& device);

// The program as a text names it in a sentence: "the panel", "tavo-ctl", "the bridge".
[[nodiscard]] QString programName(Audience audience);

[[nodiscard]] QString describeOpenFailure(const OpenFailure& failure, Audience audience);
[[nodiscard]] QString describeDisconnected(int portNumber, const QString& device, Audience audience);
[[nodiscard]] QString describeReconnected(int portNumber, const QString& device);
[[nodiscard]] QString describeNotOpen(int portNumber, const QString& device, Audience audience);
[[nodiscard]] QString describeSettingsRefused(int portNumber, const QString& device, const QString& settings,
                                              const QString& reason);
// A write the device did not take; the port stays open.
[[nodiscard]] QString describeNotTaken(int portNumber, const QString& device);

[[nodiscard]] QString describeNetworkFailure(int portNumber, const QString& device, const NetworkFailure& failure,
                                             Audience audience);
// The loss of an open connection, for any of the kinds above.
[[nodiscard]] QString describeNetworkLoss(int portNumber, const QString& device, const NetworkFailure& failure,
                                          Audience audience);
// A write while the port's open is still in progress.
[[nodiscard]] QString describeStillOpening(int portNumber, const QString& device, Audience audience);
// A speed change on a raw TCP connection, which the program cannot pass on.
[[nodiscard]] QString describeSpeedSetOnServer(int portNumber, const QString& device, Audience audience);

} // namespace tavo
