// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A serial port in memory: it records every call and every write, lets a test inject failures and
// deliver received bytes, and behaves like a real port in what the logic can observe (a closed
// port refuses writes, the number and settings persist across openings).

#include "core/ports/serial_port.h"

#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace tavo {

void PrintTo(PortEvent event, std::ostream* os);

} // namespace tavo

namespace tavo::test {

class FakeSerialPort : public SerialPort {
public:
    PortError setPortNumber(int number) override;
    PortError setLineSettings(const LineSettings& lineSettings) override;
    PortResult<bool> isOpen() override;
    PortResult<Opening> open() override;
    PortError close() override;
    PortError write(std::string_view text) override;
    PortResult<std::string> readAll() override;
    void setEventHandler(EventHandler handler) override { handler_ = std::move(handler); }
    std::string describe(PortEvent event) override;
    std::string describeOpening() override;
    std::string describePort() override { return description(portNumber); }

    // Queues bytes as if they had arrived and raises the receive notification.
    void deliver(std::string_view bytes);
    // Raises any event, without input.
    void notify(PortEvent event);
    // Ends the open in progress as the event loop would: opened, or failed with the text given
    // (the port is then closed).
    void completeOpen();
    void failOpen(std::string text);

    // Every operation in call order, e.g. "setPortNumber(1)", "open", "write(C00\r)".
    std::vector<std::string> calls;
    std::vector<std::string> writes;
    int portNumber = 0;
    std::string settings;
    bool opened = false;
    // An open in progress: opened is set too, as isOpen() is true meanwhile.
    bool opening = false;
    std::string pending;

    // Port numbers whose device does not exist: opening them fails.
    std::set<int> missingPorts;
    // Port numbers whose device is on the network: opening them goes on in the background.
    std::set<int> pendingPorts;
    // What describe() gives for these events.
    std::string openFailure;
    std::string noticeText;
    std::string refusal;
    bool failWrites = false;
    bool failReads = false;

    [[nodiscard]] std::string description(int number) const;

private:
    EventHandler handler_;
};

} // namespace tavo::test
