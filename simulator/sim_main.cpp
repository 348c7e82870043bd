// SPDX-License-Identifier: GPL-3.0-or-later
// tavo-projector-sim: a simulated projector on a new pseudo-terminal, a serial device or a TCP
// port, for trying the panel (or any serial terminal) without a projector.

#include "core/rendering.h"
#include "process/termination_signals.h"
#include "process/translations.h"
#include "serial/network_address.h"
#include "simulator/pty_projector.h"
#include "simulator/tcp_projector.h"
#include "tavo/version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>

namespace {

// Control characters the way a terminal user can read them in a log.
QString visible(const QByteArray& bytes) {
    return QString::fromStdString(
        tavo::spelledOut(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
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

[[noreturn]] void usageError(const QString& message) {
    QTextStream(stderr) << "tavo-projector-sim: " << message << '\n';
    std::exit(2);
}

// Serves the projector on a TCP port until a termination signal.
int serveOnNetwork(QCoreApplication& app, const QString& listen, const tavo::ProjectorModel::Options& model,
                   bool verbose) {
    QString reason;
    const auto address = tavo::parseNetworkDevice(listen, &reason);
    if (!address) {
        usageError(
            QCoreApplication::translate("tavo-projector-sim", "--listen: %1; write tcp://HOST:PORT").arg(reason));
    }
    if (address->protocol != tavo::NetworkProtocol::RawTcp) {
        usageError(
            QCoreApplication::translate("tavo-projector-sim", "--listen serves raw TCP only; write tcp://HOST:PORT"));
    }
    const QHostAddress host = address->host == QStringLiteral("localhost") ? QHostAddress(QHostAddress::LocalHost)
                                                                           : QHostAddress(address->host);
    if (host.isNull()) {
        usageError(QCoreApplication::translate("tavo-projector-sim",
                                               "--listen needs an IP address, such as 127.0.0.1 or [::1]"));
    }
    const auto projector = tavo::TcpProjector::create(model, host, address->port, &reason);
    if (!projector) {
        usageError(reason);
    }
    if (verbose) {
        QObject::connect(projector.get(), &tavo::TcpProjector::received,
                         [](const QByteArray& b) { QTextStream(stderr) << "<- " << visible(b) << '\n'; });
        QObject::connect(projector.get(), &tavo::TcpProjector::sent,
                         [](const QByteArray& b) { QTextStream(stderr) << "-> " << visible(b) << '\n'; });
    }
    tavo::quitOnTerminationSignals(app);
    QTextStream(stdout) << projector->url() << Qt::endl;
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tavo-projector-sim"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(tavo::kVersion));
    tavo::installTranslations(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "tavo-projector-sim",
        "A simulated R5500/R730 projector. It serves a new pseudo-terminal and prints its path;\n"
        "open that path with the panel (tavo-panel --com1 PATH) or with any serial terminal.\n"
        "With --listen it serves a TCP port instead (tavo-panel --com1 tcp://HOST:PORT).\n"
        "Commands end with CR; known commands are answered with ACK CR, unknown ones with ? CR."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption linkOption(
        QStringLiteral("link"),
        QCoreApplication::translate("tavo-projector-sim", "Also make PATH a symbolic link to the pseudo-terminal."),
        QStringLiteral("PATH"));
    const QCommandLineOption deviceOption(
        QStringLiteral("device"),
        QCoreApplication::translate("tavo-projector-sim",
                                    "Serve on serial device DEV instead of a new pseudo-terminal."),
        QStringLiteral("DEV"));
    const QCommandLineOption listenOption(
        QStringLiteral("listen"),
        QCoreApplication::translate("tavo-projector-sim", "Serve on a TCP port, like a device server in raw TCP mode."),
        QStringLiteral("tcp://HOST:PORT"));
    const QCommandLineOption speedOption(
        QStringLiteral("speed"),
        QCoreApplication::translate("tavo-projector-sim", "The projector's line speed: 19200 or 9600."),
        QStringLiteral("BAUD"), QStringLiteral("19200"));
    const QCommandLineOption powerOption(
        QStringLiteral("power"),
        QCoreApplication::translate("tavo-projector-sim", "Initial power state: standby, on, countdown or cooling."),
        QStringLiteral("STATE"), QStringLiteral("standby"));
    const QCommandLineOption inputOption(QStringLiteral("input"),
                                         QCoreApplication::translate("tavo-projector-sim", "Initial input: 1, 2 or 3."),
                                         QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption lampOption(
        QStringLiteral("lamp-hours"),
        QCoreApplication::translate("tavo-projector-sim", "Lamp hours used so far, 0 to 9999."), QStringLiteral("N"),
        QStringLiteral("1234"));
    const QCommandLineOption mirrorOption(
        QStringLiteral("mirror"),
        QCoreApplication::translate("tavo-projector-sim", "Mirror setting: 11, 10, 01 or 00."), QStringLiteral("XY"),
        QStringLiteral("11"));
    const QCommandLineOption tempOption(QStringLiteral("temperatures"),
                                        QCoreApplication::translate("tavo-projector-sim", "Answer to CR6."),
                                        QStringLiteral("TEXT"), QStringLiteral("025.0 031.5 042.0"));
    const QCommandLineOption delayOption(
        QStringLiteral("reply-delay"),
        QCoreApplication::translate("tavo-projector-sim", "Milliseconds before a reply starts."), QStringLiteral("MS"),
        QStringLiteral("30"));
    const QCommandLineOption splitOption(
        QStringLiteral("split"),
        QCoreApplication::translate("tavo-projector-sim", "Percentage of replies sent in two or three pieces."),
        QStringLiteral("PERCENT"), QStringLiteral("25"));
    const QCommandLineOption silentOption(QStringLiteral("silent"),
                                          QCoreApplication::translate("tavo-projector-sim", "Never answer anything."));
    const QCommandLineOption verboseOption(
        QStringLiteral("verbose"),
        QCoreApplication::translate("tavo-projector-sim", "Log every byte in and out on stderr."));
    parser.addOptions({linkOption, deviceOption, listenOption, speedOption, powerOption, inputOption, lampOption,
                       mirrorOption, tempOption, delayOption, splitOption, silentOption, verboseOption});
    parser.process(app);
    if (!parser.positionalArguments().isEmpty()) {
        usageError(QCoreApplication::translate("tavo-projector-sim", "unexpected argument %1")
                       .arg(parser.positionalArguments().first()));
    }

    tavo::PtyProjector::Options options;
    options.device = parser.value(deviceOption);
    auto& model = options.model;
    const QString speed = parser.value(speedOption);
    if (speed == QStringLiteral("19200") || speed == QStringLiteral("9600")) {
        model.baud = speed.toInt();
    } else {
        usageError(QCoreApplication::translate("tavo-projector-sim", "--speed must be 19200 or 9600"));
    }
    const QString power = parser.value(powerOption);
    if (power == QStringLiteral("standby")) {
        model.power = tavo::PowerState::Standby;
    } else if (power == QStringLiteral("on")) {
        model.power = tavo::PowerState::On;
    } else if (power == QStringLiteral("countdown")) {
        model.power = tavo::PowerState::CountDown;
    } else if (power == QStringLiteral("cooling")) {
        model.power = tavo::PowerState::CoolingDown;
    } else {
        usageError(
            QCoreApplication::translate("tavo-projector-sim", "--power must be standby, on, countdown or cooling"));
    }
    if (!parseInt(parser.value(inputOption), 1, 3, &model.input)) {
        usageError(QCoreApplication::translate("tavo-projector-sim", "--input must be 1, 2 or 3"));
    }
    if (!parseInt(parser.value(lampOption), 0, 9999, &model.lampHours)) {
        usageError(QCoreApplication::translate("tavo-projector-sim", "--lamp-hours must lie between 0 and 9999"));
    }
    if (!parseInt(parser.value(delayOption), 0, 60000, &model.replyDelayMs)) {
        usageError(QCoreApplication::translate("tavo-projector-sim", "--reply-delay must lie between 0 and 60000"));
    }
    if (!parseInt(parser.value(splitOption), 0, 100, &model.splitPercent)) {
        usageError(QCoreApplication::translate("tavo-projector-sim", "--split must lie between 0 and 100"));
    }
    model.mirror = parser.value(mirrorOption).toStdString();
    model.temperatures = parser.value(tempOption).toStdString();
    model.silent = parser.isSet(silentOption);
    model.seed = static_cast<std::uint32_t>(::getpid());

    if (parser.isSet(listenOption)) {
        if (parser.isSet(deviceOption) || parser.isSet(linkOption)) {
            usageError(QCoreApplication::translate("tavo-projector-sim",
                                                   "--listen serves no serial line; leave out --device and --link"));
        }
        return serveOnNetwork(app, parser.value(listenOption), model, parser.isSet(verboseOption));
    }

    QString error;
    const auto projector = tavo::PtyProjector::create(options, &error);
    if (!projector) {
        usageError(error);
    }

    const QString link = parser.value(linkOption);
    if (!link.isEmpty()) {
        const QFileInfo existing(link);
        if (existing.exists() && !existing.isSymLink()) {
            usageError(QCoreApplication::translate("tavo-projector-sim",
                                                   "%1 exists and is not a symbolic link; not replacing it")
                           .arg(link));
        }
        if (existing.isSymLink()) {
            QFile::remove(link);
        }
        if (!QFile::link(projector->devicePath(), link)) {
            usageError(QCoreApplication::translate("tavo-projector-sim", "cannot create the link %1").arg(link));
        }
    }

    if (parser.isSet(verboseOption)) {
        QObject::connect(projector.get(), &tavo::PtyProjector::received,
                         [](const QByteArray& b) { QTextStream(stderr) << "<- " << visible(b) << '\n'; });
        QObject::connect(projector.get(), &tavo::PtyProjector::sent,
                         [](const QByteArray& b) { QTextStream(stderr) << "-> " << visible(b) << '\n'; });
    }

    tavo::quitOnTerminationSignals(app);

    QTextStream(stdout) << projector->devicePath() << Qt::endl;
    const int status = QCoreApplication::exec();

    if (!link.isEmpty() && QFileInfo(link).symLinkTarget() == projector->devicePath()) {
        QFile::remove(link);
    }
    return status;
}
