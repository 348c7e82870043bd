// SPDX-License-Identifier: GPL-3.0-or-later
// tavo-projector-sim: a simulated projector on a new pseudo-terminal, a serial device or a TCP
// port, for trying the panel (or any serial terminal) without a projector.

#include "process/termination_signals.h"
#include "process/translations.h"
#include "simulator/options.h"
#include "simulator/sim_program.h"
#include "tavo/version.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

namespace {

// A wrong option value, or a line or port that cannot be served.
constexpr int kUsage = 2;

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tavo-projector-sim"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(tavo::kVersion));
    tavo::installTranslations(app);

    const tavo::sim::ParsedOptions parsed = tavo::sim::parseOptions(QCoreApplication::arguments());
    if (parsed.outcome == tavo::sim::ParsedOptions::Outcome::UsageError) {
        QTextStream(stderr) << "tavo-projector-sim: " << parsed.text << '\n';
        return kUsage;
    }
    tavo::sim::SimProgram program(parsed.options);
    if (const QString error = program.start(); !error.isEmpty()) {
        QTextStream(stderr) << "tavo-projector-sim: " << error << '\n';
        return kUsage;
    }
    tavo::quitOnTerminationSignals(app);
    QTextStream(stdout) << program.where() << Qt::endl;
    return QCoreApplication::exec();
}
