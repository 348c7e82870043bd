// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// tavo-ctl's terms for the conversation engine: the line a request makes, and what an exchange
// came to as the report reads it.

#include "core/line_exchange.h"
#include "core/status_decoding.h"
#include "ctl/request.h"
#include "ctl/run_result.h"

#include <optional>
#include <string>

namespace tavo::ctl {

[[nodiscard]] LineRequest lineRequestOf(const Request& request);

// What the exchange came to. The engine's own bound on a reply is a flood: a device error.
[[nodiscard]] RunResult runResultOf(const ExchangeResult& result);

// A line the port did not take: nothing went out.
[[nodiscard]] RunResult notWritten(std::string why);

// A read of the power status.
struct PowerReading {
    RunResult result;
    // A well-formed status (result.outcome is Answered): what it says of the lamp.
    std::optional<PowerCondition> condition;
};

[[nodiscard]] PowerReading powerReadingOf(const ExchangeResult& result);

} // namespace tavo::ctl
