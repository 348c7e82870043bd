// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// tavo-ctl's command line, read into the options and the request one run makes. Help, version,
// the command list and the completion's words need no device: parsing gives their text.

#include "core/panel_logic.h"
#include "core/ports/serial_port.h"
#include "ctl/request.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace tavo::ctl {

struct Options {
    // Empty: COM1 or COM2 as the panel resolves them.
    QString device;
    int portNumber = 1;
    LineSettings settings = kSettings19200;
    std::optional<int> timeoutMs;
    int repeat = 1;
    bool repeatGiven = false;
    bool json = false;
    // Nothing on standard output when the command succeeds.
    bool quiet = false;
};

struct ParsedOptions {
    enum class Outcome { Run, Done, UsageError };
    Outcome outcome = Outcome::UsageError;
    Options options;
    Request request;
    // Done: what to print on standard output; UsageError: what was wrong.
    QString text;
};

// `arguments` begins with the program's name.
[[nodiscard]] ParsedOptions parseOptions(const QStringList& arguments);

// Whether the arguments ask for --json, before they are parsed: its output is never translated.
[[nodiscard]] bool asksForJson(const QStringList& arguments);

} // namespace tavo::ctl
