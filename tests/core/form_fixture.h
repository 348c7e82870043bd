#pragma once

// The logic wired to the two fakes, started as the program starts it, with short names for what a
// user sees.

#include "core/form.h"
#include "tests/support/fake_panel.h"
#include "tests/support/fake_serial_port.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

namespace tavo::test {

class FormTest : public ::testing::Test {
protected:
    FormTest() {
        panel.setTickHandler([this](TimerId t) { form.timerTick(t); });
    }

    // Start-up, then forget what it did to the port so a test sees only its own traffic.
    void start() {
        ASSERT_TRUE(form.load());
        port.calls.clear();
        port.writes.clear();
    }

    [[nodiscard]] std::string txd() const { return panel.text(Control::Label11); }
    [[nodiscard]] std::string rxd() const { return panel.text(Control::Label12); }
    [[nodiscard]] std::string status() const { return panel.text(Control::Label25); }
    [[nodiscard]] int interval(TimerId t) const { return panel.timer(t).interval; }
    [[nodiscard]] bool running(TimerId t) const { return panel.timer(t).enabled; }

    FakePanel panel;
    FakeSerialPort port;
    Form1 form{panel, port};
};

} // namespace tavo::test
