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
// opening of the device and a question for its line settings (0 when a terminal answers, ENOTTY
// for something that is no terminal, EIO for a port with no UART behind it).
[[nodiscard]] OpenFailureKind classifyOpenFailure(QSerialPort::SerialPortError error, int systemError);

// Opens the device without Qt and asks for its line settings: the error number of whichever
// failed, or 0. Non-blocking, so that a modem line does not wait for its carrier.
[[nodiscard]] int probeTerminal(const QString& path);
using TerminalProbe = int (*)(const QString& path);

// Everything the failure text needs: `device` as the user named it, `opening` the path opened.
// The probe asks the system; a test may give its own answers.
[[nodiscard]] OpenFailure diagnoseOpenFailure(const QString& device, const QString& opening,
                                              QSerialPort::SerialPortError error, const QString& errorString,
                                              TerminalProbe probe = probeTerminal);

// Devices that no serial line is behind, refused before opening (root could open and write to
// them): the controlling terminal, the pseudo-terminal master, the system console and the virtual
// consoles are terminals but no line of their own, and a socket is no device at all.
[[nodiscard]] bool isNeverASerialPort(const QString& path);

// The device's own path, so that the lock file is the one other programs use for the device.
[[nodiscard]] QString openingPath(const QString& path);

// When a symbolic link was made (its change time in nanoseconds), or 0 for anything else.
[[nodiscard]] qint64 linkStamp(const QString& path);

} // namespace tavo
