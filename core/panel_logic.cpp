// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/panel_logic.h"

#include "core/rendering.h"
#include "core/status_decoding.h"

#include <algorithm>

namespace tavo {

namespace {

constexpr Intervals kAfterRelease{.replyWait = 500, .displayClear = 1000};

std::string commandLine(std::string_view code) {
    std::string line(code);
    line += kCarriageReturn;
    return line;
}

} // namespace

PanelLogic::PanelLogic(Panel& panel, SerialPort& port) : panel_(panel), port_(port) {
    port_.setEventHandler([this](int eventCode) { portEvent(eventCode); });
}

PanelLogic::~PanelLogic() {
    port_.setEventHandler(nullptr);
}

bool PanelLogic::start() {
    lineSettings_ = kSettings19200;

    // The top is computed from the full-layout height before the window is collapsed, so the
    // collapsed window sits above the centre; the arithmetic is single precision.
    const ScreenSize screen = panel_.screenSize();
    const float left = (static_cast<float>(screen.width) - static_cast<float>(panel_.outerWidth())) / 2.0F;
    const float top = (static_cast<float>(screen.height) - static_cast<float>(panel_.outerHeight())) / 2.0F;
    panel_.setPosition(left, top);
    panel_.setOuterHeight(kCollapsedHeight);

    heldButton_ = HoldButton::None;
    replyPending_ = false;
    emptyReceiveBuffer();

    PortError failure = openFirstPort();
    while (failure) {
        if (panel_.showStartupError(*failure) != PortFailureChoice::Retry) {
            panel_.endProgram();
            return false;
        }
        failure = openFirstPort();
    }

    panel_.selectOption(Control::Com1Option);
    changePort(1, 2);
    return true;
}

PortError PanelLogic::openFirstPort() {
    PortError failure = port_.setPortNumber(1);
    if (!failure) {
        failure = port_.setLineSettings(lineSettings_);
    }
    if (!failure) {
        failure = port_.open();
    }
    return failure;
}

void PanelLogic::devicesChanged() {
    changePort(chosenPort_, chosenPort_ == 1 ? 2 : 1);
}

void PanelLogic::cancelOpening() {
    (void)port_.close();
}

void PanelLogic::click(Control control) {
    if (const OneShotCommand* command = findOneShot(control)) {
        sendOneShot(*command);
        return;
    }
    switch (control) {
    case Control::PortButton:
        showPortPanel();
        break;
    case Control::Com1Option:
        changePort(1, 2);
        break;
    case Control::Com2Option:
        changePort(2, 1);
        break;
    case Control::Speed19200Option:
        changeSpeed(kSettings19200);
        break;
    case Control::Speed9600Option:
        changeSpeed(kSettings9600);
        break;
    case Control::EndButton:
        end();
        break;
    case Control::PaneButton:
        toggleDataPane();
        break;
    default:
        break;
    }
}

void PanelLogic::press(Control control) {
    if (const HoldCommand* command = findHold(control)) {
        pressHold(*command);
    }
}

void PanelLogic::release(Control control) {
    if (const HoldCommand* command = findHold(control)) {
        releaseHold(*command);
    }
}

void PanelLogic::holdCancelled() {
    if (const HoldCommand* command = findHold(heldButton_)) {
        releaseHold(*command);
    }
}

void PanelLogic::timerTick(TimerId timer) {
    switch (timer) {
    case TimerId::HoldRepeat:
        repeatHeldCommand();
        break;
    case TimerId::ReplyWait:
        endReplyWait();
        break;
    case TimerId::PortPanelHide:
        hidePortPanel();
        break;
    case TimerId::DisplayClear:
        clearDisplay();
        break;
    }
}

void PanelLogic::portEvent(int eventCode) {
    if (eventCode == kPortEventDeviceLost || eventCode == kPortEventDeviceBack) {
        deviceEvent(eventCode);
        return;
    }
    if (eventCode != kPortEventReceive) {
        return;
    }
    PortResult<std::string> input = port_.readAll();
    if (input.error) {
        panel_.setLabelText(Control::StatusLine, " " + *input.error);
        return;
    }
    // Past the limit the rest of the burst is read and dropped, so the port never backs up.
    const std::size_t room = kReceiveBufferLimit - std::min(kReceiveBufferLimit, receiveBuffer_.size());
    receiveBuffer_.append(input.value, 0, room);
    replyPending_ = false;
    showReceived();
}

void PanelLogic::deviceEvent(int eventCode) {
    const std::string text = port_.describeEvent(eventCode);
    if (eventCode == kPortEventDeviceLost) {
        // Nothing the held button repeats can reach the projector any more.
        holdCancelled();
        panel_.showNotice(text, Notice::Lasting);
    } else {
        panel_.showNotice(text, Notice::Passing);
    }
    panel_.setLabelText(Control::StatusLine, " " + text);
}

void PanelLogic::keyDown(int keyCode, int shiftState) {
    if ((shiftState & (kShiftMask | kCtrlMask | kAltMask)) == kCtrlMask && keyCode == kKeyH) {
        panel_.setOuterHeight(kFullHeight);
        panel_.setCaption(Control::PaneButton, kFullViewCaption);
        panel_.setVisible(Control::PaneButton, true);
    }
}

void PanelLogic::sendLine(std::string_view line) {
    // Whatever arrives from here on answers this line; what came before does not.
    replyStart_ = receiveBuffer_.size();
    // A failed write must neither end the program nor stop a hold: it is told in the status line,
    // which a hold repeating every few milliseconds can afford, unlike a dialog.
    if (const PortError failure = port_.write(line)) {
        panel_.setLabelText(Control::StatusLine, " Not sent: " + *failure);
    }
    panel_.setLabelText(Control::TxdField, visibleRendering(line));
    panel_.setTimerEnabled(TimerId::ReplyWait, true);
    replyPending_ = true;
    panel_.setTimerEnabled(TimerId::DisplayClear, true);
}

void PanelLogic::showReceived() {
    panel_.setLabelText(Control::RxdField, visibleRendering(receiveBuffer_));
    const std::string_view reply = std::string_view(receiveBuffer_).substr(replyStart_);
    if (const auto status = decodeStatus(lastSentLine_, visibleRendering(reply))) {
        panel_.setLabelText(Control::StatusLine, *status);
    }
}

void PanelLogic::emptyReceiveBuffer() {
    receiveBuffer_.clear();
    replyStart_ = 0;
}

void PanelLogic::sendOneShot(const OneShotCommand& command) {
    if (command.intervals) {
        setIntervals(*command.intervals);
    }
    lastSentLine_ = commandLine(command.code);
    sendLine(lastSentLine_);
    if (command.after == AfterSend::EnterMenuContext) {
        panel_.setTimerInterval(TimerId::HoldRepeat, kMenuRepeatInterval);
        cursorPadContext_ = CursorPadContext::Menu;
    }
}

void PanelLogic::pressHold(const HoldCommand& command) {
    if (!command.timing) {
        if (cursorPadContext_ == CursorPadContext::Menu) {
            setIntervals(kMenuArrowIntervals);
        } else if (cursorPadContext_ == CursorPadContext::DigitalZoom) {
            setIntervals(kDigitalZoomArrowIntervals);
        }
    }
    heldButton_ = command.button;
    lastSentLine_ = commandLine(command.code);
    sendLine(lastSentLine_);
    // Other hold buttons set their intervals after the send; the running reply wait and display
    // clear restart with the new values.
    if (command.timing) {
        panel_.setTimerInterval(TimerId::HoldRepeat, command.timing->repeat);
        setIntervals({.replyWait = command.timing->replyWait, .displayClear = command.timing->displayClear});
    }
    panel_.setTimerEnabled(TimerId::HoldRepeat, true);
}

void PanelLogic::releaseHold(const HoldCommand& command) {
    heldButton_ = HoldButton::None;
    panel_.setTimerEnabled(TimerId::HoldRepeat, false);
    panel_.setTimerEnabled(TimerId::ReplyWait, false);
    panel_.setTimerEnabled(TimerId::DisplayClear, true);
    panel_.setLabelText(Control::TxdField, "");
    panel_.setLabelText(Control::RxdField, "");
    setIntervals(kAfterRelease);
    emptyReceiveBuffer();
    if (command.release == OnRelease::EnterDigitalZoomContext) {
        panel_.setTimerInterval(TimerId::HoldRepeat, kDigitalZoomRepeatInterval);
        cursorPadContext_ = CursorPadContext::DigitalZoom;
    }
}

void PanelLogic::repeatHeldCommand() {
    const HoldCommand* command = findHold(heldButton_);
    if (command == nullptr) {
        return;
    }
    lastSentLine_ = commandLine(command->code);
    sendLine(lastSentLine_);
    panel_.setTimerEnabled(TimerId::HoldRepeat, true);
}

void PanelLogic::endReplyWait() {
    if (replyPending_) {
        panel_.setLabelText(Control::RxdField, kNoReplyMarker);
    }
    panel_.setTimerEnabled(TimerId::ReplyWait, false);
    emptyReceiveBuffer();
    replyPending_ = false;
}

void PanelLogic::clearDisplay() {
    panel_.setLabelText(Control::TxdField, "");
    panel_.setLabelText(Control::RxdField, "");
    panel_.setLabelText(Control::StatusLine, "");
    panel_.setTimerEnabled(TimerId::DisplayClear, false);
}

void PanelLogic::changePort(int chosen, int fallback) {
    chosenPort_ = chosen;
    // A notice about the device last open no longer applies once the port opens anew or fails.
    panel_.clearNotice();
    for (;;) {
        const PortError failure = reopenAs(chosen);
        if (!failure) {
            panel_.setVisible(Control::PortPanel, false);
            return;
        }
        const PortFailureChoice choice = panel_.showPortWarning(*failure);
        // The port stays closed on the fallback number; the user's choice stays selected, and
        // choosing it again tries it again.
        (void)port_.setPortNumber(fallback);
        if (choice != PortFailureChoice::Retry) {
            return;
        }
    }
}

PortError PanelLogic::reopenAs(int number) {
    const PortResult<bool> open = port_.isOpen();
    if (open.error) {
        return open.error;
    }
    if (open.value) {
        if (PortError failure = port_.close()) {
            return failure;
        }
    }
    if (PortError failure = port_.setPortNumber(number)) {
        return failure;
    }
    return port_.open();
}

void PanelLogic::changeSpeed(const LineSettings& settings) {
    lineSettings_ = settings;
    if (const PortError failure = port_.setLineSettings(lineSettings_)) {
        panel_.showWarning(*failure);
    }
    panel_.setVisible(Control::PortPanel, false);
}

void PanelLogic::showPortPanel() {
    panel_.setVisible(Control::PortPanel, true);
    // A second press gives the full five seconds again.
    panel_.setTimerEnabled(TimerId::PortPanelHide, false);
    panel_.setTimerEnabled(TimerId::PortPanelHide, true);
}

void PanelLogic::hidePortPanel() {
    panel_.setVisible(Control::PortPanel, false);
    panel_.setTimerEnabled(TimerId::PortPanelHide, false);
}

void PanelLogic::toggleDataPane() {
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

void PanelLogic::end() {
    // Nothing goes to the projector first; a port already closed stays closed.
    (void)port_.close();
    panel_.endProgram();
}

void PanelLogic::setIntervals(const Intervals& intervals) {
    panel_.setTimerInterval(TimerId::ReplyWait, intervals.replyWait);
    panel_.setTimerInterval(TimerId::DisplayClear, intervals.displayClear);
}

} // namespace tavo
