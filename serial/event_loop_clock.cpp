// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/event_loop_clock.h"

#include <QTimer>
#include <utility>

namespace tavo {

namespace {

class EventLoopTimer final : public OneShotTimer {
public:
    explicit EventLoopTimer(std::function<void()> onTimeout) : onTimeout_(std::move(onTimeout)) {
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] { onTimeout_(); });
    }

    void start(int ms) override { timer_.start(ms); }
    void stop() override { timer_.stop(); }
    [[nodiscard]] bool isActive() const override { return timer_.isActive(); }

private:
    QTimer timer_;
    std::function<void()> onTimeout_;
};

} // namespace

EventLoopClock::EventLoopClock() {
    elapsed_.start();
}

std::unique_ptr<OneShotTimer> EventLoopClock::makeTimer(std::function<void()> onTimeout) {
    return std::make_unique<EventLoopTimer>(std::move(onTimeout));
}

} // namespace tavo
