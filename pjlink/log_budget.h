// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the bridge's log may write, so that the log stays a record whatever a controller or the
// projector sends: plain code with the time passed in.
//
// Lines of single commands and connections share a budget of kLogLinesPerSecond (with a burst of
// kLogBurstLines); the lines over it are counted and summed up at most every kLogSummaryMs. An
// event that repeats (bytes dropped between exchanges, a command refused for the queue, a failed
// login from one address) is written in full the first time; its repeats within kLogSummaryMs are
// counted into one line. At most kMaxRepeatKeys kinds of repeat are told apart at once; the rest
// share one count.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavo::pjlink {

inline constexpr std::int64_t kLogSummaryMs = 5000;
inline constexpr int kLogLinesPerSecond = 20;
inline constexpr int kLogBurstLines = 200;
inline constexpr std::size_t kMaxRepeatKeys = 32;
// The key every repeat shares once kMaxRepeatKeys are in use.
inline constexpr char kOtherRepeats[] = "";

class LogBudget {
public:
    // Whether a line of a single command or connection may be written now; if not, it is counted.
    [[nodiscard]] bool takeLine(std::int64_t nowMs);

    // An event of kind `key` that may repeat, with an amount to sum (bytes, say). True: write it in
    // full now. False: it was counted for the next summary.
    [[nodiscard]] bool repeat(const std::string& key, std::uint64_t amount, std::int64_t nowMs);

    struct Repeated {
        // kOtherRepeats for the shared count.
        std::string key;
        std::uint64_t times = 0;
        std::uint64_t amount = 0;
    };
    struct Summary {
        std::vector<Repeated> repeats;
        std::uint64_t linesLeftOut = 0;
    };
    // The counts whose time has come, each covering the last kLogSummaryMs at most.
    [[nodiscard]] Summary summary(std::int64_t nowMs);
    // When summary() next has something to say, if ever.
    [[nodiscard]] std::optional<std::int64_t> nextSummaryMs() const;

private:
    struct Window {
        std::string key;
        std::int64_t sinceMs = 0;
        std::uint64_t times = 0;
        std::uint64_t amount = 0;
    };

    [[nodiscard]] Window* window(const std::string& key, std::int64_t nowMs, bool* fresh);

    std::vector<Window> windows_;
    double tokens_ = kLogBurstLines;
    std::int64_t refilledMs_ = 0;
    bool started_ = false;
    std::uint64_t leftOut_ = 0;
    std::int64_t leftOutSinceMs_ = 0;
};

} // namespace tavo::pjlink
