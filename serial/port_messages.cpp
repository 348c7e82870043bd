// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/port_messages.h"

namespace tavo {

namespace {

// A machine may report dozens of built-in ports; the first few are enough to pick from.
constexpr qsizetype kListedPorts = 8;

QString portList(const QStringList& ports) {
    if (ports.isEmpty()) {
        return QStringLiteral("No serial ports were found on this computer.");
    }
    QString list = ports.mid(0, kListedPorts).join(QStringLiteral(", "));
    if (ports.size() > kListedPorts) {
        list += QStringLiteral(" and %1 more").arg(ports.size() - kListedPorts);
    }
    return QStringLiteral("Serial ports found: %1.").arg(list);
}

QString chooseDeviceHint(int portNumber) {
    return QStringLiteral("Choose Device… sets the device for COM%1 (in the running panel: right-click COM, or "
                          "Ctrl+D); Try Without a Projector uses a simulated one. From a terminal: --com%1 DEVICE "
                          "or --simulate.")
        .arg(portNumber);
}

} // namespace

QString portLabel(int portNumber, const QString& device) {
    const QString name = QStringLiteral("COM%1").arg(portNumber);
    if (device.isEmpty()) {
        return name;
    }
    return QStringLiteral("%1 (%2)").arg(name, device);
}

QString describeOpenFailure(const OpenFailure& failure) {
    const QString port = portLabel(failure.portNumber, failure.device);
    switch (failure.kind) {
    case OpenFailureKind::NoSuchDevice:
        if (failure.device.isEmpty()) {
            return QStringLiteral("No device is set for %1. %2").arg(port, chooseDeviceHint(failure.portNumber));
        }
        return QStringLiteral("%1 cannot be opened: the device does not exist. %2 %3")
            .arg(port, portList(failure.existingPorts), chooseDeviceHint(failure.portNumber));
    case OpenFailureKind::PermissionDenied:
#ifdef Q_OS_WIN
        return QStringLiteral("%1 cannot be opened: access is denied.").arg(port);
#else
        return QStringLiteral("%1 cannot be opened: permission denied. Serial devices are open to the members "
                              "of the dialout group: run  sudo usermod -aG dialout $USER  and log in again.")
            .arg(port);
#endif
    case OpenFailureKind::Busy:
        return QStringLiteral("%1 cannot be opened: it is in use by another program. Close that "
                              "program (a terminal, another panel) and try again.")
            .arg(port);
    case OpenFailureKind::NotASerialPort:
        return QStringLiteral("%1 cannot be opened: it is not a serial port. %2")
            .arg(port, chooseDeviceHint(failure.portNumber));
    case OpenFailureKind::Other:
        break;
    }
    if (failure.detail.isEmpty()) {
        return QStringLiteral("%1 cannot be opened.").arg(port);
    }
    return QStringLiteral("%1 cannot be opened: %2.").arg(port, failure.detail);
}

QString describeDisconnected(int portNumber, const QString& device) {
    return QStringLiteral("%1 was disconnected. The panel opens it again as soon as it is back.")
        .arg(portLabel(portNumber, device));
}

QString describeReconnected(int portNumber, const QString& device) {
    return QStringLiteral("%1 is back and open again.").arg(portLabel(portNumber, device));
}

QString describeNotOpen(int portNumber, const QString& device) {
    return QStringLiteral("%1 is not open: a port change failed. Choose COM%2 again under COM to try again, or "
                          "choose another device (Ctrl+D).")
        .arg(portLabel(portNumber, device))
        .arg(portNumber);
}

} // namespace tavo
