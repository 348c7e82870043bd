// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/rendering.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace tavo {

namespace {

// The control characters a projector's replies use, with their names and the data pane's tokens.
struct NamedCharacter {
    unsigned char code;
    std::string_view name;
    std::string_view token;
};

constexpr std::array kNamedCharacters{
    NamedCharacter{.code = 6, .name = "ACK", .token = "ACK "},
    NamedCharacter{.code = 13, .name = "CR", .token = "CR "},
    NamedCharacter{.code = 10, .name = "LF", .token = "LF  "},
};

const NamedCharacter* named(unsigned char code) {
    const auto* found = std::ranges::find(kNamedCharacters, code, &NamedCharacter::code);
    return found == kNamedCharacters.end() ? nullptr : found;
}

// The data pane's printable range stops at 'z': braces, bar, tilde, DEL and every byte above show
// as "? ".
constexpr unsigned char kLastShown = 'z';

} // namespace

std::string visibleRendering(std::string_view text) {
    std::string out;
    out.reserve(1 + 4 * text.size());
    out += ' ';
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (const NamedCharacter* n = named(code)) {
            out += n->token;
        } else if (code < ' ' || code > kLastShown) {
            out += "? ";
        } else {
            out += c;
            out += ' ';
        }
    }
    return out;
}

std::string spelledOut(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (const NamedCharacter* n = named(code)) {
            out += '<';
            out += n->name;
            out += '>';
        } else if (code < ' ' || code > '~') {
            std::array<char, 8> hex{};
            std::snprintf(hex.data(), hex.size(), "<%02X>", code);
            out += hex.data();
        } else {
            out += c;
        }
    }
    return out;
}

std::string escapedText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (c == '\\') {
            out += "\\\\";
        } else if (code >= ' ' && code <= '~') {
            out += c;
        } else {
            std::array<char, 8> hex{};
            std::snprintf(hex.data(), hex.size(), "\\x%02X", code);
            out += hex.data();
        }
    }
    return out;
}

} // namespace tavo
