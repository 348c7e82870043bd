// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"
#include "core/panel_logic.h"
#include "process/termination_signals.h"
#include "process/translations.h"
#include "serial/com_ports.h"
#include "serial/device_factory.h"
#include "serial/device_settings.h"
#include "simulator/pty_projector.h"
#include "ui/device_actions.h"
#include "ui/look.h"
#include "ui/main_window.h"
#include "ui/panel_port_advisor.h"

#include <QApplication>
#include <QScopeGuard>
#include <QTextStream>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

// The window's device choices carried out on the panel's port; the simulated projector lives as
// long as this does.
class ProgramDevices final : public tavo::DeviceActions {
public:
    explicit ProgramDevices(tavo::ComPorts& port) : port_(port) {}

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
        port_.setSimulatedDevice(projector_->devicePath());
        tavo::DeviceChoice choice = devices();
        choice.com1 = projector_->devicePath();
        setDevices(choice);
        return {};
    }
    [[nodiscard]] QString simulatedDevice() const override { return projector_ ? projector_->devicePath() : QString(); }

private:
    tavo::ComPorts& port_;
    std::unique_ptr<tavo::PtyProjector> projector_;
};

} // namespace

int main(int argc, char* argv[]) {
    // --help and --version must work without a display, so the options are read before the
    // window system is touched.
    std::optional<tavo::CommandLine> parsed;
    {
        QCoreApplication early(argc, argv);
        tavo::installTranslations(early);
        parsed = tavo::parseCommandLine(QCoreApplication::arguments());
    }
    const tavo::CommandLine options = *parsed;

    QApplication app(argc, argv);
    tavo::installTranslations(app);
    // Lets docks and task bars link the window to its desktop entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("tavo-panel"));
    tavo::installLookAndFeel();
    tavo::quitOnTerminationSignals(app);

    tavo::MainWindow window;

    const tavo::RunDevices run = tavo::devicesForRun({.com1 = options.com1, .com2 = options.com2});
    if (!run.settingsProblem.isEmpty()) {
        QTextStream(stderr) << QCoreApplication::applicationName() << ": " << run.settingsProblem << Qt::endl;
    }
    const tavo::PanelPortAdvisor advisor;
    tavo::ComPorts port({run.devices.com1, run.devices.com2}, tavo::makeDevice, advisor);
    ProgramDevices deviceActions(port);
    if (options.simulate) {
        for (QString error = deviceActions.useSimulatedProjector(); !error.isEmpty();
             error = deviceActions.useSimulatedProjector()) {
            if (window.showStartupError(error.toStdString()) != tavo::PortFailureChoice::Retry) {
                return 1;
            }
        }
    }
    window.setDeviceActions(&deviceActions);

    tavo::PanelLogic logic(window, port);
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
    if (!run.settingsProblem.isEmpty()) {
        window.showProgramNotice(run.settingsProblem);
    }
    window.show();
    const int code = QApplication::exec();
    // A start-up open that failed later ends the program as one that failed at once does.
    return logic.gaveUpAtStartUp() ? 1 : code;
}
