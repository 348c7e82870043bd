// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The port's life in the panel: the open at start-up, the port and speed changes with their
// fallback, opens that go on in the background and their cancel, the questions a failed open asks
// and where each answer leads, the comings and goings of the device, and the close at the end.
//
// Nothing here waits for the user: a question is asked and the handler returns; the answer comes
// later as an event of its own (answered()), and whatever happens meanwhile (a tick, an event of
// the port) finds the session in a state of its own. An answer to a question no longer asked is
// ignored.
//
// The exchange log hears of the port's life from here: which port the rows are about, each open,
// failure, loss and return, and the line's speed.

#include "core/conversation.h"
#include "core/notices.h"
#include "core/ports/panel.h"
#include "core/ports/serial_port.h"

#include <cstdint>
#include <string>

namespace tavo {

// The projector takes no parity, 8 data bits and 1 stop bit at one of two speeds.
inline constexpr LineSettings kSettings19200{.baud = 19200};
inline constexpr LineSettings kSettings9600{.baud = 9600};

enum class SessionState : std::uint8_t {
    // Nothing in progress: the port is open, or closed after a failure.
    Settled,
    // An open goes on in the background; its end is told as the start-up's or a port change's.
    OpeningAtStartUp,
    OpeningForChange,
    // The start-up error is shown: Retry opens port 1 again, Quit ends the program.
    AskingAtStartUp,
    // The warning of a failed port change is shown: OK falls back, Retry changes to the port again.
    AskingAfterChange,
    // The program was ended.
    Ended,
};

class PortSession {
public:
    PortSession(Panel& panel, SerialPort& port, Notices& notices, Conversation& conversation);

    // The serial half of the start-up: port 1 at 19200 baud is opened, and COM1 selected, which
    // opens it again as a port change does. The window is shown once the first open has gone
    // through; while it cannot, the start-up error is asked, before the window is ever shown.
    void start();
    // COM1 or COM2 chosen in the port panel.
    void choosePort(int port);
    // The user chose anew which devices COM1 and COM2 stand for: the port chosen last is opened
    // again, as a port change would.
    void devicesChanged();
    void changeSpeed(const LineSettings& settings);
    // The user cancelled the open in progress: the port is closed and the open ends as a failure
    // the user chose, told in the status line without a question. Does nothing when none runs.
    void cancelOpening();
    // The user's answer to the question asked last.
    void answered(PortFailureChoice choice);
    // END: the port is closed, nothing is written, and the program ends.
    void end();
    // Every event of the port but Received.
    void portEvent(PortEvent event);

    [[nodiscard]] SessionState state() const { return state_; }
    [[nodiscard]] const LineSettings& lineSettings() const { return lineSettings_; }
    // Whether the user gave up on the start-up: the program ends as one whose port failed.
    [[nodiscard]] bool gaveUpAtStartUp() const { return gaveUpAtStartUp_; }

private:
    void openAtStartUp();
    void finishStartUp();
    void changePort(int chosen, int fallback);
    void awaitOpening(SessionState opening, int fallback);
    void opened();
    void openFailed();
    void askAtStartUp(const std::string& text);
    void askAfterChange(const std::string& text, int fallback);
    void fallBack(PortFailureChoice choice);
    // After a failed port change: the panel shows the port the number fell back to, and that port
    // is the one a new choice of devices opens again.
    void settleOn(int port);
    void deviceEvent(PortEvent event);
    [[nodiscard]] bool opening() const;
    [[nodiscard]] PortResult<Opening> openFirstPort();
    [[nodiscard]] PortResult<Opening> reopenAs(int number);
    PortError setPortNumber(int number);
    // What the log records of the port.
    void logOpened();
    void log(std::string_view text);

    Panel& panel_;
    SerialPort& port_;
    Notices& notices_;
    Conversation& conversation_;

    SessionState state_ = SessionState::Settled;
    LineSettings lineSettings_;
    // The port last chosen in the panel, even if it failed to open.
    int chosenPort_ = 1;
    // The port number a port change in progress, or asking, falls back to when it fails.
    int fallback_ = 1;
    bool windowShown_ = false;
    bool gaveUpAtStartUp_ = false;
};

} // namespace tavo
