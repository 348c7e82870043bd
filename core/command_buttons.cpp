// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/command_buttons.h"

#include "core/operation_model.h"

#include <string>

namespace tavo {

namespace {

constexpr Intervals kAfterRelease{.replyWait = 500, .displayClear = 1000};

std::string commandLine(std::string_view code) {
    std::string line(code);
    line += kCarriageReturn;
    return line;
}

} // namespace

bool CommandButtons::click(Control control) {
    const OneShotCommand* command = findOneShot(control);
    if (command == nullptr) {
        return false;
    }
    sendOneShot(*command);
    return true;
}

void CommandButtons::press(Control control) {
    if (const HoldCommand* command = findHold(control)) {
        pressHold(*command);
    }
}

void CommandButtons::release(Control control) {
    if (const HoldCommand* command = findHold(control)) {
        releaseHold(*command);
    }
}

void CommandButtons::holdCancelled() {
    if (const HoldCommand* command = findHold(heldButton_)) {
        releaseHold(*command);
    }
}

void CommandButtons::repeat() {
    const HoldCommand* command = findHold(heldButton_);
    if (command == nullptr) {
        return;
    }
    monitor_.send(commandLine(command->code), Attempt::Repeat);
    panel_.setTimerEnabled(TimerId::HoldRepeat, true);
}

void CommandButtons::sendOneShot(const OneShotCommand& command) {
    if (command.intervals) {
        monitor_.setIntervals(*command.intervals);
    }
    const std::string line = commandLine(command.code);
    const std::optional<PowerReadingAge> reading = power_.phase();
    if (monitor_.send(line, Attempt::First) && reading &&
        decide(command.control, reading->phase) == Decision::Ignored) {
        notices_.tellIgnored(line, whyIgnored(command.control, reading->phase, panel_), reading->ageMs);
    }
    if (command.after == AfterSend::EnterMenuContext) {
        panel_.setTimerInterval(TimerId::HoldRepeat, kMenuRepeatInterval);
        cursorPadContext_ = CursorPadContext::Menu;
    }
}

void CommandButtons::pressHold(const HoldCommand& command) {
    if (!command.timing) {
        if (cursorPadContext_ == CursorPadContext::Menu) {
            monitor_.setIntervals(kMenuArrowIntervals);
        } else if (cursorPadContext_ == CursorPadContext::DigitalZoom) {
            monitor_.setIntervals(kDigitalZoomArrowIntervals);
        }
    }
    heldButton_ = command.button;
    monitor_.send(commandLine(command.code), Attempt::First);
    // Other hold buttons set their intervals after the send; the running reply wait and display
    // clear restart with the new values.
    if (command.timing) {
        panel_.setTimerInterval(TimerId::HoldRepeat, command.timing->repeat);
        monitor_.setIntervals({.replyWait = command.timing->replyWait, .displayClear = command.timing->displayClear});
    }
    panel_.setTimerEnabled(TimerId::HoldRepeat, true);
}

void CommandButtons::releaseHold(const HoldCommand& command) {
    heldButton_ = HoldButton::None;
    panel_.setTimerEnabled(TimerId::HoldRepeat, false);
    monitor_.endHold(kAfterRelease);
    if (command.release == OnRelease::EnterDigitalZoomContext) {
        panel_.setTimerInterval(TimerId::HoldRepeat, kDigitalZoomRepeatInterval);
        cursorPadContext_ = CursorPadContext::DigitalZoom;
    }
}

} // namespace tavo
