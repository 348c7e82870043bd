// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The logic wired to the two fakes, started as the program starts it, with short names for what a
// user sees.

#include "core/panel_logic.h"
#include "tests/support/fake_panel.h"
#include "tests/support/fake_serial_port.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

namespace tavo::test {

class LogicTest : public ::testing::Test {
protected:
    LogicTest() {
        panel.setTickHandler([this](TimerId t) { logic.timerTick(t); });
    }

    // Start-up, then forget what it did to the port so a test sees only its own traffic.
    void start() {
        logic.start();
        ASSERT_TRUE(panel.windowShown);
        port.calls.clear();
        port.writes.clear();
    }

    [[nodiscard]] std::string txd() const { return panel.text(Control::TxdField); }
    [[nodiscard]] std::string rxd() const { return panel.text(Control::RxdField); }
    [[nodiscard]] std::string status() const { return panel.text(Control::StatusLine); }
    [[nodiscard]] int interval(TimerId t) const { return panel.timer(t).interval; }
    [[nodiscard]] bool running(TimerId t) const { return panel.timer(t).enabled; }

    FakePanel panel;
    FakeSerialPort port;
    PanelLogic logic{panel, port};
};

} // namespace tavo::test
