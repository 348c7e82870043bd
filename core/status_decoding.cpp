// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/status_decoding.h"

#include "core/all_distinct.h"
#include "core/commands.h"

#include <algorithm>
#include <array>
#include <span>

namespace tavo {

namespace {

// `code` is the reply's first characters; the status line shows `text` after one blank.
struct StatusEntry {
    std::string_view code;
    std::string_view text;
};

constexpr std::array<StatusEntry, 11> kPowerStatus{{
    {.code = "00", .text = "Power ON"},
    {.code = "80", .text = "Stand by"},
    {.code = "40", .text = "Count down"},
    {.code = "20", .text = "Cooling down"},
    {.code = "10", .text = "Power abnormality"},
    {.code = "28", .text = "Temperature abnormality"},
    {.code = "08", .text = "Temperature abnormality"},
    {.code = "88", .text = "Temperature abnormality"},
    {.code = "02", .text = "Key input prohibition"},
    {.code = "24", .text = "Power Management Cooling"},
    {.code = "04", .text = "Power Management"},
}};

constexpr std::array<StatusEntry, 3> kInput{{
    {.code = "1", .text = "Input 1"},
    {.code = "2", .text = "Input 2"},
    {.code = "3", .text = "Input 3"},
}};

constexpr std::array<StatusEntry, 4> kMirror{{
    {.code = "11", .text = "Normally"},
    {.code = "10", .text = "Top/Bottom reversal"},
    {.code = "01", .text = "Left/Right reversal"},
    {.code = "00", .text = "Top/Bottom , Left/Right reversal"},
}};

// Digits only, so that each reply character renders as a blank and the digit: the status line's
// key is then the same code, spaced out.
template <std::size_t N> constexpr bool codesSameLengthDigitsAndDistinct(const std::array<StatusEntry, N>& t) {
    return allDistinct(t, &StatusEntry::code) && std::ranges::all_of(t, [&t](const StatusEntry& e) {
               return e.code.size() == t.front().code.size() &&
                      std::ranges::all_of(e.code, [](char c) { return c >= '0' && c <= '9'; });
           });
}
static_assert(codesSameLengthDigitsAndDistinct(kPowerStatus) && kPowerStatus[0].code.size() == 2);
static_assert(codesSameLengthDigitsAndDistinct(kInput) && kInput[0].code.size() == 1);
static_assert(codesSameLengthDigitsAndDistinct(kMirror) && kMirror[0].code.size() == 2);

// Reply characters by 1-based position. In the rendering character k stands at position 2k, so
// the status line cuts 2 * count positions from 2 * first - 1 (the blank before the first one).
struct ReplyField {
    std::size_t first;
    std::size_t count;
};

constexpr ReplyField kLampField{.first = 1, .count = 4};
// Characters 6, 7 and 12 are never shown.
constexpr std::array<ReplyField, 3> kTemperatureFields{{
    {.first = 1, .count = 5},
    {.first = 8, .count = 4},
    {.first = 13, .count = 5},
}};

// A piece of a text by 1-based positions; a cut past the end takes what is there.
std::string_view cut(std::string_view r, std::size_t first, std::size_t length) {
    if (first > r.size()) {
        return {};
    }
    return r.substr(first - 1, length);
}

std::string_view renderedCut(std::string_view r, ReplyField field) {
    return cut(r, 2 * field.first - 1, 2 * field.count);
}

std::string_view replyCut(std::string_view reply, ReplyField field) {
    return cut(reply, field.first, field.count);
}

std::span<const StatusEntry> tableOf(Control read) {
    switch (read) {
    case Control::ReadStatus:
        return kPowerStatus;
    case Control::ReadInput:
        return kInput;
    case Control::ReadMirror:
        return kMirror;
    default:
        return {};
    }
}

// Whether the rendering begins with the code's characters, each after its blank: the status line's
// key.
bool renderingBeginsWith(std::string_view r, std::string_view code) {
    if (r.size() < 2 * code.size()) {
        return false;
    }
    for (std::size_t i = 0; i < code.size(); ++i) {
        if (r[2 * i] != ' ' || r[2 * i + 1] != code[i]) {
            return false;
        }
    }
    return true;
}

const StatusEntry* lookUpRendered(std::span<const StatusEntry> table, std::string_view r) {
    const auto found =
        std::ranges::find_if(table, [r](const StatusEntry& e) { return renderingBeginsWith(r, e.code); });
    return found == table.end() ? nullptr : &*found;
}

const StatusEntry* lookUpReply(std::span<const StatusEntry> table, std::string_view reply) {
    const auto found = std::ranges::find(table, cut(reply, 1, table.front().code.size()), &StatusEntry::code);
    return found == table.end() ? nullptr : &*found;
}

constexpr std::array kStatusReads{Control::ReadStatus, Control::ReadInput, Control::ReadMirror, Control::ReadLampTime,
                                  Control::ReadTemperatures};

} // namespace

std::optional<Control> statusReadOf(std::string_view line) {
    if (line.empty() || line.back() != kCarriageReturn) {
        return std::nullopt;
    }
    line.remove_suffix(1);
    for (const Control read : kStatusReads) {
        if (findOneShot(read)->code == line) {
            return read;
        }
    }
    return std::nullopt;
}

std::optional<std::string> decodeStatus(std::string_view lastSentLine, std::string_view rendering) {
    const auto read = statusReadOf(lastSentLine);
    if (!read) {
        return std::nullopt;
    }
    if (*read == Control::ReadLampTime) {
        return std::string(renderedCut(rendering, kLampField)) + " Hour Use";
    }
    if (*read == Control::ReadTemperatures) {
        std::string line = "  S1=";
        line += renderedCut(rendering, kTemperatureFields[0]);
        line += " C  ,   S2= ";
        line += renderedCut(rendering, kTemperatureFields[1]);
        line += " C , S3=";
        line += renderedCut(rendering, kTemperatureFields[2]);
        line += " C";
        return line;
    }
    const StatusEntry* entry = lookUpRendered(tableOf(*read), rendering);
    if (entry == nullptr) {
        return std::nullopt;
    }
    return ' ' + std::string(entry->text);
}

std::optional<StatusReply> decodeReply(std::string_view line, std::string_view reply) {
    const auto read = statusReadOf(line);
    if (!read) {
        return std::nullopt;
    }
    StatusReply decoded{.read = *read, .state = {}, .values = {}};
    if (*read == Control::ReadLampTime) {
        decoded.values.push_back(replyCut(reply, kLampField));
        return decoded;
    }
    if (*read == Control::ReadTemperatures) {
        for (const ReplyField field : kTemperatureFields) {
            decoded.values.push_back(replyCut(reply, field));
        }
        return decoded;
    }
    const StatusEntry* entry = lookUpReply(tableOf(*read), reply);
    if (entry == nullptr) {
        return std::nullopt;
    }
    decoded.state = entry->text;
    return decoded;
}

bool isDecodedStatusRead(std::string_view code) {
    return statusReadOf(std::string(code) + kCarriageReturn).has_value();
}

} // namespace tavo
