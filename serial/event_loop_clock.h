// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The clock the programs run the conversation with the projector on: Qt's monotonic time and
// precise one-shot timers of the thread's event loop. A coarse timer may end a reply wait a few
// milliseconds early, and a reply that came just in time would then read as none.

#include "core/ports/clock.h"

#include <QElapsedTimer>

namespace tavo {

class EventLoopClock final : public Clock {
public:
    EventLoopClock();

    [[nodiscard]] std::int64_t nowMs() const override { return elapsed_.elapsed(); }
    [[nodiscard]] std::unique_ptr<OneShotTimer> makeTimer(std::function<void()> onTimeout) override;

private:
    QElapsedTimer elapsed_;
};

} // namespace tavo
