// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One controller's connection: the greeting, the digest before the first command when a password
// is set, and then one command at a time, each carried out on the shared line queue and answered
// in the order it came. While a command is out, the next lines stay unread in a socket buffer of
// kReceiveBufferBytes, so a controller that sends faster than the projector answers only fills
// that. A connection without a command for kIdleTimeoutMs is closed.

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

class LineQueue;

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
};

class Session final : public QObject {
    Q_OBJECT

public:
    // Takes the socket over and greets the controller at once.
    Session(QTcpSocket* socket, const SessionContext& context, QObject* parent = nullptr);
    ~Session() override;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Hands what has been answered to the system and closes, for the program's end.
    void closeNow();
    [[nodiscard]] QString peer() const { return peer_; }
    // Whether the controller has closed its end, though the event loop has not seen it yet: a
    // flood of connections opened and dropped at once must not keep the next one out.
    [[nodiscard]] bool peerHasClosed() const;
    // Ends the connection at once, without handing over anything unsent.
    void drop();

signals:
    void authenticationFailed(const QHostAddress& address);
    // The connection has ended; the session deletes itself at the next turn of the event loop.
    void finished();

private:
    void processLines();
    void handleLine(LineSplitter::Line line);
    void respond(const std::string& requestLine, const std::string& response, const std::string& trace);
    void reject();
    void closeAfterWriting(const QString& why);
    void onDisconnected();

    QTcpSocket* socket_;
    SessionContext context_;
    QString peer_;
    std::optional<QByteArray> expectedDigest_;
    LineSplitter splitter_;
    QTimer idle_;
    QTimer closeGrace_;
    // A command is out on the line queue.
    bool running_ = false;
    bool closing_ = false;
    bool ended_ = false;
};

} // namespace tavo::pjlink
