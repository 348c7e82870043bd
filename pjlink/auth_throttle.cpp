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
        if (records_.size() >= kMaxTrackedAddresses) {
            const auto oldest = std::ranges::min_element(records_, {}, [](const auto& entry) {
                return entry.second.failures.empty() ? entry.second.blockedUntilMs : entry.second.failures.back();
            });
            records_.erase(oldest);
        }
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
