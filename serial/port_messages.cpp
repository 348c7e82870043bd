// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/port_messages.h"

#include "serial/network_device.h"

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

QLatin1StringView programOf(const TextVoice& voice) {
    return QLatin1StringView(voice.program);
}

// The panel's advice on choosing another device, with its leading blank: only what every dialog
// showing it offers, since the dialogs name their other buttons themselves; the simulated
// projector stands only behind COM1. Other programs have neither the chooser nor these options.
QString chooseDeviceHint(int portNumber, const TextVoice& voice) {
    if (!voice.panelHints) {
        return {};
    }
    return QStringLiteral(" Choose Device… sets the device for COM%1 (in the running panel: right-click COM, or "
                          "Ctrl+D). From a terminal: --com%1 DEVICE%2.")
        .arg(portNumber)
        .arg(portNumber == 1 ? QStringLiteral(", or --simulate for a simulated projector") : QString());
}

// Joining a group helps only when the group may read and write the device; otherwise say whose it
// is, so the user can ask for a rule that hands it to the right group.
QString describePermissionDenied(const QString& port, const OpenFailure& failure, const TextVoice& voice) {
#ifdef Q_OS_WIN
    Q_UNUSED(failure);
    Q_UNUSED(voice);
    return QStringLiteral("%1 cannot be opened: access is denied.").arg(port);
#else
    constexpr unsigned kGroupReadWrite = 060;
    const QString group = failure.group.isEmpty() ? QStringLiteral("dialout") : failure.group;
    const bool joiningHelps = failure.owner.isEmpty() ||
                              ((failure.mode & kGroupReadWrite) == kGroupReadWrite && group != QStringLiteral("root"));
    if (joiningHelps) {
        return QStringLiteral("%1 cannot be opened: permission denied. Serial devices are open to the members "
                              "of the %2 group: run  sudo usermod -aG %2 $USER  and log in again.")
            .arg(port, group);
    }
    constexpr int kModeDigits = 4;
    constexpr int kOctal = 8;
    const QString otherDevice =
        voice.panelHints
            ? QStringLiteral(", or start the panel with --com%1 DEVICE to use another device").arg(failure.portNumber)
            : QString();
    return QStringLiteral("%1 cannot be opened: permission denied. The device belongs to user %2 and group %3 "
                          "with mode %4, so joining a group does not help. Have the administrator add a udev rule "
                          "that gives it group dialout and mode 0660%5.")
        .arg(port, failure.owner, failure.group)
        .arg(failure.mode, kModeDigits, kOctal, QLatin1Char('0'))
        .arg(otherDevice);
#endif
}

} // namespace

QString portLabel(int portNumber, const QString& device) {
    const QString name = QStringLiteral("COM%1").arg(portNumber);
    if (device.isEmpty()) {
        return name;
    }
    return QStringLiteral("%1 (%2)").arg(name, device);
}

QString describeOpenFailure(const OpenFailure& failure, const TextVoice& voice) {
    const QString port = portLabel(failure.portNumber, failure.device);
    const QString hint = chooseDeviceHint(failure.portNumber, voice);
    switch (failure.kind) {
    case OpenFailureKind::NoSuchDevice:
        if (failure.device.isEmpty()) {
            return QStringLiteral("No device is set for %1.%2").arg(port, hint);
        }
        return QStringLiteral("%1 cannot be opened: the device does not exist. %2%3")
            .arg(port, portList(failure.existingPorts), hint);
    case OpenFailureKind::PermissionDenied:
        return describePermissionDenied(port, failure, voice);
    case OpenFailureKind::Busy:
        return QStringLiteral("%1 cannot be opened: it is in use by another program. Close that "
                              "program (a terminal, another panel) and try again.")
            .arg(port);
    case OpenFailureKind::NotASerialPort:
        return QStringLiteral("%1 cannot be opened: it is not a serial port.%2").arg(port, hint);
    case OpenFailureKind::NoHardware:
        return QStringLiteral("%1 cannot be opened: the device exists, but no serial port answers behind it (a "
                              "built-in COM port this computer does not have). %2%3")
            .arg(port, portList(failure.existingPorts), hint);
    case OpenFailureKind::StaleLock:
        return QStringLiteral("%1 cannot be opened: the lock file %2 names process %3, which no longer exists, "
                              "and this user may not remove it. Remove it with  sudo rm %2  and try again.")
            .arg(port, failure.lockFile)
            .arg(failure.lockPid);
    case OpenFailureKind::Other:
        break;
    }
    if (failure.detail.isEmpty()) {
        return QStringLiteral("%1 cannot be opened.").arg(port);
    }
    return QStringLiteral("%1 cannot be opened: %2.").arg(port, failure.detail);
}

