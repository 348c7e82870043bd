// SPDX-License-Identifier: GPL-3.0-or-later
#include "pjlink/line_queue.h"

#include "core/commands.h"
#include "core/rendering.h"
#include "core/reply_judgement.h"
#include "core/status_decoding.h"
#include "pjlink/bridge_log.h"
#include "serial/reconnect_policy.h"

#include <algorithm>
#include <utility>

namespace tavo::pjlink {

namespace {

QString printable(std::string_view bytes) {
    return QString::fromStdString(spelledOut(bytes));
}

QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}

// The bytes of a drop written in full; the rest is only counted.
constexpr std::size_t kDroppedBytesShown = 48;

} // namespace

QString LineQueue::droppedText(const std::string& bytes) {
    const std::string_view shown = std::string_view(bytes).substr(0, kDroppedBytesShown);
    return tr("projector: dropped %1 bytes received between exchanges: %2%3")
        .arg(bytes.size())
        .arg(printable(shown), bytes.size() > shown.size() ? QStringLiteral("…") : QString());
}

LineQueue::LineQueue(SerialPort& port, QString device, BridgeLog& log, QObject* parent)
    : QObject(parent), port_(port), device_(std::move(device)), log_(log) {
    replyWait_.setSingleShot(true);
    // A coarse timer may end the wait early, and a reply a few milliseconds late would read as none.
    replyWait_.setTimerType(Qt::PreciseTimer);
    connect(&replyWait_, &QTimer::timeout, this, &LineQueue::finishExchange);
    clock_.start();
    port_.setEventHandler([this](PortEvent event) { onPortEvent(event); });
}

LineQueue::~LineQueue() {
    port_.setEventHandler({});
}

PortError LineQueue::start(int portNumber, const LineSettings& settings) {
    if (auto error = port_.setPortNumber(portNumber)) {
        return error;
    }
    if (auto error = port_.setLineSettings(settings)) {
        return error;
    }
    const PortResult<Opening> opening = port_.open();
    if (opening.error) {
        if (!port_.isOpen().value) {
            return opening.error; // the port does not try again
        }
        openFailed(*opening.error);
    } else if (opening.value == Opening::Done) {
        opened();
    } else {
        state_ = State::Opening;
        qCInfo(lcBridge).noquote() << fromStd(port_.describeOpening());
    }
    return std::nullopt;
}

void LineQueue::opened() {
    state_ = State::Open;
    qCInfo(lcBridge).noquote() << tr("projector on %1").arg(device_);
}

// The port tells a failure once, and again only when its reason changes.
void LineQueue::openFailed(const std::string& text) {
    state_ = State::Waiting;
    qCWarning(lcBridge).noquote() << tr("%1 The bridge answers ERR4 and tries again, every %2 s at the longest.")
                                         .arg(fromStd(text))
                                         .arg(kLongestRetryMs / 1000);
}

std::string LineQueue::whyNotOpen() const {
    // Short, for the line of each command: the device's own text is logged once when it happens.
    switch (state_) {
    case State::Opening:
        return "not sent: the device is still being opened";
    case State::Waiting:
        return "not sent: the device could not be opened; the bridge tries again";
    case State::Away:
        return "not sent: the device is lost; the bridge opens it again when it is back";
    case State::Closed:
        return "not sent: the bridge is stopping";
    case State::Open:
        break;
    }
    return {};
}

void LineQueue::close() {
    state_ = State::Closed;
    failExchange(whyNotOpen());
    kept_.clear();
    port_.close();
}

bool LineQueue::live(const Entry& entry) {
    return entry.owner || (entry.begun && entry.job->changesProjector());
}

void LineQueue::dropOrphans() {
    // The first job's line may be on the wire: it keeps its reply wait, and the pump drops it.
    const auto from = jobs_.empty() ? jobs_.end() : std::next(jobs_.begin());
    jobs_.erase(std::remove_if(from, jobs_.end(), [](const Entry& e) { return !live(e); }), jobs_.end());
}

std::size_t LineQueue::waiting() const {
    return static_cast<std::size_t>(std::ranges::count_if(jobs_, &LineQueue::live));
}

