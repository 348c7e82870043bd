// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The record of the conversation that the exchange log shows: every line sent, every reply (or its
// absence), late and unasked bytes, lines not sent and what happened to the port, one row each,
// stamped with the clock's time. It listens to the exchange engine like any other listener and is
// told of the port's events by its owner. It never changes what it records.
//
// A technician follows a warm-up or a morning's work in it, so it keeps many rows, but it is
// bounded: past kMaxLogRows the oldest go, and bytes nobody asked for that arrive back to back
// add to one row, of which kMaxLogRowBytes are kept, so a babbling device fills no memory.

#include "core/line_exchange.h"
#include "core/ports/clock.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

namespace tavo {

inline constexpr std::size_t kMaxLogRows = 10'000;
inline constexpr std::size_t kMaxLogRowBytes = 256;

enum class LogKind : std::uint8_t {
    Sent,
    Reply,
    NoReply,
    // The end of a reply that came after its wait; it answers the line named in `line`.
    LateReply,
    // Bytes no line asked for.
    Unasked,
    // A line the port did not take, or a later write of it that failed.
    NotSent,
    // The port opened, was lost, came back, ...; `text` says which.
    Port,
};

struct LogRow {
    // Counts every row ever recorded, so that a view can tell which rows are new.
    std::uint64_t serial = 0;
    std::int64_t atMs = 0;
    std::string port;
    LogKind kind = LogKind::Port;
    // The line or the bytes as the data pane shows them.
    std::string tokens;
    // A status read's reply decoded as the status line decodes it, without its leading blank.
    std::string decoded;
    // What a row that is no exchange says; for a late reply, the line it answers.
    std::string text;
    // How many bytes the row stands for, where it keeps fewer (an unasked flood).
    std::size_t bytes = 0;
};

class ExchangeLog final : public ExchangeListener {
public:
    explicit ExchangeLog(const Clock& clock) : clock_(clock) {}

    // The port the rows from now on are about, e.g. "COM1".
    void setPort(std::string label) { port_ = std::move(label); }
    void portEvent(std::string_view text);
    void notSent(std::string_view line, std::string_view why);

    void lineWritten(ExchangeId id, std::string_view line, int step) override;
    void bytesArrived(const Arrival& arrival) override;
    void exchangeEnded(const ExchangeResult& result) override;
    void lateReply(ExchangeId id, std::string_view line, std::string_view bytes) override;

    [[nodiscard]] const std::deque<LogRow>& rows() const { return rows_; }
    // Called after every change: a row added, the oldest dropped, the last one grown.
    void setChangeHandler(std::function<void()> handler) { changed_ = std::move(handler); }

private:
    LogRow& add(LogKind kind);
    void changed();

    const Clock& clock_;
    std::string port_;
    std::deque<LogRow> rows_;
    std::uint64_t serial_ = 0;
    std::function<void()> changed_;
};

} // namespace tavo
