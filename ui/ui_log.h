// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window's logging category, tavo.ui: what it measured, showed and placed where nothing else
// would say so. Quiet unless switched on, e.g. QT_LOGGING_RULES="tavo.ui.debug=true".

#include <QLoggingCategory>

namespace tavo {

Q_DECLARE_LOGGING_CATEGORY(lcUi)

} // namespace tavo
