// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ports/serial_port.h"
#include "core/ports/wording.h"

#include <string>

namespace tavo {

// The settings as people write them: speed, parity letter, data bits and stop bits, separated by
// commas without blanks, such as "19200,N,8,1".
[[nodiscard]] std::string toText(const LineSettings& settings);

// The settings as a technician reads them beside a device: "19200 baud, 8N1".
[[nodiscard]] std::string describeLine(const LineSettings& settings, const Wording& wording);

} // namespace tavo
