// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The application-wide look the panel is drawn with: the style that honours the tabled button
// faces, and the stand-ins for the two Japanese faces. Call once, before any widget exists.

namespace tavo {

void installLookAndFeel();

} // namespace tavo
