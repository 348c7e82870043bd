// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The command / reply flow: every line the panel sends goes out here, and everything the
// projector answers comes in here. A line is written, shown in the TXD field, and followed by the
// reply wait and the display clear; what arrives is kept in a bounded receive buffer, shown in the
// RXD field, and a status reply is decoded into the status line, with a remark on a reply the
// projector never gives. The other parts of the logic reach it only through the members below.

#include "core/commands.h"
#include "core/notices.h"
#include "core/ports/panel.h"
#include "core/ports/serial_port.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tavo {

inline constexpr std::string_view kNoReplyMarker = " X X X X";

// The receive buffer keeps at most this many characters, like the port's own receive buffer: a
// device that never pauses must not make each arrival re-render an ever longer text. The older
// text is kept, since status decoding reads a reply from its start.
inline constexpr std::size_t kReceiveBufferLimit = 1024;

class ReplyMonitor {
public:
    ReplyMonitor(Panel& panel, SerialPort& port, Notices& notices);

    // Start-up: no reply awaited, nothing received.
    void reset();
    // Writes the line, which is then the one a reply answers, shows it in TXD and starts the reply
    // wait and the display clear. A line the port does not take is told in the status line and in
    // the notice; TXD then shows no line and no reply is awaited.
    void send(std::string_view line, Attempt attempt);
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
    void showReceived();
    void remarkOnStatusReply(std::string_view reply);
    void emptyReceiveBuffer();

    Panel& panel_;
    SerialPort& port_;
    Notices& notices_;

    std::string receiveBuffer_;
    // Where the reply to the line sent last begins in the receive buffer: a second query within
    // one reply wait, or text nobody asked for, must not be decoded as that reply.
    std::size_t replyStart_ = 0;
    std::string lastSentLine_;
    bool replyPending_ = false;
};

} // namespace tavo
