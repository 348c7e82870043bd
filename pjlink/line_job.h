// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The line queue's side of a piece of work: a job gives the lines to send one at a time and takes
// what came back for each, and the queue sends them back to back with no other line between.

#include "core/line_exchange.h"

#include <optional>
#include <string>
#include <string_view>

namespace tavo::pjlink {

class LineJob {
public:
    virtual ~LineJob() = default;

    // The next line to send, with its reply wait, or nothing when the job is finished.
    [[nodiscard]] virtual std::optional<LineRequest> next() const = 0;
    // What the conversation credited to that line: its reply up to the CR, or what came within
    // its wait; empty when nothing came. `kept`: the reply of the same read a moment ago, the line
    // was not sent again.
    virtual void answer(std::string_view reply, bool kept) = 0;
    // The line was not sent, or its reply cannot come; `reason` says why.
    virtual void fail(std::string_view reason) = 0;

    // Whether the job, once begun, is carried to its end also when the one who submitted it is
    // gone: a setting half made would leave the projector in a state no one asked for.
    [[nodiscard]] virtual bool changesProjector() const { return false; }
    // What the job asked and came to, for the log of a job finished for no one.
    [[nodiscard]] virtual std::string outcome() const { return {}; }
};

} // namespace tavo::pjlink
