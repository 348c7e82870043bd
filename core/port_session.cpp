// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/port_session.h"

#include "core/line_settings.h"
#include "core/wording.h"

#include <utility>

namespace tavo {

namespace {

int otherPort(int port) {
    return port == 1 ? 2 : 1;
}

} // namespace

PortSession::PortSession(Panel& panel, SerialPort& port, Notices& notices, Conversation& conversation)
    : panel_(panel), port_(port), notices_(notices), conversation_(conversation) {}

void PortSession::start() {
    lineSettings_ = kSettings19200;
    openAtStartUp();
}

// The first open, and each one the start-up error's Retry asks for.
void PortSession::openAtStartUp() {
    const PortResult<Opening> result = openFirstPort();
    if (result.error) {
        log(*result.error);
        askAtStartUp(*result.error);
        return;
    }
    if (result.value == Opening::Done) {
        logOpened();
    }
    if (!windowShown_) {
        finishStartUp();
    } else if (result.value == Opening::InProgress) {
        awaitOpening(SessionState::OpeningAtStartUp, 1);
    } else {
        state_ = SessionState::Settled;
    }
}

void PortSession::finishStartUp() {
    panel_.selectOption(Control::Com1Option);
    changePort(1, 2);
    // The port change closed the first open and opened again: only that second open connects, and
    // its failure is a failure of the start-up.
    if (state_ == SessionState::OpeningForChange) {
        state_ = SessionState::OpeningAtStartUp;
    }
    windowShown_ = true;
    panel_.showWindow();
}

PortResult<Opening> PortSession::openFirstPort() {
    if (PortError failure = setPortNumber(1)) {
        return {.value = Opening::Done, .error = std::move(failure)};
    }
    if (PortError failure = port_.setLineSettings(lineSettings_)) {
        return {.value = Opening::Done, .error = std::move(failure)};
    }
    return port_.open();
}

void PortSession::choosePort(int port) {
    changePort(port, otherPort(port));
}

void PortSession::devicesChanged() {
    changePort(chosenPort_, otherPort(chosenPort_));
}

void PortSession::changePort(int chosen, int fallback) {
    chosenPort_ = chosen;
    // A new open replaces one in progress, whose end is then never told, and a question still
    // open, whose answer then changes nothing.
    state_ = SessionState::Settled;
    // A notice about the device last open no longer applies once the port opens anew or fails.
    notices_.clear();
    const PortResult<Opening> result = reopenAs(chosen);
    if (result.error) {
        log(*result.error);
        askAfterChange(*result.error, fallback);
    } else if (result.value == Opening::InProgress) {
        awaitOpening(SessionState::OpeningForChange, fallback);
    } else {
        logOpened();
        panel_.setVisible(Control::PortPanel, false);
    }
}

PortResult<Opening> PortSession::reopenAs(int number) {
    // Nothing sent before can be answered once the port closes and opens anew.
    conversation_.portReset();
    const PortResult<bool> open = port_.isOpen();
    if (open.error) {
        return {.value = Opening::Done, .error = open.error};
    }
    if (open.value) {
        if (PortError failure = port_.close()) {
            return {.value = Opening::Done, .error = std::move(failure)};
        }
    }
    if (PortError failure = setPortNumber(number)) {
        return {.value = Opening::Done, .error = std::move(failure)};
    }
    return port_.open();
}

PortError PortSession::setPortNumber(int number) {
    PortError failure = port_.setPortNumber(number);
    if (!failure) {
        conversation_.log.setPort("COM" + std::to_string(number));
    }
    return failure;
}

void PortSession::logOpened() {
    log(fillIn(panel_.wordsOf(TAVO_PHRASE("tavo::PanelLogic", "Opened %1, %2.")),
               {port_.describePort(), describeLine(lineSettings_, panel_)}));
}

void PortSession::log(std::string_view text) {
    conversation_.log.portEvent(text);
}

void PortSession::awaitOpening(SessionState opening, int fallback) {
    state_ = opening;
    fallback_ = fallback;
    const std::string what = port_.describeOpening();
    log(what);
    notices_.showProgress(what);
}

bool PortSession::opening() const {
    return state_ == SessionState::OpeningAtStartUp || state_ == SessionState::OpeningForChange;
}

void PortSession::opened() {
    if (!opening()) {
        return;
    }
    state_ = SessionState::Settled;
    logOpened();
    notices_.clear();
    panel_.setVisible(Control::PortPanel, false);
}

void PortSession::openFailed() {
    if (!opening()) {
        return;
    }
    const std::string text = port_.describe(PortEvent::OpenFailed);
    log(text);
    notices_.clear();
    if (state_ == SessionState::OpeningAtStartUp) {
        askAtStartUp(text);
    } else {
        askAfterChange(text, fallback_);
    }
}

void PortSession::askAtStartUp(const std::string& text) {
    state_ = SessionState::AskingAtStartUp;
    panel_.showStartupError(text);
}

void PortSession::askAfterChange(const std::string& text, int fallback) {
    state_ = SessionState::AskingAfterChange;
    fallback_ = fallback;
    // The port panel still shows the port that failed while the warning asks about it.
    panel_.showPortWarning(text);
}

void PortSession::answered(PortFailureChoice choice) {
    switch (state_) {
    case SessionState::AskingAtStartUp:
        if (choice == PortFailureChoice::Retry) {
            openAtStartUp();
        } else {
            state_ = SessionState::Ended;
            gaveUpAtStartUp_ = true;
            panel_.endProgram();
        }
        break;
    case SessionState::AskingAfterChange:
        fallBack(choice);
        break;
    default:
        // The question was replaced by a port change meanwhile.
        break;
    }
}

void PortSession::fallBack(PortFailureChoice choice) {
    state_ = SessionState::Settled;
    (void)setPortNumber(fallback_);
    if (choice == PortFailureChoice::Retry) {
        changePort(chosenPort_, fallback_);
    } else {
        // The port stays closed on the fallback number, and the panel says so rather than showing
        // the choice that failed; choosing that one again tries it again. A notice of lines not
        // sent meanwhile named the port that failed.
        notices_.clear();
        settleOn(fallback_);
    }
}

void PortSession::settleOn(int port) {
    chosenPort_ = port;
    panel_.selectOption(port == 1 ? Control::Com1Option : Control::Com2Option);
}

void PortSession::cancelOpening() {
    if (!opening()) {
        return;
    }
    const std::string what = port_.describeOpening();
    const bool portChange = state_ == SessionState::OpeningForChange;
    state_ = SessionState::Settled;
    (void)port_.close();
    notices_.clear();
    const std::string cancelled = fillIn(panel_.wordsOf(TAVO_PHRASE("tavo::PanelLogic", "Cancelled: %1")), {what});
    log(cancelled);
    if (portChange) {
        (void)setPortNumber(fallback_);
        settleOn(fallback_);
    }
    panel_.setLabelText(Control::StatusLine, " " + cancelled);
}

void PortSession::changeSpeed(const LineSettings& settings) {
    lineSettings_ = settings;
    if (const PortError failure = port_.setLineSettings(lineSettings_)) {
        log(*failure);
        panel_.showWarning(*failure);
    } else {
        log(fillIn(panel_.wordsOf(TAVO_PHRASE("tavo::PanelLogic", "Line set to %1.")),
                   {describeLine(lineSettings_, panel_)}));
    }
    panel_.setVisible(Control::PortPanel, false);
}

void PortSession::end() {
    state_ = SessionState::Ended;
    conversation_.portReset();
    // Nothing goes to the projector first; a port already closed stays closed.
    (void)port_.close();
    panel_.endProgram();
}

void PortSession::portEvent(PortEvent event) {
    switch (event) {
    case PortEvent::Opened:
        opened();
        break;
    case PortEvent::OpenFailed:
        openFailed();
        break;
    case PortEvent::DeviceLost:
    case PortEvent::DeviceBack:
        deviceEvent(event);
        break;
    case PortEvent::SettingsRefused:
        log(port_.describe(event));
        panel_.showWarning(port_.describe(event));
        break;
    case PortEvent::Notice:
        log(port_.describe(event));
        panel_.setLabelText(Control::StatusLine, " " + port_.describe(event));
        break;
    case PortEvent::Received:
    case PortEvent::LineError:
        break;
    }
}

void PortSession::deviceEvent(PortEvent event) {
    if (event == PortEvent::DeviceLost) {
        conversation_.portReset();
    }
    const std::string text = port_.describe(event);
    log(text);
    notices_.show(text, event == PortEvent::DeviceLost ? Notice::Lasting : Notice::Passing);
    panel_.setLabelText(Control::StatusLine, " " + text);
}

} // namespace tavo
