// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one serial line to the projector, shared by every connection: the only object that talks to
// the serial port, and it does so through the one conversation engine (LineExchange, paced after
// each reply). Jobs run one after another in the order they were submitted; each line of a job
// goes out once the line has settled after the one before, and the engine decides what answers
// it, so no exchange ever interleaves with another and a reply that comes late never answers a
// later line. A status read sent within kReadReuseMs of the same read's well-formed reply is
// answered from that reply without touching the line; any other line sent makes every kept reply
// stale, since it may change what they say.
//
// A projector that does not answer must not make every controller wait in turn: once a line gets
// no reply at all, the jobs already waiting behind it fail at once, and jobs submitted later are
// tried. A line that does not settle within kSettleBoundMs of an exchange (a device that keeps
// sending) fails the jobs waiting for it, and every job at once until it settles.
//
// The queue also keeps the device open. It is opened at start, in the background for a device on
// the network; the port must keep opening one that cannot be opened yet (ComPorts::setKeepOpening),
// and reopens a lost one by itself. While the device is not open every line fails at once, so that
// no controller waits on a device that is away.

#include "core/line_exchange.h"
#include "core/ports/clock.h"
#include "core/ports/serial_port.h"
#include "pjlink/line_job.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::pjlink {

inline constexpr std::int64_t kReadReuseMs = 1000;
// Jobs of one owner waiting for the line; a session submits one at a time. A job over it fails at
// once (and is handed back at once, so it does not wait).
inline constexpr std::size_t kMaxJobsPerOwner = 2;
// Jobs waiting for the line, of owners still there. A gone owner's jobs are dropped when another
// is submitted, so with every connection within its own bound this is only reached by a bug.
inline constexpr std::size_t kMaxQueuedJobs = 160;
// How long the line may take to settle after an exchange: a late reply and the quiet after it take
// about a second at most, so only a device that keeps sending takes longer.
inline constexpr int kSettleBoundMs = 4 * kQuietAfterSilenceMs;

class BridgeLog;

class LineQueue final : public QObject, private ExchangeListener {
    Q_OBJECT

public:
    // `device` names the device in the log.
    LineQueue(SerialPort& port, Clock& clock, QString device, BridgeLog& log, QObject* parent = nullptr);
    ~LineQueue() override;
    LineQueue(const LineQueue&) = delete;
    LineQueue& operator=(const LineQueue&) = delete;

    // Begins opening the line to the projector: the port's device number `portNumber` at
    // `settings`. An error is one that no retry mends; the port tries a device that cannot be
    // opened yet again until it opens.
    PortError start(int portNumber, const LineSettings& settings);
    // Closes the device and stops trying to open it; jobs still waiting fail.
    void close();
    [[nodiscard]] bool deviceOpen() const { return state_ == State::Open; }

    using Done = std::function<void(std::unique_ptr<LineJob>)>;
    // Runs the job after every job submitted before it and hands it back to `done` when it is
    // finished, always at a later turn of the event loop. Once `owner` is gone the job is dropped
    // (a line already written still gets its reply wait), unless it changes the projector and has
    // begun, and `done` is not called.
    void submit(std::unique_ptr<LineJob> job, QObject* owner, Done done);

    // Jobs still to be carried out, of owners still there.
    [[nodiscard]] std::size_t waiting() const;

private:
    enum class State : std::uint8_t {
        Closed,
        // Opening in the background: Opened or OpenFailed follows.
        Opening,
        Open,
        // Could not be opened: the port tries again.
        Waiting,
        // Lost while open: the port tries again by itself.
        Away,
    };

    struct Entry {
        std::unique_ptr<LineJob> job;
        QPointer<QObject> owner;
        Done done;
        // A line of it has been sent or answered from a kept reply.
        bool begun = false;
    };
    struct KeptReply {
        std::string line;
        std::string reply;
        std::int64_t atMs = 0;
    };

    // Whether the job is still to be carried on.
    [[nodiscard]] static bool live(const Entry& entry);
    // Drops the jobs of owners that are gone, but not the one whose line is on the wire.
    void dropOrphans();
    void schedulePump();
    void pump();
    // Carries the first job on by one step; false when it must wait for the line to settle.
    bool step(Entry& entry, const LineRequest& request);
    void send(Entry& entry, const LineRequest& request);
    void handBack(Entry& entry);
    // Fails every job waiting behind the first.
    void failWaiting(const std::string& reason);
    void settleBoundPassed();

    void exchangeEnded(const ExchangeResult& result) override;
    void bytesArrived(const Arrival& arrival) override;
    void lateReply(ExchangeId id, std::string_view line, std::string_view bytes) override;
    void ready() override;

    void opened();
    void openFailed(const std::string& text);
    void onPortEvent(PortEvent event);
    // Why a line is not sent now, for the log.
    [[nodiscard]] std::string whyNotOpen() const;
    [[nodiscard]] std::optional<std::string> keptReply(const std::string& line);

    SerialPort& port_;
    Clock& clock_;
    QString device_;
    BridgeLog& log_;
    LineExchange exchange_;
    std::unique_ptr<OneShotTimer> settleBound_;
    State state_ = State::Closed;
    std::deque<Entry> jobs_;
    // Jobs turned away because too many wait, handed back at the next pump.
    std::deque<Entry> refused_;
    // The exchange of the first job, while its line is on the wire; 0 when none is.
    ExchangeId current_ = 0;
    // The line has not settled within kSettleBoundMs: jobs fail at once until it does.
    bool unsettledTooLong_ = false;
    bool pumpQueued_ = false;
    std::vector<KeptReply> kept_;
};

} // namespace tavo::pjlink
