// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the panel shows of itself: where the window opens, its three heights (collapsed, with the
// data pane, the full view of Ctrl+H) with the pane button's caption, and the port panel, which
// hides itself a few seconds after COM.

#include "core/ports/panel.h"

#include <string_view>

namespace tavo {

// Outer window heights in twips, title bar and frame included.
inline constexpr double kCollapsedHeight = 5350;
inline constexpr double kDataPaneHeight = 6645;
inline constexpr double kFullHeight = 7000;
inline constexpr double kPaneThreshold = 6000;

inline constexpr std::string_view kShowDataCaption = "データを表示する";
inline constexpr std::string_view kHideDataCaption = "データを表示しない";
inline constexpr std::string_view kFullViewCaption = "CLOSE";

// Key-down shift state bits.
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;
inline constexpr int kKeyH = 72;

class ViewState {
public:
    explicit ViewState(Panel& panel) : panel_(panel) {}

    // Start-up: the window is placed for the full layout, then collapsed.
    void place();
    // COM: the port panel is shown for five seconds from now.
    void showPortPanel();
    // The tick of the port panel's hide timer.
    void hidePortPanel();
    // The pane button: collapsed or with the data pane; the port panel's count starts afresh.
    void toggleDataPane();
    // Every key press. Shift state: 1 Shift, 2 Ctrl, 4 Alt.
    void keyDown(int keyCode, int shiftState);

private:
    Panel& panel_;
};

} // namespace tavo
