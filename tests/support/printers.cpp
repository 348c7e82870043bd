#include "tests/support/printers.h"

#include <cstdio>
#include <string>

namespace tavo {

void PrintTo(Control control, std::ostream* os) {
    *os << controlName(control);
}

void PrintTo(TimerId timer, std::ostream* os) {
    *os << timerName(timer);
}

} // namespace tavo

namespace tavo::test {

std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code == '\r') {
            out += "<CR>";
        } else if (code < ' ' || code > '~') {
            char hex[8];
            std::snprintf(hex, sizeof hex, "<%02X>", code);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace tavo::test
