// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/panel_logic.h"

namespace tavo {

PanelLogic::PanelLogic(Panel& panel, SerialPort& port)
    : port_(port), conversation_(port, panel.clock()), notices_(panel), monitor_(panel, conversation_, notices_),
      buttons_(panel, monitor_, conversation_.power, notices_), view_(panel),
      session_(panel, port, notices_, conversation_) {
    port_.setEventHandler([this](PortEvent event) { portEvent(event); });
}

PanelLogic::~PanelLogic() {
    port_.setEventHandler(nullptr);
}

void PanelLogic::start() {
    view_.place();
    buttons_.reset();
    monitor_.reset();
    session_.start();
}

void PanelLogic::answered(PortFailureChoice choice) {
    session_.answered(choice);
}

void PanelLogic::devicesChanged() {
    session_.devicesChanged();
}

void PanelLogic::cancelOpening() {
    session_.cancelOpening();
}

void PanelLogic::click(Control control) {
    if (buttons_.click(control)) {
        return;
    }
    switch (control) {
    case Control::PortButton:
        view_.showPortPanel();
        break;
    case Control::Com1Option:
        session_.choosePort(1);
        break;
    case Control::Com2Option:
        session_.choosePort(2);
        break;
    case Control::Speed19200Option:
        session_.changeSpeed(kSettings19200);
        break;
    case Control::Speed9600Option:
        session_.changeSpeed(kSettings9600);
        break;
    case Control::EndButton:
        session_.end();
        break;
    case Control::PaneButton:
        view_.toggleDataPane();
        break;
    default:
        break;
    }
}

void PanelLogic::press(Control control) {
    buttons_.press(control);
}

void PanelLogic::release(Control control) {
    buttons_.release(control);
}

void PanelLogic::holdCancelled() {
    buttons_.holdCancelled();
}

void PanelLogic::timerTick(TimerId timer) {
    switch (timer) {
    case TimerId::HoldRepeat:
        buttons_.repeat();
        break;
    case TimerId::ReplyWait:
        monitor_.replyWaitEnded();
        break;
    case TimerId::PortPanelHide:
        view_.hidePortPanel();
        break;
    case TimerId::DisplayClear:
        monitor_.displayCleared();
        break;
    }
}

void PanelLogic::portEvent(PortEvent event) {
    switch (event) {
    case PortEvent::Received:
        monitor_.received();
        break;
    case PortEvent::DeviceLost:
        // Nothing the held button repeats can reach the projector any more.
        buttons_.holdCancelled();
        session_.portEvent(event);
        break;
    default:
        session_.portEvent(event);
        break;
    }
}

void PanelLogic::keyDown(int keyCode, int shiftState) {
    view_.keyDown(keyCode, shiftState);
}

} // namespace tavo
