// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What assistive technology and the help window say about a control, derived from the layout and
// command tables: the name is the group's title and the caption ("POWER ON", "VOL +"), or the
// table's own spoken name where a caption is only a symbol; the description is what the button
// sends or does.

#include "core/ports/controls.h"

#include <QString>
#include <string_view>

namespace tavo {

// The title of the group a button sits in (its frame's title, or the free label over it); empty
// where there is none. Blanks are trimmed and runs of blanks fold into one.
[[nodiscard]] QString groupTitle(Control control);

// The name for a control showing `caption` (which only the pane button ever changes). Empty for
// labels that are read by their text.
[[nodiscard]] QString accessibleNameFor(Control control, std::string_view caption);

// What a button or option sends or does ("Sends C00", "Repeats C09 while held"); empty for the
// other controls.
[[nodiscard]] QString accessibleDescriptionFor(Control control, std::string_view caption);

} // namespace tavo
