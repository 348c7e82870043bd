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

// How long --wait waits for the power state when --timeout does not say.
inline constexpr int kDefaultWaitMs = 60000;
// watch reads the power status this often when --interval does not say, and at most this rarely.
inline constexpr int kDefaultIntervalS = 5;
inline constexpr int kMaxIntervalS = 3600;

enum class RunMode {
    // The command is sent once and its reply reported.
    Once,
    // --wait: power-on or power-off, until the projector is in the state it brings it to.
    Wait,
    // watch: the power status, each time it changes, until interrupted.
    Watch,
};

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
    RunMode mode = RunMode::Once;
    // watch: the seconds between the end of one read and the next.
    int intervalS = kDefaultIntervalS;
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
