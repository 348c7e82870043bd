// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A clock in memory: time moves only when a test advances it, and each timer that falls due on
// the way fires at its instant, in the order they fall due (timers due at the same instant in the
// order they were started).

#include "core/ports/clock.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tavo::test {

class VirtualClock final : public Clock {
public:
    VirtualClock() = default;
    ~VirtualClock() override;
    VirtualClock(const VirtualClock&) = delete;
    VirtualClock& operator=(const VirtualClock&) = delete;

    [[nodiscard]] std::int64_t nowMs() const override { return now_; }
    [[nodiscard]] std::unique_ptr<OneShotTimer> makeTimer(std::function<void()> onTimeout) override;

    // Moves time forward, firing every timer that falls due on the way.
    void advance(std::int64_t ms);
    // The instant the next timer falls due, if any runs.
    [[nodiscard]] std::optional<std::int64_t> nextDue() const;

private:
    class Timer;
    friend class Timer;

    std::int64_t now_ = 0;
    std::uint64_t starts_ = 0;
    std::vector<Timer*> timers_;
};

} // namespace tavo::test
