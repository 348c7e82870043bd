// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/printers.h"

#include "core/line_settings.h"

namespace tavo {

void PrintTo(Control control, std::ostream* os) {
    *os << controlName(control);
}

void PrintTo(TimerId timer, std::ostream* os) {
    *os << timerName(timer);
}

void PrintTo(HoldButton button, std::ostream* os) {
    const HoldCommand* command = findHold(button);
    *os << (command == nullptr ? std::string_view("no hold button") : controlName(command->control));
}

void PrintTo(CursorPadContext context, std::ostream* os) {
    switch (context) {
    case CursorPadContext::Initial:
        *os << "initial context";
        return;
    case CursorPadContext::Menu:
        *os << "menu context";
        return;
    case CursorPadContext::DigitalZoom:
        *os << "digital zoom context";
        return;
    }
}

void PrintTo(const LineSettings& settings, std::ostream* os) {
    *os << toText(settings);
}

} // namespace tavo
