#include "core/rendering.h"

namespace tavo {

namespace {

constexpr unsigned char kAck = 6;
constexpr unsigned char kLf = 10;
constexpr unsigned char kCr = 13;

// The printable range stops at 'z': braces, bar, tilde, DEL and every byte above show as "? ".
constexpr unsigned char kLastShown = 'z';

} // namespace

std::string visibleRendering(std::string_view text) {
    std::string out;
    out.reserve(1 + 4 * text.size());
    out += ' ';
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code == kAck) {
            out += "ACK ";
        } else if (code == kCr) {
            out += "CR ";
        } else if (code == kLf) {
            out += "LF  ";
        } else if (code < ' ' || code > kLastShown) {
            out += "? ";
        } else {
            out += c;
            out += ' ';
        }
    }
    return out;
}

} // namespace tavo
