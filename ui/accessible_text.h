// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What assistive technology and the help window say about a control, made from the control
// catalog: the name is the group's title and the caption ("POWER ON", "VOL +"), or the catalog's
// own spoken name where a caption is only a symbol; the description is what the button sends or
// does.

#include "core/ports/controls.h"

#include <QString>
#include <QStringList>
#include <string_view>

namespace tavo {

// The catalog's title of the group a control belongs to, as spoken: blanks are trimmed and runs of
// blanks fold into one. Empty where there is none.
[[nodiscard]] QString spokenGroupTitle(Control control);

// The name for a control showing `caption` (which only the pane button ever changes). Empty for
// labels that are read by their text.
[[nodiscard]] QString accessibleNameFor(Control control, std::string_view caption);

// What a button or option sends or does ("Sends C00", "Repeats C09 while held"); empty for the
// other controls.
[[nodiscard]] QString accessibleDescriptionFor(Control control, std::string_view caption);

// The same in parts, for a layout that sets the code apart from the words: the code sent (empty
// where the control sends none), whether it repeats while held, and the further effects, or what
// the control does instead of sending ("the reply is decoded into the status line", "Shows the
// port panel").
struct ControlEffect {
    QString code;
    bool repeatsWhileHeld = false;
    QStringList remarks;
};
[[nodiscard]] ControlEffect controlEffectFor(Control control, std::string_view caption);

} // namespace tavo
