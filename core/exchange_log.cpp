// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exchange_log.h"

#include "core/rendering.h"
#include "core/status_decoding.h"

#include <algorithm>

namespace tavo {

namespace {

// What the data pane shows where no reply came.
constexpr std::string_view kNoReplyTokens = " X X X X";

std::string decodedStatus(std::string_view line, std::string_view reply) {
    std::string decoded = decodeStatus(line, visibleRendering(reply)).value_or(std::string());
    decoded.erase(0, decoded.find_first_not_of(' ') == std::string::npos ? decoded.size()
                                                                          : decoded.find_first_not_of(' '));
    return decoded;
}

std::string lineCode(std::string_view line) {
    return std::string(line.substr(0, line.find('\r')));
}

} // namespace

LogRow& ExchangeLog::add(LogKind kind) {
    if (rows_.size() >= kMaxLogRows) {
        rows_.pop_front();
    }
    LogRow& row = rows_.emplace_back();
    row.serial = ++serial_;
    row.atMs = clock_.nowMs();
    row.port = port_;
    row.kind = kind;
    return row;
}

void ExchangeLog::changed() {
    if (changed_) {
        changed_();
    }
}

void ExchangeLog::portEvent(std::string_view text) {
    add(LogKind::Port).text = text;
    changed();
}

void ExchangeLog::notSent(std::string_view line, std::string_view why) {
    LogRow& row = add(LogKind::NotSent);
    row.tokens = visibleRendering(line);
    row.text = why;
    changed();
}

void ExchangeLog::lineWritten(ExchangeId /*id*/, std::string_view line, int /*step*/) {
    LogRow& row = add(LogKind::Sent);
    row.tokens = visibleRendering(line);
    row.bytes = line.size();
    changed();
}

void ExchangeLog::bytesArrived(const Arrival& arrival) {
    if (arrival.unasked.empty()) {
        return;
    }
    const bool grow = !rows_.empty() && rows_.back().kind == LogKind::Unasked && rows_.back().port == port_;
    LogRow& row = grow ? rows_.back() : add(LogKind::Unasked);
    // Each rendering starts with its one blank; a piece added to a row goes on without it.
    const std::size_t room = kMaxLogRowBytes - std::min(row.bytes, kMaxLogRowBytes);
    if (room > 0) {
        const std::string piece = visibleRendering(arrival.unasked.substr(0, room));
        row.tokens += grow ? std::string_view(piece).substr(1) : std::string_view(piece);
    }
    row.bytes += arrival.unasked.size();
    changed();
}

void ExchangeLog::exchangeEnded(const ExchangeResult& result) {
    switch (result.end) {
    case ExchangeEnd::Abandoned:
        return;
    case ExchangeEnd::Failed:
        if (result.written == 0) {
            notSent(result.line, result.error);
            return;
        }
        if (result.reply.empty()) {
            portEvent(result.error);
            return;
        }
        break;
    case ExchangeEnd::WaitEnded:
        if (result.reply.empty()) {
            LogRow& row = add(LogKind::NoReply);
            row.tokens = kNoReplyTokens;
            row.text = lineCode(result.line);
            changed();
            return;
        }
        break;
    case ExchangeEnd::Superseded:
        if (result.reply.empty()) {
            return;
        }
        break;
    case ExchangeEnd::Complete:
    case ExchangeEnd::Overflowed:
        break;
    }
    LogRow& row = add(LogKind::Reply);
    row.bytes = result.reply.size();
    row.tokens = visibleRendering(std::string_view(result.reply).substr(0, kMaxLogRowBytes));
    row.decoded = decodedStatus(result.line, result.reply);
    row.text = lineCode(result.line);
    changed();
}

void ExchangeLog::lateReply(ExchangeId /*id*/, std::string_view line, std::string_view bytes) {
    LogRow& row = add(LogKind::LateReply);
    row.bytes = bytes.size();
    row.tokens = visibleRendering(bytes.substr(0, kMaxLogRowBytes));
    row.decoded = decodedStatus(line, bytes);
    row.text = lineCode(line);
    changed();
}

} // namespace tavo
