// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/network_address.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QUrl>
#include <algorithm>
#include <array>
#include <limits>
#include <utility>

namespace tavo {

// The context of the texts below.
class NetworkAddressTexts {
    Q_DECLARE_TR_FUNCTIONS(tavo::NetworkAddressTexts)
};

namespace {

struct Scheme {
    const char* name;
    NetworkProtocol protocol;
};

// "socket://" is how other serial tools write raw TCP.
constexpr std::array<Scheme, 3> kSchemes{{
    {.name = "rfc2217", .protocol = NetworkProtocol::Rfc2217},
    {.name = "tcp", .protocol = NetworkProtocol::RawTcp},
    {.name = "socket", .protocol = NetworkProtocol::RawTcp},
}};
static_assert(std::ranges::all_of(kSchemes, [](const Scheme& s) { return s.name[0] != '\0'; }));

} // namespace

bool isNetworkDevice(const QString& device) {
    return device.contains(QStringLiteral("://"));
}

bool looksLikeHostAndPort(const QString& device) {
    const QRegularExpression shape(QStringLiteral("^(\\[[0-9A-Fa-f:.]+\\]|[A-Za-z0-9][A-Za-z0-9.-]*):([0-9]{1,5})$"));
    const QRegularExpressionMatch match = shape.match(device);
    if (!match.hasMatch()) {
        return false;
    }
    const int port = match.captured(2).toInt();
    return port >= 1 && port <= std::numeric_limits<quint16>::max();
}

std::optional<NetworkAddress> parseNetworkDevice(const QString& device, QString* error) {
    const auto fail = [error](QString reason) {
        if (error != nullptr) {
            *error = std::move(reason);
        }
        return std::nullopt;
    };
    const QUrl url(device, QUrl::StrictMode);
    if (!url.isValid()) {
        return fail(NetworkAddressTexts::tr("%1 is no network address").arg(device));
    }
    const QString scheme = url.scheme().toLower();
    const auto it = std::find_if(kSchemes.begin(), kSchemes.end(),
                                 [&scheme](const Scheme& s) { return scheme == QLatin1String(s.name); });
    if (it == kSchemes.end()) {
        return fail(NetworkAddressTexts::tr("%1:// is not a kind of network device the panel knows").arg(scheme));
    }
    if (url.host().isEmpty() || url.port() <= 0 || (!url.path().isEmpty() && url.path() != QStringLiteral("/")) ||
        url.hasQuery() || url.hasFragment() || !url.userInfo().isEmpty()) {
        return fail(NetworkAddressTexts::tr("%1 does not name a host and a port").arg(device));
    }
    return NetworkAddress{.protocol = it->protocol, .host = url.host(), .port = static_cast<quint16>(url.port())};
}

QString hostAndPort(const NetworkAddress& address) {
    const QString host =
        address.host.contains(QLatin1Char(':')) ? QStringLiteral("[%1]").arg(address.host) : address.host;
    return QStringLiteral("%1:%2").arg(host).arg(address.port);
}

} // namespace tavo
