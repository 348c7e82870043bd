// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/view_state.h"

namespace tavo {

void ViewState::place() {
    // The top is computed from the full-layout height before the window is collapsed, so the
    // collapsed window sits above the centre; the arithmetic is single precision.
    const ScreenSize screen = panel_.screenSize();
    const float left = (static_cast<float>(screen.width) - static_cast<float>(panel_.outerWidth())) / 2.0F;
    const float top = (static_cast<float>(screen.height) - static_cast<float>(panel_.outerHeight())) / 2.0F;
    panel_.setPosition(left, top);
    panel_.setOuterHeight(kCollapsedHeight);
}

void ViewState::showPortPanel() {
    panel_.setVisible(Control::PortPanel, true);
    // A second press gives the full five seconds again.
    panel_.setTimerEnabled(TimerId::PortPanelHide, false);
    panel_.setTimerEnabled(TimerId::PortPanelHide, true);
}

void ViewState::hidePortPanel() {
    panel_.setVisible(Control::PortPanel, false);
    panel_.setTimerEnabled(TimerId::PortPanelHide, false);
}

void ViewState::toggleDataPane() {
    panel_.setTimerEnabled(TimerId::PortPanelHide, false);
    if (panel_.outerHeight() < kPaneThreshold) {
        panel_.setOuterHeight(kDataPaneHeight);
        panel_.setCaption(Control::PaneButton, kHideDataCaption);
    } else {
        panel_.setOuterHeight(kCollapsedHeight);
        panel_.setCaption(Control::PaneButton, kShowDataCaption);
    }
    panel_.setTimerEnabled(TimerId::PortPanelHide, true);
}

void ViewState::keyDown(int keyCode, int shiftState) {
    if ((shiftState & (kShiftMask | kCtrlMask | kAltMask)) == kCtrlMask && keyCode == kKeyH) {
        panel_.setOuterHeight(kFullHeight);
        panel_.setCaption(Control::PaneButton, kFullViewCaption);
        panel_.setVisible(Control::PaneButton, true);
    }
}

} // namespace tavo
