// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one place that knows the kinds of device: a name with a network scheme is a device server on
// the network, anything else a serial device of this computer.

#include "serial/device.h"

#include <memory>

namespace tavo {

[[nodiscard]] std::unique_ptr<Device> makeDevice(const QString& name);

} // namespace tavo
