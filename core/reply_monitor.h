// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The command / reply flow: every line the panel sends goes out here, and everything the
// projector answers comes in here, both through the conversation engine, the only way a line
// reaches the port. A line is written, shown in the TXD field, and followed by the reply wait and
// the display clear; what arrives is kept in a bounded receive buffer and shown in the RXD field.
// The engine decides which line a reply belongs to: the status line decodes only what it credits
// to the line sent last, with a remark on a reply the projector never gives, so that a late reply
// to an earlier line is never read as the answer to a later one. The other parts of the logic
// reach it only through the members below.

#include "core/commands.h"
#include "core/conversation.h"
#include "core/notices.h"
#include "core/ports/panel.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tavo {

inline constexpr std::string_view kNoReplyMarker = " X X X X";

// The receive buffer keeps at most this many characters, like the port's own receive buffer: a
// device that never pauses must not make each arrival re-render an ever longer text. The older
// text is kept, since status decoding reads a reply from its start. The reply to the line sent
// last is kept to the same bound.
inline constexpr std::size_t kReceiveBufferLimit = 1024;

class ReplyMonitor final : private ExchangeListener {
public:
    ReplyMonitor(Panel& panel, Conversation& conversation, Notices& notices);
    ~ReplyMonitor() override;
    ReplyMonitor(const ReplyMonitor&) = delete;
    ReplyMonitor& operator=(const ReplyMonitor&) = delete;

    // Start-up: no reply awaited, nothing received.
    void reset();
    // Writes the line, which is then the one a reply answers, shows it in TXD and starts the reply
    // wait and the display clear. A line the port does not take is told in the status line, the
    // notice and the log; TXD then shows no line and no reply is awaited. Whether it went out.
    bool send(std::string_view line, Attempt attempt);
    // The reply wait and the display clear that follow each send; a running one counts afresh.
    void setIntervals(const Intervals& intervals);
    // The held button was released: its reply is no longer awaited, the data pane blanks, and the
    // display clear runs with the given intervals.
    void endHold(const Intervals& intervals);

    // The port's Received event.
    void received();
    // The ticks of the reply wait and the display clear.
    void replyWaitEnded();
    void displayCleared();

    [[nodiscard]] const std::string& receiveBuffer() const { return receiveBuffer_; }
    [[nodiscard]] const std::string& lastSentLine() const { return lastSentLine_; }
    [[nodiscard]] bool replyPending() const { return replyPending_; }

private:
    void bytesArrived(const Arrival& arrival) override;
    void showReply();
    void remarkOnStatusReply();
    void emptyReceiveBuffer();

    Panel& panel_;
    Conversation& conversation_;
    Notices& notices_;

    std::string receiveBuffer_;
    std::string lastSentLine_;
    // The exchange of the line sent last (0 while none went out), and what the engine credited to
    // it since it went out or its reply wait ended.
    ExchangeId lastId_ = 0;
    std::string reply_;
    bool replyPending_ = false;
};

} // namespace tavo
