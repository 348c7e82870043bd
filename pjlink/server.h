// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The PJLink server: listens on the addresses given, gives each connection a session, and keeps
// the bounds that protect the bridge from a misbehaving network: at most a given number of
// connections at once (one more is accepted and closed at once), and a wait for addresses that
// keep failing to authenticate.

#include "pjlink/auth_throttle.h"
#include "pjlink/command_run.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QSet>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class QTcpServer;
class QTcpSocket;

namespace tavo::pjlink {

class LineQueue;
class Session;

inline constexpr int kDefaultMaxConnections = 8;
inline constexpr int kLargestMaxConnections = 64;
inline constexpr quint16 kDefaultPort = 4352;

class Server final : public QObject {
    Q_OBJECT

public:
    // Empty password: no authentication.
    Server(LineQueue& queue, Identity identity, std::optional<QByteArray> password, int maxConnections,
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
    void onNewConnection(QTcpServer* server);
    void turnAway(QTcpSocket* socket, const QByteArray& last);

    LineQueue& queue_;
    Identity identity_;
    BridgeMemory memory_;
    std::optional<QByteArray> password_;
    int maxConnections_;
    std::vector<std::unique_ptr<QTcpServer>> servers_;
    QSet<Session*> sessions_;
    AuthThrottle throttle_;
    QElapsedTimer clock_;
};

} // namespace tavo::pjlink
