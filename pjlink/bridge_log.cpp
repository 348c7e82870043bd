// SPDX-License-Identifier: GPL-3.0-or-later
#include "pjlink/bridge_log.h"

// Debug lines (each try of a device that stays away) only when asked for with QT_LOGGING_RULES.
Q_LOGGING_CATEGORY(lcBridge, "tavo.pjlink", QtInfoMsg)

namespace tavo::pjlink {

QString endpointText(const QHostAddress& address, quint16 port) {
    bool mapped = false;
    const quint32 v4 = address.toIPv4Address(&mapped);
    if (mapped) {
        return QStringLiteral("%1:%2").arg(QHostAddress(v4).toString()).arg(port);
    }
    return QStringLiteral("[%1]:%2").arg(address.toString()).arg(port);
}

} // namespace tavo::pjlink
