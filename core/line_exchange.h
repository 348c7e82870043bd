// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one conversation with the projector that every program holds: a line is written, what comes
// back is credited to it until its reply is whole (a CR for each write of the line), and the reply
// is judged. Whatever arrives outside an exchange is nobody's answer. A reply that comes after its
// wait has ended is late: the line stays unsettled until it has been quiet for
// kQuietAfterSilenceMs, and what arrives meanwhile, up to the late reply's CR, is credited to the
// line it answers, never to a later one.
//
// How lines are paced is the program's: tavo-ctl and the bridge wait for each reply and for the
// line to settle before the next line goes out (Pacing::AfterReply); the panel writes a click at
// once and a held button at its own rate (Pacing::AtOnce), and there the engine only decides which
// line a reply belongs to.
//
// How much is read follows the pacing. With AtOnce everything is read as it arrives. With
// AfterReply the engine reads at once while a line is in flight; between exchanges, with the line
// settled, it reads nothing: what the device sends meanwhile answers nothing, so it waits in the
// device's bounded read buffers (where the device's flow control slows the sender) and is read and
// dropped whole, told as unasked, just before the next line goes out. While the line is unsettled
// it reads at most every kUnsettledReadPeriodMs, which tells a quiet line as well and costs next
// to nothing when a device sends without end. So a device babbling at full speed costs a few reads
// per exchange rather than one per arrival.
//
// The listeners hear of every line written, every read and how it divides, every exchange's end
// and every late reply. They are told once the engine's state is settled, after the operation
// that caused it, so a listener may submit the next line from inside its handler.

#include "core/ports/clock.h"
#include "core/ports/serial_port.h"
#include "core/reply_judgement.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tavo {

// The most the conversation keeps of one reply: a held line written 10,000 times is answered with
// 20,000 bytes, and nothing a projector says comes near this. A device that sends more without
// ending the reply is flooding the line.
inline constexpr std::size_t kMaxReplyBytes = 64 * 1024;

// How long the line must be quiet, after a wait that ended without the whole reply, before it
// counts as settled: longer than a projector's reply takes once it has started, so that a late
// reply lands in it.
inline constexpr int kQuietAfterSilenceMs = 500;

// Pacing::AfterReply: how often what arrives is read while the line is unsettled; a tenth of the
// quiet time, so that a quiet line is told at most this much later.
inline constexpr int kUnsettledReadPeriodMs = kQuietAfterSilenceMs / 10;

enum class Pacing : std::uint8_t {
    // A line goes out only once the exchange before it has ended and the line has settled.
    AfterReply,
    // A line goes out when it is submitted; a new line ends the exchange in flight.
    AtOnce,
};

struct LineRequest {
    // The whole line, CR included.
    std::string line;
    // How long the reply is awaited after the last write. Empty: until the owner calls endWait(),
    // as the panel ends it with its own reply-wait timer.
    std::optional<int> replyWaitMs;
    // How many times the line is written, periodMs apart, as a held button repeats it; the reply
    // is whole once each write has its CR.
    int steps = 1;
    int periodMs = 0;
};

using ExchangeId = std::uint64_t;

enum class ExchangeEnd : std::uint8_t {
    // Every write had its reply, each up to its CR.
    Complete,
    // The wait ended before the whole reply: with nothing at all, or with part of it.
    WaitEnded,
    // A new line went out before this one's reply was whole (Pacing::AtOnce).
    Superseded,
    // More than kMaxReplyBytes came without the reply's end.
    Overflowed,
    // A later write of the line failed, or the device went away before the reply.
    Failed,
    // The owner gave up on it: the port closed or opened anew, a hold ended.
    Abandoned,
};

struct ExchangeResult {
    ExchangeId id = 0;
    std::string line;
    int steps = 1;
    // How many times the line went out.
    int written = 0;
    // Everything credited to the line, in arrival order.
    std::string reply;
    ExchangeEnd end = ExchangeEnd::WaitEnded;
    // The reply judged for the writes that went out.
    ReplyJudgement judgement;
    // Failed: what happened, in the port's words.
    std::string error;
};

// How the bytes of one read divide, in arrival order: the end of a late reply, then the reply to
// the line in flight, then what nobody asked for. Each part may be empty; an id is 0 with its part
// empty.
struct Arrival {
    std::string_view late;
    ExchangeId lateId = 0;
    std::string_view credited;
    ExchangeId creditedId = 0;
    std::string_view unasked;

    [[nodiscard]] std::size_t size() const { return late.size() + credited.size() + unasked.size(); }
};

class ExchangeListener {
public:
    virtual ~ExchangeListener() = default;
    // A write of the line went out; step counts from 1.
    virtual void lineWritten(ExchangeId /*id*/, std::string_view /*line*/, int /*step*/) {}
    virtual void bytesArrived(const Arrival& /*arrival*/) {}
    virtual void exchangeEnded(const ExchangeResult& /*result*/) {}
    // Told once per late reply: when its CR came, or when the line settled without it.
    virtual void lateReply(ExchangeId /*id*/, std::string_view /*line*/, std::string_view /*bytes*/) {}
    // Pacing::AfterReply: nothing is in flight or waiting and the line has settled.
    virtual void ready() {}
};

