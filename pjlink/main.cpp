// SPDX-License-Identifier: GPL-3.0-or-later
// tavo-pjlink: the projector on the serial line as a PJLink Class 1 projector on the network.

#include "pjlink/bridge_log.h"
#include "pjlink/line_queue.h"
#include "pjlink/options.h"
#include "pjlink/password_file.h"
#include "pjlink/port_advisor.h"
#include "pjlink/server.h"
#include "process/termination_signals.h"
#include "process/translations.h"
#include "serial/com_ports.h"
#include "serial/device_factory.h"
#include "tavo/version.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

namespace {

enum ExitCode : int { kStopped = 0, kFailed = 1, kUsage = 2 };

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tavo-pjlink"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(tavo::kVersion));
    tavo::installTranslations(app);
    // No colours and no time stamps; the level words in the user's language.
    tavo::pjlink::installLogFormat();

    const auto parsed = tavo::pjlink::parseOptions(QCoreApplication::arguments());
    switch (parsed.outcome) {
    case tavo::pjlink::ParsedOptions::Outcome::Done:
        QTextStream(stdout) << parsed.text;
        return kStopped;
    case tavo::pjlink::ParsedOptions::Outcome::UsageError:
        QTextStream(stderr) << "tavo-pjlink: " << parsed.text << '\n';
        return kUsage;
    case tavo::pjlink::ParsedOptions::Outcome::Run:
        break;
    }
    const auto& options = parsed.options;

    std::optional<QByteArray> password;
    if (!options.passwordFile.isEmpty()) {
        const auto read = tavo::pjlink::readPasswordFile(options.passwordFile);
        if (!read.error.isEmpty()) {
            qCCritical(lcBridge).noquote() << read.error;
            return kFailed;
        }
        password = read.password;
    } else if (options.noPassword) {
        qCWarning(lcBridge).noquote() << QCoreApplication::translate(
            "tavo-pjlink", "no password: anyone who reaches the bridge can control the projector");
    }

    tavo::quitOnTerminationSignals(app);

    const tavo::pjlink::PortChoice choice = tavo::pjlink::portChoice(options.device);
    if (!choice.settingsProblem.isEmpty()) {
        qCWarning(lcBridge).noquote() << choice.settingsProblem;
    }
    // The device's texts in the log speak of the bridge, which has none of the panel's device chooser.
    const tavo::pjlink::BridgePortAdvisor advisor;
    tavo::ComPorts port(choice.devices, tavo::makeDevice, advisor, choice.naming);
    // A device that cannot be opened yet is tried until it opens; meanwhile every command gets ERR4.
    port.setKeepOpening(true);
    tavo::pjlink::BridgeLog log;
    tavo::pjlink::LineQueue queue(port, choice.devices.value(choice.portNumber - 1), log);

    // The device opens in the background; until it is open every command gets ERR4 at once.
    if (auto error = queue.start(choice.portNumber, options.settings)) {
        qCCritical(lcBridge).noquote() << QString::fromStdString(*error);
        return kFailed;
    }
    tavo::pjlink::Server server(queue, log, options.identity, password, options.maxConnections);
    for (const auto& listen : options.listen) {
        if (const auto error = server.listen(listen.address, listen.port)) {
            qCCritical(lcBridge).noquote() << *error;
            queue.close();
            return kFailed;
        }
    }
    const QString addresses = server.addresses().join(QStringLiteral(", "));
    qCInfo(lcBridge).noquote() << (password ? QCoreApplication::translate("tavo-pjlink",
                                                                          "serving PJLink on %1 with a password")
                                            : QCoreApplication::translate("tavo-pjlink",
                                                                          "serving PJLink on %1 without a password"))
                                      .arg(addresses);

    const int status = tavo::terminationRequested() ? kStopped : QCoreApplication::exec();
    server.closeAll();
    queue.close();
    log.flush();
    qCInfo(lcBridge).noquote() << QCoreApplication::translate("tavo-pjlink", "stopped");
    return status;
}
