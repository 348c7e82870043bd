// SPDX-License-Identifier: GPL-3.0-or-later
// tavo-ctl: the panel's commands and status reads from the command line, for scripts.

#include "ctl/ctl_program.h"
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
    tavo::ctl::CtlProgram program(QCoreApplication::arguments(), out, err);
    QObject::connect(&program, &tavo::ctl::CtlProgram::finished, &app, [](int code) { QCoreApplication::exit(code); });
    QTimer::singleShot(0, &program, &tavo::ctl::CtlProgram::start);
    // The only event loop. A termination signal ends it early; the program then says so.
    (void)QCoreApplication::exec();
    if (!program.isFinished()) {
        return program.interrupt();
    }
    return program.exitCode();
}
