// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Loopback ports for the network tests, taken below the range the kernel hands out to clients.
// In that range, a client that keeps connecting to a port nobody listens on (a device server
// being restarted, a device missing at start) may be given that very port as its own and connect
// to itself; the server then cannot listen there again. Each search starts at a random place, so
// that test programs run side by side rarely meet.

#include <QHostAddress>
#include <QtGlobal>
#include <vector>

class QTcpServer;

namespace tavo::test {

// Makes `server` listen on `address` at a port below the client range. False if none was free.
[[nodiscard]] bool listenBelowClientPorts(QTcpServer& server,
                                          const QHostAddress& address = QHostAddress(QHostAddress::LocalHost));

// `count` distinct ports below the client range that were free on 127.0.0.1 a moment ago, for
// another program to listen on. Empty if there were not enough.
[[nodiscard]] std::vector<quint16> freeLoopbackPorts(int count);

} // namespace tavo::test
