// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The PJLink server: listens on the addresses given, gives each connection a session, and carries
// out what Admission decides about their slots (who is let in, who makes room, who is closed when)
// and the wait for addresses that keep failing to authenticate.

#include "pjlink/admission.h"
#include "pjlink/auth_throttle.h"
#include "pjlink/command_run.h"
#include "pjlink/session.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>
#include <vector>

class QTcpServer;
class QTcpSocket;

namespace tavo::pjlink {

class BridgeLog;
class LineQueue;

inline constexpr int kDefaultMaxConnections = 8;
inline constexpr int kLargestMaxConnections = 64;
inline constexpr quint16 kDefaultPort = 4352;
// Connections the system holds for the bridge to take: a flood of them must not make a
// controller's connection wait for its retransmission.
inline constexpr int kListenBacklog = 256;
// Refused connections still handing over their last answer; past this they are cut at once.
inline constexpr int kMaxTurningAway = 64;

class Server final : public QObject, private SlotKeeper {
    Q_OBJECT

public:
    // Empty password: no authentication.
    Server(LineQueue& queue, BridgeLog& log, Identity identity, std::optional<QByteArray> password, int maxConnections,
           QObject* parent = nullptr);
    ~Server() override;
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Empty on success, else why not.
    [[nodiscard]] std::optional<QString> listen(const QHostAddress& address, quint16 port);
    // Where it listens, such as "127.0.0.1:4352".
    [[nodiscard]] QStringList addresses() const;
    // Stops listening and closes every connection.
    void closeAll();
    [[nodiscard]] int connections() const { return static_cast<int>(sessions_.size()); }

private:
    [[nodiscard]] bool mayJudge(const Session& session) override;
    void earned(const Session& session) override;
    void failed(const Session& session) override;

    void onNewConnection(QTcpServer* server);
    // The connection's slot, making room for it if need be; or nothing, and it is turned away.
    [[nodiscard]] std::optional<Admission::Id> admit(QTcpSocket* socket);
    void turnAway(QTcpSocket* socket, const QByteArray& last);
    void serveDue();
    void scheduleDue();

    LineQueue& queue_;
    BridgeLog& log_;
    Identity identity_;
    BridgeMemory memory_;
    std::optional<QByteArray> password_;
    int maxConnections_;
    std::vector<std::unique_ptr<QTcpServer>> servers_;
    QHash<Admission::Id, Session*> sessions_;
    Admission admission_;
    AuthThrottle throttle_;
    QElapsedTimer clock_;
    QTimer dueTimer_;
    int turningAway_ = 0;
};

} // namespace tavo::pjlink
