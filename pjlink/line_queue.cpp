// SPDX-License-Identifier: GPL-3.0-or-later
#include "pjlink/line_queue.h"

#include "core/commands.h"
#include "core/rendering.h"
#include "core/reply_judgement.h"
#include "core/status_decoding.h"
#include "pjlink/bridge_log.h"

#include <algorithm>

namespace tavo::pjlink {

namespace {

QString printable(std::string_view bytes) {
    return QString::fromStdString(spelledOut(bytes));
}

} // namespace

LineQueue::LineQueue(SerialPort& port, QObject* parent) : QObject(parent), port_(port) {
    replyWait_.setSingleShot(true);
    // A coarse timer may end the wait early, and a reply a few milliseconds late would read as none.
    replyWait_.setTimerType(Qt::PreciseTimer);
    connect(&replyWait_, &QTimer::timeout, this, &LineQueue::finishExchange);
    clock_.start();
    port_.setEventHandler([this](int eventCode) { onPortEvent(eventCode); });
}

LineQueue::~LineQueue() {
    port_.setEventHandler({});
}

PortError LineQueue::open(int portNumber, const LineSettings& settings) {
    if (auto error = port_.setPortNumber(portNumber)) {
        return error;
    }
    if (auto error = port_.setLineSettings(settings)) {
        return error;
    }
    return port_.open();
}

void LineQueue::close() {
    replyWait_.stop();
    current_.reset();
    kept_.clear();
    port_.close();
}

void LineQueue::submit(std::unique_ptr<LineJob> job, QObject* owner, Done done) {
    if (jobs_.size() >= kMaxQueuedJobs) {
        job->fail("too many commands are waiting for the projector's line");
    }
    jobs_.push_back({.job = std::move(job), .owner = owner, .done = std::move(done)});
    schedulePump();
}

void LineQueue::schedulePump() {
    if (!pumpQueued_) {
        pumpQueued_ = true;
        QMetaObject::invokeMethod(this, &LineQueue::pump, Qt::QueuedConnection);
    }
}

void LineQueue::pump() {
    pumpQueued_ = false;
    while (!current_ && !jobs_.empty()) {
        Entry& entry = jobs_.front();
        if (!entry.owner) {
            jobs_.pop_front();
            continue;
        }
        const auto request = entry.job->next();
        if (!request) {
            Entry finished = std::move(entry);
            jobs_.pop_front();
            finished.done(std::move(finished.job));
            continue;
        }
        if (const auto kept = keptReply(request->line)) {
            entry.job->answer(*kept, true);
            continue;
        }
        startExchange(entry, *request);
    }
}

std::optional<std::string> LineQueue::keptReply(const std::string& line) {
    const qint64 now = clock_.elapsed();
    std::erase_if(kept_, [now](const KeptReply& k) { return now - k.atMs > kReadReuseMs; });
    const auto found = std::ranges::find(kept_, line, &KeptReply::line);
    if (found == kept_.end()) {
        return std::nullopt;
    }
    return found->reply;
}

void LineQueue::startExchange(Entry& entry, const LineRequest& request) {
    // Whatever arrived since the last exchange ended answers nothing asked now.
    const auto stale = port_.readAll();
    if (!stale.value.empty()) {
        qCInfo(lcBridge).noquote() << "projector: dropped" << printable(stale.value) << "received between exchanges";
    }
    if (!statusReadOf(request.line)) {
        kept_.clear();
    }
    if (auto error = port_.write(request.line)) {
        entry.job->fail(*error);
        return;
    }
    current_ = Exchange{.line = request.line, .reply = {}};
    replyWait_.start(request.replyWaitMs);
}

void LineQueue::finishExchange() {
    if (!current_) {
        return;
    }
    replyWait_.stop();
    Exchange exchange = std::move(*current_);
    current_.reset();
    if (judgeReply(exchange.line, exchange.reply).verdict == ReplyVerdict::Status) {
        std::erase_if(kept_, [&exchange](const KeptReply& k) { return k.line == exchange.line; });
        kept_.push_back({.line = exchange.line, .reply = exchange.reply, .atMs = clock_.elapsed()});
    }
    if (!jobs_.empty() && jobs_.front().owner) {
        jobs_.front().job->answer(exchange.reply, false);
    }
    schedulePump();
}

void LineQueue::onPortEvent(int eventCode) {
    if (eventCode == kPortEventReceive) {
        onReceived();
        return;
    }
    const std::string text = port_.describeEvent(eventCode);
    if (eventCode == kPortEventDeviceLost) {
        qCWarning(lcBridge).noquote() << QString::fromStdString(text);
        kept_.clear();
        if (current_) {
            // The reply cannot come: the job fails now rather than at the end of the wait.
            replyWait_.stop();
            current_.reset();
            if (!jobs_.empty() && jobs_.front().owner) {
                jobs_.front().job->fail(text);
            }
            schedulePump();
        }
    } else if (eventCode == kPortEventDeviceBack) {
        qCInfo(lcBridge).noquote() << QString::fromStdString(text);
    }
}

void LineQueue::onReceived() {
    const auto received = port_.readAll();
    if (received.value.empty()) {
        return;
    }
    if (!current_) {
        qCInfo(lcBridge).noquote() << "projector: dropped" << printable(received.value) << "received between exchanges";
        return;
    }
    const std::size_t room = kMaxReplyBytes - std::min(kMaxReplyBytes, current_->reply.size());
    current_->reply.append(received.value, 0, std::min(room, received.value.size()));
    // Every reply of the projector ends with its CR: the exchange is over.
    if (current_->reply.find(kCarriageReturn) != std::string::npos || current_->reply.size() >= kMaxReplyBytes) {
        finishExchange();
    }
}

} // namespace tavo::pjlink
