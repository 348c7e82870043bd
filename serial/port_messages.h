// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The failure descriptions of the host serial port. They go to the user as they are (a warning
// box, the start-up error, the status line), so each names the port and the device and says what
// to do about it.

#include <QString>
#include <QStringList>

namespace tavo {

enum class OpenFailureKind {
    NoSuchDevice,
    PermissionDenied,
    Busy,
    NotASerialPort,
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
};

// "COM1 (/dev/ttyS0)", or just "COM1" when the device is not known.
[[nodiscard]] QString portLabel(int portNumber, const QString& device);

[[nodiscard]] QString describeOpenFailure(const OpenFailure& failure);
[[nodiscard]] QString describeDisconnected(int portNumber, const QString& device);
[[nodiscard]] QString describeReconnected(int portNumber, const QString& device);
[[nodiscard]] QString describeNotOpen(int portNumber, const QString& device);

} // namespace tavo
