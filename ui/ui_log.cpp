// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ui_log.h"

namespace tavo {

Q_LOGGING_CATEGORY(lcUi, "tavo.ui", QtWarningMsg)

} // namespace tavo
