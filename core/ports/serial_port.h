// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The serial-port port: the operations the logic needs of the one serial line to the projector.
// Every operation may fail; a failure carries a description text written for the user, which the
// logic shows as it is. Port numbers are 1 and 2 (COM1 and COM2). Received bytes are handed over
// as text, one character per byte.

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

// The port event's code for "characters have arrived"; other codes report other line events.
inline constexpr int kPortEventReceive = 2;
// The device behind the open port went away (an adapter pulled, a hang-up, a refused write), and
// later came back and is open again at the line settings last applied. Each loss is raised once.
inline constexpr int kPortEventDeviceLost = 1001;
inline constexpr int kPortEventDeviceBack = 1002;

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Chooses the device the next open uses; only called while the port is closed.
    virtual PortError setPortNumber(int number) = 0;
    // Applies at once, also while open, and is kept for later openings.
    virtual PortError setLineSettings(const LineSettings& settings) = 0;
    [[nodiscard]] virtual PortResult<bool> isOpen() = 0;
    virtual PortError open() = 0;
    virtual PortError close() = 0;
    // Writes the bytes of the text in one write, adding nothing.
    virtual PortError write(std::string_view text) = 0;
    // Every byte received and not yet read.
    [[nodiscard]] virtual PortResult<std::string> readAll() = 0;

    // The handler is called on the UI thread with kPortEventReceive as soon as one character is
    // waiting, and with other codes for other line events.
    using EventHandler = std::function<void(int eventCode)>;
    virtual void setEventHandler(EventHandler handler) = 0;
    // What an event other than a receive means, in the port layer's words for the user; empty for
    // events with nothing to tell.
    [[nodiscard]] virtual std::string describeEvent(int eventCode) = 0;
};

} // namespace tavo
