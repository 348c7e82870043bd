// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/status_decoding.h"

#include "core/all_distinct.h"

#include <algorithm>
#include <array>
#include <span>

namespace tavo {

namespace {

struct StatusEntry {
    std::string_view key;
    std::string_view text;
};

// Keys are cut from the rendering, where each reply character is preceded by a space.
constexpr std::array<StatusEntry, 11> kPowerStatus{{
    {.key = " 0 0", .text = " Power ON"},
    {.key = " 8 0", .text = " Stand by"},
    {.key = " 4 0", .text = " Count down"},
    {.key = " 2 0", .text = " Cooling down"},
    {.key = " 1 0", .text = " Power abnormality"},
    {.key = " 2 8", .text = " Temperature abnormality"},
    {.key = " 0 8", .text = " Temperature abnormality"},
    {.key = " 8 8", .text = " Temperature abnormality"},
    {.key = " 0 2", .text = " Key input prohibition"},
    {.key = " 2 4", .text = " Power Management Cooling"},
    {.key = " 0 4", .text = " Power Management"},
}};

constexpr std::array<StatusEntry, 3> kInput{{
    {.key = " 1", .text = " Input 1"},
    {.key = " 2", .text = " Input 2"},
    {.key = " 3", .text = " Input 3"},
}};

constexpr std::array<StatusEntry, 4> kMirror{{
    {.key = " 1 1", .text = " Normally"},
    {.key = " 1 0", .text = " Top/Bottom reversal"},
    {.key = " 0 1", .text = " Left/Right reversal"},
    {.key = " 0 0", .text = " Top/Bottom , Left/Right reversal"},
}};

template <std::size_t N> constexpr bool keysSameLengthAndDistinct(const std::array<StatusEntry, N>& t) {
    return allDistinct(t, &StatusEntry::key) &&
           std::ranges::all_of(t, [&t](const StatusEntry& e) { return e.key.size() == t.front().key.size(); });
}
static_assert(keysSameLengthAndDistinct(kPowerStatus) && kPowerStatus[0].key.size() == 4);
static_assert(keysSameLengthAndDistinct(kInput) && kInput[0].key.size() == 2);
static_assert(keysSameLengthAndDistinct(kMirror) && kMirror[0].key.size() == 4);

// A piece of the rendering by 1-based positions; a cut past the end takes what is there.
std::string_view cut(std::string_view r, std::size_t first, std::size_t length) {
    if (first > r.size()) {
        return {};
    }
    return r.substr(first - 1, length);
}

std::optional<std::string> lookUp(std::span<const StatusEntry> table, std::string_view r) {
    const auto found = std::ranges::find(table, cut(r, 1, table.front().key.size()), &StatusEntry::key);
    if (found == table.end()) {
        return std::nullopt;
    }
    return std::string(found->text);
}

std::optional<std::string> lampTime(std::string_view r) {
    return std::string(cut(r, 1, 8)) + " Hour Use";
}

std::optional<std::string> temperatures(std::string_view r) {
    std::string line = "  S1=";
    line += cut(r, 1, 10);
    line += " C  ,   S2= ";
    line += cut(r, 15, 8);
    line += " C , S3=";
    line += cut(r, 25, 10);
    line += " C";
    return line;
}

struct Decoder {
    std::string_view line;
    std::optional<std::string> (*decode)(std::string_view rendering);
};

// In the order the lines are compared; at most one can be equal.
constexpr std::array<Decoder, 5> kDecoders{{
    {.line = "CR0\r",
     .decode =
         [](std::string_view r) {
             return lookUp(kPowerStatus, r);
         }},
    {.line = "CR1\r",
     .decode =
         [](std::string_view r) {
             return lookUp(kInput, r);
         }},
    {.line = "CR4\r",
     .decode =
         [](std::string_view r) {
             return lookUp(kMirror, r);
         }},
    {.line = "CR3\r", .decode = lampTime},
    {.line = "CR6\r", .decode = temperatures},
}};

} // namespace

std::optional<std::string> decodeStatus(std::string_view lastSentLine, std::string_view rendering) {
    const auto* decoder = std::ranges::find(kDecoders, lastSentLine, &Decoder::line);
    if (decoder == kDecoders.end()) {
        return std::nullopt;
    }
    return decoder->decode(rendering);
}

bool isDecodedStatusRead(std::string_view code) {
    return std::ranges::any_of(kDecoders, [code](const Decoder& d) {
        return d.line.size() == code.size() + 1 && d.line.starts_with(code) && d.line.back() == '\r';
    });
}

} // namespace tavo
