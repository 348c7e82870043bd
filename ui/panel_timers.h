// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The panel's four timers as the logic uses them: enabling a running timer leaves its count alone,
// setting an interval restarts a running timer's count, and each tick goes to one handler.

#include "core/ports/controls.h"

#include <array>
#include <functional>

class QObject;
class QTimer;

namespace tavo {

class PanelTimers {
public:
    using Tick = std::function<void(TimerId)>;

    // `context` is the window, which outlives the ticks' routing.
    PanelTimers(const std::array<QTimer*, kTimerCount>& timers, QObject& context, Tick tick);
    // Stops the timers: nothing they would emit may reach a window being destroyed.
    void detach();

    [[nodiscard]] QTimer* timer(TimerId id) const { return timers_[index(id)]; }
    void setEnabled(TimerId id, bool enabled);
    void setInterval(TimerId id, int milliseconds);

private:
    std::array<QTimer*, kTimerCount> timers_;
    QObject& context_;
};

} // namespace tavo
