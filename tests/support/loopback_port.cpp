// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/loopback_port.h"

#include <QRandomGenerator>
#include <QTcpServer>
#include <memory>

namespace tavo::test {

namespace {

// Above the well-known and common service ports, below Linux's default client range (32768 up).
constexpr quint16 kFirstPort = 20000;
constexpr quint16 kPortCount = 12768;
static_assert(kFirstPort + kPortCount == 32768);

} // namespace

bool listenBelowClientPorts(QTcpServer& server, const QHostAddress& address) {
    const quint32 start = QRandomGenerator::global()->bounded(quint32{kPortCount});
    for (quint32 i = 0; i < kPortCount; ++i) {
        if (server.listen(address, static_cast<quint16>(kFirstPort + (start + i) % kPortCount))) {
            return true;
        }
    }
    return false;
}

std::vector<quint16> freeLoopbackPorts(int count) {
    // Held open together until all are found, so that no port is handed out twice.
    std::vector<std::unique_ptr<QTcpServer>> probes;
    std::vector<quint16> ports;
    for (int i = 0; i < count; ++i) {
        auto probe = std::make_unique<QTcpServer>();
        if (!listenBelowClientPorts(*probe)) {
            return {};
        }
        ports.push_back(probe->serverPort());
        probes.push_back(std::move(probe));
    }
    return ports;
}

} // namespace tavo::test
