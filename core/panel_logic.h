// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The panel's logic: its state and every event handler of the window. The window and the serial
// port reach it only through the handlers below, and it reaches them only through the two ports.
// Every handler runs to completion on the UI thread.

#include "core/commands.h"
#include "core/ports/controls.h"
#include "core/ports/panel.h"
#include "core/ports/serial_port.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavo {

// The projector takes no parity, 8 data bits and 1 stop bit at one of two speeds.
inline constexpr LineSettings kSettings19200{.baud = 19200};
inline constexpr LineSettings kSettings9600{.baud = 9600};

// Outer window heights in twips, title bar and frame included.
inline constexpr double kCollapsedHeight = 5350;
inline constexpr double kDataPaneHeight = 6645;
inline constexpr double kFullHeight = 7000;
inline constexpr double kPaneThreshold = 6000;

inline constexpr std::string_view kNoReplyMarker = " X X X X";
inline constexpr std::string_view kShowDataCaption = "データを表示する";
inline constexpr std::string_view kHideDataCaption = "データを表示しない";
inline constexpr std::string_view kFullViewCaption = "CLOSE";

// The receive buffer keeps at most this many characters, like the port's own receive buffer: a
// device that never pauses must not make each arrival re-render an ever longer text. The older
// text is kept, since status decoding reads a reply from its start.
inline constexpr std::size_t kReceiveBufferLimit = 1024;

// Key-down shift state bits.
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;
inline constexpr int kKeyH = 72;

class PanelLogic {
    // Why the open now in progress was made: its failure is told as that open's failure is.
    enum class OpenPurpose : std::uint8_t { None, StartUp, PortChange };

public:
    PanelLogic(Panel& panel, SerialPort& port);
    ~PanelLogic();
    PanelLogic(const PanelLogic&) = delete;
    PanelLogic& operator=(const PanelLogic&) = delete;

    // The start-up sequence, run before the window is first shown. While the port cannot be
    // opened the error is shown, and the user may try again; returns false when the user gave up:
    // the program has then been ended. An open still in progress returns true: the window shows
    // it, and its failure brings the start-up error later.
    [[nodiscard]] bool start();
    // The user chose anew which devices COM1 and COM2 stand for: the port chosen in the panel is
    // opened again on its device, as a port change would.
    void devicesChanged();
    // The user cancelled the open in progress: the port is closed and the open ends as a failure
    // the user chose, told in the status line without a dialog. Does nothing when none is running.
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

    // The only way a line reaches the port: writes it, shows it in the TXD field and starts the
    // reply wait and the display clear. A line the port does not take is told in the status line
    // and in the notice, which every view shows; TXD then shows no line and no reply is awaited.
    void sendLine(std::string_view line);

    // The logic's state, readable for the window and the tests.
    [[nodiscard]] const LineSettings& lineSettings() const { return lineSettings_; }
    [[nodiscard]] const std::string& receiveBuffer() const { return receiveBuffer_; }
    [[nodiscard]] const std::string& lastSentLine() const { return lastSentLine_; }
    [[nodiscard]] bool replyPending() const { return replyPending_; }
    [[nodiscard]] HoldButton heldButton() const { return heldButton_; }
    [[nodiscard]] CursorPadContext cursorPadContext() const { return cursorPadContext_; }
    // Whether the user gave up on a start-up open that failed after start() had returned.
    [[nodiscard]] bool gaveUpAtStartUp() const { return gaveUpAtStartUp_; }

private:
    // A repeat of a held button is told in the status line only: the press told the notice.
    enum class Attempt : std::uint8_t { First, Repeat };

    void send(std::string_view line, Attempt attempt);
    void tellNotSent(std::string_view line, const std::string& reason, Attempt attempt);
    void showNotice(std::string_view text, Notice kind);
    void clearNotice();
    // After a failed port change: the panel shows the port the number fell back to, and that port
    // is the one a new choice of devices opens again.
    void settleOn(int port);
    void sendOneShot(const OneShotCommand& command);
    void pressHold(const HoldCommand& command);
    void releaseHold(const HoldCommand& command);
    void repeatHeldCommand();
    void changePort(int chosen, int fallback);
    void retryStartUp();
    [[nodiscard]] PortResult<Opening> openFirstPort();
    [[nodiscard]] PortResult<Opening> reopenAs(int number);
    void awaitOpening(OpenPurpose purpose, int fallback);
    void openCompleted();
    void openFailed();
    void receive();
    void deviceEvent(PortEvent event);
    void changeSpeed(const LineSettings& settings);
    void showPortPanel();
    void hidePortPanel();
    void toggleDataPane();
    void end();
    void endReplyWait();
    void clearDisplay();
    void setIntervals(const Intervals& intervals);
    void showReceived();
    void remarkOnStatusReply(std::string_view reply);
    void emptyReceiveBuffer();

    Panel& panel_;
    SerialPort& port_;

    LineSettings lineSettings_;
    std::string receiveBuffer_;
    // Where the reply to the line sent last begins in the receive buffer: a second query within
    // one reply wait, or text nobody asked for, must not be decoded as that reply.
    std::size_t replyStart_ = 0;
    std::string lastSentLine_;
    bool replyPending_ = false;
    HoldButton heldButton_ = HoldButton::None;
    CursorPadContext cursorPadContext_ = CursorPadContext::Initial;
    // The port last chosen in the panel, even if it failed to open.
    int chosenPort_ = 1;
    OpenPurpose opening_ = OpenPurpose::None;
    bool gaveUpAtStartUp_ = false;
    // The port number a port change in progress falls back to when it fails.
    int openingFallback_ = 1;
    // Lines the port did not take since one was written or the notice last changed, and whether
    // the notice shown now tells of them.
    int notSentInARow_ = 0;
    bool noticeTellsNotSent_ = false;
};

} // namespace tavo
