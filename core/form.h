#pragma once

// The panel's logic: the form-level state and every event handler of the window. The window and
// the serial port reach it only through the handlers below, and it reaches them only through the
// two ports. Every handler runs to completion on the UI thread.

#include "core/ports/controls.h"
#include "core/ports/panel.h"
#include "core/ports/serial_port.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavo {

struct HoldButton;
struct OneShotButton;
struct Intervals;

inline constexpr std::string_view kSettings19200 = "19200,N,8,1";
inline constexpr std::string_view kSettings9600 = "9600,N,8,1";

// Outer window heights in twips, title bar and frame included.
inline constexpr double kCollapsedHeight = 5350;
inline constexpr double kDataPaneHeight = 6645;
inline constexpr double kFullHeight = 7000;
inline constexpr double kPaneThreshold = 6000;

inline constexpr std::string_view kNoReplyMarker = " X X X X";
inline constexpr std::string_view kShowDataCaption = "データを表示する";
inline constexpr std::string_view kHideDataCaption = "データを表示しない";
inline constexpr std::string_view kFullViewCaption = "CLOSE";

// ReceiveBuffer keeps at most this many characters, like the port's own receive buffer: a device
// that never pauses must not make each arrival re-render an ever longer text. The start is kept,
// since status decoding reads the start.
inline constexpr std::size_t kReceiveBufferLimit = 1024;

// Key-down shift state bits.
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;
inline constexpr int kKeyH = 72;

class Form1 {
public:
    Form1(Panel& panel, SerialPort& port);
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // The start-up sequence, run before the window is first shown. Returns false when the port
    // could not be opened: the error has then been shown and the program ended.
    [[nodiscard]] bool load();

    // A click or keyboard activation of a button or option button. Hold buttons ignore it.
    void click(Control control);
    // Pointer press and release on a hold button, with any mouse button. Others ignore them.
    void press(Control control);
    void release(Control control);
    // The hold can no longer end with a release (pointer grab lost, window deactivated, program
    // ending): stop exactly as a release of the held button would. Does nothing when idle.
    void holdCancelled();

    void timerTick(TimerId timer);
    // The serial port's receive notification.
    void commEvent(int eventCode);
    // Every key press, before the focused control sees it. Shift state: 1 Shift, 2 Ctrl, 4 Alt.
    void keyDown(int keyCode, int shiftState);

    // The one routine that writes to the port (mode 1) and shows what arrived (any other mode).
    void hyouji(std::string_view text, std::uint8_t mode);

    // Form-level state, readable for the window and the tests.
    [[nodiscard]] const std::string& commSettings() const { return commSettings_; }
    [[nodiscard]] const std::string& receiveBuffer() const { return receiveBuffer_; }
    [[nodiscard]] const std::string& lastSentLine() const { return lastSentLine_; }
    [[nodiscard]] std::uint8_t replyPending() const { return replyPending_; }
    [[nodiscard]] std::uint8_t heldButton() const { return heldButton_; }
    [[nodiscard]] std::uint8_t cursorPadMode() const { return cursorPadMode_; }

private:
    void sendOneShot(const OneShotButton& button);
    void pressHold(const HoldButton& button);
    void releaseHold(const HoldButton& button);
    void portChange(int chosen, int fallback);
    void speedChange(std::string_view settings);
    void showPortPanel();
    void toggleDataPane();
    void endClicked();
    void replyWaitTick();
    void displayClearTick();
    void repeatTick();
    void portPanelTick();
    void setIntervals(const Intervals& intervals);

    Panel& panel_;
    SerialPort& port_;

    std::string commSettings_;
    std::string receiveBuffer_;
    std::string lastSentLine_;
    std::uint8_t replyPending_ = 0;
    std::uint8_t heldButton_ = 0;
    std::uint8_t cursorPadMode_ = 0;
};

} // namespace tavo