struct Submitted {
    // 0 when nothing was written.
    ExchangeId id = 0;
    // The port did not take the line: no exchange began, and the port's words say why.
    PortError error;
};

class LineExchange {
public:
    LineExchange(SerialPort& port, Clock& clock, Pacing pacing);
    ~LineExchange();
    LineExchange(const LineExchange&) = delete;
    LineExchange& operator=(const LineExchange&) = delete;

    // The listener must outlive the engine or be removed first.
    void addListener(ExchangeListener& listener);
    void removeListener(ExchangeListener& listener);

    // Writes the line's first step now, unless the pacing holds it back: with AfterReply, a line
    // submitted while another is in flight or the line is unsettled waits and goes out once the
    // line is ready (one line at most may wait; a second is refused). An error means nothing was
    // written now; a held-back line that then fails to go out ends as Failed.
    Submitted submit(LineRequest request);

    // The port's Received event: reads everything waiting and credits it, when the pacing reads
    // now (see above); otherwise it is left waiting. The error of the read, if it failed.
    PortError received();
    // The owner's reply wait ended, for a line submitted without replyWaitMs.
    void endWait();
    // The device went away: the exchange in flight and a waiting line end as Failed with `why`.
    void portFailed(std::string_view why);
    // The owner is done with the line in flight and any waiting line (the port closes or opens
    // anew, a hold ends): they end as Abandoned, and the line counts as settled.
    void abandon();

    [[nodiscard]] bool ready() const;
    [[nodiscard]] std::optional<ExchangeId> inFlight() const;
    // Since an exchange ended with nothing at all received, not one byte has been read.
    [[nodiscard]] bool projectorSilent() const { return silent_; }
    [[nodiscard]] Pacing pacing() const { return pacing_; }

private:
    struct Flight {
        ExchangeId id = 0;
        LineRequest request;
        int written = 0;
        int crs = 0;
        std::string reply;
    };
    struct Late {
        ExchangeId id = 0;
        std::string line;
        std::string bytes;
        // Its CR has come: it is told, and what follows is nobody's.
        bool whole = false;
    };
    struct Held {
        ExchangeId id = 0;
        LineRequest request;
    };
    struct Written {
        ExchangeId id;
        std::string line;
        int step;
    };
    struct Arrived {
        // The read itself; the parts are offsets into it.
        std::string bytes;
        std::size_t lateSize = 0;
        ExchangeId lateId = 0;
        std::size_t creditedSize = 0;
        ExchangeId creditedId = 0;
    };
    struct LateTold {
        ExchangeId id;
        std::string line;
        std::string bytes;
    };
    struct BecameReady {};
    using Event = std::variant<Written, Arrived, ExchangeResult, LateTold, BecameReady>;

    // The first write of a line; an error when the port did not take it.
    PortError startFlight(ExchangeId id, LineRequest request);
    void wrote();
    void writeNextStep();
    void waitEnded();
    void end(ExchangeEnd how, std::string error = {});
    // After an exchange ended or the line settled: the waiting line goes out, or the line is ready.
    void afterEnd();
    [[nodiscard]] static ExchangeResult notWritten(const Held& held, ExchangeEnd how, std::string why);
    void settled();
    // The line in flight and any waiting line end as `how`; the line counts as settled.
    void letGo(ExchangeEnd how, const std::string& why);
    void tellLate();
    void absorbWaiting();
    // Pacing::AfterReply: whether what arrives is read now, rather than left to the next read.
    [[nodiscard]] bool readsOnArrival();
    // The reads while the line is unsettled; true when something came.
    bool readUnsettled();
    void take(std::string bytes);
    std::size_t creditLate(std::string_view bytes);
    std::size_t creditFlight(std::string_view bytes, bool* whole, bool* overflowed);
    void flush();
    void tell(const Event& event);

    SerialPort& port_;
    Pacing pacing_;
    std::unique_ptr<OneShotTimer> stepTimer_;
    std::unique_ptr<OneShotTimer> replyTimer_;
    std::unique_ptr<OneShotTimer> quietTimer_;
    // Runs while the line is unsettled and the last read found something: the next read is due.
    std::unique_ptr<OneShotTimer> unsettledReadTimer_;
    std::vector<ExchangeListener*> listeners_;
    ExchangeId lastId_ = 0;
    std::optional<Flight> flight_;
    std::optional<Held> held_;
    // The exchange whose wait ended without the whole reply, while the line is unsettled.
    std::optional<Late> late_;
    bool unsettled_ = false;
    bool silent_ = false;
    std::deque<Event> events_;
    bool flushing_ = false;
};

} // namespace tavo
