// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/status_decoding.h"

#include "core/all_distinct.h"
#include "core/commands.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <span>

namespace tavo {

namespace {

// `code` is the reply's first characters; the status line shows `text` after one blank. Only the
// power status table fills in `power`.
struct StatusEntry {
    std::string_view code;
    std::string_view text;
    PowerCondition power{};
};

constexpr PowerCondition phase(PowerPhase p, PowerFault fault = PowerFault::None) {
    return {.phase = p, .fault = fault};
}

// Power management turns the lamp off for want of a signal, as stand-by does; the projector keeps
// its keys locked while the lamp is on.
constexpr std::array<StatusEntry, 11> kPowerStatus{{
    {.code = "00", .text = "Power ON", .power = phase(PowerPhase::On)},
    {.code = "80", .text = "Stand by", .power = phase(PowerPhase::Standby)},
    {.code = "40", .text = "Count down", .power = phase(PowerPhase::CountDown)},
    {.code = "20", .text = "Cooling down", .power = phase(PowerPhase::CoolingDown)},
    {.code = "10", .text = "Power abnormality", .power = {.phase = std::nullopt, .fault = PowerFault::Power}},
    {.code = "28", .text = "Temperature abnormality", .power = phase(PowerPhase::CoolingDown, PowerFault::Temperature)},
    {.code = "08", .text = "Temperature abnormality", .power = phase(PowerPhase::On, PowerFault::Temperature)},
    {.code = "88", .text = "Temperature abnormality", .power = phase(PowerPhase::Standby, PowerFault::Temperature)},
    {.code = "02", .text = "Key input prohibition", .power = phase(PowerPhase::On)},
    {.code = "24", .text = "Power Management Cooling", .power = phase(PowerPhase::CoolingDown)},
    {.code = "04", .text = "Power Management", .power = phase(PowerPhase::Standby)},
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

constexpr ReplyField kLampField{.first = 1, .count = kLampHourDigits};
// Characters 6, 7 and 12 are never shown.
constexpr std::array<ReplyField, kTemperatureCount> kTemperatureFields{{
    {.first = 1, .count = 5},
    {.first = 8, .count = 4},
    {.first = 13, .count = 5},
}};

// Where the projector puts its three numbers: the status line shows most of each.
constexpr ReplyField temperatureNumber(std::size_t i) {
    return {.first = 1 + i * (kTemperatureWidth + 1), .count = kTemperatureWidth};
}
constexpr std::size_t kTemperatureReplyLength = kTemperatureCount * (kTemperatureWidth + 1) - 1;
static_assert(
    [] {
        for (std::size_t i = 0; i < kTemperatureCount; ++i) {
            const ReplyField shown = kTemperatureFields[i];
            const ReplyField number = temperatureNumber(i);
            if (shown.first < number.first || shown.first + shown.count > number.first + number.count) {
                return false;
            }
        }
        return true;
    }(),
    "the status line shows each temperature from within its number");

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

std::size_t statusKeyLength(Control read) {
    const auto table = tableOf(read);
    return table.empty() ? 0 : table.front().code.size();
}

bool isStatusKey(Control read, std::string_view body) {
    const auto table = tableOf(read);
    return std::ranges::find(table, body, &StatusEntry::code) != table.end();
}

std::string_view exampleStatusKey(Control read) {
    const auto table = tableOf(read);
    return table.empty() ? std::string_view{} : table.front().code;
}

std::optional<PowerCondition> powerCondition(std::string_view body) {
    const auto* found = std::ranges::find(kPowerStatus, body, &StatusEntry::code);
    if (found == kPowerStatus.end()) {
        return std::nullopt;
    }
    return found->power;
}

std::optional<std::array<double, kTemperatureCount>> temperatureValues(std::string_view body) {
    if (body.size() != kTemperatureReplyLength) {
        return std::nullopt;
    }
    std::array<double, kTemperatureCount> values{};
    for (std::size_t i = 0; i < kTemperatureCount; ++i) {
        const ReplyField field = temperatureNumber(i);
        if (field.first > 1 && body[field.first - 2] != ' ') {
            return std::nullopt;
        }
        std::string_view number = replyCut(body, field);
        number.remove_prefix(std::min(number.find_first_not_of(' '), number.size()));
        // A decimal number: digits, a point, digits, perhaps after a minus sign.
        const std::string_view unsignedPart = number.starts_with('-') ? number.substr(1) : number;
        const auto point = unsignedPart.find('.');
        const auto isDigit = [](char c) {
            return c >= '0' && c <= '9';
        };
        if (point == std::string_view::npos || point == 0 || point + 1 == unsignedPart.size() ||
            !std::all_of(unsignedPart.begin(), unsignedPart.begin() + static_cast<std::ptrdiff_t>(point), isDigit) ||
            !std::all_of(unsignedPart.begin() + static_cast<std::ptrdiff_t>(point) + 1, unsignedPart.end(), isDigit)) {
            return std::nullopt;
        }
        const auto parsed = std::from_chars(number.data(), number.data() + number.size(), values[i]);
        if (parsed.ec != std::errc{} || parsed.ptr != number.data() + number.size()) {
            return std::nullopt;
        }
    }
    return values;
}

} // namespace tavo
