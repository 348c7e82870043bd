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

// The start of a drop, and whether there is more.
QString startOf(std::string_view bytes) {
    return printable(bytes.substr(0, kDroppedBytesShown));
}

QString more(std::string_view bytes) {
    return bytes.size() > kDroppedBytesShown ? QStringLiteral("…") : QString();
}

// Why the jobs behind a line the projector did not answer fail, for the log of each.
constexpr const char* kBehindSilence = "not sent: the projector did not answer the line before it";
constexpr const char* kNotSettled = "not sent: the projector's line has not been quiet since the last reply wait";

} // namespace

LineQueue::LineQueue(SerialPort& port, Clock& clock, QString device, BridgeLog& log, QObject* parent)
    : QObject(parent), port_(port), clock_(clock), device_(std::move(device)), log_(log),
      exchange_(port, clock, Pacing::AfterReply), settleBound_(clock.makeTimer([this] { settleBoundPassed(); })) {
    exchange_.addListener(*this);
    port_.setEventHandler([this](PortEvent event) { onPortEvent(event); });
}

LineQueue::~LineQueue() {
    port_.setEventHandler({});
    exchange_.removeListener(*this);
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
    // The line in flight ends as abandoned, and its job fails now rather than at the end of the wait.
    exchange_.abandon();
    kept_.clear();
    port_.close();
    schedulePump();
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
    while (current_ == 0 && !jobs_.empty()) {
        Entry& entry = jobs_.front();
        if (!live(entry)) {
            jobs_.pop_front();
            continue;
        }
        const auto request = entry.job->next();
        if (!request) {
            handBack(entry);
            continue;
        }
        if (!step(entry, *request)) {
            return;
        }
    }
}

bool LineQueue::step(Entry& entry, const LineRequest& request) {
    if (state_ != State::Open) {
        // Nothing is written to a device that is away: the job fails now, not after a wait.
        entry.job->fail(whyNotOpen());
        return true;
    }
    if (const auto kept = keptReply(request.line)) {
        entry.begun = true;
        entry.job->answer(*kept, true);
        return true;
    }
    if (exchange_.ready()) {
        settleBound_->stop();
        unsettledTooLong_ = false;
        send(entry, request);
        return true;
    }
    if (unsettledTooLong_) {
        entry.job->fail(kNotSettled);
        return true;
    }
    // ready() brings the pump back. The bound runs from the end of the exchange.
    if (!settleBound_->isActive()) {
        settleBound_->start(kSettleBoundMs);
    }
    return false;
}

void LineQueue::send(Entry& entry, const LineRequest& request) {
    entry.begun = true;
    if (!statusReadOf(request.line)) {
        kept_.clear();
    }
    const Submitted submitted = exchange_.submit(request);
    if (submitted.error) {
        entry.job->fail(*submitted.error);
        return;
    }
    current_ = submitted.id;
}

void LineQueue::handBack(Entry& entry) {
    Entry finished = std::move(entry);
    jobs_.pop_front();
    if (finished.owner) {
        finished.done(std::move(finished.job));
    } else {
        log_.line(tr("for a controller that has left: %1").arg(fromStd(finished.job->outcome())));
    }
}

std::optional<std::string> LineQueue::keptReply(const std::string& line) {
    const std::int64_t now = clock_.nowMs();
    std::erase_if(kept_, [now](const KeptReply& k) { return now - k.atMs > kReadReuseMs; });
    const auto found = std::ranges::find(kept_, line, &KeptReply::line);
    if (found == kept_.end()) {
        return std::nullopt;
    }
    return found->reply;
}

void LineQueue::exchangeEnded(const ExchangeResult& result) {
    if (result.id != current_) {
        return;
    }
    current_ = 0;
    if (!exchange_.ready()) {
        settleBound_->start(kSettleBoundMs);
    }
    if (result.end == ExchangeEnd::Complete && result.judgement.verdict == ReplyVerdict::Status) {
        std::erase_if(kept_, [&result](const KeptReply& k) { return k.line == result.line; });
        kept_.push_back({.line = result.line, .reply = result.reply, .atMs = clock_.nowMs()});
    }
    if (!jobs_.empty() && live(jobs_.front())) {
        LineJob& job = *jobs_.front().job;
        switch (result.end) {
        case ExchangeEnd::Failed:
            job.fail(result.error);
            break;
        case ExchangeEnd::Abandoned:
            job.fail(whyNotOpen());
            break;
        default:
            job.answer(result.reply, false);
            break;
        }
    }
    if (result.end == ExchangeEnd::WaitEnded && result.reply.empty()) {
        // Each would wait out the same silence in turn; those that come later are tried.
        failWaiting(kBehindSilence);
    }
    schedulePump();
}

void LineQueue::failWaiting(const std::string& reason) {
    for (auto entry = jobs_.begin() + (jobs_.empty() ? 0 : 1); entry != jobs_.end(); ++entry) {
        if (live(*entry)) {
            entry->job->fail(reason);
        }
    }
}

void LineQueue::settleBoundPassed() {
    if (!exchange_.ready()) {
        unsettledTooLong_ = true;
        log_.repeated(BridgeLog::Repeat::LineNotQuiet, {}, [] {
            return tr("projector: the line has not been quiet for %1 s after a reply wait; commands get ERR4 until it "
                      "is")
                .arg(kSettleBoundMs / 1000);
        });
    }
    schedulePump();
}

void LineQueue::ready() {
    settleBound_->stop();
    unsettledTooLong_ = false;
    schedulePump();
}

void LineQueue::bytesArrived(const Arrival& arrival) {
    if (arrival.unasked.empty()) {
        return;
    }
    const std::string_view bytes = arrival.unasked;
    log_.repeated(
        BridgeLog::Repeat::DroppedBytes, {},
        [bytes] {
            return tr("projector: dropped %1 bytes received between exchanges: %2%3")
                .arg(bytes.size())
                .arg(startOf(bytes), more(bytes));
        },
        bytes.size());
}

void LineQueue::lateReply(ExchangeId /*id*/, std::string_view line, std::string_view bytes) {
    const std::string_view sent = line.substr(0, line.find(kCarriageReturn));
    log_.repeated(
        BridgeLog::Repeat::DroppedBytes, {},
        [sent, bytes] {
            return tr("projector: dropped %1 bytes that came after the reply wait of %2: %3%4")
                .arg(bytes.size())
                .arg(printable(sent), startOf(bytes), more(bytes));
        },
        bytes.size());
}

void LineQueue::onPortEvent(PortEvent event) {
    switch (event) {
    case PortEvent::Received:
        if (const auto error = exchange_.received()) {
            exchange_.portFailed(*error);
        }
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
        // The reply cannot come: the job fails now rather than at the end of the wait, and so do
        // those waiting for the line to settle.
        exchange_.portFailed("the device was lost before the reply");
        schedulePump();
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

} // namespace tavo::pjlink
