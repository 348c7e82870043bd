// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/logging.h"

namespace tavo {

Q_LOGGING_CATEGORY(lcSerial, "tavo.serial", QtWarningMsg)
Q_LOGGING_CATEGORY(lcNetwork, "tavo.network", QtWarningMsg)

} // namespace tavo
