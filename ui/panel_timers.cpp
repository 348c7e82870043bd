// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/panel_timers.h"

#include <QTimer>

namespace tavo {

PanelTimers::PanelTimers(const std::array<QTimer*, kTimerCount>& timers, QObject& context, Tick tick)
    : timers_(timers), context_(context) {
    for (std::size_t i = 0; i < kTimerCount; ++i) {
        const auto id = static_cast<TimerId>(i);
        QObject::connect(timer(id), &QTimer::timeout, &context_, [tick, id] { tick(id); });
    }
}

void PanelTimers::detach() {
    for (QTimer* t : timers_) {
        t->stop();
        QObject::disconnect(t, nullptr, &context_, nullptr);
    }
}

void PanelTimers::setEnabled(TimerId id, bool enabled) {
    QTimer* t = timer(id);
    if (!enabled) {
        t->stop();
    } else if (!t->isActive()) {
        t->start(); // a running timer keeps its count
    }
}

void PanelTimers::setInterval(TimerId id, int milliseconds) {
    // QTimer restarts a running timer's count when its interval is set.
    timer(id)->setInterval(milliseconds);
}

} // namespace tavo
