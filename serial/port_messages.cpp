// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/port_messages.h"

#include "serial/network_address.h"
#include "serial/network_device.h"

#include <QCoreApplication>

namespace tavo {

// The context of the texts below.
class PortMessages {
    Q_DECLARE_TR_FUNCTIONS(tavo::PortMessages)
};

namespace {

// A machine may report dozens of built-in ports; the first few are enough to pick from.
constexpr qsizetype kListedPorts = 8;

QString portList(const QStringList& ports) {
    if (ports.isEmpty()) {
        return PortMessages::tr("No serial ports were found on this computer.");
    }
    QString list = ports.mid(0, kListedPorts).join(QStringLiteral(", "));
    if (ports.size() > kListedPorts) {
        list += PortMessages::tr(" and %1 more").arg(ports.size() - kListedPorts);
    }
    return PortMessages::tr("Serial ports found: %1.").arg(list);
}

// How a text names the program at the start of a sentence.
QString programNameFirst(Audience audience) {
    switch (audience) {
    case Audience::Ctl:
        return QStringLiteral("tavo-ctl");
    case Audience::Bridge:
        return PortMessages::tr("The bridge");
    case Audience::Panel:
        break;
    }
    return PortMessages::tr("The panel");
}

// How the user names another device, with its leading blank. The panel offers only what every
// dialog showing it offers, since the dialogs name their other buttons themselves, and the
// simulated projector stands only behind COM1; the bridge takes its device as its argument.
QString chooseDeviceHint(int portNumber, Audience audience) {
    switch (audience) {
    case Audience::Ctl:
        return PortMessages::tr(" Name the device with --device DEV (such as /dev/ttyUSB0, rfc2217://HOST:PORT or "
                                "tcp://HOST:PORT); --com1 and --com2 use the devices chosen in the panel.");
    case Audience::Bridge:
        return {};
    case Audience::Panel:
        break;
    }
    return PortMessages::tr(" Choose Device… sets the device for COM%1 (in the running panel: right-click COM, or "
                            "Ctrl+D). From a terminal: --com%1 DEVICE%2.")
        .arg(portNumber)
        .arg(portNumber == 1 ? PortMessages::tr(", or --simulate for a simulated projector") : QString());
}

// What the program does about a lost device, as a sentence after the loss with its leading blank,
// `sentence` naming the program with %1; tavo-ctl ends instead.
QString comingBack(Audience audience, const QString& sentence) {
    return audience == Audience::Ctl ? QString() : sentence.arg(programNameFirst(audience));
}

// A network name typed without its scheme is looked for as a file and not found.
QString schemeHint(const QString& device) {
    if (!looksLikeHostAndPort(device)) {
        return {};
    }
    return PortMessages::tr("; did you mean tcp://%1 or rfc2217://%1?").arg(device);
}

// Joining a group helps only when the group may read and write the device; otherwise say whose it
// is, so the user can ask for a rule that hands it to the right group.
QString describePermissionDenied(const QString& port, const OpenFailure& failure, Audience audience) {
#ifdef Q_OS_WIN
    Q_UNUSED(failure);
    Q_UNUSED(audience);
    return PortMessages::tr("%1 cannot be opened: access is denied.").arg(port);
#else
    constexpr unsigned kGroupReadWrite = 060;
    const QString group = failure.group.isEmpty() ? QStringLiteral("dialout") : failure.group;
    const bool joiningHelps = failure.owner.isEmpty() ||
                              ((failure.mode & kGroupReadWrite) == kGroupReadWrite && group != QStringLiteral("root"));
    if (joiningHelps) {
        return PortMessages::tr("%1 cannot be opened: permission denied. Serial devices are open to the members "
                                "of the %2 group: run  sudo usermod -aG %2 $USER  and log in again.")
            .arg(port, group);
    }
    constexpr int kModeDigits = 4;
    constexpr int kOctal = 8;
    QString anotherDevice;
    if (audience == Audience::Ctl) {
        anotherDevice = PortMessages::tr(", or name another device with --device DEV");
    } else if (audience == Audience::Panel) {
        anotherDevice =
            PortMessages::tr(", or start the panel with --com%1 DEVICE to use another device").arg(failure.portNumber);
    }
    return PortMessages::tr("%1 cannot be opened: permission denied. The device belongs to user %2 and group %3 "
                            "with mode %4, so joining a group does not help. Have the administrator add a udev rule "
                            "that gives it group dialout and mode 0660%5.")
        .arg(port, failure.owner, failure.group)
        .arg(failure.mode, kModeDigits, kOctal, QLatin1Char('0'))
        .arg(anotherDevice);
#endif
}

} // namespace

QString programName(Audience audience) {
    switch (audience) {
    case Audience::Ctl:
        return QStringLiteral("tavo-ctl");
    case Audience::Bridge:
        return PortMessages::tr("the bridge");
    case Audience::Panel:
        break;
    }
    return PortMessages::tr("the panel");
}

QString portLabel(int portNumber, const QString& device) {
    const QString name = QStringLiteral("COM%1").arg(portNumber);
    if (device.isEmpty()) {
        return name;
    }
    return QStringLiteral("%1 (%2)").arg(name, device);
}

QString describeOpenFailure(const OpenFailure& failure, Audience audience) {
    const QString port = portLabel(failure.portNumber, failure.device);
    const QString advice = chooseDeviceHint(failure.portNumber, audience);
    switch (failure.kind) {
    case OpenFailureKind::NoSuchDevice:
        if (failure.device.isEmpty()) {
            return PortMessages::tr("No device is set for %1.%2").arg(port, advice);
        }
        if (const QString hint = schemeHint(failure.device); !hint.isEmpty()) {
            return PortMessages::tr("%1 cannot be opened: the device does not exist%2").arg(port, hint);
        }
        return PortMessages::tr("%1 cannot be opened: the device does not exist. %2%3")
            .arg(port, portList(failure.existingPorts), advice);
    case OpenFailureKind::PermissionDenied:
        return describePermissionDenied(port, failure, audience);
    case OpenFailureKind::Busy:
        return PortMessages::tr("%1 cannot be opened: it is in use by another program. Close that "
                                "program (a terminal, another panel) and try again.")
            .arg(port);
    case OpenFailureKind::NotASerialPort:
        return PortMessages::tr("%1 cannot be opened: it is not a serial port.%2").arg(port, advice);
    case OpenFailureKind::NoHardware:
        return PortMessages::tr("%1 cannot be opened: the device exists, but no serial port answers behind it (a "
                                "built-in COM port this computer does not have). %2%3")
            .arg(port, portList(failure.existingPorts), advice);
    case OpenFailureKind::StaleLock:
        return PortMessages::tr("%1 cannot be opened: the lock file %2 names process %3, which no longer exists, "
                                "and this user may not remove it. Remove it with  sudo rm %2  and try again.")
            .arg(port, failure.lockFile)
            .arg(failure.lockPid);
    case OpenFailureKind::Other:
        break;
    }
    if (failure.detail.isEmpty()) {
        return PortMessages::tr("%1 cannot be opened.").arg(port);
    }
    return PortMessages::tr("%1 cannot be opened: %2.").arg(port, failure.detail);
}

QString describeDisconnected(int portNumber, const QString& device, Audience audience) {
    return PortMessages::tr("%1 was disconnected.%2")
        .arg(portLabel(portNumber, device),
             comingBack(audience, PortMessages::tr(" %1 opens it again as soon as it is back.")));
}

QString describeReconnected(int portNumber, const QString& device) {
    return PortMessages::tr("%1 is back and open again.").arg(portLabel(portNumber, device));
}

QString describeNotOpen(int portNumber, const QString& device, Audience audience) {
    if (audience != Audience::Panel) {
        return PortMessages::tr("%1 is not open.").arg(portLabel(portNumber, device));
    }
    return PortMessages::tr("%1 is not open: a port change failed. Choose COM%2 again under COM to try again, or "
                            "choose another device (Ctrl+D).")
        .arg(portLabel(portNumber, device))
        .arg(portNumber);
}

QString describeSettingsRefused(int portNumber, const QString& device, const QString& settings, const QString& reason) {
    return PortMessages::tr("%1 does not accept the line settings %2: %3.")
        .arg(portLabel(portNumber, device), settings, reason);
}

QString describeNotTaken(int portNumber, const QString& device) {
    return PortMessages::tr("Sending on %1 failed: the device did not take the data.")
        .arg(portLabel(portNumber, device));
}

QString describeNetworkFailure(int portNumber, const QString& device, const NetworkFailure& failure,
                               Audience audience) {
    const QString port = portLabel(portNumber, device);
    switch (failure.kind) {
    case NetworkFailureKind::BadAddress:
        return PortMessages::tr("%1 cannot be opened: %2. Network devices are written rfc2217://HOST:PORT or "
                                "tcp://HOST:PORT, with IPv6 addresses in brackets.")
            .arg(port, failure.detail);
    case NetworkFailureKind::HostNotFound:
        return PortMessages::tr("%1 cannot be opened: the host %2 was not found. Check the host name and the "
                                "computer's network connection.")
            .arg(port, failure.detail);
    case NetworkFailureKind::Refused:
        return PortMessages::tr("%1 cannot be opened: the device server refused the connection. Check the port "
                                "number and that the device server (such as ser2net) is running.")
            .arg(port);
    case NetworkFailureKind::NoAnswer:
        return PortMessages::tr("%1 cannot be opened: the device server did not answer within %2 seconds. Check "
                                "the address, the network and that the device server is switched on.")
            .arg(port)
            .arg(kNetworkOpenTimeoutMs / 1000);
    case NetworkFailureKind::Silent:
        return PortMessages::tr("%1 cannot be opened: the device server took the connection but did not answer "
                                "within %2 seconds. Check that this port of the server speaks RFC 2217, or use "
                                "tcp://HOST:PORT for a raw TCP port.")
            .arg(port)
            .arg(kNetworkOpenTimeoutMs / 1000);
    case NetworkFailureKind::NoComPortOption:
        return PortMessages::tr("%1 cannot be opened: the device server does not let %2 set the line "
                                "(RFC 2217). Enable it on the server, or use tcp://HOST:PORT with the speed set "
                                "on the server.")
            .arg(port, programName(audience));
    case NetworkFailureKind::ClosedByServer:
        return PortMessages::tr("%1 cannot be opened: the device server closed the connection. Its serial device "
                                "may be missing or in use by another client; check the server.")
            .arg(port);
    case NetworkFailureKind::InUse:
        return PortMessages::tr("%1 cannot be opened: the device server says the port is in use; another client "
                                "may be using it (another panel, a terminal). Close that client and try again.")
            .arg(port);
    case NetworkFailureKind::Lost:
        return describeNetworkLoss(portNumber, device, failure, audience);
    case NetworkFailureKind::CutOff:
    case NetworkFailureKind::Other:
        break;
    }
    return PortMessages::tr("%1 cannot be opened: %2.").arg(port, failure.detail);
}

QString describeNetworkLoss(int portNumber, const QString& device, const NetworkFailure& failure, Audience audience) {
    const QString port = portLabel(portNumber, device);
    switch (failure.kind) {
    case NetworkFailureKind::CutOff:
        return PortMessages::tr("%1 was cut off from the device server: %2.%3")
            .arg(port, failure.detail,
                 comingBack(audience, PortMessages::tr(" %1 connects again by itself after a pause.")));
    // A server closes a client whose port another client took over (ser2net's kickolduser), or
    // answers that the port is in use.
    case NetworkFailureKind::ClosedByServer:
        return PortMessages::tr("%1 lost the connection: the device server closed it. Another client may be using the "
                                "port, or the server stopped.%2")
            .arg(port, comingBack(audience, PortMessages::tr(" %1 connects again by itself, less often while "
                                                             "that lasts.")));
    case NetworkFailureKind::InUse:
        return PortMessages::tr("%1: the device server says the port is in use; another client may be using it.%2")
            .arg(port, comingBack(audience, PortMessages::tr(" %1 connects again by itself, less often while "
                                                             "that lasts.")));
    default:
        break;
    }
    return PortMessages::tr("%1 lost the connection to the device server.%2")
        .arg(port, comingBack(audience, PortMessages::tr(" %1 connects again by itself as soon as the server "
                                                         "answers.")));
}

QString describeStillOpening(int portNumber, const QString& device, Audience audience) {
    return PortMessages::tr("%1 is not ready yet: %2 is still connecting to it.")
        .arg(portLabel(portNumber, device), programName(audience));
}

QString describeSpeedSetOnServer(int portNumber, const QString& device, Audience audience) {
    return PortMessages::tr("%1 is a raw TCP connection: its line speed is set on the device server, not by %2.")
        .arg(portLabel(portNumber, device), programName(audience));
}

} // namespace tavo
