// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the window's device choices do to the program's serial line. The window offers them (the
// device chooser, "Try Without a Projector"); the program, which owns the port and the simulated
// projector, carries them out.

#include "serial/device_settings.h"
#include "serial/port_label.h"

#include <QString>

namespace tavo {

class DeviceActions {
public:
    virtual ~DeviceActions() = default;

    // The devices COM1 and COM2 stand for in this run.
    [[nodiscard]] virtual DeviceChoice devices() const = 0;
    // For this run only; saving is the chooser's business.
    virtual void setDevices(const DeviceChoice& choice) = 0;
    // Puts the built-in simulated projector behind COM1 for this run: empty on success, else why
    // it could not be started.
    [[nodiscard]] virtual QString useSimulatedProjector() = 0;
    // The device the simulated projector is served on in this run, or empty.
    [[nodiscard]] virtual QString simulatedDevice() const = 0;
};

} // namespace tavo
