// SPDX-License-Identifier: GPL-3.0-or-later
// tavo-ctl: the panel's commands and status reads from the command line, for scripts.

#include "ctl/tool.h"
#include "process/termination_signals.h"
#include "tavo/version.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tavo-ctl"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(tavo::kVersion));
    tavo::quitOnTerminationSignals(app);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return tavo::ctl::runTool(QCoreApplication::arguments(), out, err);
}
