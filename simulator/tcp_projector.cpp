// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulator/tcp_projector.h"

#include <algorithm>

namespace tavo {

std::unique_ptr<TcpProjector> TcpProjector::create(const ProjectorModel::Options& model, const QHostAddress& address,
                                                   quint16 port, QString* error) {
    if (const auto invalid = ProjectorModel::validate(model)) {
        *error = QString::fromStdString(*invalid);
        return nullptr;
    }
    std::unique_ptr<TcpProjector> projector(new TcpProjector(model));
    if (!projector->server_.listen(address, port)) {
        *error = TcpProjector::tr("cannot listen on %1 port %2: %3")
                     .arg(address.toString())
                     .arg(port)
                     .arg(projector->server_.errorString());
        return nullptr;
    }
    return projector;
}

TcpProjector::TcpProjector(const ProjectorModel::Options& model) : model_(model) {
    clock_.start();
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&server_, &QTcpServer::newConnection, this, &TcpProjector::onNewConnection);
    connect(&timer_, &QTimer::timeout, this, &TcpProjector::pump);
    pump();
}

QString TcpProjector::url() const {
    const QHostAddress address = server_.serverAddress();
    const QString host = address.protocol() == QAbstractSocket::IPv6Protocol
                             ? QStringLiteral("[%1]").arg(address.toString())
                             : address.toString();
    return QStringLiteral("tcp://%1:%2").arg(host).arg(server_.serverPort());
}

void TcpProjector::onNewConnection() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        if (client_) {
            client_->abort();
            client_->deleteLater();
        }
        client_ = socket;
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(socket, &QTcpSocket::readyRead, this, &TcpProjector::onReadable);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void TcpProjector::onReadable() {
    if (!client_) {
        return;
    }
    const QByteArray bytes = client_->readAll();
    if (bytes.isEmpty()) {
        return;
    }
    emit received(bytes);
    // No line speed on a network: the panel's end always matches the projector's.
    model_.setPanelBaud(model_.options().baud);
    model_.feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), nowMs());
    pump();
}

void TcpProjector::pump() {
    const std::int64_t now = nowMs();
    model_.advance(now);
    for (const auto& piece : model_.takeDue(now)) {
        // A projector talks whether or not anyone listens.
        if (client_ && client_->state() == QAbstractSocket::ConnectedState) {
            const QByteArray out(piece.data(), static_cast<qsizetype>(piece.size()));
            client_->write(out);
            client_->flush();
            emit sent(out);
        }
    }
    if (const auto next = model_.nextEventMs()) {
        timer_.start(static_cast<int>(std::clamp<std::int64_t>(*next - nowMs(), 0, 3'600'000)));
    } else {
        timer_.stop();
    }
}

} // namespace tavo
