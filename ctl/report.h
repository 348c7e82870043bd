// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How tavo-ctl tells what a run came to: on standard output the reply, as one line for a person or
// one JSON object for a program; on standard error what went wrong, in the user's language.

#include "ctl/options.h"
#include "ctl/request.h"
#include "ctl/run_result.h"

#include <QJsonObject>
#include <QString>
#include <QTextStream>
#include <string_view>

namespace tavo::ctl {

// Prints what the run came to and gives its exit status. `portLabel` names the port and device in
// messages, e.g. "COM1 (/dev/ttyUSB0)".
int reportRun(const Options& options, const Request& request, const RunResult& result, const QString& portLabel,
              QTextStream& out, QTextStream& err);

// The values of a well-formed status reply as JSON numbers and words, which sit beside its
// "decoded" text. Every output that carries a status uses these keys:
//   status        "power": "standby", "warming", "on" or "cooling", null when the status says
//                 nothing of the lamp; "status": the code as the projector sends it, e.g. "80";
//                 "fault": null, "power" or "temperature"
//   input         "input": the input's number
//   lamp-hours    "hours": the hours as a number
//   temperatures  "temperatures": the three, in degrees Celsius, as an array of numbers
// Empty for any other line or reply.
[[nodiscard]] QJsonObject statusValues(std::string_view line, std::string_view reply);

} // namespace tavo::ctl
