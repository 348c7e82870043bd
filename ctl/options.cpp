// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/options.h"

#include "ctl/texts.h"
#include "process/bounded_number.h"
#include "serial/recent_devices.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <algorithm>

namespace tavo::ctl {

namespace {

constexpr int kMaxTimeoutMs = 600000;
constexpr int kMaxRepeat = 10000;

QString description() {
    return Texts::tr("Sends one of the panel's commands to an R5500 or R730 projector and prints the reply.\n"
                     "\n"
                     "Commands:\n"
                     "  list          every command with its line and what it does\n"
                     "  status        power status; input, lamp-hours, mirror, temperatures likewise\n"
                     "  power-on ...  any of the panel's buttons, by group and caption\n"
                     "  send LINE     any line (CR is added); prints the reply\n"
                     "\n"
                     "Without --device, --com1 (the default) and --com2 mean the devices the panel uses.\n"
                     "\n"
                     "Replies other than the decoded values are printed as the panel's data monitor shows them\n"
                     "(ACK CR); an unexpected one is escaped: printable ASCII as it is, other bytes as \\xNN.\n"
                     "\n"
                     "Exit status:\n"
                     "  0    acknowledged, or a well-formed status\n"
                     "  1    device error (cannot open, in use, disconnected)\n"
                     "  2    usage error, unknown command\n"
                     "  3    refused by the projector (? CR)\n"
                     "  4    no reply within the reply wait\n"
                     "  5    an unexpected reply, not one the projector gives\n"
                     "  130  interrupted\n"
                     "\n"
                     "Messages follow the desktop's language (LANG=C for English); --json output never does.");
}

// The options tavo-ctl takes, in the order its help lists them.
struct OptionSet {
    QCommandLineOption device;
    QCommandLineOption com1;
    QCommandLineOption com2;
    QCommandLineOption speed;
    QCommandLineOption timeout;
    QCommandLineOption repeat;
    QCommandLineOption json;
    QCommandLineOption quiet;
    // For the shell's completion, which asks the program for its words.
    QCommandLineOption complete;
    QCommandLineOption completeDevices;
};

QCommandLineOption hidden(const QString& name) {
    QCommandLineOption option(name);
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    return option;
}

OptionSet optionSet() {
    return OptionSet{
        .device = QCommandLineOption(QStringLiteral("device"),
                                     Texts::tr("The projector's serial device, e.g. /dev/ttyUSB0, or a device server: "
                                               "rfc2217://HOST:PORT or tcp://HOST:PORT."),
                                     QStringLiteral("DEV")),
        .com1 = QCommandLineOption(QStringLiteral("com1"), Texts::tr("The panel's COM1 (the default).")),
        .com2 = QCommandLineOption(QStringLiteral("com2"), Texts::tr("The panel's COM2.")),
        .speed = QCommandLineOption(QStringLiteral("speed"), Texts::tr("Line speed: 19200 (default) or 9600."),
                                    QStringLiteral("BAUD"), QStringLiteral("19200")),
        .timeout = QCommandLineOption(QStringLiteral("timeout"),
                                      Texts::tr("Wait MS for the reply instead of the command's own wait."),
                                      QStringLiteral("MS")),
        .repeat = QCommandLineOption(QStringLiteral("repeat"),
                                     Texts::tr("Held buttons only: send N times at the panel's rate (default 1)."),
                                     QStringLiteral("N")),
        .json = QCommandLineOption(QStringLiteral("json"),
                                   Texts::tr("Print the line, the reply, its rendering and the decoded value as one "
                                             "JSON object, the values also as numbers and words (hours, "
                                             "temperatures, input, power).")),
        .quiet = QCommandLineOption(QStringLiteral("quiet"),
                                    Texts::tr("Print nothing when the command succeeds; errors still go to standard "
                                              "error.")),
        .complete = hidden(QStringLiteral("complete")),
        .completeDevices = hidden(QStringLiteral("complete-devices")),
    };
}

ParsedOptions usageError(QString text) {
    return {.outcome = ParsedOptions::Outcome::UsageError, .options = {}, .request = {}, .text = std::move(text)};
}

ParsedOptions done(QString text) {
    return {.outcome = ParsedOptions::Outcome::Done, .options = {}, .request = {}, .text = std::move(text)};
}

// The device and its line; empty, or what is wrong.
QString readPort(const QCommandLineParser& parser, const OptionSet& set, Options& options) {
    const int chosen = int{parser.isSet(set.device)} + int{parser.isSet(set.com1)} + int{parser.isSet(set.com2)};
    if (chosen > 1) {
        return Texts::tr("give one of --device, --com1 and --com2");
    }
    options.device = parser.value(set.device);
    if (parser.isSet(set.device) && options.device.isEmpty()) {
        return Texts::tr("--device needs a device, such as /dev/ttyUSB0");
    }
    options.portNumber = parser.isSet(set.com2) ? 2 : 1;
    const QString speed = parser.value(set.speed);
    if (speed == QStringLiteral("9600")) {
        options.settings = kSettings9600;
    } else if (speed != QStringLiteral("19200")) {
        return Texts::tr("--speed must be 19200 or 9600");
    }
    return {};
}

// How the exchange is made and reported; empty, or what is wrong.
QString readExchange(const QCommandLineParser& parser, const OptionSet& set, Options& options) {
    if (parser.isSet(set.timeout)) {
        options.timeoutMs = parseBounded(parser.value(set.timeout), 1, kMaxTimeoutMs);
        if (!options.timeoutMs) {
            return Texts::tr("--timeout must lie between 1 and %1 ms").arg(kMaxTimeoutMs);
        }
    }
    if (parser.isSet(set.repeat)) {
        const auto repeat = parseBounded(parser.value(set.repeat), 1, kMaxRepeat);
        if (!repeat) {
            return Texts::tr("--repeat must lie between 1 and %1").arg(kMaxRepeat);
        }
        options.repeat = *repeat;
        options.repeatGiven = true;
    }
    options.json = parser.isSet(set.json);
    options.quiet = parser.isSet(set.quiet);
    if (options.json && options.quiet) {
        return Texts::tr("give one of --json and --quiet");
    }
    return {};
}

ParsedOptions readCommand(const QStringList& positional, const Options& options) {
    if (positional.isEmpty()) {
        return usageError(Texts::tr("no command given. Run  tavo-ctl --help  for the usage, tavo-ctl list for "
                                    "every command."));
    }
    if (positional.front() == QStringLiteral("list")) {
        if (positional.size() != 1) {
            return usageError(Texts::tr("unexpected argument '%1'").arg(positional.at(1)));
        }
        return done(listText());
    }
    QString error;
    auto request = requestFor(positional, options, &error);
    if (!request) {
        return usageError(error);
    }
    return {.outcome = ParsedOptions::Outcome::Run, .options = options, .request = std::move(*request), .text = {}};
}

} // namespace

ParsedOptions parseOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(description());
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const OptionSet set = optionSet();
    parser.addOptions({set.device, set.com1, set.com2, set.speed, set.timeout, set.repeat, set.json, set.quiet,
                       set.complete, set.completeDevices});
    parser.addPositionalArgument(QStringLiteral("COMMAND"), Texts::tr("What to send; see Commands above."));

    if (!parser.parse(arguments)) {
        return usageError(parser.errorText());
    }
    if (parser.isSet(help)) {
        return done(parser.helpText());
    }
    if (parser.isSet(version)) {
        return done(QStringLiteral("tavo-ctl %1\n").arg(QCoreApplication::applicationVersion()));
    }
    // The words of the shell's completion, so that they are never typed a second time.
    if (parser.isSet(set.complete)) {
        return done(completionWords());
    }
    if (parser.isSet(set.completeDevices)) {
        QString names;
        for (const QString& name : offeredDeviceNames()) {
            names += name + u'\n';
        }
        return done(names);
    }
    Options options;
    for (const auto& read : {readPort, readExchange}) {
        if (QString error = read(parser, set, options); !error.isEmpty()) {
            return usageError(error);
        }
    }
    return readCommand(parser.positionalArguments(), options);
}

bool asksForJson(const QStringList& arguments) {
    // Options end at "--"; the first argument is the program.
    const auto end = std::ranges::find(arguments, QStringLiteral("--"));
    return std::find(arguments.begin() + (arguments.isEmpty() ? 0 : 1), end, QStringLiteral("--json")) != end;
}

} // namespace tavo::ctl
