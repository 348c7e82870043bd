// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/hostile_server.h"

#include "tests/support/loopback_port.h"

#include <QTcpSocket>
#include <string>

namespace tavo::test {

namespace {

using namespace std::string_literals;

// IAC DO COM-PORT-OPTION, and the answer 19200 to the speed.
const std::string kAgreement = "\xff\xfd\x2c"
                               "\xff\xfa\x2c\x65\x00\x00\x4b\x00\xff\xf0"s;
// IAC WILL ECHO, over and over.
const std::string kOptionCommand = "\xff\xfb\x01"s;
constexpr std::size_t kLongSubnegotiation = 17 * 1024;
// How much the server keeps queued towards a slow peer.
constexpr qint64 kQueued = 1024 * 1024;

QByteArray repeated(const std::string& unit, int times) {
    QByteArray bytes;
    for (int i = 0; i < times; ++i) {
        bytes.append(unit.data(), static_cast<qsizetype>(unit.size()));
    }
    return bytes;
}

} // namespace

HostileServer::HostileServer(Hostility hostility) : hostility_(hostility) {
    (void)listenBelowClientPorts(server_);
    connect(&server_, &QTcpServer::newConnection, this, &HostileServer::onConnection);
}

void HostileServer::onConnection() {
    while (QTcpSocket* client = server_.nextPendingConnection()) {
        ++connections_;
        connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
        switch (hostility_) {
        case Hostility::Silent:
            break;
        case Hostility::NegotiationFlood:
        case Hostility::DataFlood:
            if (hostility_ == Hostility::NegotiationFlood) {
                client->write(kAgreement.data(), static_cast<qint64>(kAgreement.size()));
            }
            connect(client, &QTcpSocket::bytesWritten, this, [this, client] { pump(client); });
            pump(client);
            break;
        case Hostility::EndlessSubnegotiation:
        case Hostility::LongSubnegotiationThenAck:
            client->write(kAgreement.data(), static_cast<qint64>(kAgreement.size()));
            connect(client, &QTcpSocket::readyRead, this, [this, client] {
                // The commands end in CR; telnet from the client never carries one.
                if (!client->readAll().contains('\r')) {
                    return;
                }
                if (hostility_ == Hostility::LongSubnegotiationThenAck) {
                    const QByteArray reply = "\xff\xfa\x2c" + QByteArray(kLongSubnegotiation, 'C') + "\xff\xf0\x06\r";
                    client->write(reply);
                    return;
                }
                client->write("\xff\xfa\x2c");
                connect(client, &QTcpSocket::bytesWritten, this, [this, client] { pump(client); });
                pump(client);
            });
            break;
        }
    }
}

void HostileServer::pump(QTcpSocket* client) {
    static const QByteArray options = repeated(kOptionCommand, 20000);
    static const QByteArray data(64 * 1024, 'C');
    const QByteArray& chunk = hostility_ == Hostility::NegotiationFlood ? options : data;
    while (client->state() == QAbstractSocket::ConnectedState && client->bytesToWrite() < kQueued &&
           sent_ < kFloodBytes) {
        sent_ += client->write(chunk);
    }
}

} // namespace tavo::test
