// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What goes wrong on a COM port, as its device reports it, and the texts made from that. A text
// goes to the user as it is (a warning box, the start-up error, the status line, a program's error
// output, the bridge's log): it names the port as the program names it (port_label.h), says what
// happened, and ends with the program's own advice (port_advisor.h).

#include "serial/port_advisor.h"

#include <QString>
#include <QStringList>
#include <cstddef>
#include <variant>

namespace tavo {

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

// Why a local device could not be opened.
struct OpenFailure {
    OpenFailureKind kind = OpenFailureKind::Other;
    // As the user named it; empty when no device is set for the port.
    QString device;
    // The serial ports that exist, for NoSuchDevice and NoHardware.
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
    // The program cut the connection off: the server went past a bound (what it did is the detail).
    CutOff,
    // Cut off because the server does not take what the program sends.
    NotTaking,
    Other,
};

struct NetworkFailure {
    NetworkFailureKind kind = NetworkFailureKind::Other;
    // The host, for HostNotFound; the reason, for BadAddress; what the server did, for CutOff; the
    // system's own words, for Other.
    QString detail;
};

// The loss of a connection that was ready.
struct NetworkLoss {
    NetworkFailure failure;
};

// A local device that went away (unplugged, hung up).
struct Disconnected {};
// A write to a port that is not open.
struct NotOpen {};
// A write while the port's open is still in progress.
struct StillOpening {};
// A write the device did not take; the port stays open.
struct NotTaken {};
// A write that failed otherwise, in the system's words.
struct SendFailed {
    QString detail;
};
// A write longer than the send buffer.
struct TooLong {
    std::size_t size = 0;
    std::size_t limit = 0;
};
// Line settings the device refused, or a device server replaced.
struct SettingsRefused {
    QString settings;
    QString reason;
};
// A speed change on a raw TCP connection, which the program cannot pass on.
struct SpeedSetOnServer {};

using PortProblem = std::variant<OpenFailure, NetworkFailure, NetworkLoss, Disconnected, NotOpen, StillOpening,
                                 NotTaken, SendFailed, TooLong, SettingsRefused, SpeedSetOnServer>;

// The text of a problem of COM`portNumber`, which the text calls `port`, with the advice of the
// program that shows it.
[[nodiscard]] QString describeProblem(const PortProblem& problem, const QString& port, int portNumber,
                                      const PortAdvisor& advisor);

// The return of a lost device.
[[nodiscard]] QString describeReconnected(const QString& port);

} // namespace tavo
