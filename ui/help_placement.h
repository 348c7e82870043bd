// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the help window goes: beside the panel on the side with more room, narrowed down to a
// readable width if it must be, so that both stay in view; where no side has that room, where it
// covers least of the panel. It always lies within the screen's available area. A plain function
// of the rectangles, all frames included, in device-independent pixels.

#include <QRect>
#include <QSize>

namespace tavo {

// The narrowest the help is made to fit beside the panel.
inline constexpr int kHelpMinimumWidth = 280;
// Room left between the panel and the help beside it.
inline constexpr int kHelpGap = 8;

[[nodiscard]] QRect placeHelp(const QRect& panel, const QSize& wanted, const QRect& available);

} // namespace tavo
