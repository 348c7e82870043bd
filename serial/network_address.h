// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The names of devices on the network: "rfc2217://HOST:PORT" for a device server that lets the
// panel set the line (telnet with the COM-PORT-OPTION), "tcp://HOST:PORT" or "socket://HOST:PORT"
// for one that carries the bytes as they are, with the speed set on the server.

#include <QString>
#include <optional>

namespace tavo {

enum class NetworkProtocol { Rfc2217, RawTcp };

struct NetworkAddress {
    NetworkProtocol protocol = NetworkProtocol::RawTcp;
    QString host;
    quint16 port = 0;
};

// Whether a device name is a network address (it has a scheme such as "rfc2217://").
[[nodiscard]] bool isNetworkDevice(const QString& device);

// IPv6 literals in brackets. Empty with the reason in *error when the name is no such address.
[[nodiscard]] std::optional<NetworkAddress> parseNetworkDevice(const QString& device, QString* error);

// Whether a name without a scheme reads as HOST:PORT (a host name, an IPv4 address or an IPv6 one
// in brackets, then a port number), as a network device given without its scheme would.
[[nodiscard]] bool looksLikeHostAndPort(const QString& device);

// "HOST:PORT", with an IPv6 host in brackets.
[[nodiscard]] QString hostAndPort(const NetworkAddress& address);

} // namespace tavo
