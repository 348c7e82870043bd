// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// tavo-ctl's logging category, silent below warnings unless switched on with
// QT_LOGGING_RULES="tavo.ctl.debug=true".

#include <QLoggingCategory>

namespace tavo::ctl {

Q_DECLARE_LOGGING_CATEGORY(lcCtl)

} // namespace tavo::ctl
