// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Key codes and shift states as the logic's key-down handler takes them: letters and digits keep
// their character code (H is 72), the other keys the usual virtual-key numbers; the shift state
// is a mask of 1 Shift, 2 Ctrl and 4 Alt.

#include <Qt>

namespace tavo {

// Zero for keys that have no code of their own.
[[nodiscard]] int keyCodeFor(int qtKey);
[[nodiscard]] int shiftStateFor(Qt::KeyboardModifiers modifiers);

} // namespace tavo
