// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The panel's command line: which host devices stand for COM1 and COM2, or the built-in simulated
// projector behind COM1. Without options the panel uses the system's usual first two ports.

#include <QString>
#include <QStringList>

namespace tavo::panel {

struct PanelOptions {
    QString com1; // empty: the default device
    QString com2;
    bool simulate = false;
};

struct ParsedOptions {
    enum class Outcome { Run, Help, Version, Completion, Error };
    Outcome outcome = Outcome::Run;
    PanelOptions options;
    // The help text, the version line, the devices to complete (one a line) or the error message,
    // as it would be printed.
    QString text;
};

// Parses without printing or exiting. The application object must exist (the help text names the
// program as it was started).
[[nodiscard]] ParsedOptions tryParseOptions(const QStringList& arguments);

// Parses the arguments; --help and --version print and end the program, as does a usage error,
// in the way QCommandLineParser::process does.
[[nodiscard]] PanelOptions parseOptions(const QStringList& arguments);

} // namespace tavo::panel
