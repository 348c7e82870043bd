#include "core/form.h"

#include "core/commands.h"
#include "core/rendering.h"
#include "core/status_decoding.h"

#include <algorithm>

namespace tavo {

namespace {

constexpr std::uint8_t kSendMode = 1;
constexpr std::uint8_t kReceiveMode = 2;

constexpr Intervals kAfterRelease{.replyWait = 500, .displayClear = 1000};

std::string commandLine(std::string_view code) {
    std::string line(code);
    line += kCarriageReturn;
    return line;
}

} // namespace

Form1::Form1(Panel& panel, SerialPort& port) : panel_(panel), port_(port) {
    port_.setCommHandler([this](int eventCode) { commEvent(eventCode); });
}

Form1::~Form1() {
    port_.setCommHandler(nullptr);
}

bool Form1::load() {
    commSettings_ = kSettings19200;

    // The top is computed from the full-layout height before the window is collapsed, so the
    // collapsed window sits above the centre; the arithmetic is single precision.
    const ScreenSize screen = panel_.screenSize();
    const float left = (static_cast<float>(screen.width) - static_cast<float>(panel_.outerWidth())) / 2.0F;
    const float top = (static_cast<float>(screen.height) - static_cast<float>(panel_.outerHeight())) / 2.0F;
    panel_.setPosition(left, top);
    panel_.setOuterHeight(kCollapsedHeight);

    heldButton_ = 0;
    replyPending_ = 0;
    receiveBuffer_.clear();

    PortError failure = port_.setPortNumber(1);
    if (!failure) {
        failure = port_.setSettings(commSettings_);
    }
    if (!failure) {
        failure = port_.open();
    }
    if (failure) {
        panel_.showStartupError(*failure);
        panel_.endProgram();
        return false;
    }

    panel_.selectOption(Control::Option1);
    portChange(1, 2);
    return true;
}

void Form1::click(Control control) {
    if (const OneShotButton* button = findOneShot(control)) {
        sendOneShot(*button);
        return;
    }
    switch (control) {
    case Control::Command33:
        showPortPanel();
        break;
    case Control::Option1:
        portChange(1, 2);
        break;
    case Control::Option2:
        portChange(2, 1);
        break;
    case Control::Option3:
        speedChange(kSettings19200);
        break;
    case Control::Option4:
        speedChange(kSettings9600);
        break;
    case Control::Command16:
        endClicked();
        break;
    case Control::Command34:
        toggleDataPane();
        break;
    default:
        break;
    }
}

void Form1::press(Control control) {
    if (const HoldButton* button = findHold(control)) {
        pressHold(*button);
    }
}

void Form1::release(Control control) {
    if (const HoldButton* button = findHold(control)) {
        releaseHold(*button);
    }
}

void Form1::holdCancelled() {
    if (const HoldButton* button = findHoldByRepeatNumber(heldButton_)) {
        releaseHold(*button);
    }
}

void Form1::timerTick(TimerId timer) {
    switch (timer) {
    case TimerId::Timer1:
        repeatTick();
        break;
    case TimerId::Timer2:
        replyWaitTick();
        break;
    case TimerId::Timer3:
        portPanelTick();
        break;
    case TimerId::Timer4:
        displayClearTick();
        break;
    }
}

void Form1::commEvent(int eventCode) {
    if (eventCode != kCommEventReceive) {
        return;
    }
    PortResult<std::string> input = port_.readAll();
    if (input.error) {
        panel_.setLabelText(Control::Label25, " " + *input.error);
        return;
    }
    // Past the limit the rest of the burst is read and dropped, so the port never backs up.
    const std::size_t room = kReceiveBufferLimit - std::min(kReceiveBufferLimit, receiveBuffer_.size());
    receiveBuffer_.append(input.value, 0, room);
    replyPending_ = 0;
    hyouji(receiveBuffer_, kReceiveMode);
}

void Form1::keyDown(int keyCode, int shiftState) {
    if ((shiftState & (kShiftMask | kCtrlMask | kAltMask)) == kCtrlMask && keyCode == kKeyH) {
        panel_.setOuterHeight(kFullHeight);
        panel_.setCaption(Control::Command34, kFullViewCaption);
        panel_.setVisible(Control::Command34, true);
    }
}

void Form1::hyouji(std::string_view text, std::uint8_t mode) {
    if (mode == kSendMode) {
        // A failed write must neither end the program nor stop a hold: it is told in the status
        // line, which a hold repeating every few milliseconds can afford, unlike a dialog.
        if (const PortError failure = port_.write(text)) {
            panel_.setLabelText(Control::Label25, " Not sent: " + *failure);
        }
        panel_.setLabelText(Control::Label11, visibleRendering(text));
        panel_.setTimerEnabled(TimerId::Timer2, true);
        replyPending_ = 1;
        panel_.setTimerEnabled(TimerId::Timer4, true);
        return;
    }
    const std::string rendering = visibleRendering(text);
    panel_.setLabelText(Control::Label12, rendering);
    if (const auto status = decodeStatus(lastSentLine_, rendering)) {
        panel_.setLabelText(Control::Label25, *status);
    }
}

void Form1::sendOneShot(const OneShotButton& button) {
    if (button.intervals) {
        setIntervals(*button.intervals);
    }
    lastSentLine_ = commandLine(button.code);
    hyouji(lastSentLine_, kSendMode);
    if (button.after == AfterSend::EnterMenuContext) {
        panel_.setTimerInterval(TimerId::Timer1, kMenuRepeatInterval);
        cursorPadMode_ = kCursorPadMenu;
    }
}

void Form1::pressHold(const HoldButton& button) {
    if (!button.timing) {
        if (cursorPadMode_ == kCursorPadMenu) {
            setIntervals(kMenuArrowIntervals);
        } else if (cursorPadMode_ == kCursorPadDigitalZoom) {
            setIntervals(kDigitalZoomArrowIntervals);
        }
    }
    heldButton_ = button.repeatNumber;
    lastSentLine_ = commandLine(button.code);
    hyouji(lastSentLine_, kSendMode);
    // Other hold buttons set their intervals after the send; the running reply wait and display
    // clear restart with the new values.
    if (button.timing) {
        panel_.setTimerInterval(TimerId::Timer1, button.timing->repeat);
        setIntervals({.replyWait = button.timing->replyWait, .displayClear = button.timing->displayClear});
    }
    panel_.setTimerEnabled(TimerId::Timer1, true);
}

void Form1::releaseHold(const HoldButton& button) {
    heldButton_ = 0;
    panel_.setTimerEnabled(TimerId::Timer1, false);
    panel_.setTimerEnabled(TimerId::Timer2, false);
    panel_.setTimerEnabled(TimerId::Timer4, true);
    panel_.setLabelText(Control::Label11, "");
    panel_.setLabelText(Control::Label12, "");
    setIntervals(kAfterRelease);
    receiveBuffer_.clear();
    if (button.release == OnRelease::EnterDigitalZoomContext) {
        panel_.setTimerInterval(TimerId::Timer1, kDigitalZoomRepeatInterval);
        cursorPadMode_ = kCursorPadDigitalZoom;
    }
}

void Form1::repeatTick() {
    const HoldButton* button = findHoldByRepeatNumber(heldButton_);
    if (button == nullptr) {
        return;
    }
    lastSentLine_ = commandLine(button->code);
    hyouji(lastSentLine_, kSendMode);
    panel_.setTimerEnabled(TimerId::Timer1, true);
}

void Form1::replyWaitTick() {
    if (replyPending_ == 1) {
        panel_.setLabelText(Control::Label12, kNoReplyMarker);
    }
    panel_.setTimerEnabled(TimerId::Timer2, false);
    receiveBuffer_.clear();
    replyPending_ = 0;
}

void Form1::displayClearTick() {
    panel_.setLabelText(Control::Label11, "");
    panel_.setLabelText(Control::Label12, "");
    panel_.setLabelText(Control::Label25, "");
    panel_.setTimerEnabled(TimerId::Timer4, false);
}

void Form1::portChange(int chosen, int fallback) {
    bool wasOpen = false;
    PortError failure;
    const PortResult<bool> open = port_.isOpen();
    if (open.error) {
        failure = open.error;
    } else if (open.value) {
        wasOpen = true;
        failure = port_.close();
    }
    if (!failure) {
        failure = port_.setPortNumber(chosen);
    }
    if (!failure && wasOpen) {
        failure = port_.open();
    }
    if (failure) {
        panel_.showWarning(*failure);
        // The port stays closed on the fallback number; the user's choice stays selected.
        (void)port_.setPortNumber(fallback);
        return;
    }
    panel_.setVisible(Control::Frame8, false);
}

void Form1::speedChange(std::string_view settings) {
    commSettings_ = settings;
    if (const PortError failure = port_.setSettings(commSettings_)) {
        panel_.showWarning(*failure);
    }
    panel_.setVisible(Control::Frame8, false);
}

void Form1::showPortPanel() {
    panel_.setVisible(Control::Frame8, true);
    // A second press gives the full five seconds again.
    panel_.setTimerEnabled(TimerId::Timer3, false);
    panel_.setTimerEnabled(TimerId::Timer3, true);
}

void Form1::portPanelTick() {
    panel_.setVisible(Control::Frame8, false);
    panel_.setTimerEnabled(TimerId::Timer3, false);
}

void Form1::toggleDataPane() {
    panel_.setTimerEnabled(TimerId::Timer3, false);
    if (panel_.outerHeight() < kPaneThreshold) {
        panel_.setOuterHeight(kDataPaneHeight);
        panel_.setCaption(Control::Command34, kHideDataCaption);
    } else {
        panel_.setOuterHeight(kCollapsedHeight);
        panel_.setCaption(Control::Command34, kShowDataCaption);
    }
    panel_.setTimerEnabled(TimerId::Timer3, true);
}

void Form1::endClicked() {
    // Nothing goes to the projector first; a port already closed stays closed.
    (void)port_.close();
    panel_.endProgram();
}

void Form1::setIntervals(const Intervals& intervals) {
    panel_.setTimerInterval(TimerId::Timer2, intervals.replyWait);
    panel_.setTimerInterval(TimerId::Timer4, intervals.displayClear);
}

} // namespace tavo
