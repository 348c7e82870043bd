// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The clock port: the time and the one-shot timers of the event loop the logic runs on. The
// conversation with the projector measures its waits through it, so that the programs run it on
// the event loop's timers and the tests on a virtual clock that never sleeps. A timer's callback
// always comes from the event loop, never from inside start() or stop(), so the code it calls is
// never re-entered.

#include <cstdint>
#include <functional>
#include <memory>

namespace tavo {

class OneShotTimer {
public:
    virtual ~OneShotTimer() = default;
    // Starts the count afresh, also when the timer is running; the callback follows once, `ms`
    // milliseconds later, unless the timer is stopped or started again first.
    virtual void start(int ms) = 0;
    virtual void stop() = 0;
    [[nodiscard]] virtual bool isActive() const = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds from an arbitrary start; never goes back.
    [[nodiscard]] virtual std::int64_t nowMs() const = 0;
    // A timer that calls `onTimeout` when it ends. The callback may start the timer again.
    [[nodiscard]] virtual std::unique_ptr<OneShotTimer> makeTimer(std::function<void()> onTimeout) = 0;
};

} // namespace tavo
