// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/fake_serial_port.h"

#include "core/line_settings.h"

namespace tavo {

void PrintTo(PortEvent event, std::ostream* os) {
    switch (event) {
    case PortEvent::Received:
        *os << "Received";
        return;
    case PortEvent::LineError:
        *os << "LineError";
        return;
    case PortEvent::Opened:
        *os << "Opened";
        return;
    case PortEvent::OpenFailed:
        *os << "OpenFailed";
        return;
    case PortEvent::DeviceLost:
        *os << "DeviceLost";
        return;
    case PortEvent::DeviceBack:
        *os << "DeviceBack";
        return;
    case PortEvent::SettingsRefused:
        *os << "SettingsRefused";
        return;
    case PortEvent::Notice:
        *os << "Notice";
        return;
    }
    *os << "PortEvent(" << static_cast<int>(event) << ')';
}

} // namespace tavo

namespace tavo::test {

PortError FakeSerialPort::setPortNumber(int number) {
    calls.push_back("setPortNumber(" + std::to_string(number) + ")");
    if (opened) {
        return "The port number cannot change while the port is open.";
    }
    portNumber = number;
    return std::nullopt;
}

PortError FakeSerialPort::setLineSettings(const LineSettings& lineSettings) {
    settings = toText(lineSettings);
    calls.push_back("setLineSettings(" + settings + ")");
    return std::nullopt;
}

PortResult<bool> FakeSerialPort::isOpen() {
    calls.emplace_back("isOpen");
    return {.value = opened, .error = std::nullopt};
}

PortResult<Opening> FakeSerialPort::open() {
    calls.emplace_back("open");
    if (opened) {
        return {.value = Opening::Done, .error = "The port is already open."};
    }
    if (missingPorts.contains(portNumber)) {
        return {.value = Opening::Done, .error = description(portNumber) + " does not exist."};
    }
    opened = true;
    opening = pendingPorts.contains(portNumber);
    return {.value = opening ? Opening::InProgress : Opening::Done, .error = std::nullopt};
}

PortError FakeSerialPort::close() {
    calls.emplace_back("close");
    opened = false;
    opening = false;
    return std::nullopt;
}

void FakeSerialPort::completeOpen() {
    opening = false;
    notify(PortEvent::Opened);
}

void FakeSerialPort::failOpen(std::string text) {
    opening = false;
    opened = false;
    openFailure = std::move(text);
    notify(PortEvent::OpenFailed);
}

PortError FakeSerialPort::write(std::string_view text) {
    calls.push_back("write(" + std::string(text) + ")");
    if (!opened) {
        return description(portNumber) + " is not open.";
    }
    if (opening) {
        return description(portNumber) + " is still connecting.";
    }
    if (failWrites) {
        return "Write failed on " + description(portNumber) + ".";
    }
    writes.emplace_back(text);
    return std::nullopt;
}

PortResult<std::string> FakeSerialPort::readAll() {
    calls.emplace_back("readAll");
    if (failReads) {
        return {.value = {}, .error = "Read failed."};
    }
    PortResult<std::string> result{.value = std::move(pending), .error = std::nullopt};
    pending.clear();
    return result;
}

void FakeSerialPort::deliver(std::string_view bytes) {
    pending += bytes;
    notify(PortEvent::Received);
}

void FakeSerialPort::notify(PortEvent event) {
    if (handler_) {
        handler_(event);
    }
}

std::string FakeSerialPort::describe(PortEvent event) {
    switch (event) {
    case PortEvent::DeviceLost:
        return description(portNumber) + " was disconnected.";
    case PortEvent::DeviceBack:
        return description(portNumber) + " is back.";
    case PortEvent::OpenFailed:
        return openFailure;
    case PortEvent::Notice:
        return noticeText;
    case PortEvent::SettingsRefused:
        return refusal;
    case PortEvent::Received:
    case PortEvent::LineError:
    case PortEvent::Opened:
        break;
    }
    return {};
}

std::string FakeSerialPort::describeOpening() {
    return "Connecting to 127.0.0.1:400" + std::to_string(portNumber) + "\u2026";
}

std::string FakeSerialPort::description(int number) const {
    return "COM" + std::to_string(number);
}

} // namespace tavo::test
