// SPDX-License-Identifier: GPL-3.0-or-later
#include "pjlink/log_budget.h"

#include <algorithm>

namespace tavo::pjlink {

bool LogBudget::takeLine(std::int64_t nowMs) {
    if (!started_) {
        started_ = true;
        refilledMs_ = nowMs;
    }
    const double refill = static_cast<double>(nowMs - refilledMs_) * kLogLinesPerSecond / 1000.0;
    tokens_ = std::min<double>(kLogBurstLines, tokens_ + std::max(0.0, refill));
    refilledMs_ = nowMs;
    if (tokens_ >= 1.0) {
        tokens_ -= 1.0;
        return true;
    }
    if (leftOut_ == 0) {
        leftOutSinceMs_ = nowMs;
    }
    ++leftOut_;
    return false;
}

LogBudget::Window* LogBudget::window(const std::string& key, std::int64_t nowMs, bool* fresh) {
    *fresh = false;
    const auto found = std::ranges::find(windows_, key, &Window::key);
    if (found != windows_.end()) {
        return &*found;
    }
    if (windows_.size() >= kMaxRepeatKeys) {
        // Past the bound, every new kind counts under the shared key, which is never written in
        // full: its first event is a repeat of those that filled the bound.
        const auto other = std::ranges::find(windows_, std::string(kOtherRepeats), &Window::key);
        if (other != windows_.end()) {
            return &*other;
        }
        windows_.push_back({.key = kOtherRepeats, .sinceMs = nowMs});
        return &windows_.back();
    }
    *fresh = true;
    windows_.push_back({.key = key, .sinceMs = nowMs});
    return &windows_.back();
}

bool LogBudget::repeat(const std::string& key, std::uint64_t amount, std::int64_t nowMs) {
    bool fresh = false;
    Window* w = window(key, nowMs, &fresh);
    if (fresh) {
        return true;
    }
    ++w->times;
    w->amount += amount;
    return false;
}

LogBudget::Summary LogBudget::summary(std::int64_t nowMs) {
    Summary out;
    for (Window& w : windows_) {
        if (nowMs - w.sinceMs < kLogSummaryMs) {
            continue;
        }
        if (w.times > 0) {
            out.repeats.push_back({.key = w.key, .times = w.times, .amount = w.amount});
            // A repeat that goes on is counted again for the next window.
            w = {.key = w.key, .sinceMs = nowMs};
        } else {
            // Quiet for a whole window: the next one is written in full again.
            w.sinceMs = -1;
        }
    }
    std::erase_if(windows_, [](const Window& w) { return w.sinceMs < 0; });
    if (leftOut_ > 0 && nowMs - leftOutSinceMs_ >= kLogSummaryMs) {
        out.linesLeftOut = leftOut_;
        leftOut_ = 0;
    }
    return out;
}

std::optional<std::int64_t> LogBudget::nextSummaryMs() const {
    std::optional<std::int64_t> next;
    for (const Window& w : windows_) {
        const std::int64_t at = w.sinceMs + kLogSummaryMs;
        next = next ? std::min(*next, at) : at;
    }
    if (leftOut_ > 0) {
        const std::int64_t at = leftOutSinceMs_ + kLogSummaryMs;
        next = next ? std::min(*next, at) : at;
    }
    return next;
}

} // namespace tavo::pjlink
