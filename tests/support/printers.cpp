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

void PrintTo(SessionState state, std::ostream* os) {
    switch (state) {
    case SessionState::Settled:
        *os << "Settled";
        return;
    case SessionState::OpeningAtStartUp:
        *os << "OpeningAtStartUp";
        return;
    case SessionState::OpeningForChange:
        *os << "OpeningForChange";
        return;
    case SessionState::AskingAtStartUp:
        *os << "AskingAtStartUp";
        return;
    case SessionState::AskingAfterChange:
        *os << "AskingAfterChange";
        return;
    case SessionState::Ended:
        *os << "Ended";
        return;
    }
    *os << "SessionState(" << static_cast<int>(state) << ')';
}

} // namespace tavo
