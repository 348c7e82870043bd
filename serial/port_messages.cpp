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

// What the program does about a lost device, as a sentence after the loss with its leading blank,
// `sentence` naming the program with %1; empty for a program that ends instead.
QString comingBack(const PortAdvisor& advisor, const QString& sentence) {
    return advisor.waitsForLostDevice() ? sentence.arg(advisor.programNameFirst()) : QString();
}

// A network name typed without its scheme is looked for as a file and not found.
QString schemeHint(const QString& device) {
    if (!looksLikeHostAndPort(device)) {
        return {};
    }
    return PortMessages::tr("; did you mean tcp://%1 or rfc2217://%1?").arg(device);
}

// Where the texts of one problem are made: the port as the text names it, its number and the
// program's advice.
struct Where {
    const QString& port;
    int portNumber;
    const PortAdvisor& advisor;
};

// Joining a group helps only when the group may read and write the device; otherwise say whose it
// is, so the user can ask for a rule that hands it to the right group.
QString describePermissionDenied(const OpenFailure& failure, const Where& where) {
#ifdef Q_OS_WIN
    Q_UNUSED(failure);
    return PortMessages::tr("%1 cannot be opened: access is denied.").arg(where.port);
#else
    constexpr unsigned kGroupReadWrite = 060;
    const QString group = failure.group.isEmpty() ? QStringLiteral("dialout") : failure.group;
    const bool joiningHelps = failure.owner.isEmpty() ||
                              ((failure.mode & kGroupReadWrite) == kGroupReadWrite && group != QStringLiteral("root"));
    if (joiningHelps) {
        return PortMessages::tr("%1 cannot be opened: permission denied. Serial devices are open to the members "
                                "of the %2 group: run  sudo usermod -aG %2 $USER  and log in again.")
            .arg(where.port, group);
    }
    constexpr int kModeDigits = 4;
    constexpr int kOctal = 8;
    return PortMessages::tr("%1 cannot be opened: permission denied. The device belongs to user %2 and group %3 "
                            "with mode %4, so joining a group does not help. Have the administrator add a udev rule "
                            "that gives it group dialout and mode 0660%5.")
        .arg(where.port, failure.owner, failure.group)
        .arg(failure.mode, kModeDigits, kOctal, QLatin1Char('0'))
        .arg(where.advisor.useAnotherDevice(where.portNumber));
#endif
}

QString describeOpenFailure(const OpenFailure& failure, const Where& where) {
    const QString& port = where.port;
    const QString advice = where.advisor.chooseDevice(where.portNumber);
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
        return describePermissionDenied(failure, where);
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

// What the program cut a server off for.
QString cutOffReason(const NetworkFailure& failure, const PortAdvisor& advisor) {
    if (failure.kind == NetworkFailureKind::NotTaking) {
        return PortMessages::tr("the device server does not take what %1 sends").arg(advisor.programName());
    }
    return failure.detail;
}

QString describeNetworkLoss(const NetworkFailure& failure, const Where& where) {
    const QString& port = where.port;
    switch (failure.kind) {
    case NetworkFailureKind::CutOff:
    case NetworkFailureKind::NotTaking:
        return PortMessages::tr("%1 was cut off from the device server: %2.%3")
            .arg(port, cutOffReason(failure, where.advisor),
                 comingBack(where.advisor, PortMessages::tr(" %1 connects again by itself after a pause.")));
    // A server closes a client whose port another client took over (ser2net's kickolduser), or
    // answers that the port is in use.
    case NetworkFailureKind::ClosedByServer:
        return PortMessages::tr("%1 lost the connection: the device server closed it. Another client may be using the "
                                "port, or the server stopped.%2")
            .arg(port, comingBack(where.advisor, PortMessages::tr(" %1 connects again by itself, less often while "
                                                                  "that lasts.")));
    case NetworkFailureKind::InUse:
        return PortMessages::tr("%1: the device server says the port is in use; another client may be using it.%2")
            .arg(port, comingBack(where.advisor, PortMessages::tr(" %1 connects again by itself, less often while "
                                                                  "that lasts.")));
    default:
        break;
    }
    return PortMessages::tr("%1 lost the connection to the device server.%2")
        .arg(port, comingBack(where.advisor, PortMessages::tr(" %1 connects again by itself as soon as the server "
                                                              "answers.")));
}

QString describeNetworkFailure(const NetworkFailure& failure, const Where& where) {
    const QString& port = where.port;
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
            .arg(port, where.advisor.programName());
    case NetworkFailureKind::ClosedByServer:
        return PortMessages::tr("%1 cannot be opened: the device server closed the connection. Its serial device "
                                "may be missing or in use by another client; check the server.")
            .arg(port);
    case NetworkFailureKind::InUse:
        return PortMessages::tr("%1 cannot be opened: the device server says the port is in use; another client "
                                "may be using it (another panel, a terminal). Close that client and try again.")
            .arg(port);
    case NetworkFailureKind::Lost:
        return describeNetworkLoss(failure, where);
    case NetworkFailureKind::CutOff:
    case NetworkFailureKind::NotTaking:
    case NetworkFailureKind::Other:
        break;
    }
    return PortMessages::tr("%1 cannot be opened: %2.").arg(port, cutOffReason(failure, where.advisor));
}

// One text for each kind of problem.
struct Describer {
    const Where& where;

    QString operator()(const OpenFailure& failure) const { return describeOpenFailure(failure, where); }
    QString operator()(const NetworkFailure& failure) const { return describeNetworkFailure(failure, where); }
    QString operator()(const NetworkLoss& loss) const { return describeNetworkLoss(loss.failure, where); }
    QString operator()(const Disconnected& /*problem*/) const {
        return PortMessages::tr("%1 was disconnected.%2")
            .arg(where.port,
                 comingBack(where.advisor, PortMessages::tr(" %1 opens it again as soon as it is back.")));
    }
    QString operator()(const NotOpen& /*problem*/) const {
        if (QString text = where.advisor.notOpen(where.port, where.portNumber); !text.isEmpty()) {
            return text;
        }
        return PortMessages::tr("%1 is not open.").arg(where.port);
    }
    QString operator()(const StillOpening& /*problem*/) const {
        return PortMessages::tr("%1 is not ready yet: %2 is still connecting to it.")
            .arg(where.port, where.advisor.programName());
    }
    QString operator()(const NotTaken& /*problem*/) const {
        return PortMessages::tr("Sending on %1 failed: the device did not take the data.").arg(where.port);
    }
    QString operator()(const SendFailed& problem) const {
        return PortMessages::tr("Sending on %1 failed: %2.").arg(where.port, problem.detail);
    }
    QString operator()(const TooLong& problem) const {
        return PortMessages::tr("%1 characters do not fit the send buffer of %2.").arg(problem.size).arg(problem.limit);
    }
    QString operator()(const SettingsRefused& problem) const {
        return PortMessages::tr("%1 does not accept the line settings %2: %3.")
            .arg(where.port, problem.settings, problem.reason);
    }
    QString operator()(const SpeedSetOnServer& /*problem*/) const {
        return PortMessages::tr("%1 is a raw TCP connection: its line speed is set on the device server, not by %2.")
            .arg(where.port, where.advisor.programName());
    }
};

} // namespace

QString describeProblem(const PortProblem& problem, const QString& port, int portNumber, const PortAdvisor& advisor) {
    const Where where{.port = port, .portNumber = portNumber, .advisor = advisor};
    return std::visit(Describer{.where = where}, problem);
}

QString describeReconnected(const QString& port) {
    return PortMessages::tr("%1 is back and open again.").arg(port);
}

} // namespace tavo
