// SPDX-License-Identifier: GPL-3.0-or-later
// tavo-pjlink: the projector on the serial line as a PJLink Class 1 projector on the network.

#include "pjlink/bridge_log.h"
#include "pjlink/bridge_program.h"
#include "pjlink/options.h"
#include "process/termination_signals.h"
#include "process/translations.h"
#include "tavo/version.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tavo-pjlink"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(tavo::kVersion));
    tavo::installTranslations(app);
    // No colours and no time stamps; the level words in the user's language.
    tavo::pjlink::installLogFormat();

    const tavo::pjlink::ParsedOptions parsed = tavo::pjlink::parseOptions(QCoreApplication::arguments());
    switch (parsed.outcome) {
    case tavo::pjlink::ParsedOptions::Outcome::Done:
        QTextStream(stdout) << parsed.text;
        return tavo::pjlink::kStopped;
    case tavo::pjlink::ParsedOptions::Outcome::UsageError:
        QTextStream(stderr) << "tavo-pjlink: " << parsed.text << '\n';
        return tavo::pjlink::kUsage;
    case tavo::pjlink::ParsedOptions::Outcome::Run:
        break;
    }
    tavo::pjlink::BridgeProgram program(parsed.options);
    tavo::quitOnTerminationSignals(app);
    if (!program.start()) {
        return tavo::pjlink::kFailed;
    }
    // The only event loop; a termination signal ends it, and the bridge closes what it holds.
    const int status = tavo::terminationRequested() ? tavo::pjlink::kStopped : QCoreApplication::exec();
    program.stop();
    return status;
}
