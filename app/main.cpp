// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"
#include "core/panel_logic.h"
#include "process/termination_signals.h"
#include "serial/device_list.h"
#include "serial/device_settings.h"
#include "serial/host_serial_port.h"
#include "simulator/pty_projector.h"
#include "ui/device_actions.h"
#include "ui/look.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QScopeGuard>
#include <memory>
#include <optional>

namespace {

// The window's device choices carried out on the panel's port; the simulated projector lives as
// long as this does.
class ProgramDevices final : public tavo::DeviceActions {
public:
    explicit ProgramDevices(tavo::HostSerialPort& port) : port_(port) {}

    [[nodiscard]] tavo::DeviceChoice devices() const override {
        const QStringList devices = port_.devices();
        return {.com1 = devices.value(0), .com2 = devices.value(1)};
    }
    void setDevices(const tavo::DeviceChoice& choice) override { port_.setDevices({choice.com1, choice.com2}); }
    [[nodiscard]] QString useSimulatedProjector() override {
        QString error;
        if (!projector_) {
            projector_ = tavo::PtyProjector::create({}, &error);
        }
        if (!projector_) {
            return error;
        }
        tavo::DeviceChoice choice = devices();
        choice.com1 = projector_->devicePath();
        setDevices(choice);
        return {};
    }

private:
    tavo::HostSerialPort& port_;
    std::unique_ptr<tavo::PtyProjector> projector_;
};

} // namespace

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

    const QStringList defaults = tavo::HostSerialPort::defaultDevices();
    QStringList present;
    for (const tavo::SerialDevice& device : tavo::presentDevices()) {
        present << device.preferredPath();
    }
    const tavo::DeviceChoice devices =
        tavo::resolveDevices({.com1 = options.com1, .com2 = options.com2}, tavo::loadSavedDevices(), present,
                             {.com1 = defaults.value(0), .com2 = defaults.value(1)});

    tavo::HostSerialPort port({devices.com1, devices.com2});
    ProgramDevices deviceActions(port);
    if (options.simulate) {
        const QString error = deviceActions.useSimulatedProjector();
        if (!error.isEmpty()) {
            (void)window.showStartupError(error.toStdString());
            return 1;
        }
    }
    window.setDeviceActions(&deviceActions);

    tavo::PanelLogic logic(window, port);
    // What a device server on the network reports (lost, back, speed set on the server) goes to the
    // status line like the logic's own notes.
    QObject::connect(&port, &tavo::HostSerialPort::notice, &window, [&window](const QString& text) {
        window.setLabelText(tavo::Control::StatusLine, " " + text.toStdString());
    });
    window.setLogic(&logic);
    // The window outlives the logic; no event may reach the logic once it is gone.
    const auto detach = qScopeGuard([&window] {
        window.setLogic(nullptr);
        window.setDeviceActions(nullptr);
    });

    if (!logic.start()) {
        return 1;
    }
    if (tavo::terminationRequested()) {
        return 0;
    }
    window.show();
    return QApplication::exec();
}
