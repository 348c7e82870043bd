// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ports/serial_port.h"

#include <string>

namespace tavo {

// The settings as people write them: speed, parity letter, data bits and stop bits, separated by
// commas without blanks, such as "19200,N,8,1".
[[nodiscard]] std::string toText(const LineSettings& settings);

} // namespace tavo
