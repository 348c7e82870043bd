// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What tavo-ctl is asked to send: a command name or "send LINE", turned into the line, how often
// it is written and how long its reply is awaited, as the panel's button would do it.

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

namespace tavo::ctl {

struct Options;

struct Request {
    // As the user named it: a command's name, or "send".
    QString name;
    // The whole line, CR included.
    std::string line;
    // How many times the line is written, periodMs apart, as a held button repeats it.
    int steps = 1;
    int periodMs = 0;
    int replyWaitMs = 0;
};

// The request the positional arguments make, given the options that shape it (--repeat,
// --timeout). Empty, with *error set, when they make none; then nothing is sent.
[[nodiscard]] std::optional<Request> requestFor(const QStringList& positional, const Options& options, QString* error);

// Every command with its line and what it does, one a line: `tavo-ctl list`.
[[nodiscard]] QString listText();

// The words the shell's completion offers for the command, one a line.
[[nodiscard]] QString completionWords();

} // namespace tavo::ctl
