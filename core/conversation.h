// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The panel's conversation with the projector: the one exchange engine every line goes through,
// paced as the panel paces it (a click at once, a hold at its own rate), the exchange log that
// records it for the technician, and the power state it last told. It lives as long as the
// panel, so the log holds every exchange since the start, whether or not its window was opened.

#include "core/exchange_log.h"
#include "core/line_exchange.h"
#include "core/ports/clock.h"
#include "core/ports/serial_port.h"
#include "core/recent_power.h"

namespace tavo {

class Conversation {
public:
    Conversation(SerialPort& port, Clock& clock) : exchange(port, clock, Pacing::AtOnce), log(clock), power(clock) {
        exchange.addListener(log);
        exchange.addListener(power);
    }
    ~Conversation() {
        exchange.removeListener(power);
        exchange.removeListener(log);
    }
    Conversation(const Conversation&) = delete;
    Conversation& operator=(const Conversation&) = delete;

    // The port closes or opens anew, or its device went away: no reply to a line sent before can
    // come any more, and what the last status read told is about a device that may no longer
    // answer. The log has the port's own row for it, so the line in flight ends without one.
    void portReset() {
        exchange.abandon();
        power.forget();
    }

    LineExchange exchange;
    ExchangeLog log;
    RecentPower power;
};

} // namespace tavo
