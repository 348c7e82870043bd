// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The text of the help window, in simple rich text: what the groups do, the keys, where settings
// live, the version and the licence. The button list is generated from the control catalog and the
// command tables, so the codes shown are the codes sent.

#include <QString>

namespace tavo {

// `version` is shown as given; an empty one is left out. `device` names the port, device and line
// in use where the help tells of devices; an empty one is left out.
[[nodiscard]] QString helpText(const QString& version, const QString& device = {});

} // namespace tavo
