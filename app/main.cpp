// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"
#include "core/panel_logic.h"
#include "process/termination_signals.h"
#include "serial/host_serial_port.h"
#include "simulator/pty_projector.h"
#include "ui/look.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QScopeGuard>
#include <memory>
#include <optional>

int main(int argc, char* argv[]) {
    // --help and --version must work without a display, so the options are read before the
    // window system is touched.
    std::optional<tavo::CommandLine> parsed;
    {
        const QCoreApplication early(argc, argv);
        parsed = tavo::parseCommandLine(QCoreApplication::arguments());
    }
    const tavo::CommandLine options = *parsed;

    QApplication app(argc, argv);
    // Lets docks and task bars link the window to its desktop entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("tavo-panel"));
    tavo::installLookAndFeel();
    tavo::quitOnTerminationSignals(app);

    tavo::MainWindow window;

    QStringList devices = tavo::HostSerialPort::defaultDevices();
    while (devices.size() < 2) {
        devices.append(QString());
    }
    if (!options.com1.isEmpty()) {
        devices[0] = options.com1;
    }
    if (!options.com2.isEmpty()) {
        devices[1] = options.com2;
    }
    std::unique_ptr<tavo::PtyProjector> projector;
    if (options.simulate) {
        QString error;
        projector = tavo::PtyProjector::create({}, &error);
        if (!projector) {
            window.showStartupError(error.toStdString());
            return 1;
        }
        devices[0] = projector->devicePath();
    }

    tavo::HostSerialPort port(devices);
    tavo::PanelLogic logic(window, port);
    // What a device server on the network reports (lost, back, speed set on the server) goes to the
    // status line like the logic's own notes.
    QObject::connect(&port, &tavo::HostSerialPort::notice, &window, [&window](const QString& text) {
        window.setLabelText(tavo::Control::StatusLine, " " + text.toStdString());
    });
    window.setLogic(&logic);
    // The window outlives the logic; no event may reach the logic once it is gone.
    const auto detach = qScopeGuard([&window] { window.setLogic(nullptr); });

    if (!logic.start()) {
        return 1;
    }
    if (tavo::terminationRequested()) {
        return 0;
    }
    window.show();
    return QApplication::exec();
}
