// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The bridge's log: one line per command and its result, per connection refused or closed, and
// per change of the device, on standard error, where journald takes it.

#include <QHostAddress>
#include <QLoggingCategory>
#include <QString>

Q_DECLARE_LOGGING_CATEGORY(lcBridge)

namespace tavo::pjlink {

// "192.0.2.7:4352" or "[2001:db8::7]:4352"; an IPv4 peer on a dual-stack socket shows as IPv4.
[[nodiscard]] QString endpointText(const QHostAddress& address, quint16 port);

} // namespace tavo::pjlink
