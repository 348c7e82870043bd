// SPDX-License-Identifier: GPL-3.0-or-later
#include "pjlink/auth_throttle.h"

#include <algorithm>
#include <iterator>

namespace tavo::pjlink {

void AuthThrottle::forgetOld(std::int64_t nowMs) {
    for (auto it = records_.begin(); it != records_.end();) {
        Record& record = it->second;
        while (!record.failures.empty() && nowMs - record.failures.front() >= kAuthFailureWindowMs) {
            record.failures.pop_front();
        }
        it = record.failures.empty() && nowMs >= record.blockedUntilMs ? records_.erase(it) : std::next(it);
    }
}

void AuthThrottle::recordFailure(const std::string& address, std::int64_t nowMs) {
    if (!records_.contains(address) && records_.size() >= kMaxTrackedAddresses) {
        forgetOld(nowMs);
    }
    if (!records_.contains(address) && records_.size() >= kMaxTrackedAddresses) {
        // An address under lockout is never forgotten, or failing from enough other addresses would
        // set it free. Of the rest, the one with the fewest failures, the oldest of those, makes room.
        auto chosen = records_.end();
        for (auto it = records_.begin(); it != records_.end(); ++it) {
            const Record& r = it->second;
            if (nowMs < r.blockedUntilMs) {
                continue;
            }
            if (chosen == records_.end() || r.failures.size() < chosen->second.failures.size() ||
                (r.failures.size() == chosen->second.failures.size() &&
                 r.failures.back() < chosen->second.failures.back())) {
                chosen = it;
            }
        }
        if (chosen == records_.end()) {
            // Every address remembered is locked out: this one's failure goes uncounted, and the
            // bridge's delay after each failed login is all that slows it.
            return;
        }
        records_.erase(chosen);
    }
    Record& record = records_[address];
    while (!record.failures.empty() && nowMs - record.failures.front() >= kAuthFailureWindowMs) {
        record.failures.pop_front();
    }
    record.failures.push_back(nowMs);
    if (record.failures.size() >= kMaxAuthFailures) {
        record.blockedUntilMs = nowMs + kAuthBlockMs;
        record.failures.clear();
    }
}

bool AuthThrottle::blocked(const std::string& address, std::int64_t nowMs, std::int64_t* untilMs) {
    const auto found = records_.find(address);
    if (found == records_.end() || nowMs >= found->second.blockedUntilMs) {
        return false;
    }
    if (untilMs != nullptr) {
        *untilMs = found->second.blockedUntilMs;
    }
    return true;
}

} // namespace tavo::pjlink