void LineQueue::submit(std::unique_ptr<LineJob> job, QObject* owner, Done done) {
    dropOrphans();
    Entry entry{.job = std::move(job), .owner = owner, .done = std::move(done)};
    const auto owners = static_cast<std::size_t>(
        std::ranges::count_if(jobs_, [owner](const Entry& e) { return e.owner && e.owner.data() == owner; }));
    const char* refusal = owners >= kMaxJobsPerOwner    ? "too many commands of this connection are waiting"
                          : waiting() >= kMaxQueuedJobs ? "too many commands are waiting for the projector's line"
                                                        : nullptr;
    if (refusal != nullptr) {
        entry.job->fail(refusal);
        refused_.push_back(std::move(entry));
        log_.repeated(BridgeLog::Repeat::QueueFull, {},
                      [refusal] { return tr("a command answered ERR4: %1").arg(QString::fromLatin1(refusal)); });
    } else {
        jobs_.push_back(std::move(entry));
    }
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
    while (!refused_.empty()) {
        Entry refused = std::move(refused_.front());
        refused_.pop_front();
        if (refused.owner) {
            refused.done(std::move(refused.job));
        }
    }
    while (!current_ && !jobs_.empty()) {
        Entry& entry = jobs_.front();
        if (!live(entry)) {
            jobs_.pop_front();
            continue;
        }
        const auto request = entry.job->next();
        if (!request) {
            Entry finished = std::move(entry);
            jobs_.pop_front();
            if (finished.owner) {
                finished.done(std::move(finished.job));
            } else {
                log_.line(tr("for a controller that has left: %1").arg(fromStd(finished.job->outcome())));
            }
            continue;
        }
        if (state_ != State::Open) {
            // Nothing is written to a device that is away: the job fails now, not after a wait.
            entry.job->fail(whyNotOpen());
            continue;
        }
        entry.begun = true;
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
        log_.repeated(
            BridgeLog::Repeat::DroppedBytes, {}, [&stale] { return droppedText(stale.value); }, stale.value.size());
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
    if (!jobs_.empty() && live(jobs_.front())) {
        jobs_.front().job->answer(exchange.reply, false);
    }
    schedulePump();
}

void LineQueue::failExchange(const std::string& reason) {
    if (!current_) {
        return;
    }
    // The reply cannot come: the job fails now rather than at the end of the wait.
    replyWait_.stop();
    current_.reset();
    if (!jobs_.empty() && live(jobs_.front())) {
        jobs_.front().job->fail(reason);
    }
    schedulePump();
}

void LineQueue::onPortEvent(PortEvent event) {
    switch (event) {
    case PortEvent::Received:
        onReceived();
        return;
    case PortEvent::Opened:
        if (state_ == State::Opening || state_ == State::Waiting) {
            opened();
        }
        return;
    case PortEvent::OpenFailed:
        if (state_ == State::Opening || state_ == State::Waiting) {
            openFailed(port_.describe(event));
        }
        return;
    case PortEvent::DeviceLost:
        state_ = State::Away;
        qCWarning(lcBridge).noquote() << fromStd(port_.describe(event));
        kept_.clear();
        failExchange("the device was lost before the reply");
        return;
    case PortEvent::DeviceBack:
        state_ = State::Open;
        qCInfo(lcBridge).noquote() << fromStd(port_.describe(event));
        return;
    case PortEvent::SettingsRefused:
        qCWarning(lcBridge).noquote() << fromStd(port_.describe(event));
        return;
    case PortEvent::Notice:
        qCInfo(lcBridge).noquote() << fromStd(port_.describe(event));
        return;
    case PortEvent::LineError:
        // A garbled byte shows in the reply it belongs to, which the judgement then rejects.
        return;
    }
}

void LineQueue::onReceived() {
    const auto received = port_.readAll();
    if (received.value.empty()) {
        return;
    }
    if (!current_) {
        log_.repeated(
            BridgeLog::Repeat::DroppedBytes, {}, [&received] { return droppedText(received.value); },
            received.value.size());
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
