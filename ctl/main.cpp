// SPDX-License-Identifier: GPL-3.0-or-later
// tavo-ctl: the panel's commands and status reads from the command line, for scripts.

#include "ctl/tool.h"
#include "process/termination_signals.h"
#include "process/translations.h"
#include "tavo/version.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tavo-ctl"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(tavo::kVersion));
    tavo::quitOnTerminationSignals(app);
    // Output for programs is the same bytes in every language: with --json nothing is translated.
    if (!tavo::ctl::asksForJson(QCoreApplication::arguments())) {
        tavo::installTranslations(app);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    tavo::ctl::Tool tool(QCoreApplication::arguments(), out, err);
    QObject::connect(&tool, &tavo::ctl::Tool::finished, &app, [](int code) { QCoreApplication::exit(code); });
    QTimer::singleShot(0, &tool, &tavo::ctl::Tool::start);
    // The only event loop. A termination signal ends it early; the tool then says so.
    (void)QCoreApplication::exec();
    if (!tool.isFinished()) {
        return tool.interrupt();
    }
    return tool.exitCode();
}
