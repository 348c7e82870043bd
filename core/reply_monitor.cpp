// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/reply_monitor.h"

#include "core/rendering.h"
#include "core/reply_judgement.h"
#include "core/status_decoding.h"
#include "core/wording.h"

#include <algorithm>

namespace tavo {

namespace {

// How much of an unexpected reply the status line's remark quotes.
constexpr std::size_t kRemarkQuotedBytes = 48;

} // namespace

ReplyMonitor::ReplyMonitor(Panel& panel, SerialPort& port, Notices& notices)
    : panel_(panel), port_(port), notices_(notices) {}

void ReplyMonitor::reset() {
    replyPending_ = false;
    emptyReceiveBuffer();
}

void ReplyMonitor::send(std::string_view line, Attempt attempt) {
    lastSentLine_ = line;
    // Whatever arrives from here on answers this line; what came before does not.
    replyStart_ = receiveBuffer_.size();
    // A failed write must neither end the program nor stop a hold, so it is told without a dialog.
    // Nothing went out: TXD shows no line and no reply is awaited, while the display clear runs as
    // after any send and takes the status line's report with it.
    if (const PortError failure = port_.write(line)) {
        notices_.tellNotSent(line, *failure, attempt);
        panel_.setLabelText(Control::TxdField, "");
        panel_.setTimerEnabled(TimerId::DisplayClear, true);
        return;
    }
    notices_.lineSent();
    panel_.setLabelText(Control::TxdField, visibleRendering(line));
    panel_.setTimerEnabled(TimerId::ReplyWait, true);
    replyPending_ = true;
    panel_.setTimerEnabled(TimerId::DisplayClear, true);
}

void ReplyMonitor::setIntervals(const Intervals& intervals) {
    panel_.setTimerInterval(TimerId::ReplyWait, intervals.replyWait);
    panel_.setTimerInterval(TimerId::DisplayClear, intervals.displayClear);
}

void ReplyMonitor::endHold(const Intervals& intervals) {
    panel_.setTimerEnabled(TimerId::ReplyWait, false);
    panel_.setTimerEnabled(TimerId::DisplayClear, true);
    panel_.setLabelText(Control::TxdField, "");
    panel_.setLabelText(Control::RxdField, "");
    setIntervals(intervals);
    emptyReceiveBuffer();
}

void ReplyMonitor::received() {
    PortResult<std::string> input = port_.readAll();
    if (input.error) {
        panel_.setLabelText(Control::StatusLine, " " + *input.error);
        return;
    }
    // Past the limit the rest of the burst is read and dropped, so the port never backs up.
    const std::size_t room = kReceiveBufferLimit - std::min(kReceiveBufferLimit, receiveBuffer_.size());
    receiveBuffer_.append(input.value, 0, room);
    replyPending_ = false;
    showReceived();
}

void ReplyMonitor::replyWaitEnded() {
    if (replyPending_) {
        panel_.setLabelText(Control::RxdField, kNoReplyMarker);
    }
    panel_.setTimerEnabled(TimerId::ReplyWait, false);
    emptyReceiveBuffer();
    replyPending_ = false;
}

void ReplyMonitor::displayCleared() {
    panel_.setLabelText(Control::TxdField, "");
    panel_.setLabelText(Control::RxdField, "");
    panel_.setLabelText(Control::StatusLine, "");
    panel_.setTimerEnabled(TimerId::DisplayClear, false);
}

void ReplyMonitor::showReceived() {
    panel_.setLabelText(Control::RxdField, visibleRendering(receiveBuffer_));
    const std::string_view reply = std::string_view(receiveBuffer_).substr(replyStart_);
    if (const auto status = decodeStatus(lastSentLine_, visibleRendering(reply))) {
        panel_.setLabelText(Control::StatusLine, *status);
    }
    remarkOnStatusReply(reply);
}

// The status line shows what the decoder makes of any reply; whether the reply is one the
// projector gives at all is told beside it, once the reply has its CR.
void ReplyMonitor::remarkOnStatusReply(std::string_view reply) {
    if (!statusReadOf(lastSentLine_) || reply.find(kCarriageReturn) == std::string_view::npos) {
        return;
    }
    const ReplyJudgement judgement = judgeReply(lastSentLine_, reply);
    if (judgement.verdict != ReplyVerdict::Unexpected) {
        panel_.setLabelRemark(Control::StatusLine, "");
        return;
    }
    std::string quoted = spelledOut(reply.substr(0, kRemarkQuotedBytes));
    if (reply.size() > kRemarkQuotedBytes) {
        quoted += "\u2026";
    }
    panel_.setLabelRemark(
        Control::StatusLine,
        fillIn(panel_.wordsOf(TAVO_PHRASE("tavo::PanelLogic", "Unexpected reply %1 to %2; expected %3.")),
               {quoted, spelledOut(lastSentLine_), expectedReply(lastSentLine_, 1, panel_)}));
}

void ReplyMonitor::emptyReceiveBuffer() {
    receiveBuffer_.clear();
    replyStart_ = 0;
}

} // namespace tavo
