// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The panel's logic: every event handler of the window and the serial port, each handed to the
// part whose job it is. The window and the serial port reach it only through the handlers below,
// and it reaches them only through the two ports. Every handler runs to completion on the UI
// thread, and none waits for the user: a question's answer is an event of its own.
//
// The parts: the conversation (the one exchange engine every line goes through, its log and the
// power state it last told), the notices (what the notice over the window's lower edge tells), the
// reply monitor (the command / reply flow), the command buttons (one-shot and hold), the view state
// (placement, heights, the port panel) and the port session (the port's life, with the questions
// it asks).

#include "core/command_buttons.h"
#include "core/commands.h"
#include "core/conversation.h"
#include "core/notices.h"
#include "core/port_session.h"
#include "core/ports/controls.h"
#include "core/ports/panel.h"
#include "core/ports/serial_port.h"
#include "core/reply_monitor.h"
#include "core/view_state.h"

#include <string>

namespace tavo {

class PanelLogic {
public:
    PanelLogic(Panel& panel, SerialPort& port);
    ~PanelLogic();
    PanelLogic(const PanelLogic&) = delete;
    PanelLogic& operator=(const PanelLogic&) = delete;

    // The start-up sequence, run before the window is first shown. It returns at once; the window
    // is shown (Panel::showWindow) once the port has been opened or its open is in progress.
    // While the port cannot be opened the start-up error asks the user, and giving up there ends
    // the program before the window is ever shown.
    void start();
    // The user's answer to the question the logic asked last (the port warning, the start-up
    // error), whichever way its dialog was closed.
    void answered(PortFailureChoice choice);
    // The user chose anew which devices COM1 and COM2 stand for: the port chosen in the panel is
    // opened again on its device, as a port change would.
    void devicesChanged();
    // The user cancelled the open in progress; does nothing when none is running.
    void cancelOpening();

    // A click or keyboard activation of a button or option button. Hold buttons ignore it.
    void click(Control control);
    // Pointer press and release on a hold button, with any mouse button. Others ignore them.
    void press(Control control);
    void release(Control control);
    // The hold can no longer end with a release (pointer grab lost, window deactivated, program
    // ending): stop exactly as a release of the held button would. Does nothing when idle.
    void holdCancelled();

    void timerTick(TimerId timer);
    // The serial port's event notification.
    void portEvent(PortEvent event);
    // Every key press, before the focused control sees it. Shift state: 1 Shift, 2 Ctrl, 4 Alt.
    void keyDown(int keyCode, int shiftState);

    // The logic's state, readable for the window and the tests.
    [[nodiscard]] const LineSettings& lineSettings() const { return session_.lineSettings(); }
    [[nodiscard]] const std::string& receiveBuffer() const { return monitor_.receiveBuffer(); }
    [[nodiscard]] const std::string& lastSentLine() const { return monitor_.lastSentLine(); }
    [[nodiscard]] bool replyPending() const { return monitor_.replyPending(); }
    [[nodiscard]] HoldButton heldButton() const { return buttons_.heldButton(); }
    [[nodiscard]] CursorPadContext cursorPadContext() const { return buttons_.cursorPadContext(); }
    [[nodiscard]] SessionState sessionState() const { return session_.state(); }
    // Whether the user gave up on the start-up: the program then ends as one whose port failed.
    [[nodiscard]] bool gaveUpAtStartUp() const { return session_.gaveUpAtStartUp(); }
    // The record of every exchange since the start, for the exchange log's window, which may set
    // its change handler.
    [[nodiscard]] ExchangeLog& exchangeLog() { return conversation_.log; }

private:
    SerialPort& port_;
    Conversation conversation_;
    Notices notices_;
    ReplyMonitor monitor_;
    CommandButtons buttons_;
    ViewState view_;
    PortSession session_;
};

} // namespace tavo
