// SPDX-License-Identifier: GPL-3.0-or-later
// tavo-panel: the remote-control panel for the projector, a window on the desktop.

#include "app/options.h"
#include "app/panel_program.h"
#include "process/termination_signals.h"
#include "process/translations.h"
#include "ui/look.h"

#include <QApplication>
#include <optional>

int main(int argc, char* argv[]) {
    // --help and --version must work without a display, so the options are read before the
    // window system is touched.
    std::optional<tavo::panel::PanelOptions> options;
    {
        QCoreApplication early(argc, argv);
        tavo::installTranslations(early);
        options = tavo::panel::parseOptions(QCoreApplication::arguments());
    }

    QApplication app(argc, argv);
    tavo::installTranslations(app);
    // Lets docks and task bars link the window to its desktop entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("tavo-panel"));
    tavo::installLookAndFeel();
    tavo::quitOnTerminationSignals(app);

    tavo::panel::PanelProgram program(*options);
    program.start();
    return program.exitCode(QApplication::exec());
}
