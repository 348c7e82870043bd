// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one serial line to the projector, shared by every connection: the only object that talks to
// the serial port. Jobs run one after another in the order they were submitted; each line of a
// job is written, its reply collected until a CR or the end of its reply wait, and only then is the
// next line written, so no exchange ever interleaves with another. A status read sent within
// kReadReuseMs of the same read's well-formed reply is answered from that reply without touching
// the line; any other line sent makes every kept reply stale, since it may change what they say.
//
// The queue also keeps the device open. It is opened at start, in the background for a device on
// the network; the port must keep opening one that cannot be opened yet (ComPorts::setKeepOpening),
// and reopens a lost one by itself. While the device is not open every line fails at once, so that
// no controller waits on a device that is away.

#include "core/ports/serial_port.h"
#include "pjlink/line_job.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tavo::pjlink {

inline constexpr qint64 kReadReuseMs = 1000;
// The longest reply kept; a projector's longest is 18 bytes, so this is only ever reached by noise.
inline constexpr std::size_t kMaxReplyBytes = 256;
// Jobs of one owner waiting for the line; a session submits one at a time. A job over it fails at
// once (and is handed back at once, so it does not wait).
inline constexpr std::size_t kMaxJobsPerOwner = 2;
// Jobs waiting for the line, of owners still there. A gone owner's jobs are dropped when another
// is submitted, so with every connection within its own bound this is only reached by a bug.
inline constexpr std::size_t kMaxQueuedJobs = 160;

class BridgeLog;

class LineQueue final : public QObject {
    Q_OBJECT

public:
    // `device` names the device in the log.
    LineQueue(SerialPort& port, QString device, BridgeLog& log, QObject* parent = nullptr);
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
    enum class State {
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
    // Whether the job is still to be carried on.
    [[nodiscard]] static bool live(const Entry& entry);
    // Drops the jobs of owners that are gone, but not the one whose line is on the wire.
    void dropOrphans();
    struct Exchange {
        std::string line;
        std::string reply;
    };
    struct KeptReply {
        std::string line;
        std::string reply;
        qint64 atMs = 0;
    };

    void schedulePump();
    void pump();
    void startExchange(Entry& entry, const LineRequest& request);
    void finishExchange();
    void opened();
    void openFailed(const std::string& text);
    void onPortEvent(PortEvent event);
    void onReceived();
    void failExchange(const std::string& reason);
    // A drop between exchanges, written in full.
    [[nodiscard]] static QString droppedText(const std::string& bytes);
    // Why a line is not sent now, for the log.
    [[nodiscard]] std::string whyNotOpen() const;
    [[nodiscard]] std::optional<std::string> keptReply(const std::string& line);

    SerialPort& port_;
    QString device_;
    BridgeLog& log_;
    State state_ = State::Closed;
    std::deque<Entry> jobs_;
    // Jobs turned away because too many wait, handed back at the next pump.
    std::deque<Entry> refused_;
    // The exchange of the first job, while its line is on the wire.
    std::optional<Exchange> current_;
    QTimer replyWait_;
    bool pumpQueued_ = false;
    QElapsedTimer clock_;
    std::vector<KeptReply> kept_;
};

} // namespace tavo::pjlink
