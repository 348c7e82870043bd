// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One controller's connection: the greeting, the digest before the first command when a password
// is set (and, as some controllers send it, before any later one), and then one command at a
// time, each carried out on the shared line queue and answered in the order it came. While a
// command is out, the next lines stay unread in a socket buffer of kReceiveBufferBytes, so a
// controller that sends faster than the projector answers only fills that. The server decides
// about the connection's slot (see Admission); the session tells it what the controller did. An
// earned connection without a valid command for kIdleTimeoutMs is closed, and so is one that sends
// a line naming no command, which no response could answer.

#include "pjlink/admission.h"
#include "pjlink/command_run.h"
#include "pjlink/protocol.h"

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>

class QTcpSocket;

namespace tavo::pjlink {

class BridgeLog;
class LineQueue;
class Session;

// What a session tells the server about its slot.
class SlotKeeper {
public:
    virtual ~SlotKeeper() = default;
    // Whether the digest of the session's first line may be judged now; if not, the server calls
    // judgePending() later.
    [[nodiscard]] virtual bool mayJudge(const Session& session) = 0;
    // The right digest, or without a password a valid command.
    virtual void earned(const Session& session) = 0;
    // A wrong or missing digest: the server calls refuse() once the delay is over.
    virtual void failed(const Session& session) = 0;

protected:
    SlotKeeper() = default;
    SlotKeeper(const SlotKeeper&) = default;
    SlotKeeper& operator=(const SlotKeeper&) = default;
};

inline constexpr int kIdleTimeoutMs = 30'000;
inline constexpr qint64 kReceiveBufferBytes = 4 * static_cast<qint64>(kMaxLineBytes);
// Responses a controller has not taken yet; past this no further command is read.
inline constexpr qint64 kMaxUnsentBytes = 4096;
// How long a closing connection may take to hand over its last response.
inline constexpr int kCloseGraceMs = 2000;

struct SessionContext {
    LineQueue& queue;
    const Identity& identity;
    BridgeMemory& memory;
    // Empty: no authentication.
    std::optional<QByteArray> password;
    BridgeLog& log;
    SlotKeeper& keeper;
};

class Session final : public QObject {
    Q_OBJECT

public:
    // Takes the socket over and greets the controller at once; `id` is its slot's.
    Session(QTcpSocket* socket, const SessionContext& context, Admission::Id id, QObject* parent = nullptr);
    ~Session() override;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Hands what has been answered to the system and closes, for the program's end.
    void closeNow();
    [[nodiscard]] QString peer() const { return peer_; }
    [[nodiscard]] QHostAddress peerAddress() const { return address_; }
    [[nodiscard]] Admission::Id id() const { return id_; }
    // Whether the controller gave the right digest; always so without a password.
    [[nodiscard]] bool authenticated() const { return !context_.password || earned_; }
    // Whether the controller has closed its end, though the event loop has not seen it yet: a
    // flood of connections opened and dropped at once must not keep the next one out.
    [[nodiscard]] bool peerHasClosed() const;
    // Ends the connection at once, without handing over anything unsent.
    void drop();
    // Judges the digest that waited for mayJudge().
    void judgePending();
    // Answers a failed login, once its delay is over, and closes.
    void refuse();
    // Closes a connection that did not earn its slot in time, with ERRA where there is a password.
    void expire();

signals:
    // The connection has ended; the session deletes itself at the next turn of the event loop.
    void finished();

private:
    void processLines();
    void handleLine(LineSplitter::Line line);
    void judge(LineSplitter::Line line);
    void carryOut(LineSplitter::Line line);
    void earn();
    void respond(const std::string& requestLine, const std::string& response, const std::string& trace);
    void closeAfterWriting(const QString& why);
    void onDisconnected();

    QTcpSocket* socket_;
    SessionContext context_;
    Admission::Id id_;
    QHostAddress address_;
    QString peer_;
    // Kept after the first command for controllers that send it again before later ones.
    std::optional<QByteArray> expectedDigest_;
    LineSplitter splitter_;
    // The first line, while its digest waits to be judged.
    std::optional<LineSplitter::Line> pending_;
    QTimer idle_;
    QTimer closeGrace_;
    bool earned_ = false;
    // A command is out on the line queue.
    bool running_ = false;
    // A failed login waits for its delay to end; nothing more is read.
    bool penalised_ = false;
    bool closing_ = false;
    bool ended_ = false;
};

} // namespace tavo::pjlink
