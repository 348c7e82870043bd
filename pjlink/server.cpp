// SPDX-License-Identifier: GPL-3.0-or-later
#include "pjlink/server.h"

#include "pjlink/authentication.h"
#include "pjlink/bridge_log.h"
#include "pjlink/line_queue.h"

#include <QTcpServer>
#include <QTcpSocket>

namespace tavo::pjlink {

static_assert(kMaxQueuedJobs > static_cast<std::size_t>(kLargestMaxConnections) * kMaxJobsPerOwner,
              "the queue's own bound is reached only if a connection's bound is not kept");

Server::Server(LineQueue& queue, BridgeLog& log, Identity identity, std::optional<QByteArray> password,
               int maxConnections, QObject* parent)
    : QObject(parent), queue_(queue), log_(log), identity_(std::move(identity)), password_(std::move(password)),
      maxConnections_(maxConnections), admission_(maxConnections) {
    clock_.start();
    dueTimer_.setSingleShot(true);
    connect(&dueTimer_, &QTimer::timeout, this, &Server::serveDue);
}

Server::~Server() {
    closeAll();
}

std::optional<QString> Server::listen(const QHostAddress& address, quint16 port) {
    auto server = std::make_unique<QTcpServer>();
    server->setListenBacklogSize(kListenBacklog);
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
    const auto open = sessions_.values();
    for (Session* session : open) {
        session->closeNow();
    }
}

void Server::turnAway(QTcpSocket* socket, const QByteArray& last) {
    if (last.isEmpty() || turningAway_ >= kMaxTurningAway) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    ++turningAway_;
    connect(socket, &QObject::destroyed, this, [this] { --turningAway_; });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    socket->write(last);
    socket->disconnectFromHost();
    // A peer that does not take even these few bytes is not waited for.
    QTimer::singleShot(kCloseGraceMs, socket, &QTcpSocket::abort);
}

std::optional<Admission::Id> Server::admit(QTcpSocket* socket) {
    const QString host = hostText(socket->peerAddress());
    const QString who = endpointText(socket->peerAddress(), socket->peerPort());
    std::int64_t until = 0;
    if (password_ && throttle_.blocked(host.toStdString(), clock_.elapsed(), &until)) {
        log_.repeated(BridgeLog::Repeat::Refused, host, [&] {
            return tr("%1 refused: too many failed authentications, waits %2 s more")
                .arg(who)
                .arg((until - clock_.elapsed() + 999) / 1000);
        });
        turnAway(socket, QByteArray(kAuthenticationFailure));
        return std::nullopt;
    }
    if (admission_.taken() >= maxConnections_) {
        // Connections whose controller has gone, though the event loop has not seen it yet, make
        // room before any other.
        const auto open = sessions_.values();
        for (Session* session : open) {
            if (session->peerHasClosed()) {
                session->drop();
            }
        }
    }
    const Admission::Entry entry =
        admission_.enter(host.toStdString(), clock_.elapsed(), password_ && throttle_.remembers(host.toStdString()));
    switch (entry.refusal) {
    case Admission::Refusal::HostFull:
        log_.repeated(BridgeLog::Repeat::Refused, host, [&] {
            return tr("%1 refused: its address holds %2 connections already").arg(who).arg(kMaxSlotsPerHost);
        });
        turnAway(socket, {});
        return std::nullopt;
    case Admission::Refusal::AllTaken:
        log_.repeated(BridgeLog::Repeat::Refused, host, [&] {
            return tr("%1 refused: %2 connections are open already").arg(who).arg(admission_.taken());
        });
        turnAway(socket, {});
        return std::nullopt;
    case Admission::Refusal::None:
        break;
    }
    if (entry.displaced) {
        if (Session* displaced = sessions_.value(*entry.displaced)) {
            log_.repeated(BridgeLog::Repeat::Unearned, hostText(displaced->peerAddress()), [&] {
                return tr("%1 closed to make room for %2: it had sent no valid command").arg(displaced->peer(), who);
            });
            displaced->drop();
        }
    }
    return entry.id;
}

void Server::onNewConnection(QTcpServer* server) {
    while (QTcpSocket* socket = server->nextPendingConnection()) {
        const auto id = admit(socket);
        if (!id) {
            continue;
        }
        const SessionContext context{.queue = queue_,
                                     .identity = identity_,
                                     .memory = memory_,
                                     .password = password_,
                                     .log = log_,
                                     .keeper = *this};
        auto* session = new Session(socket, context, *id, this);
        sessions_.insert(*id, session);
        connect(session, &Session::finished, this, [this, id = *id] {
            sessions_.remove(id);
            admission_.left(id);
            scheduleDue();
        });
    }
    scheduleDue();
}

bool Server::mayJudge(const Session& session) {
    const bool now = admission_.mayJudge(session.id());
    scheduleDue();
    return now;
}

void Server::earned(const Session& session) {
    admission_.earned(session.id(), clock_.elapsed());
    scheduleDue();
}

void Server::failed(const Session& session) {
    throttle_.recordFailure(hostText(session.peerAddress()).toStdString(), clock_.elapsed());
    admission_.failed(session.id(), clock_.elapsed());
    scheduleDue();
}

void Server::serveDue() {
    for (const Admission::Due& due : admission_.due(clock_.elapsed())) {
        Session* session = sessions_.value(due.id);
        if (session == nullptr) {
            continue;
        }
        switch (due.what) {
        case Admission::Due::What::Expired:
            if (!session->authenticated()) {
                // Holding a slot without the password is a failed login as much as a wrong guess.
                const QString host = hostText(session->peerAddress());
                throttle_.recordFailure(host.toStdString(), clock_.elapsed());
                log_.repeated(BridgeLog::Repeat::FailedLogin, host, [&] {
                    return tr("%1 authentication failed: no digest within %2 s")
                        .arg(session->peer())
                        .arg(kEarnDeadlineMs / 1000);
                });
            }
            session->expire();
            break;
        case Admission::Due::What::PenaltyOver:
            session->refuse();
            break;
        case Admission::Due::What::Judge:
            session->judgePending();
            break;
        }
    }
    scheduleDue();
}

void Server::scheduleDue() {
    const auto next = admission_.nextDueMs();
    if (!next) {
        dueTimer_.stop();
        return;
    }
    dueTimer_.start(static_cast<int>(std::max<std::int64_t>(0, *next - clock_.elapsed())));
}

} // namespace tavo::pjlink
