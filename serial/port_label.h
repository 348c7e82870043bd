// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How the texts name a port: by the COM number the user chose, with its device where there is
// one ("COM1 (/dev/ttyS0)"), or by the device alone where the user named the device itself
// ("/tmp/x"). The built-in simulated projector is named as such, never by its pseudo-terminal.

#include <QString>
#include <cstdint>

namespace tavo {

enum class PortNaming : std::uint8_t {
    // The user chose COM1 or COM2 (the panel; tavo-ctl's --com1, --com2 or its default).
    ComNumber,
    // The user named the device (tavo-ctl's --device, the bridge's argument).
    Device,
};

// "COM1 (/dev/ttyS0)", or "COM1" when the device is not known; with PortNaming::Device the device
// as given, or "COM1" when it is empty.
[[nodiscard]] QString portLabel(int portNumber, const QString& device, PortNaming naming = PortNaming::ComNumber);

// What every text calls the built-in simulated projector instead of its pseudo-terminal's name.
[[nodiscard]] QString simulatedProjectorName();

} // namespace tavo
