#pragma once

// The serial-port port: the operations the logic needs of the one serial line to the projector.
// Every operation may fail; a failure carries a description text written for the user, which the
// logic shows as it is. Port numbers are 1 and 2; line settings are texts such as "19200,N,8,1".
// Received bytes are handed over as text, one character per byte.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tavo {

// Empty on success, else the port layer's description of the failure.
using PortError = std::optional<std::string>;

template <class T> struct PortResult {
    T value{};
    PortError error;
};

// The receive notification's event code for "characters have arrived".
inline constexpr int kCommEventReceive = 2;

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Chooses the device the next open uses; only called while the port is closed.
    virtual PortError setPortNumber(int number) = 0;
    // Applies at once, also while open, and is kept for later openings.
    virtual PortError setSettings(std::string_view settings) = 0;
    [[nodiscard]] virtual PortResult<bool> isOpen() = 0;
    virtual PortError open() = 0;
    virtual PortError close() = 0;
    // Writes the bytes of the text in one write, adding nothing.
    virtual PortError write(std::string_view text) = 0;
    // Every byte received and not yet read.
    [[nodiscard]] virtual PortResult<std::string> readAll() = 0;

    // The receive notification: the handler is called on the UI thread with code 2 as soon as one
    // character is waiting, and with other codes for other line events.
    using CommHandler = std::function<void(int eventCode)>;
    virtual void setCommHandler(CommHandler handler) = 0;
};

} // namespace tavo
