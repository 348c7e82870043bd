// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/options.h"

#include "serial/device_settings.h"
#include "serial/recent_devices.h"
#include "tavo/version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <cstdlib>

namespace tavo::panel {

namespace {

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help;
    QCommandLineOption version;
    QCommandLineOption com1{QStringLiteral("com1"),
                            QCoreApplication::translate(
                                "tavo-panel", "Use DEVICE as COM1 for this run, e.g. /dev/ttyUSB0, "
                                              "/dev/serial/by-id/..., or a device server on the network: "
                                              "rfc2217://HOST:PORT or tcp://HOST:PORT (default: the device chosen in "
                                              "the panel, else %1).")
                                .arg(defaultDevices().com1),
                            QStringLiteral("DEVICE")};
    QCommandLineOption com2{
        QStringLiteral("com2"),
        QCoreApplication::translate("tavo-panel", "Use DEVICE as COM2 for this run, a serial device or "
                                                  "rfc2217://HOST:PORT or tcp://HOST:PORT as for --com1 (default: the "
                                                  "device chosen in the panel, else %1).")
            .arg(defaultDevices().com2),
        QStringLiteral("DEVICE")};
    QCommandLineOption simulate{QStringLiteral("simulate"),
                                QCoreApplication::translate("tavo-panel",
                                                            "Put a simulated projector behind COM1, to try "
                                                            "the panel without one.")};
    // The devices the shell's completion offers, one a line.
    QCommandLineOption completeDevices{QStringLiteral("complete-devices")};

    Parser() : help(parser.addHelpOption()), version(parser.addVersionOption()) {
        completeDevices.setFlags(QCommandLineOption::HiddenFromHelp);
        QCoreApplication::setApplicationName(QStringLiteral("tavo-panel"));
        QCoreApplication::setApplicationVersion(QString::fromLatin1(kVersion));
        parser.setApplicationDescription(QCoreApplication::translate(
            "tavo-panel", "Remote-control panel for R5500 and R730 data projectors over RS-232C.\n\n"
                          "In the panel, Ctrl+D (or right-click COM) chooses the devices for COM1 and COM2, "
                          "serial devices or device servers on the network (rfc2217://HOST:PORT, "
                          "tcp://HOST:PORT); the choice is saved for the next start. --com1 and --com2 override "
                          "it for one run."));
        parser.addOption(com1);
        parser.addOption(com2);
        parser.addOption(simulate);
        parser.addOption(completeDevices);
    }
};

// Checks beyond what the parser itself knows; empty when the options make sense.
QString usageError(const Parser& p, PanelOptions* options) {
    const QStringList extra = p.parser.positionalArguments();
    if (!extra.isEmpty()) {
        return QCoreApplication::translate("tavo-panel", "Unexpected argument '%1'.").arg(extra.first());
    }
    options->com1 = p.parser.value(p.com1);
    options->com2 = p.parser.value(p.com2);
    options->simulate = p.parser.isSet(p.simulate);
    if (p.parser.isSet(p.com1) && options->com1.isEmpty()) {
        return QCoreApplication::translate("tavo-panel", "--com1 needs a device, such as /dev/ttyUSB0.");
    }
    if (p.parser.isSet(p.com2) && options->com2.isEmpty()) {
        return QCoreApplication::translate("tavo-panel", "--com2 needs a device, such as /dev/ttyUSB1.");
    }
    if (options->simulate && p.parser.isSet(p.com1)) {
        return QCoreApplication::translate("tavo-panel",
                                           "--simulate puts the simulated projector behind COM1; leave out "
                                           "--com1.");
    }
    return {};
}

} // namespace

ParsedOptions tryParseOptions(const QStringList& arguments) {
    Parser p;
    ParsedOptions result;
    if (!p.parser.parse(arguments)) {
        result.outcome = ParsedOptions::Outcome::Error;
        result.text = p.parser.errorText();
        return result;
    }
    if (p.parser.isSet(p.help)) {
        result.outcome = ParsedOptions::Outcome::Help;
        result.text = p.parser.helpText();
        return result;
    }
    if (p.parser.isSet(p.version)) {
        result.outcome = ParsedOptions::Outcome::Version;
        result.text = QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion();
        return result;
    }
    if (p.parser.isSet(p.completeDevices)) {
        result.outcome = ParsedOptions::Outcome::Completion;
        result.text = offeredDeviceNames().join(QLatin1Char('\n'));
        return result;
    }
    result.text = usageError(p, &result.options);
    if (!result.text.isEmpty()) {
        result.outcome = ParsedOptions::Outcome::Error;
        result.options = {};
    }
    return result;
}

PanelOptions parseOptions(const QStringList& arguments) {
    Parser p;
    // Prints and exits for --help, --version and options it does not know.
    p.parser.process(arguments);
    if (p.parser.isSet(p.completeDevices)) {
        QTextStream out(stdout);
        for (const QString& name : offeredDeviceNames()) {
            out << name << '\n';
        }
        out.flush();
        std::exit(EXIT_SUCCESS);
    }
    PanelOptions options;
    const QString error = usageError(p, &options);
    if (!error.isEmpty()) {
        QTextStream(stderr) << QCoreApplication::applicationName() << ": " << error << Qt::endl;
        std::exit(EXIT_FAILURE);
    }
    return options;
}

} // namespace tavo::panel
