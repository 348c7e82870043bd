// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/panel_logic.h"

#include "core/rendering.h"
#include "core/reply_judgement.h"
#include "core/status_decoding.h"
#include "core/wording.h"

#include <algorithm>
#include <utility>

namespace tavo {

namespace {

constexpr Intervals kAfterRelease{.replyWait = 500, .displayClear = 1000};

// How much of an unexpected reply the status line's remark quotes.
constexpr std::size_t kRemarkQuotedBytes = 48;

std::string commandLine(std::string_view code) {
    std::string line(code);
    line += kCarriageReturn;
    return line;
}

} // namespace

PanelLogic::PanelLogic(Panel& panel, SerialPort& port) : panel_(panel), port_(port) {
    port_.setEventHandler([this](PortEvent event) { portEvent(event); });
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

    PortResult<Opening> first = openFirstPort();
    while (first.error) {
        if (panel_.showStartupError(*first.error) != PortFailureChoice::Retry) {
            panel_.endProgram();
            return false;
        }
        first = openFirstPort();
    }

    panel_.selectOption(Control::Com1Option);
    changePort(1, 2);
    // The port change closed the first open and opened again: only that second open connects, and
    // its failure is a failure of the start-up.
    if (opening_ == OpenPurpose::PortChange) {
        opening_ = OpenPurpose::StartUp;
    }
    return true;
}

PortResult<Opening> PanelLogic::openFirstPort() {
    if (PortError failure = port_.setPortNumber(1)) {
        return {.value = Opening::Done, .error = std::move(failure)};
    }
    if (PortError failure = port_.setLineSettings(lineSettings_)) {
        return {.value = Opening::Done, .error = std::move(failure)};
    }
    return port_.open();
}

void PanelLogic::devicesChanged() {
    changePort(chosenPort_, chosenPort_ == 1 ? 2 : 1);
}

void PanelLogic::cancelOpening() {
    if (opening_ == OpenPurpose::None) {
        return;
    }
    const std::string what = port_.describeOpening();
    const bool portChange = opening_ == OpenPurpose::PortChange;
    opening_ = OpenPurpose::None;
    (void)port_.close();
    clearNotice();
    if (portChange) {
        (void)port_.setPortNumber(openingFallback_);
        settleOn(openingFallback_);
    }
    panel_.setLabelText(Control::StatusLine,
                        " " + fillIn(panel_.wordsOf(TAVO_PHRASE("tavo::PanelLogic", "Cancelled: %1")), {what}));
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

void PanelLogic::portEvent(PortEvent event) {
    switch (event) {
    case PortEvent::Received:
        receive();
        break;
    case PortEvent::LineError:
        break;
    case PortEvent::Opened:
        openCompleted();
        break;
    case PortEvent::OpenFailed:
        openFailed();
        break;
    case PortEvent::DeviceLost:
    case PortEvent::DeviceBack:
        deviceEvent(event);
        break;
    case PortEvent::SettingsRefused:
        panel_.showWarning(port_.describe(event));
        break;
    case PortEvent::Notice:
        panel_.setLabelText(Control::StatusLine, " " + port_.describe(event));
        break;
    }
}

void PanelLogic::receive() {
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

void PanelLogic::deviceEvent(PortEvent event) {
    const std::string text = port_.describe(event);
    if (event == PortEvent::DeviceLost) {
        // Nothing the held button repeats can reach the projector any more.
        holdCancelled();
        showNotice(text, Notice::Lasting);
    } else {
        showNotice(text, Notice::Passing);
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
    send(line, Attempt::First);
}

void PanelLogic::send(std::string_view line, Attempt attempt) {
    // Whatever arrives from here on answers this line; what came before does not.
    replyStart_ = receiveBuffer_.size();
    // A failed write must neither end the program nor stop a hold, so it is told without a dialog.
    // Nothing went out: TXD shows no line and no reply is awaited, while the display clear runs as
    // after any send and takes the status line's report with it.
    if (const PortError failure = port_.write(line)) {
        tellNotSent(line, *failure, attempt);
        panel_.setLabelText(Control::TxdField, "");
        panel_.setTimerEnabled(TimerId::DisplayClear, true);
        return;
    }
    notSentInARow_ = 0;
    if (noticeTellsNotSent_) {
        clearNotice();
    }
    panel_.setLabelText(Control::TxdField, visibleRendering(line));
    panel_.setTimerEnabled(TimerId::ReplyWait, true);
    replyPending_ = true;
    panel_.setTimerEnabled(TimerId::DisplayClear, true);
}

void PanelLogic::tellNotSent(std::string_view line, const std::string& reason, Attempt attempt) {
    // A hold repeating every few milliseconds counts and tells its first line only.
    const bool told = attempt == Attempt::First || notSentInARow_ == 0;
    if (told) {
        ++notSentInARow_;
    }
    const std::string_view code = line.substr(0, line.find(kCarriageReturn));
    // The count makes each click that is not sent change what the notice says.
    const std::string text =
        notSentInARow_ > 1
            ? fillIn(panel_.wordsOf(TAVO_PHRASE("tavo::PanelLogic", "Not sent: %1 (%2 in a row). %3")),
                     {code, std::to_string(notSentInARow_), reason})
            : fillIn(panel_.wordsOf(TAVO_PHRASE("tavo::PanelLogic", "Not sent: %1. %2")), {code, reason});
    panel_.setLabelText(Control::StatusLine, " " + text);
    if (told) {
        // An open in progress keeps its notice's kind, so that it can still be cancelled there.
        panel_.showNotice(text, opening_ == OpenPurpose::None ? Notice::Lasting : Notice::Progress);
        noticeTellsNotSent_ = true;
    }
}

void PanelLogic::showNotice(std::string_view text, Notice kind) {
    notSentInARow_ = 0;
    noticeTellsNotSent_ = false;
    panel_.showNotice(text, kind);
}

void PanelLogic::clearNotice() {
    notSentInARow_ = 0;
    noticeTellsNotSent_ = false;
    panel_.clearNotice();
}

void PanelLogic::settleOn(int port) {
    chosenPort_ = port;
    panel_.selectOption(port == 1 ? Control::Com1Option : Control::Com2Option);
}

void PanelLogic::showReceived() {
    panel_.setLabelText(Control::RxdField, visibleRendering(receiveBuffer_));
    const std::string_view reply = std::string_view(receiveBuffer_).substr(replyStart_);
    if (const auto status = decodeStatus(lastSentLine_, visibleRendering(reply))) {
        panel_.setLabelText(Control::StatusLine, *status);
    }
    remarkOnStatusReply(reply);
}

// The status line shows what the decoder makes of any reply; whether the reply is one the
// projector gives at all is told beside it, once the reply has its CR.
void PanelLogic::remarkOnStatusReply(std::string_view reply) {
    if (!statusReadOf(lastSentLine_) || reply.find(kCarriageReturn) == std::string_view::npos) {
        return;
    }
    const ReplyJudgement judgement = judgeReply(lastSentLine_, reply);
    if (judgement.verdict != ReplyVerdict::Unexpected) {
        panel_.setLabelRemark(Control::StatusLine, "");
        return;
    }
    std::string quoted = spelledOut(reply.substr(0, kRemarkQuotedBytes));
    if (reply.size() > kRemarkQuotedBytes) {
        quoted += "\u2026";
    }
    panel_.setLabelRemark(
        Control::StatusLine,
        fillIn(panel_.wordsOf(TAVO_PHRASE("tavo::PanelLogic", "Unexpected reply %1 to %2; expected %3.")),
               {quoted, spelledOut(lastSentLine_), expectedReply(lastSentLine_, 1, panel_)}));
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
    send(lastSentLine_, Attempt::Repeat);
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
    // A new open replaces one in progress, whose end is then never told.
    opening_ = OpenPurpose::None;
    // A notice about the device last open no longer applies once the port opens anew or fails.
    clearNotice();
    for (;;) {
        const PortResult<Opening> result = reopenAs(chosen);
        if (!result.error) {
            if (result.value == Opening::InProgress) {
                awaitOpening(OpenPurpose::PortChange, fallback);
            } else {
                panel_.setVisible(Control::PortPanel, false);
            }
            return;
        }
        const PortFailureChoice choice = panel_.showPortWarning(*result.error);
        (void)port_.setPortNumber(fallback);
        if (choice != PortFailureChoice::Retry) {
            // The port stays closed on the fallback number, and the panel says so rather than
            // showing the choice that failed; choosing that one again tries it again.
            settleOn(fallback);
            return;
        }
    }
}

void PanelLogic::retryStartUp() {
    for (;;) {
        const PortResult<Opening> result = openFirstPort();
        if (!result.error) {
            if (result.value == Opening::InProgress) {
                awaitOpening(OpenPurpose::StartUp, 1);
            }
            return;
        }
        if (panel_.showStartupError(*result.error) != PortFailureChoice::Retry) {
            gaveUpAtStartUp_ = true;
            panel_.endProgram();
            return;
        }
    }
}

void PanelLogic::awaitOpening(OpenPurpose purpose, int fallback) {
    opening_ = purpose;
    openingFallback_ = fallback;
    showNotice(port_.describeOpening(), Notice::Progress);
}

void PanelLogic::openCompleted() {
    if (opening_ == OpenPurpose::None) {
        return;
    }
    opening_ = OpenPurpose::None;
    clearNotice();
    panel_.setVisible(Control::PortPanel, false);
}

void PanelLogic::openFailed() {
    const OpenPurpose purpose = std::exchange(opening_, OpenPurpose::None);
    if (purpose == OpenPurpose::None) {
        return;
    }
    const std::string text = port_.describe(PortEvent::OpenFailed);
    clearNotice();
    if (purpose == OpenPurpose::StartUp) {
        if (panel_.showStartupError(text) != PortFailureChoice::Retry) {
            gaveUpAtStartUp_ = true;
            panel_.endProgram();
            return;
        }
        retryStartUp();
        return;
    }
    const int fallback = openingFallback_;
    const PortFailureChoice choice = panel_.showPortWarning(text);
    (void)port_.setPortNumber(fallback);
    if (choice == PortFailureChoice::Retry) {
        changePort(chosenPort_, fallback);
    } else {
        settleOn(fallback);
    }
}

PortResult<Opening> PanelLogic::reopenAs(int number) {
    const PortResult<bool> open = port_.isOpen();
    if (open.error) {
        return {.value = Opening::Done, .error = open.error};
    }
    if (open.value) {
        if (PortError failure = port_.close()) {
            return {.value = Opening::Done, .error = std::move(failure)};
        }
    }
    if (PortError failure = port_.setPortNumber(number)) {
        return {.value = Opening::Done, .error = std::move(failure)};
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
    opening_ = OpenPurpose::None;
    // Nothing goes to the projector first; a port already closed stays closed.
    (void)port_.close();
    panel_.endProgram();
}

void PanelLogic::setIntervals(const Intervals& intervals) {
    panel_.setTimerInterval(TimerId::ReplyWait, intervals.replyWait);
    panel_.setTimerInterval(TimerId::DisplayClear, intervals.displayClear);
}

} // namespace tavo
