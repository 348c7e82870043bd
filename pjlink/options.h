// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// tavo-pjlink's command line, read into the settings the program runs with.

#include "core/ports/serial_port.h"
#include "pjlink/command_run.h"
#include "serial/port_label.h"

#include <QHostAddress>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace tavo::pjlink {

struct ListenAddress {
    QHostAddress address;
    quint16 port = 0;
};

struct BridgeOptions {
    // As given: a device the panel accepts, or COM1 or COM2.
    QString device;
    QList<ListenAddress> listen;
    QString passwordFile;
    bool noPassword = false;
    Identity identity;
    LineSettings settings;
    int maxConnections = 0;
};

struct ParsedOptions {
    enum class Outcome { Run, Done, UsageError };
    Outcome outcome = Outcome::UsageError;
    BridgeOptions options;
    // The help or version text for Done, the error for UsageError.
    QString text;
};

[[nodiscard]] ParsedOptions parseOptions(const QStringList& arguments);

// "ADDRESS:PORT", "[IPV6]:PORT", "ADDRESS" (the default port), "*:PORT" (every address).
[[nodiscard]] std::optional<ListenAddress> parseListenAddress(const QString& text, QString* error);

// Whether every address listened on is this machine's own loopback.
[[nodiscard]] bool loopbackOnly(const QList<ListenAddress>& listen);

// The COM ports' devices and the port to open for the device named on the command line.
struct PortChoice {
    // Those of port numbers 1 and 2.
    QStringList devices;
    int portNumber = 1;
    // A device named on the command line is named as given; COM1 and COM2 by their numbers.
    PortNaming naming = PortNaming::ComNumber;
    // Why the devices saved in the panel were not read, for the log; empty when they were.
    QString settingsProblem;
};

// COM1 and COM2 mean what they mean to every program of the package; any other name is the
// device, as port 1.
[[nodiscard]] PortChoice portChoice(const QString& name);

} // namespace tavo::pjlink
