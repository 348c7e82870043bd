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

// The exchange log's rows are wide and its newest rows are what is read, so it goes beside the
// panel only where it keeps kLogMinimumWidth, else as a band below or above the panel where that
// shows kLogMinimumHeight of it, else where the help would go.
inline constexpr int kLogMinimumWidth = 560;
inline constexpr int kLogMinimumHeight = 180;

[[nodiscard]] QRect placeLog(const QRect& panel, const QSize& wanted, const QRect& available);

} // namespace tavo
