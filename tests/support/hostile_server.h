// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A device server on 127.0.0.1 that misbehaves in one way, for the tests of the bounds. The
// telnet ones first agree to the COM-PORT-OPTION and accept the speed, as a real server would.
// Floods are written as fast as the peer takes them, up to kFloodBytes, and stop when the peer
// cuts the connection.

#include <QObject>
#include <QTcpServer>
#include <cstdint>

class QTcpSocket;

namespace tavo::test {

inline constexpr std::int64_t kFloodBytes = 400LL * 1024 * 1024;

enum class Hostility {
    // Takes the connection and says nothing.
    Silent,
    // Telnet option commands without end.
    NegotiationFlood,
    // Answers the first line with a subnegotiation that never ends.
    EndlessSubnegotiation,
    // Answers the first line with a 17 KB subnegotiation, then ACK CR.
    LongSubnegotiationThenAck,
    // Raw TCP: data without end.
    DataFlood,
};

class HostileServer : public QObject {
    Q_OBJECT

public:
    explicit HostileServer(Hostility hostility);

    [[nodiscard]] quint16 port() const { return server_.serverPort(); }
    [[nodiscard]] int connections() const { return connections_; }
    [[nodiscard]] std::int64_t bytesSent() const { return sent_; }

private:
    void onConnection();
    void pump(QTcpSocket* client);

    Hostility hostility_;
    QTcpServer server_;
    int connections_ = 0;
    std::int64_t sent_ = 0;
};

} // namespace tavo::test
