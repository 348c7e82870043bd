// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Why a local serial device could not be opened, in the terms of the failure texts: Qt reports a
// missing device, a device in use, a lock file of a program that is gone and a device the user may
// not open in ways that do not tell them apart, so the system is asked again without opening the
// device for good.

#include "serial/port_messages.h"

#include <QSerialPort>
#include <QString>

namespace tavo {

// The kind of a failed opening, from Qt's error and the error number the system gives a plain
// opening of the device (0 when that opens a terminal, ENOTTY when it opens something else).
[[nodiscard]] OpenFailureKind classifyOpenFailure(QSerialPort::SerialPortError error, int systemError);

// Everything the failure text needs: `device` as the user named it, `opening` the path opened.
[[nodiscard]] OpenFailure diagnoseOpenFailure(int portNumber, const QString& device, const QString& opening,
                                              QSerialPort::SerialPortError error, const QString& errorString);

// The controlling terminal and the pseudo-terminal master are terminals but no line of their own.
[[nodiscard]] bool isNoLineOfItsOwn(const QString& path);

// The device's own path, so that the lock file is the one other programs use for the device.
[[nodiscard]] QString openingPath(const QString& path);

// When a symbolic link was made (its change time in nanoseconds), or 0 for anything else.
[[nodiscard]] qint64 linkStamp(const QString& path);

} // namespace tavo
