// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What tavo-ctl makes of the power status before it sends a command that depends on it: the
// operation model decides, so that a command the projector would take and ignore is never
// reported as done.

#include "ctl/exchange_outcome.h"
#include "ctl/request.h"
#include "ctl/run_result.h"

#include <QString>
#include <optional>

namespace tavo::ctl {

// Whether the command's control depends on the power state: its line waits for a status read.
[[nodiscard]] bool readsPowerFirst(const Request& request);

// Empty when the projector carries the command out in the state the reading shows; else the
// result of not sending it (ignored, or a power abnormality), with the reason in the user's words.
// The reading must hold a well-formed status.
[[nodiscard]] std::optional<RunResult> withheld(const Request& request, const PowerReading& reading);

// The status tells nothing of the lamp (a power abnormality): the result of not sending the command.
[[nodiscard]] RunResult abnormal(const Request& request, const PowerReading& reading);

// The status read failed: its outcome becomes the command's, saying that nothing was sent.
[[nodiscard]] RunResult readFailed(const Request& request, const Request& read, const RunResult& readResult,
                                   const QString& portLabel);

} // namespace tavo::ctl
