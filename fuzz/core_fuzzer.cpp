// Everything a device can send, after anything the panel can send: the input is a script of
// clicks, presses, releases, arriving chunks of arbitrary bytes and passing time, run against the
// logic on the fakes. The logic must not crash, must keep its receive buffer bounded and must
// never put a raw control character or a non-ASCII byte into a label.

#include "core/commands.h"
#include "core/form.h"
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
    tavo::Control::Command33, tavo::Control::Option1, tavo::Control::Option2,
    tavo::Control::Option3,   tavo::Control::Option4, tavo::Control::Command34,
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
    tavo::Form1 form(panel, port);
    panel.setTickHandler([&form](tavo::TimerId t) { form.timerTick(t); });
    if (!form.load()) {
        return 0;
    }

    Script script(data, size);
    while (!script.done()) {
        switch (script.next() % 6) {
        case 0: {
            const auto& button = tavo::kOneShotButtons[script.next() % tavo::kOneShotButtons.size()];
            form.click(button.control);
            break;
        }
        case 1: {
            const auto& button = tavo::kHoldButtons[script.next() % tavo::kHoldButtons.size()];
            form.press(button.control);
            break;
        }
        case 2: {
            const auto& button = tavo::kHoldButtons[script.next() % tavo::kHoldButtons.size()];
            if (script.next() % 2 == 0) {
                form.release(button.control);
            } else {
                form.holdCancelled();
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
            if (which % 8 == 7) {
                form.keyDown(tavo::kKeyH, tavo::kCtrlMask);
            } else if (which % 8 == 6) {
                port.notify(which);
            } else {
                form.click(kOtherControls[which % 6]);
            }
            break;
        }
        }
        check(form.receiveBuffer().size() <= tavo::kReceiveBufferLimit);
        check(shownSafely(panel.text(tavo::Control::Label11)));
        check(shownSafely(panel.text(tavo::Control::Label12)));
        // Memory stays flat however long the script runs.
        port.calls.clear();
        port.writes.clear();
        panel.ticks.clear();
        panel.warnings.clear();
    }
    return 0;
}
