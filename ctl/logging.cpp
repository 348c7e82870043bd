// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/logging.h"

namespace tavo::ctl {

Q_LOGGING_CATEGORY(lcCtl, "tavo.ctl", QtWarningMsg)

} // namespace tavo::ctl
