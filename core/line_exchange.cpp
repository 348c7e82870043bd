// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/line_exchange.h"

#include "core/commands.h"

#include <algorithm>
#include <utility>

namespace tavo {

namespace {

// The length of the front of `bytes` that holds at most `crs` carriage returns: up to and
// including the last of them, or all of it when it holds fewer.
std::size_t throughCarriageReturns(std::string_view bytes, int crs, int* found) {
    std::size_t taken = 0;
    *found = 0;
    while (*found < crs) {
        const std::size_t cr = bytes.find(kCarriageReturn, taken);
        if (cr == std::string_view::npos) {
            return bytes.size();
        }
        taken = cr + 1;
        ++*found;
    }
    return taken;
}

} // namespace

LineExchange::LineExchange(SerialPort& port, Clock& clock, Pacing pacing)
    : port_(port), pacing_(pacing), stepTimer_(clock.makeTimer([this] {
          writeNextStep();
          flush();
      })),
      replyTimer_(clock.makeTimer([this] {
          waitEnded();
          flush();
      })),
      quietTimer_(clock.makeTimer([this] {
          // Bytes that came within the quiet time but were not read yet keep the line unsettled.
          if (!readUnsettled()) {
              settled();
          }
          flush();
      })),
      unsettledReadTimer_(clock.makeTimer([this] {
          if (readUnsettled()) {
              unsettledReadTimer_->start(kUnsettledReadPeriodMs);
          }
          flush();
      })) {}

LineExchange::~LineExchange() = default;

void LineExchange::addListener(ExchangeListener& listener) {
    if (std::ranges::find(listeners_, &listener) == listeners_.end()) {
        listeners_.push_back(&listener);
    }
}

void LineExchange::removeListener(ExchangeListener& listener) {
    std::erase(listeners_, &listener);
}

bool LineExchange::ready() const {
    return pacing_ == Pacing::AtOnce || (!flight_ && !held_ && !unsettled_);
}

std::optional<ExchangeId> LineExchange::inFlight() const {
    if (!flight_) {
        return std::nullopt;
    }
    return flight_->id;
}

Submitted LineExchange::submit(LineRequest request) {
    request.steps = std::max(request.steps, 1);
    if (pacing_ == Pacing::AfterReply && !ready()) {
        if (held_) {
            return {.id = 0, .error = "another line is already waiting for the projector"};
        }
        held_ = Held{.id = ++lastId_, .request = std::move(request)};
        return {.id = held_->id, .error = std::nullopt};
    }
    if (flight_) {
        end(ExchangeEnd::Superseded);
    }
    const ExchangeId id = ++lastId_;
    Submitted submitted{.id = id, .error = startFlight(id, std::move(request))};
    if (submitted.error) {
        submitted.id = 0;
    }
    flush();
    return submitted;
}

PortError LineExchange::startFlight(ExchangeId id, LineRequest request) {
    // Bytes that came before this line went out answer something else, even if their event has not
    // been handled yet.
    absorbWaiting();
    flight_ = Flight{.id = id, .request = std::move(request), .written = 0, .crs = 0, .reply = {}};
    if (PortError failure = port_.write(flight_->request.line)) {
        flight_.reset();
        return failure;
    }
    wrote();
    return std::nullopt;
}

void LineExchange::wrote() {
    Flight& flight = *flight_;
    ++flight.written;
    events_.emplace_back(Written{.id = flight.id, .line = flight.request.line, .step = flight.written});
    if (flight.written < flight.request.steps) {
        stepTimer_->start(flight.request.periodMs);
        return;
    }
    if (flight.crs >= flight.request.steps) {
        end(ExchangeEnd::Complete);
        return;
    }
    if (flight.request.replyWaitMs) {
        replyTimer_->start(*flight.request.replyWaitMs);
    }
}

void LineExchange::writeNextStep() {
    if (!flight_) {
        return;
    }
    if (PortError failure = port_.write(flight_->request.line)) {
        end(ExchangeEnd::Failed, std::move(*failure));
        return;
    }
    wrote();
}

void LineExchange::endWait() {
    if (flight_ && !flight_->request.replyWaitMs) {
        waitEnded();
    }
    flush();
}

void LineExchange::waitEnded() {
    if (flight_) {
        end(ExchangeEnd::WaitEnded);
    }
}

void LineExchange::end(ExchangeEnd how, std::string error) {
    Flight flight = std::move(*flight_);
    flight_.reset();
    stepTimer_->stop();
    replyTimer_->stop();
    ExchangeResult result{.id = flight.id,
                          .line = flight.request.line,
                          .steps = flight.request.steps,
                          .written = flight.written,
                          .reply = std::move(flight.reply),
                          .end = how,
                          .judgement = {},
                          .error = std::move(error)};
    result.judgement = judgeReplies(result.line, std::max(result.written, 1), result.reply);
    switch (how) {
    case ExchangeEnd::WaitEnded:
        silent_ = result.reply.empty();
        // The rest of the reply may still come: until the line is quiet it belongs to this line.
        tellLate();
        late_ = Late{.id = result.id, .line = result.line, .bytes = {}, .whole = false};
        unsettled_ = true;
        quietTimer_->start(kQuietAfterSilenceMs);
        break;
    case ExchangeEnd::Overflowed:
        // A device that floods the line is heard out before the next line goes out.
        unsettled_ = true;
        quietTimer_->start(kQuietAfterSilenceMs);
        break;
    case ExchangeEnd::Failed:
    case ExchangeEnd::Abandoned:
        tellLate();
        late_.reset();
        unsettled_ = false;
        quietTimer_->stop();
        unsettledReadTimer_->stop();
        break;
    case ExchangeEnd::Complete:
    case ExchangeEnd::Superseded:
        break;
    }
    events_.emplace_back(std::move(result));
    if (how == ExchangeEnd::Complete || how == ExchangeEnd::Superseded) {
        afterEnd();
    }
}

void LineExchange::afterEnd() {
    if (pacing_ != Pacing::AfterReply || flight_ || unsettled_) {
        return;
    }
    if (!held_) {
        events_.emplace_back(BecameReady{});
        return;
    }
    Held held = std::move(*held_);
    held_.reset();
    if (PortError failure = startFlight(held.id, held.request)) {
        events_.emplace_back(notWritten(held, ExchangeEnd::Failed, std::move(*failure)));
        events_.emplace_back(BecameReady{});
    }
}

ExchangeResult LineExchange::notWritten(const Held& held, ExchangeEnd how, std::string why) {
    return {.id = held.id,
            .line = held.request.line,
            .steps = held.request.steps,
            .written = 0,
            .reply = {},
            .end = how,
            .judgement = judgeReplies(held.request.line, 1, {}),
            .error = std::move(why)};
}

void LineExchange::settled() {
    unsettled_ = false;
    unsettledReadTimer_->stop();
    tellLate();
    late_.reset();
    afterEnd();
}

void LineExchange::tellLate() {
    if (late_ && !late_->whole && !late_->bytes.empty()) {
        late_->whole = true;
        events_.emplace_back(LateTold{.id = late_->id, .line = late_->line, .bytes = late_->bytes});
    }
}

void LineExchange::portFailed(std::string_view why) {
    letGo(ExchangeEnd::Failed, std::string(why));
}

void LineExchange::abandon() {
    letGo(ExchangeEnd::Abandoned, {});
}

void LineExchange::letGo(ExchangeEnd how, const std::string& why) {
    if (flight_) {
        end(how, why);
    }
    if (held_) {
        events_.emplace_back(notWritten(*held_, how, why));
        held_.reset();
    }
    tellLate();
    late_.reset();
    unsettled_ = false;
    quietTimer_->stop();
    unsettledReadTimer_->stop();
    flush();
}

PortError LineExchange::received() {
    if (!readsOnArrival()) {
        return std::nullopt;
    }
    PortResult<std::string> input = port_.readAll();
    if (input.error) {
        return input.error;
    }
    take(std::move(input.value));
    flush();
    return std::nullopt;
}

bool LineExchange::readsOnArrival() {
    if (pacing_ == Pacing::AtOnce || flight_) {
        return true;
    }
    if (!unsettled_ || unsettledReadTimer_->isActive()) {
        // Settled: it answers nothing and waits for the next line. Unsettled: the next read is due.
        return false;
    }
    unsettledReadTimer_->start(kUnsettledReadPeriodMs);
    return true;
}

bool LineExchange::readUnsettled() {
    if (pacing_ != Pacing::AfterReply || flight_ || !unsettled_) {
        return false;
    }
    PortResult<std::string> input = port_.readAll();
    if (input.error || input.value.empty()) {
        return false;
    }
    take(std::move(input.value));
    return true;
}

void LineExchange::absorbWaiting() {
    PortResult<std::string> input = port_.readAll();
    if (!input.error) {
        take(std::move(input.value));
    }
}

void LineExchange::take(std::string bytes) {
    if (bytes.empty()) {
        return;
    }
    silent_ = false;
    Arrived arrived{.bytes = std::move(bytes)};
    std::string_view rest = arrived.bytes;
    if (late_ && !late_->whole) {
        arrived.lateId = late_->id;
        arrived.lateSize = creditLate(rest);
        rest.remove_prefix(arrived.lateSize);
    }
    if (unsettled_) {
        // Anything at all keeps the line unsettled: the projector is still talking.
        quietTimer_->start(kQuietAfterSilenceMs);
    }
    bool whole = false;
    bool overflowed = false;
    if (flight_) {
        arrived.creditedId = flight_->id;
        arrived.creditedSize = creditFlight(rest, &whole, &overflowed);
    }
    events_.emplace_back(std::move(arrived));
    if (overflowed) {
        end(ExchangeEnd::Overflowed);
    } else if (whole) {
        end(ExchangeEnd::Complete);
    }
}

std::size_t LineExchange::creditLate(std::string_view bytes) {
    Late& late = *late_;
    int found = 0;
    std::size_t taken = throughCarriageReturns(bytes, 1, &found);
    const std::size_t room = kMaxReplyBytes - std::min(kMaxReplyBytes, late.bytes.size());
    if (taken > room) {
        taken = room;
        found = 1; // no more of it is kept: what follows is nobody's
    }
    late.bytes.append(bytes.substr(0, taken));
    if (found > 0) {
        late.whole = true;
        events_.emplace_back(LateTold{.id = late.id, .line = late.line, .bytes = late.bytes});
    }
    return taken;
}

std::size_t LineExchange::creditFlight(std::string_view bytes, bool* whole, bool* overflowed) {
    Flight& flight = *flight_;
    int found = 0;
    std::size_t taken = throughCarriageReturns(bytes, flight.request.steps - flight.crs, &found);
    const std::size_t room = kMaxReplyBytes - std::min(kMaxReplyBytes, flight.reply.size());
    if (taken > room) {
        taken = room;
        *overflowed = true;
        found = static_cast<int>(std::ranges::count(bytes.substr(0, taken), kCarriageReturn));
    }
    flight.reply.append(bytes.substr(0, taken));
    flight.crs += found;
    *whole = !*overflowed && flight.crs >= flight.request.steps && flight.written >= flight.request.steps;
    return taken;
}

void LineExchange::flush() {
    if (flushing_) {
        return;
    }
    flushing_ = true;
    while (!events_.empty()) {
        const Event event = std::move(events_.front());
        events_.pop_front();
        tell(event);
    }
    flushing_ = false;
}

void LineExchange::tell(const Event& event) {
    // A listener may remove itself or another one while it is told.
    const std::vector<ExchangeListener*> listeners = listeners_;
    for (ExchangeListener* listener : listeners) {
        if (std::ranges::find(listeners_, listener) == listeners_.end()) {
            continue;
        }
        if (const auto* written = std::get_if<Written>(&event)) {
            listener->lineWritten(written->id, written->line, written->step);
        } else if (const auto* arrived = std::get_if<Arrived>(&event)) {
            const std::string_view bytes = arrived->bytes;
            listener->bytesArrived({.late = bytes.substr(0, arrived->lateSize),
                                    .lateId = arrived->lateSize > 0 ? arrived->lateId : 0,
                                    .credited = bytes.substr(arrived->lateSize, arrived->creditedSize),
                                    .creditedId = arrived->creditedSize > 0 ? arrived->creditedId : 0,
                                    .unasked = bytes.substr(arrived->lateSize + arrived->creditedSize)});
        } else if (const auto* result = std::get_if<ExchangeResult>(&event)) {
            listener->exchangeEnded(*result);
        } else if (const auto* late = std::get_if<LateTold>(&event)) {
            listener->lateReply(late->id, late->line, late->bytes);
        } else {
            listener->ready();
        }
    }
}

} // namespace tavo
