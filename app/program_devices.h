// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window's device choices carried out on the panel's port: the devices COM1 and COM2 stand
// for in this run, and the simulated projector, which lives as long as this does.

#include "serial/com_ports.h"
#include "simulator/pty_projector.h"
#include "ui/device_actions.h"

#include <memory>

namespace tavo::panel {

class ProgramDevices final : public DeviceActions {
public:
    explicit ProgramDevices(ComPorts& port) : port_(port) {}

    [[nodiscard]] DeviceChoice devices() const override;
    void setDevices(const DeviceChoice& choice) override;
    [[nodiscard]] QString useSimulatedProjector() override;
    [[nodiscard]] QString simulatedDevice() const override;

private:
    ComPorts& port_;
    std::unique_ptr<PtyProjector> projector_;
};

} // namespace tavo::panel
