// SPDX-License-Identifier: GPL-3.0-or-later
#include "pjlink/server.h"

#include "pjlink/authentication.h"
#include "pjlink/bridge_log.h"
#include "pjlink/line_queue.h"
#include "pjlink/session.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace tavo::pjlink {

namespace {

// One key per host, whether it came over IPv4 or as an IPv4-mapped IPv6 address.
std::string hostKey(const QHostAddress& address) {
    bool mapped = false;
    const quint32 v4 = address.toIPv4Address(&mapped);
    return (mapped ? QHostAddress(v4) : address).toString().toStdString();
}

} // namespace

Server::Server(LineQueue& queue, Identity identity, std::optional<QByteArray> password, int maxConnections,
               QObject* parent)
    : QObject(parent), queue_(queue), identity_(std::move(identity)), password_(std::move(password)),
      maxConnections_(maxConnections) {
    clock_.start();
}

Server::~Server() {
    closeAll();
}

std::optional<QString> Server::listen(const QHostAddress& address, quint16 port) {
    auto server = std::make_unique<QTcpServer>();
    if (!server->listen(address, port)) {
        return Server::tr("cannot listen on %1: %2").arg(endpointText(address, port), server->errorString());
    }
    QTcpServer* raw = server.get();
    connect(raw, &QTcpServer::newConnection, this, [this, raw] { onNewConnection(raw); });
    servers_.push_back(std::move(server));
    return std::nullopt;
}

QStringList Server::addresses() const {
    QStringList list;
    for (const auto& server : servers_) {
        list << endpointText(server->serverAddress(), server->serverPort());
    }
    return list;
}

void Server::closeAll() {
    for (const auto& server : servers_) {
        server->close();
    }
    const auto open = sessions_;
    for (Session* session : open) {
        session->closeNow();
    }
}

void Server::turnAway(QTcpSocket* socket, const QByteArray& last) {
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    if (last.isEmpty()) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    socket->write(last);
    socket->disconnectFromHost();
    // A peer that does not take even these few bytes is not waited for.
    QTimer::singleShot(kCloseGraceMs, socket, &QTcpSocket::abort);
}

void Server::onNewConnection(QTcpServer* server) {
    while (QTcpSocket* socket = server->nextPendingConnection()) {
        const QHostAddress peer = socket->peerAddress();
        const QString who = endpointText(peer, socket->peerPort());
        if (connections() >= maxConnections_) {
            const auto open = sessions_;
            for (Session* session : open) {
                if (session->peerHasClosed()) {
                    session->drop();
                }
            }
        }
        if (connections() >= maxConnections_) {
            qCWarning(lcBridge).noquote()
                << tr("%1 refused: %2 connections are open already").arg(who).arg(connections());
            turnAway(socket, {});
            continue;
        }
        std::int64_t until = 0;
        if (password_ && throttle_.blocked(hostKey(peer), clock_.elapsed(), &until)) {
            qCWarning(lcBridge).noquote() << tr("%1 refused: too many failed authentications, waits %2 s more")
                                                 .arg(who)
                                                 .arg((until - clock_.elapsed() + 999) / 1000);
            turnAway(socket, QByteArray(kAuthenticationFailure));
            continue;
        }
        auto* session = new Session(
            socket, {.queue = queue_, .identity = identity_, .memory = memory_, .password = password_}, this);
        sessions_.insert(session);
        connect(session, &Session::finished, this, [this, session] { sessions_.remove(session); });
        connect(session, &Session::authenticationFailed, this,
                [this](const QHostAddress& address) { throttle_.recordFailure(hostKey(address), clock_.elapsed()); });
    }
}

} // namespace tavo::pjlink
