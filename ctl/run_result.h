// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What one run of a line with the projector came to, whatever made the exchange: the report reads
// only this.

#include <string>

namespace tavo::ctl {

struct RunResult {
    enum class Outcome {
        // Acknowledged, or a well-formed status of the read.
        Answered,
        // "?" CR: the projector did not take the line.
        Refused,
        // Nothing, or too little, arrived within the reply wait.
        Silent,
        // Something no projector that understood the line would send.
        Unexpected,
        DeviceError,
        Interrupted,
        // Not sent: the power status shows that the projector would take the line and ignore it.
        Ignored,
        // Not sent: the power status tells nothing of the lamp (a power abnormality).
        Abnormal,
        // --wait: the projector did not reach the state within --timeout.
        TimedOut,
    };
    Outcome outcome = Outcome::Silent;
    // Everything received, in arrival order.
    std::string reply;
    // What happened, for the user: always for DeviceError, Interrupted, Ignored, Abnormal and
    // TimedOut; for the other failures where their usual words do not say enough.
    std::string error;
    // In words, what the line should have been answered with, e.g. "ACK CR".
    std::string expected{};
};

} // namespace tavo::ctl
