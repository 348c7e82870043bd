// SPDX-License-Identifier: GPL-3.0-or-later
#include "pjlink/options.h"

#include "core/panel_logic.h"
#include "pjlink/server.h"
#include "process/bounded_number.h"
#include "serial/device_settings.h"
#include "serial/recent_devices.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <algorithm>

namespace tavo::pjlink {

namespace {

QString description() {
    return QCoreApplication::translate(
        "tavo-pjlink", "Makes an R5500 or R730 projector on a serial line answer as a PJLink Class 1 projector on the\n"
                       "network, so that room-control systems can switch it on and off, choose its input, mute it and\n"
                       "read its state.\n"
                       "\n"
                       "DEVICE is the projector's serial device (/dev/ttyUSB0, a /dev/serial/by-id/ name,\n"
                       "rfc2217://HOST:PORT, tcp://HOST:PORT), or COM1 or COM2 as chosen in tavo-panel.\n"
                       "\n"
                       "Without --password-file it serves only this computer (loopback), unless --no-password is\n"
                       "given.\n"
                       "\n"
                       "Its log follows the system's language (LANG=C for English); what PJLink sends never does.");
}

bool printableAscii(const QString& text) {
    return std::ranges::all_of(text, [](QChar c) { return c.unicode() >= 0x20 && c.unicode() <= 0x7e; });
}

} // namespace

std::optional<ListenAddress> parseListenAddress(const QString& text, QString* error) {
    QString host = text;
    QString port;
    if (text.startsWith(u'[')) {
        const auto close = text.indexOf(u']');
        if (close < 0) {
            *error = QCoreApplication::translate("tavo-pjlink", "%1 lacks the closing ] of its IPv6 address").arg(text);
            return std::nullopt;
        }
        host = text.mid(1, close - 1);
        const QString rest = text.mid(close + 1);
        if (!rest.isEmpty()) {
            if (!rest.startsWith(u':')) {
                *error = QCoreApplication::translate("tavo-pjlink", "%1: write [ADDRESS]:PORT").arg(text);
                return std::nullopt;
            }
            port = rest.mid(1);
        }
    } else if (text.count(u':') == 1) {
        host = text.section(u':', 0, 0);
        port = text.section(u':', 1);
    }
    ListenAddress listen;
    listen.port = kDefaultPort;
    if (!port.isEmpty()) {
        // 0 lets the system pick a free port, which the log then names.
        const auto number = parseBounded(port, 0, 65535);
        if (!number) {
            *error = QCoreApplication::translate("tavo-pjlink", "%1: the port must lie between 0 and 65535").arg(text);
            return std::nullopt;
        }
        listen.port = static_cast<quint16>(*number);
    }
    if (host == u'*' || host.isEmpty()) {
        listen.address = QHostAddress(QHostAddress::Any);
    } else if (host == QStringLiteral("localhost")) {
        listen.address = QHostAddress(QHostAddress::LocalHost);
    } else if (!listen.address.setAddress(host)) {
        *error = QCoreApplication::translate(
                     "tavo-pjlink", "%1 is no IP address; write it as 192.0.2.7, [2001:db8::7], localhost or *")
                     .arg(host);
        return std::nullopt;
    }
    return listen;
}

bool loopbackOnly(const QList<ListenAddress>& listen) {
    return std::ranges::all_of(listen, [](const ListenAddress& l) { return l.address.isLoopback(); });
}

PortChoice portChoice(const QString& name) {
    const int number = name == QStringLiteral("COM1") ? 1 : name == QStringLiteral("COM2") ? 2 : 0;
    if (number == 0) {
        // Passed on as given: the port layer decides what a device name means.
        return {.devices = {name, name}, .portNumber = 1, .naming = PortNaming::Device, .settingsProblem = {}};
    }
    const RunDevices run = devicesForRun({});
    return {.devices = {run.devices.com1, run.devices.com2},
            .portNumber = number,
            .naming = PortNaming::ComNumber,
            .settingsProblem = run.settingsProblem};
}

namespace {

struct OptionSet {
    QCommandLineOption listen;
    QCommandLineOption password;
    QCommandLineOption noPassword;
    QCommandLineOption name;
    QCommandLineOption maker;
    QCommandLineOption product;
    QCommandLineOption info;
    QCommandLineOption speed;
    QCommandLineOption connections;
    // The devices the shell's completion offers, listed by the program so that they are never
    // typed a second time in the completion script.
    QCommandLineOption completeDevices;
};

OptionSet optionSet() {
    QCommandLineOption completeDevices(QStringLiteral("complete-devices"));
    completeDevices.setFlags(QCommandLineOption::HiddenFromHelp);
    return OptionSet{
        .listen = QCommandLineOption(
            QStringLiteral("listen"),
            QCoreApplication::translate(
                "tavo-pjlink", "Serve PJLink on ADDRESS:PORT (port %1 if left out); may be given several times.")
                .arg(kDefaultPort),
            QStringLiteral("ADDRESS:PORT")),
        .password = QCommandLineOption(
            QStringLiteral("password-file"),
            QCoreApplication::translate(
                "tavo-pjlink", "Ask controllers for the password in FILE, which only its owner may read or change."),
            QStringLiteral("FILE")),
        .noPassword =
            QCommandLineOption(QStringLiteral("no-password"),
                               QCoreApplication::translate("tavo-pjlink", "Serve other computers without a password.")),
        .name = QCommandLineOption(
            QStringLiteral("name"),
            QCoreApplication::translate("tavo-pjlink", "The projector's name (NAME), up to %1 characters.")
                .arg(kMaxNameLength),
            QStringLiteral("TEXT")),
        .maker = QCommandLineOption(
            QStringLiteral("maker"),
            QCoreApplication::translate("tavo-pjlink", "The maker's name (INF1), up to %1 characters.")
                .arg(kMaxInfoLength),
            QStringLiteral("TEXT"), QStringLiteral("TAVO")),
        .product = QCommandLineOption(
            QStringLiteral("product"),
            QCoreApplication::translate("tavo-pjlink", "The product name (INF2), up to %1 characters.")
                .arg(kMaxInfoLength),
            QStringLiteral("TEXT"), QStringLiteral("R5500/R730")),
        .info = QCommandLineOption(
            QStringLiteral("info"),
            QCoreApplication::translate("tavo-pjlink", "Other information (INFO), up to %1 characters.")
                .arg(kMaxInfoLength),
            QStringLiteral("TEXT"),
            QStringLiteral("%1 %2")
                .arg(QCoreApplication::applicationName(), QCoreApplication::applicationVersion())
                .trimmed()),
        .speed = QCommandLineOption(
            QStringLiteral("speed"),
            QCoreApplication::translate("tavo-pjlink", "The projector's line speed: 19200 (default) or 9600."),
            QStringLiteral("BAUD"), QStringLiteral("19200")),
        .connections = QCommandLineOption(
            QStringLiteral("max-connections"),
            QCoreApplication::translate("tavo-pjlink", "Controllers served at once, 1 to %1 (default %2).")
                .arg(kLargestMaxConnections)
                .arg(kDefaultMaxConnections),
            QStringLiteral("N"), QString::number(kDefaultMaxConnections)),
        .completeDevices = completeDevices,
    };
}

ParsedOptions usageError(QString text) {
    return {.outcome = ParsedOptions::Outcome::UsageError, .options = {}, .text = std::move(text)};
}

ParsedOptions done(QString text) {
    return {.outcome = ParsedOptions::Outcome::Done, .options = {}, .text = std::move(text)};
}

// Where to listen and whether with a password; empty, or what is wrong.
QString readAccess(const QCommandLineParser& parser, const OptionSet& set, BridgeOptions& options) {
    for (const QString& text : parser.values(set.listen)) {
        QString error;
        const auto address = parseListenAddress(text, &error);
        if (!address) {
            return QCoreApplication::translate("tavo-pjlink", "--listen %1").arg(error);
        }
        options.listen << *address;
    }
    options.passwordFile = parser.value(set.password);
    options.noPassword = parser.isSet(set.noPassword);
    if (parser.isSet(set.password) && options.noPassword) {
        return QCoreApplication::translate("tavo-pjlink", "give either --password-file or --no-password");
    }
    if (parser.isSet(set.password) && options.passwordFile.isEmpty()) {
        return QCoreApplication::translate("tavo-pjlink", "--password-file needs a FILE");
    }
    const bool withPassword = !options.passwordFile.isEmpty();
    if (options.listen.isEmpty()) {
        options.listen << ListenAddress{
            .address = QHostAddress(withPassword || options.noPassword ? QHostAddress::Any : QHostAddress::LocalHost),
            .port = kDefaultPort};
    }
    if (!withPassword && !options.noPassword && !loopbackOnly(options.listen)) {
        return QCoreApplication::translate("tavo-pjlink",
                                           "without a password the bridge serves this computer only (127.0.0.1, ::1): "
                                           "give --password-file FILE, or --no-password to let any computer that "
                                           "reaches it control the projector");
    }
    return {};
}

// NAME, INF1, INF2 and INFO; empty, or what is wrong.
QString readIdentity(const QCommandLineParser& parser, const OptionSet& set, Identity& identity) {
    const struct {
        const QCommandLineOption& option;
        std::string* field;
        qsizetype limit;
        const char* what;
    } texts[] = {
        {set.name, &identity.name, static_cast<qsizetype>(kMaxNameLength), "--name"},
        {set.maker, &identity.maker, static_cast<qsizetype>(kMaxInfoLength), "--maker"},
        {set.product, &identity.product, static_cast<qsizetype>(kMaxInfoLength), "--product"},
        {set.info, &identity.info, static_cast<qsizetype>(kMaxInfoLength), "--info"},
    };
    for (const auto& text : texts) {
        const QString value = parser.value(text.option);
        if (value.size() > text.limit || !printableAscii(value)) {
            return QCoreApplication::translate("tavo-pjlink", "%1 takes up to %2 printable ASCII characters")
                .arg(QLatin1StringView(text.what))
                .arg(text.limit);
        }
        if (const auto problem = identityProblem(value.toStdString())) {
            return QCoreApplication::translate("tavo-pjlink",
                                               "%1 may not hold \"%2\": PJLink controllers would read it as part of "
                                               "the response rather than as text")
                .arg(QLatin1StringView(text.what), QString::fromStdString(*problem));
        }
        *text.field = value.toStdString();
    }
    return {};
}

// The line's speed and the connections served; empty, or what is wrong.
QString readLimits(const QCommandLineParser& parser, const OptionSet& set, BridgeOptions& options) {
    const QString speed = parser.value(set.speed);
    if (speed == QStringLiteral("19200")) {
        options.settings = kSettings19200;
    } else if (speed == QStringLiteral("9600")) {
        options.settings = kSettings9600;
    } else {
        return QCoreApplication::translate("tavo-pjlink", "--speed must be 19200 or 9600");
    }
    const auto connections = parseBounded(parser.value(set.connections), 1, kLargestMaxConnections);
    if (!connections) {
        return QCoreApplication::translate("tavo-pjlink", "--max-connections must lie between 1 and %1")
            .arg(kLargestMaxConnections);
    }
    options.maxConnections = *connections;
    return {};
}

} // namespace

ParsedOptions parseOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(description());
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const OptionSet set = optionSet();
    parser.addOptions({set.listen, set.password, set.noPassword, set.name, set.maker, set.product, set.info, set.speed,
                       set.connections, set.completeDevices});
    parser.addPositionalArgument(
        QStringLiteral("DEVICE"),
        QCoreApplication::translate("tavo-pjlink", "The projector's device, or COM1 or COM2."));

