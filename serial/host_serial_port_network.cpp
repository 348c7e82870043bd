// SPDX-License-Identifier: GPL-3.0-or-later
// The host serial port's devices on the network: HostSerialPort hands them to a NetworkLink and
// turns what the link reports into the port's events and texts.

#include "core/line_settings.h"
#include "serial/host_serial_port.h"
#include "serial/port_messages.h"

namespace tavo {

PortError HostSerialPort::openNetworkDevice(const QString& path) {
    QString reason;
    const std::optional<NetworkAddress> address = parseNetworkDevice(path, &reason);
    if (!address) {
        return describeNetworkFailure(portNumber_, path, {.kind = NetworkFailureKind::BadAddress, .detail = reason})
            .toStdString();
    }
    auto link = std::make_unique<NetworkLink>(*address);
    if (const auto failure = link->open(settings_)) {
        return describeNetworkFailure(portNumber_, path, *failure).toStdString();
    }
    connect(link.get(), &NetworkLink::readyRead, this, [this] { notify(kPortEventReceive); });
    // The link reconnects by itself; the logic shows the loss and the return like a local device's.
    connect(link.get(), &NetworkLink::lost, this, [this] { notify(kPortEventDisconnected); });
    connect(link.get(), &NetworkLink::back, this, [this] { notify(kPortEventReconnected); });
    link_ = std::move(link);
    return std::nullopt;
}

PortError HostSerialPort::writeNetwork(std::string_view text) {
    if (!link_->write(QByteArray(text.data(), static_cast<qsizetype>(text.size())))) {
        return describeNetworkFailure(portNumber_, device(), {.kind = NetworkFailureKind::Lost, .detail = {}})
            .toStdString();
    }
    return std::nullopt;
}

PortError HostSerialPort::applyNetworkSettings() {
    const NetworkLink::SpeedResult result = link_->setLineSettings(settings_);
    switch (result.outcome) {
    case NetworkLink::SpeedOutcome::Applied:
        break;
    case NetworkLink::SpeedOutcome::SetOnServer:
        emit notice(describeSpeedSetOnServer(portNumber_, device()));
        break;
    case NetworkLink::SpeedOutcome::Refused:
        return describeSettingsRefused(portNumber_, device(), QString::fromStdString(toText(settings_)),
                                       QStringLiteral("the device server set %1 baud").arg(result.serverBaud))
            .toStdString();
    }
    return std::nullopt;
}

void HostSerialPort::dropLink() {
    if (!link_) {
        return;
    }
    link_->close();
    link_->disconnect(this);
    link_.release()->deleteLater();
}

} // namespace tavo
