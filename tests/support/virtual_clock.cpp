// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/virtual_clock.h"

#include <algorithm>
#include <utility>

namespace tavo::test {

class VirtualClock::Timer final : public OneShotTimer {
public:
    Timer(VirtualClock& clock, std::function<void()> onTimeout) : clock_(&clock), onTimeout_(std::move(onTimeout)) {
        clock_->timers_.push_back(this);
    }
    ~Timer() override {
        if (clock_ != nullptr) {
            std::erase(clock_->timers_, this);
        }
    }
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void start(int ms) override {
        if (clock_ != nullptr) {
            due_ = clock_->now_ + std::max(ms, 0);
            order_ = ++clock_->starts_;
            active_ = true;
        }
    }
    void stop() override { active_ = false; }
    [[nodiscard]] bool isActive() const override { return active_; }

    void fire() {
        active_ = false;
        onTimeout_();
    }
    void forget() { clock_ = nullptr; }

    [[nodiscard]] std::int64_t due() const { return due_; }
    [[nodiscard]] std::uint64_t order() const { return order_; }

private:
    VirtualClock* clock_;
    std::function<void()> onTimeout_;
    std::int64_t due_ = 0;
    std::uint64_t order_ = 0;
    bool active_ = false;
};

VirtualClock::~VirtualClock() {
    for (Timer* timer : timers_) {
        timer->forget();
    }
}

std::unique_ptr<OneShotTimer> VirtualClock::makeTimer(std::function<void()> onTimeout) {
    return std::make_unique<Timer>(*this, std::move(onTimeout));
}

std::optional<std::int64_t> VirtualClock::nextDue() const {
    std::optional<std::int64_t> next;
    for (const Timer* timer : timers_) {
        if (timer->isActive() && (!next || timer->due() < *next)) {
            next = timer->due();
        }
    }
    return next;
}

void VirtualClock::advance(std::int64_t ms) {
    const std::int64_t until = now_ + ms;
    for (;;) {
        Timer* first = nullptr;
        for (Timer* timer : timers_) {
            if (timer->isActive() && timer->due() <= until &&
                (first == nullptr || timer->due() < first->due() ||
                 (timer->due() == first->due() && timer->order() < first->order()))) {
                first = timer;
            }
        }
        if (first == nullptr) {
            break;
        }
        now_ = std::max(now_, first->due());
        first->fire();
    }
    now_ = until;
}

} // namespace tavo::test