    if (!parser.parse(arguments)) {
        return usageError(parser.errorText());
    }
    if (parser.isSet(help)) {
        return done(parser.helpText());
    }
    if (parser.isSet(version)) {
        return done(
            QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(), QCoreApplication::applicationVersion()));
    }
    if (parser.isSet(set.completeDevices)) {
        return done((QStringList{QStringLiteral("COM1"), QStringLiteral("COM2")} + offeredDeviceNames())
                        .join(QLatin1Char('\n')) +
                    QLatin1Char('\n'));
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1 || positional.front().isEmpty()) {
        return usageError(positional.size() > 1 ? QCoreApplication::translate("tavo-pjlink", "give one DEVICE only")
                                                : QCoreApplication::translate(
                                                      "tavo-pjlink", "no DEVICE given, such as /dev/ttyUSB0 or COM1"));
    }
    ParsedOptions parsed{.outcome = ParsedOptions::Outcome::Run, .options = {}, .text = {}};
    BridgeOptions& options = parsed.options;
    options.device = positional.front();
    if (QString error = readAccess(parser, set, options); !error.isEmpty()) {
        return usageError(error);
    }
    if (QString error = readIdentity(parser, set, options.identity); !error.isEmpty()) {
        return usageError(error);
    }
    if (QString error = readLimits(parser, set, options); !error.isEmpty()) {
        return usageError(error);
    }
    return parsed;
}

} // namespace tavo::pjlink
