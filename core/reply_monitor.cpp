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

void appendBounded(std::string& text, std::string_view bytes) {
    const std::size_t room = kReceiveBufferLimit - std::min(kReceiveBufferLimit, text.size());
    text.append(bytes.substr(0, room));
}

} // namespace

ReplyMonitor::ReplyMonitor(Panel& panel, Conversation& conversation, Notices& notices)
    : panel_(panel), conversation_(conversation), notices_(notices) {
    conversation_.exchange.addListener(*this);
}

ReplyMonitor::~ReplyMonitor() {
    conversation_.exchange.removeListener(*this);
}

void ReplyMonitor::reset() {
    replyPending_ = false;
    emptyReceiveBuffer();
}

bool ReplyMonitor::send(std::string_view line, Attempt attempt) {
    lastSentLine_ = line;
    // Whatever the engine credits from here on to this line answers it; nothing before does.
    lastId_ = 0;
    reply_.clear();
    const Submitted submitted = conversation_.exchange.submit({.line = std::string(line), .replyWaitMs = {}});
    // A failed write must neither end the program nor stop a hold, so it is told without a dialog.
    // Nothing went out: TXD shows no line and no reply is awaited, while the display clear runs as
    // after any send and takes the status line's report with it.
    if (submitted.error) {
        conversation_.log.notSent(line, *submitted.error);
        notices_.tellNotSent(line, *submitted.error, attempt);
        panel_.setLabelText(Control::TxdField, "");
        panel_.setTimerEnabled(TimerId::DisplayClear, true);
        return false;
    }
    lastId_ = submitted.id;
    notices_.lineSent();
    panel_.setLabelText(Control::TxdField, visibleRendering(line));
    panel_.setTimerEnabled(TimerId::ReplyWait, true);
    replyPending_ = true;
    panel_.setTimerEnabled(TimerId::DisplayClear, true);
    return true;
}

void ReplyMonitor::setIntervals(const Intervals& intervals) {
    panel_.setTimerInterval(TimerId::ReplyWait, intervals.replyWait);
    panel_.setTimerInterval(TimerId::DisplayClear, intervals.displayClear);
}

void ReplyMonitor::endHold(const Intervals& intervals) {
    panel_.setTimerEnabled(TimerId::ReplyWait, false);
    // The held line is no longer answered: what comes after the release is nobody's reply.
    conversation_.exchange.abandon();
    panel_.setTimerEnabled(TimerId::DisplayClear, true);
    panel_.setLabelText(Control::TxdField, "");
    panel_.setLabelText(Control::RxdField, "");
    setIntervals(intervals);
    emptyReceiveBuffer();
}

void ReplyMonitor::received() {
    // The engine reads the port and tells bytesArrived() how the read divides.
    if (const PortError failure = conversation_.exchange.received()) {
        panel_.setLabelText(Control::StatusLine, " " + *failure);
    }
}

void ReplyMonitor::bytesArrived(const Arrival& arrival) {
    // RXD shows everything received, whichever line it answers; past the limit the rest of the
    // burst is dropped here, while the engine has still drained the port.
    appendBounded(receiveBuffer_, arrival.late);
    appendBounded(receiveBuffer_, arrival.credited);
    appendBounded(receiveBuffer_, arrival.unasked);
    replyPending_ = false;
    panel_.setLabelText(Control::RxdField, visibleRendering(receiveBuffer_));

    bool answered = false;
    if (lastId_ != 0 && arrival.lateId == lastId_) {
        appendBounded(reply_, arrival.late);
        answered = true;
    }
    if (lastId_ != 0 && arrival.creditedId == lastId_) {
        appendBounded(reply_, arrival.credited);
        answered = true;
    }
    if (answered) {
        showReply();
    }
}

void ReplyMonitor::showReply() {
    if (const auto status = decodeStatus(lastSentLine_, visibleRendering(reply_))) {
        panel_.setLabelText(Control::StatusLine, *status);
    }
    remarkOnStatusReply();
}

// The status line shows what the decoder makes of any reply; whether the reply is one the
// projector gives at all is told beside it, once the reply has its CR.
void ReplyMonitor::remarkOnStatusReply() {
    const std::string_view reply = reply_;
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

void ReplyMonitor::replyWaitEnded() {
    if (replyPending_) {
        panel_.setLabelText(Control::RxdField, kNoReplyMarker);
    }
    panel_.setTimerEnabled(TimerId::ReplyWait, false);
    emptyReceiveBuffer();
    replyPending_ = false;
    // The rest of a reply that comes now is still this line's, and is decoded afresh as it comes.
    conversation_.exchange.endWait();
}

void ReplyMonitor::displayCleared() {
    panel_.setLabelText(Control::TxdField, "");
    panel_.setLabelText(Control::RxdField, "");
    panel_.setLabelText(Control::StatusLine, "");
    panel_.setTimerEnabled(TimerId::DisplayClear, false);
}

void ReplyMonitor::emptyReceiveBuffer() {
    receiveBuffer_.clear();
    reply_.clear();
}

} // namespace tavo
