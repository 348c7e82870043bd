// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The serial layer's logging categories, silent below warnings unless switched on, e.g. with
// QT_LOGGING_RULES="tavo.serial.debug=true;tavo.network.debug=true".

#include <QLoggingCategory>

namespace tavo {

Q_DECLARE_LOGGING_CATEGORY(lcSerial)
Q_DECLARE_LOGGING_CATEGORY(lcNetwork)

} // namespace tavo
