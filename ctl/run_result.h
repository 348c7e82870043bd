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
    };
    Outcome outcome = Outcome::Silent;
    // Everything received, in arrival order.
    std::string reply;
    // DeviceError and Interrupted: what happened, for the user.
    std::string error;
    // In words, what the line should have been answered with, e.g. "ACK CR".
    std::string expected{};
};

} // namespace tavo::ctl
