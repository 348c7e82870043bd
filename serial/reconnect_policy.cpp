// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/reconnect_policy.h"

#include "serial/logging.h"

#include <algorithm>

namespace tavo {

ReconnectPolicy::ReconnectPolicy(QObject* parent) : QObject(parent) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &ReconnectPolicy::tryAgain);
}

void ReconnectPolicy::lost(bool takenOver) {
    if (!takenOver && (!backSince_.isValid() || backSince_.elapsed() >= kSteadyMs)) {
        delayMs_ = kFirstRetryMs;
    } else {
        // Back only briefly, or taken by another client: whatever drops it will likely drop it
        // again, and taking it back at once would only take it from the other client.
        delayMs_ = std::min(delayMs_ * 2, kLongestRetryMs);
    }
    backSince_.invalidate();
    schedule();
}

void ReconnectPolicy::tryFailed() {
    delayMs_ = std::min(delayMs_ * 2, kLongestRetryMs);
    schedule();
}

void ReconnectPolicy::back() {
    timer_.stop();
    backSince_.start();
}

void ReconnectPolicy::stop() {
    timer_.stop();
    backSince_.invalidate();
    delayMs_ = kFirstRetryMs;
}

void ReconnectPolicy::schedule() {
    qCInfo(lcSerial) << "trying the device again in" << delayMs_ << "ms";
    timer_.start(delayMs_);
}

} // namespace tavo
