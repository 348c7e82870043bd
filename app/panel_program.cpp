// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel_program.h"

#include "serial/device_factory.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <utility>

namespace tavo::panel {

PanelProgram::PanelProgram(PanelOptions options)
    : options_(std::move(options)), run_(devicesForRun({.com1 = options_.com1, .com2 = options_.com2})),
      port_({run_.devices.com1, run_.devices.com2}, makeDevice, advisor_), devices_(port_), logic_(window_, port_) {
    window_.setLogic(&logic_);
    if (!run_.settingsProblem.isEmpty()) {
        QTextStream(stderr) << QCoreApplication::applicationName() << ": " << run_.settingsProblem << Qt::endl;
        window_.showProgramNotice(run_.settingsProblem);
    }
}

PanelProgram::~PanelProgram() {
    window_.setLogic(nullptr);
    window_.setDeviceActions(nullptr);
}

void PanelProgram::start() {
    startUp();
}

void PanelProgram::startUp() {
    if (options_.simulate) {
        if (const QString error = devices_.useSimulatedProjector(); !error.isEmpty()) {
            window_.askAtStartUp(error, [this](PortFailureChoice choice) {
                if (choice == PortFailureChoice::Retry) {
                    startUp();
                } else {
                    gaveUp_ = true;
                    QCoreApplication::quit();
                }
            });
            return;
        }
    }
    window_.setDeviceActions(&devices_);
    logic_.start();
}

int PanelProgram::exitCode(int loopCode) const {
    return gaveUp_ || logic_.gaveUpAtStartUp() ? 1 : loopCode;
}

} // namespace tavo::panel
