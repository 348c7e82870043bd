// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Slows down password guessing: an address whose authentication failed kMaxAuthFailures times
// within kAuthFailureWindowMs must wait kAuthBlockMs before it may try again. Times are whatever
// monotonic clock the caller feeds in.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <string>

namespace tavo::pjlink {

inline constexpr std::size_t kMaxAuthFailures = 5;
inline constexpr std::int64_t kAuthFailureWindowMs = 60'000;
inline constexpr std::int64_t kAuthBlockMs = 60'000;
// Addresses remembered at once, so that guesses from ever new addresses cost no more than this
// much memory. Past it an address with the fewest failures makes room; one under lockout never does.
inline constexpr std::size_t kMaxTrackedAddresses = 1024;

class AuthThrottle {
public:
    void recordFailure(const std::string& address, std::int64_t nowMs);
    // Whether the address must still wait; the time it may try again in *untilMs.
    [[nodiscard]] bool blocked(const std::string& address, std::int64_t nowMs, std::int64_t* untilMs = nullptr);
    [[nodiscard]] std::size_t tracked() const { return records_.size(); }
    // Whether a failure of the address is remembered, or it is still locked out.
    [[nodiscard]] bool remembers(const std::string& address) const { return records_.contains(address); }

private:
    struct Record {
        std::deque<std::int64_t> failures;
        std::int64_t blockedUntilMs = 0;
    };
    void forgetOld(std::int64_t nowMs);

    std::map<std::string, Record> records_;
};

} // namespace tavo::pjlink
