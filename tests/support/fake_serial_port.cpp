// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/fake_serial_port.h"

#include "core/line_settings.h"

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

PortError FakeSerialPort::open() {
    calls.emplace_back("open");
    if (opened) {
        return "The port is already open.";
    }
    if (missingPorts.contains(portNumber)) {
        return description(portNumber) + " does not exist.";
    }
    opened = true;
    return std::nullopt;
}

PortError FakeSerialPort::close() {
    calls.emplace_back("close");
    opened = false;
    return std::nullopt;
}

PortError FakeSerialPort::write(std::string_view text) {
    calls.push_back("write(" + std::string(text) + ")");
    if (!opened) {
        return description(portNumber) + " is not open.";
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
    notify(kPortEventReceive);
}

void FakeSerialPort::notify(int eventCode) {
    if (handler_) {
        handler_(eventCode);
    }
}

std::string FakeSerialPort::describeEvent(int eventCode) {
    switch (eventCode) {
    case kPortEventDeviceLost:
        return description(portNumber) + " was disconnected.";
    case kPortEventDeviceBack:
        return description(portNumber) + " is back.";
    default:
        return {};
    }
}

std::string FakeSerialPort::description(int number) const {
    return "COM" + std::to_string(number);
}

} // namespace tavo::test
