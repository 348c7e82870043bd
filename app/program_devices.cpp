// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program_devices.h"

namespace tavo::panel {

DeviceChoice ProgramDevices::devices() const {
    const QStringList devices = port_.devices();
    return {.com1 = devices.value(0), .com2 = devices.value(1)};
}

void ProgramDevices::setDevices(const DeviceChoice& choice) {
    port_.setDevices({choice.com1, choice.com2});
}

QString ProgramDevices::useSimulatedProjector() {
    QString error;
    if (!projector_) {
        projector_ = PtyProjector::create({}, &error);
    }
    if (!projector_) {
        return error;
    }
    // The texts call it by that name, never by its pseudo-terminal.
    port_.setSimulatedDevice(projector_->devicePath());
    DeviceChoice choice = devices();
    choice.com1 = projector_->devicePath();
    setDevices(choice);
    return {};
}

QString ProgramDevices::simulatedDevice() const {
    return projector_ ? projector_->devicePath() : QString();
}

} // namespace tavo::panel
