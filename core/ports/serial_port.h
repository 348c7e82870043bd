// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The serial-port port: the operations the logic needs of the one serial line to the projector.
// Every operation may fail; a failure carries a description text written for the user, which the
// logic shows as it is. Port numbers are 1 and 2 (COM1 and COM2). Received bytes are handed over
// as text, one character per byte.
//
// No operation waits. An open may still be in progress when open() returns (a device on the
// network connects and negotiates); it then ends in Opened or OpenFailed. A speed change that the
// far end refuses later arrives as SettingsRefused. The port never calls the event handler from
// inside one of its own operations: every event comes from the event loop, so no handler of the
// logic is ever re-entered.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tavo {

enum class Parity : char { None = 'N', Even = 'E', Odd = 'O', Mark = 'M', Space = 'S' };
enum class StopBits : char { One, OneAndHalf, Two };

struct LineSettings {
    int baud = 19200;
    Parity parity = Parity::None;
    int dataBits = 8;
    StopBits stopBits = StopBits::One;

    friend constexpr bool operator==(const LineSettings&, const LineSettings&) = default;
};

// Empty on success, else the port layer's description of the failure.
using PortError = std::optional<std::string>;

template <class T> struct PortResult {
    T value{};
    PortError error;
};

enum class PortEvent : std::uint8_t {
    // Characters have arrived; raised as soon as one is waiting.
    Received,
    // A framing, parity or overrun error on the line; the logic ignores it.
    LineError,
    // An open that was in progress completed.
    Opened,
    // An open that was in progress failed; the port is closed again.
    OpenFailed,
    // The device behind the open port went away; the port tries again by itself. Raised once per
    // loss.
    DeviceLost,
    // The lost device is open again at the line settings last applied.
    DeviceBack,
    // Line settings applied while open were refused or replaced by the far end.
    SettingsRefused,
    // Something the user should know that is no failure (on raw TCP the speed is set on the server).
    Notice,
};

inline constexpr std::size_t kPortEventCount = static_cast<std::size_t>(PortEvent::Notice) + 1;

// Whether an open completed at once or goes on in the background.
enum class Opening : std::uint8_t { Done, InProgress };

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Chooses the device the next open uses; only called while the port is closed.
    virtual PortError setPortNumber(int number) = 0;
    // Applies at once, also while open, and is kept for later openings. Never waits: a refusal the
    // far end sends later arrives as SettingsRefused.
    virtual PortError setLineSettings(const LineSettings& settings) = 0;
    // True from a successful or in-progress open until close(), also while the device is lost.
    [[nodiscard]] virtual PortResult<bool> isOpen() = 0;
    // An error means the open failed now. InProgress means Opened or OpenFailed follows.
    [[nodiscard]] virtual PortResult<Opening> open() = 0;
    // Also cancels an open in progress; no OpenFailed follows.
    virtual PortError close() = 0;
    // Writes the bytes of the text in one write, adding nothing. Never blocks. While an open is in
    // progress or the device is lost it fails with a text that says so.
    virtual PortError write(std::string_view text) = 0;
    // Every byte received and not yet read.
    [[nodiscard]] virtual PortResult<std::string> readAll() = 0;

    using EventHandler = std::function<void(PortEvent event)>;
    virtual void setEventHandler(EventHandler handler) = 0;
    // The user's text for the last event of that kind: why an open failed, the loss and the return
    // of a device, a refusal with the far end's answer, a notice. Empty for the other events.
    [[nodiscard]] virtual std::string describe(PortEvent event) = 0;
    // What an open in progress is doing, e.g. "Connecting to HOST:PORT…".
    [[nodiscard]] virtual std::string describeOpening() = 0;
    // The port as the texts name it now, with its device: "COM1 (/dev/ttyS0)",
    // "COM1 (simulated projector)".
    [[nodiscard]] virtual std::string describePort() = 0;
};

} // namespace tavo