QString describeDisconnected(int portNumber, const QString& device, const TextVoice& voice) {
    return QStringLiteral("%1 was disconnected. The %2 opens it again as soon as it is back.")
        .arg(portLabel(portNumber, device), programOf(voice));
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

QString describeSettingsRefused(int portNumber, const QString& device, const QString& settings, const QString& reason) {
    return QStringLiteral("%1 does not accept the line settings %2: %3.")
        .arg(portLabel(portNumber, device), settings, reason);
}

QString describeNetworkFailure(int portNumber, const QString& device, const NetworkFailure& failure,
                               const TextVoice& voice) {
    const QString port = portLabel(portNumber, device);
    switch (failure.kind) {
    case NetworkFailureKind::BadAddress:
        return QStringLiteral("%1 cannot be opened: %2. Network devices are written rfc2217://HOST:PORT or "
                              "tcp://HOST:PORT, with IPv6 addresses in brackets.")
            .arg(port, failure.detail);
    case NetworkFailureKind::HostNotFound:
        return QStringLiteral("%1 cannot be opened: the host %2 was not found. Check the host name and the "
                              "computer's network connection.")
            .arg(port, failure.detail);
    case NetworkFailureKind::Refused:
        return QStringLiteral("%1 cannot be opened: the device server refused the connection. Check the port "
                              "number and that the device server (such as ser2net) is running.")
            .arg(port);
    case NetworkFailureKind::NoAnswer:
        return QStringLiteral("%1 cannot be opened: the device server did not answer within %2 seconds. Check "
                              "the address, the network and that the device server is switched on.")
            .arg(port)
            .arg(kNetworkOpenTimeoutMs / 1000);
    case NetworkFailureKind::Silent:
        return QStringLiteral("%1 cannot be opened: the device server took the connection but did not answer "
                              "within %2 seconds. Check that this port of the server speaks RFC 2217, or use "
                              "tcp://HOST:PORT for a raw TCP port.")
            .arg(port)
            .arg(kNetworkOpenTimeoutMs / 1000);
    case NetworkFailureKind::NoComPortOption:
        return QStringLiteral("%1 cannot be opened: the device server does not let the %2 set the line "
                              "(RFC 2217). Enable it on the server, or use tcp://HOST:PORT with the speed set "
                              "on the server.")
            .arg(port, programOf(voice));
    case NetworkFailureKind::ClosedByServer:
        return QStringLiteral("%1 cannot be opened: the device server closed the connection. Its serial device "
                              "may be missing or in use by another client; check the server.")
            .arg(port);
    case NetworkFailureKind::Lost:
        return describeNetworkLoss(portNumber, device, failure, voice);
    case NetworkFailureKind::CutOff:
    case NetworkFailureKind::Other:
        break;
    }
    return QStringLiteral("%1 cannot be opened: %2.").arg(port, failure.detail);
}

QString describeNetworkLoss(int portNumber, const QString& device, const NetworkFailure& failure,
                            const TextVoice& voice) {
    const QString port = portLabel(portNumber, device);
    if (failure.kind == NetworkFailureKind::CutOff) {
        return QStringLiteral("%1 was cut off from the device server: %2. The %3 connects again by itself after "
                              "a pause.")
            .arg(port, failure.detail, programOf(voice));
    }
    return QStringLiteral("%1 lost the connection to the device server. The %2 connects again by itself as soon "
                          "as the server answers.")
        .arg(port, programOf(voice));
}

QString describeStillOpening(int portNumber, const QString& device, const TextVoice& voice) {
    return QStringLiteral("%1 is not ready yet: the %2 is still connecting to it.")
        .arg(portLabel(portNumber, device), programOf(voice));
}

QString describeSpeedSetOnServer(int portNumber, const QString& device, const TextVoice& voice) {
    return QStringLiteral("%1 is a raw TCP connection: its line speed is set on the device server, not by the "
                          "%2.")
        .arg(portLabel(portNumber, device), programOf(voice));
}

} // namespace tavo
