// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One exchange with the projector as the panel makes it: the command line is written, and what
// comes back within the reply wait is the reply. Runs a local event loop on the calling thread,
// which must own the port.

#include "core/ports/serial_port.h"

#include <string>
#include <string_view>

namespace tavo::ctl {

struct ExchangeRequest {
    // The whole line, CR included.
    std::string_view line;
    int replyWaitMs = 0;
    // How many times the line is written, periodMs apart, as a held button repeats it.
    int steps = 1;
    int periodMs = 0;
    // What to report when the device goes away during the exchange.
    std::string disconnectedText;
};

struct ExchangeResult {
    enum class Outcome {
        Answered,
        // A reply began with "?": the projector did not take the line.
        Refused,
        // Nothing arrived within the reply wait.
        Silent,
        DeviceError,
        Interrupted,
    };
    Outcome outcome = Outcome::Silent;
    // Everything received, in arrival order.
    std::string reply;
    // DeviceError: the port layer's description.
    std::string error;
};

// The port must be open. The exchange ends early once every line written has had a reply ending in
// CR, else when the reply wait after the last write has passed.
[[nodiscard]] ExchangeResult exchange(SerialPort& port, const ExchangeRequest& request);

} // namespace tavo::ctl
