// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulator/options.h"

#include "serial/network_address.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace tavo::sim {

namespace {

// The options, in the order the help lists them.
struct OptionSet {
    QCommandLineOption link;
    QCommandLineOption device;
    QCommandLineOption listen;
    QCommandLineOption speed;
    QCommandLineOption power;
    QCommandLineOption input;
    QCommandLineOption lampHours;
    QCommandLineOption mirror;
    QCommandLineOption temperatures;
    QCommandLineOption replyDelay;
    QCommandLineOption split;
    QCommandLineOption silent;
    QCommandLineOption verbose;
};

OptionSet optionSet() {
    return OptionSet{
        .link = QCommandLineOption(
            QStringLiteral("link"),
            QCoreApplication::translate("tavo-projector-sim", "Also make PATH a symbolic link to the pseudo-terminal."),
            QStringLiteral("PATH")),
        .device = QCommandLineOption(
            QStringLiteral("device"),
            QCoreApplication::translate("tavo-projector-sim",
                                        "Serve on serial device DEV instead of a new pseudo-terminal."),
            QStringLiteral("DEV")),
        .listen =
            QCommandLineOption(QStringLiteral("listen"),
                               QCoreApplication::translate(
                                   "tavo-projector-sim", "Serve on a TCP port, like a device server in raw TCP mode."),
                               QStringLiteral("tcp://HOST:PORT")),
        .speed = QCommandLineOption(
            QStringLiteral("speed"),
            QCoreApplication::translate("tavo-projector-sim", "The projector's line speed: 19200 or 9600."),
            QStringLiteral("BAUD"), QStringLiteral("19200")),
        .power =
            QCommandLineOption(QStringLiteral("power"),
                               QCoreApplication::translate("tavo-projector-sim",
                                                           "Initial power state: standby, on, countdown or cooling."),
                               QStringLiteral("STATE"), QStringLiteral("standby")),
        .input = QCommandLineOption(QStringLiteral("input"),
                                    QCoreApplication::translate("tavo-projector-sim", "Initial input: 1, 2 or 3."),
                                    QStringLiteral("N"), QStringLiteral("1")),
        .lampHours =
            QCommandLineOption(QStringLiteral("lamp-hours"),
                               QCoreApplication::translate("tavo-projector-sim", "Lamp hours used so far, 0 to 9999."),
                               QStringLiteral("N"), QStringLiteral("1234")),
        .mirror =
            QCommandLineOption(QStringLiteral("mirror"),
                               QCoreApplication::translate("tavo-projector-sim", "Mirror setting: 11, 10, 01 or 00."),
                               QStringLiteral("XY"), QStringLiteral("11")),
        .temperatures = QCommandLineOption(QStringLiteral("temperatures"),
                                           QCoreApplication::translate("tavo-projector-sim", "Answer to CR6."),
                                           QStringLiteral("TEXT"), QStringLiteral("025.0 031.5 042.0")),
        .replyDelay =
            QCommandLineOption(QStringLiteral("reply-delay"),
                               QCoreApplication::translate("tavo-projector-sim", "Milliseconds before a reply starts."),
                               QStringLiteral("MS"), QStringLiteral("30")),
        .split = QCommandLineOption(
            QStringLiteral("split"),
            QCoreApplication::translate("tavo-projector-sim", "Percentage of replies sent in two or three pieces."),
            QStringLiteral("PERCENT"), QStringLiteral("25")),
        .silent = QCommandLineOption(QStringLiteral("silent"),
                                     QCoreApplication::translate("tavo-projector-sim", "Never answer anything.")),
        .verbose = QCommandLineOption(
            QStringLiteral("verbose"),
            QCoreApplication::translate("tavo-projector-sim", "Log every byte in and out on stderr.")),
    };
}

bool parseInt(const QString& text, int low, int high, int* value) {
    bool ok = false;
    const int parsed = text.toInt(&ok);
    if (!ok || parsed < low || parsed > high) {
        return false;
    }
    *value = parsed;
    return true;
}

// The power state as the option names it.
bool parsePower(const QString& text, PowerState* power) {
    struct Named {
        const char* name;
        PowerState state;
    };
    static constexpr Named kStates[] = {{"standby", PowerState::Standby},
                                        {"on", PowerState::On},
                                        {"countdown", PowerState::CountDown},
                                        {"cooling", PowerState::CoolingDown}};
    for (const Named& named : kStates) {
        if (text == QLatin1String(named.name)) {
            *power = named.state;
            return true;
        }
    }
    return false;
}

// The projector's behaviour; empty, or what is wrong.
QString readModel(const QCommandLineParser& parser, const OptionSet& set, ProjectorModel::Options& model) {
    const QString speed = parser.value(set.speed);
    if (speed != QStringLiteral("19200") && speed != QStringLiteral("9600")) {
        return QCoreApplication::translate("tavo-projector-sim", "--speed must be 19200 or 9600");
    }
    model.baud = speed.toInt();
    if (!parsePower(parser.value(set.power), &model.power)) {
        return QCoreApplication::translate("tavo-projector-sim", "--power must be standby, on, countdown or cooling");
    }
    if (!parseInt(parser.value(set.input), 1, 3, &model.input)) {
        return QCoreApplication::translate("tavo-projector-sim", "--input must be 1, 2 or 3");
    }
    if (!parseInt(parser.value(set.lampHours), 0, 9999, &model.lampHours)) {
        return QCoreApplication::translate("tavo-projector-sim", "--lamp-hours must lie between 0 and 9999");
    }
    if (!parseInt(parser.value(set.replyDelay), 0, 60000, &model.replyDelayMs)) {
        return QCoreApplication::translate("tavo-projector-sim", "--reply-delay must lie between 0 and 60000");
    }
    if (!parseInt(parser.value(set.split), 0, 100, &model.splitPercent)) {
        return QCoreApplication::translate("tavo-projector-sim", "--split must lie between 0 and 100");
    }
    model.mirror = parser.value(set.mirror).toStdString();
    model.temperatures = parser.value(set.temperatures).toStdString();
    model.silent = parser.isSet(set.silent);
    return {};
}

// --listen's tcp://HOST:PORT; empty, with *error set, when it is none.
std::optional<ListenAddress> readListen(const QString& listen, QString* error) {
    QString reason;
    const auto address = parseNetworkDevice(listen, &reason);
    if (!address) {
        *error = QCoreApplication::translate("tavo-projector-sim", "--listen: %1; write tcp://HOST:PORT").arg(reason);
        return std::nullopt;
    }
    if (address->protocol != NetworkProtocol::RawTcp) {
        *error =
            QCoreApplication::translate("tavo-projector-sim", "--listen serves raw TCP only; write tcp://HOST:PORT");
        return std::nullopt;
    }
    const QHostAddress host = address->host == QStringLiteral("localhost") ? QHostAddress(QHostAddress::LocalHost)
                                                                           : QHostAddress(address->host);
    if (host.isNull()) {
        *error = QCoreApplication::translate("tavo-projector-sim",
                                             "--listen needs an IP address, such as 127.0.0.1 or [::1]");
        return std::nullopt;
    }
    return ListenAddress{.host = host, .port = address->port};
}

ParsedOptions usageError(QString text) {
    return {.outcome = ParsedOptions::Outcome::UsageError, .options = {}, .text = std::move(text)};
}

} // namespace

