// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/exchange.h"

#include "core/commands.h"
#include "core/reply_judgement.h"
#include "ctl/logging.h"

#include <algorithm>
#include <utility>

namespace tavo::ctl {

namespace {

RunResult::Outcome outcomeOf(ReplyVerdict verdict) {
    switch (verdict) {
    case ReplyVerdict::Acknowledged:
    case ReplyVerdict::Status:
        return RunResult::Outcome::Answered;
    case ReplyVerdict::Refused:
        return RunResult::Outcome::Refused;
    case ReplyVerdict::Missing:
        return RunResult::Outcome::Silent;
    case ReplyVerdict::Unexpected:
        break;
    }
    return RunResult::Outcome::Unexpected;
}

} // namespace

Exchange::Exchange(SerialPort& port, ExchangeRequest request, QObject* parent)
    : QObject(parent), port_(port), request_(std::move(request)) {
    replyWait_.setSingleShot(true);
    // A coarse timer may end the wait early; a reply then missed by a few milliseconds would read
    // as no reply.
    replyWait_.setTimerType(Qt::PreciseTimer);
    step_.setTimerType(Qt::PreciseTimer);
    connect(&replyWait_, &QTimer::timeout, this, &Exchange::finish);
    connect(&step_, &QTimer::timeout, this, &Exchange::writeOnce);
}

void Exchange::start() {
    writeOnce();
    if (!failed_ && written_ < request_.steps) {
        step_.start(request_.periodMs);
    }
}

void Exchange::writeOnce() {
    if (done_ || failed_) {
        return;
    }
    if (PortError error = port_.write(request_.line)) {
        fail(std::move(*error));
        return;
    }
    ++written_;
    qCDebug(lcCtl) << "wrote line" << written_ << "of" << request_.steps;
    if (written_ == request_.steps) {
        step_.stop();
        replyWait_.start(request_.replyWaitMs);
    }
}

void Exchange::portEvent(PortEvent event) {
    if (done_ || failed_) {
        return;
    }
    switch (event) {
    case PortEvent::Received:
        receive();
        break;
    case PortEvent::DeviceLost:
        fail(port_.describe(event));
        break;
    default:
        break;
    }
}

void Exchange::receive() {
    PortResult<std::string> received = port_.readAll();
    if (received.error) {
        fail(std::move(*received.error));
        return;
    }
    if (result_.reply.size() + received.value.size() > kMaxReplyBytes) {
        qCInfo(lcCtl) << "the reply passed" << kMaxReplyBytes << "bytes; stopping";
        result_.reply.clear();
        fail(tr("the device flooded the line: more than %1 bytes came back, far more than any reply")
                 .arg(kMaxReplyBytes)
                 .toStdString());
        return;
    }
    replies_ += std::ranges::count(received.value, kCarriageReturn);
    result_.reply += received.value;
    if (written_ == request_.steps && replies_ >= request_.steps) {
        finish();
    }
}

void Exchange::fail(std::string text) {
    if (failed_ || done_) {
        return;
    }
    qCInfo(lcCtl) << "exchange failed:" << text.c_str();
    failed_ = true;
    result_.error = std::move(text);
    finish();
}

void Exchange::finish() {
    if (done_) {
        return;
    }
    done_ = true;
    step_.stop();
    replyWait_.stop();
    const ReplyJudgement judgement = judgeReplies(request_.line, written_, result_.reply);
    result_.expected = judgement.expected;
    result_.outcome = failed_ ? RunResult::Outcome::DeviceError : outcomeOf(judgement.verdict);
    QMetaObject::invokeMethod(this, &Exchange::done, Qt::QueuedConnection);
}

} // namespace tavo::ctl
