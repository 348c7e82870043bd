// SPDX-License-Identifier: GPL-3.0-or-later
// Everything a device can send, after anything the panel can send: the input is a script of
// clicks, presses, releases, arriving chunks of arbitrary bytes and passing time, run against the
// logic on the fakes. The logic must not crash, must keep its receive buffer bounded and must
// never put a raw control character or a non-ASCII byte into a label.

#include "core/commands.h"
#include "core/panel_logic.h"
#include "fuzz/script.h"
#include "tests/support/fake_panel.h"
#include "tests/support/fake_serial_port.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using tavo::fuzz::Script;

constexpr tavo::Control kOtherControls[] = {
    tavo::Control::PortButton,       tavo::Control::Com1Option,      tavo::Control::Com2Option,
    tavo::Control::Speed19200Option, tavo::Control::Speed9600Option, tavo::Control::PaneButton,
};

bool shownSafely(const std::string& text) {
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code < ' ' || code > 'z') {
            return false;
        }
    }
    return true;
}

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tavo::test::FakePanel panel;
    tavo::test::FakeSerialPort port;
    port.missingPorts = {2};
    tavo::PanelLogic logic(panel, port);
    panel.setTickHandler([&logic](tavo::TimerId t) { logic.timerTick(t); });
    logic.start();
    if (!panel.windowShown) {
        return 0;
    }

    Script script(data, size);
    while (!script.done()) {
        switch (script.next() % 6) {
        case 0: {
            const auto& button = tavo::kOneShotCommands[script.next() % tavo::kOneShotCommands.size()];
            logic.click(button.control);
            break;
        }
        case 1: {
            const auto& button = tavo::kHoldCommands[script.next() % tavo::kHoldCommands.size()];
            logic.press(button.control);
            break;
        }
        case 2: {
            const auto& button = tavo::kHoldCommands[script.next() % tavo::kHoldCommands.size()];
            if (script.next() % 2 == 0) {
                logic.release(button.control);
            } else {
                logic.holdCancelled();
            }
            break;
        }
        case 3:
            port.deliver(script.take(script.next()));
            break;
        case 4:
            panel.advance(script.next() * 10);
            break;
        default: {
            const std::uint8_t which = script.next();
            if (which % 9 == 8) {
                // The answer to a port warning (COM2 fails), or to no question at all.
                logic.answered((which / 9) % 2 == 0 ? tavo::PortFailureChoice::Dismiss
                                                    : tavo::PortFailureChoice::Retry);
            } else if (which % 9 == 7) {
                logic.keyDown(tavo::kKeyH, tavo::kCtrlMask);
            } else if (which % 9 == 6) {
                // Any event of the port, the ends of opens none is waiting for included.
                port.notify(static_cast<tavo::PortEvent>((which / 9) % tavo::kPortEventCount));
            } else {
                logic.click(kOtherControls[which % 9]);
            }
            break;
        }
        }
        check(logic.receiveBuffer().size() <= tavo::kReceiveBufferLimit);
        check(shownSafely(panel.text(tavo::Control::TxdField)));
        check(shownSafely(panel.text(tavo::Control::RxdField)));
        // Memory stays flat however long the script runs.
        port.calls.clear();
        port.writes.clear();
        panel.ticks.clear();
        panel.warnings.clear();
    }
    return 0;
}