ParsedOptions parseOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "tavo-projector-sim",
        "A simulated R5500/R730 projector. It serves a new pseudo-terminal and prints its path;\n"
        "open that path with the panel (tavo-panel --com1 PATH) or with any serial terminal.\n"
        "With --listen it serves a TCP port instead (tavo-panel --com1 tcp://HOST:PORT).\n"
        "Commands end with CR; known commands are answered with ACK CR, unknown ones with ? CR."));
    parser.addHelpOption();
    parser.addVersionOption();
    const OptionSet set = optionSet();
    parser.addOptions({set.link, set.device, set.listen, set.speed, set.power, set.input, set.lampHours, set.mirror,
                       set.temperatures, set.replyDelay, set.split, set.silent, set.verbose});
    parser.process(arguments);
    if (!parser.positionalArguments().isEmpty()) {
        return usageError(QCoreApplication::translate("tavo-projector-sim", "unexpected argument %1")
                              .arg(parser.positionalArguments().first()));
    }
    SimOptions options;
    options.serial.device = parser.value(set.device);
    if (QString error = readModel(parser, set, options.serial.model); !error.isEmpty()) {
        return usageError(error);
    }
    if (parser.isSet(set.listen) && (parser.isSet(set.device) || parser.isSet(set.link))) {
        return usageError(QCoreApplication::translate("tavo-projector-sim",
                                                      "--listen serves no serial line; leave out --device and --link"));
    }
    if (parser.isSet(set.listen)) {
        QString error;
        options.listen = readListen(parser.value(set.listen), &error);
        if (!options.listen) {
            return usageError(error);
        }
    }
    options.link = parser.value(set.link);
    options.verbose = parser.isSet(set.verbose);
    return {.outcome = ParsedOptions::Outcome::Run, .options = std::move(options), .text = {}};
}

} // namespace tavo::sim
