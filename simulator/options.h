// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// tavo-projector-sim's command line, read into what the simulated projector serves on and how it
// behaves.

#include "simulator/pty_projector.h"

#include <QHostAddress>
#include <QString>
#include <QStringList>
#include <optional>

namespace tavo::sim {

// Where the projector serves on the network, as a device server in raw TCP mode.
struct ListenAddress {
    QHostAddress host;
    quint16 port = 0;
};

struct SimOptions {
    // The projector, and the serial device it serves on (empty: a new pseudo-terminal).
    PtyProjector::Options serial;
    // A symbolic link to make to the serial line; empty for none.
    QString link;
    // Where to serve instead of a serial line; empty for a serial line.
    std::optional<ListenAddress> listen;
    // Every byte in and out on standard error.
    bool verbose = false;
};

struct ParsedOptions {
    enum class Outcome { Run, UsageError };
    Outcome outcome = Outcome::UsageError;
    SimOptions options;
    // UsageError: what was wrong.
    QString text;
};

// `arguments` begins with the program's name. Help, version and an unknown option are answered as
// Qt's parser answers them, and end the process there (exit status 0, or 1 for an unknown option);
// a QCoreApplication must exist.
[[nodiscard]] ParsedOptions parseOptions(const QStringList& arguments);

} // namespace tavo::sim
