// SPDX-License-Identifier: GPL-3.0-or-later
#include "pjlink/protocol.h"

#include <algorithm>

namespace tavo::pjlink {

namespace {

constexpr char kHeaderMark = '%';
constexpr char kClass = '1';
// Everything after the header and the command.
constexpr std::size_t kPrefixLength = 2 + kCommandLength;

bool isCommandCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

} // namespace

ParsedLine parseLine(std::string_view line) {
    ParsedLine parsed;
    if (line.size() < kPrefixLength || line[0] != kHeaderMark || line[1] < '0' || line[1] > '9' ||
        !std::all_of(line.begin() + 2, line.begin() + kPrefixLength, isCommandCharacter)) {
        return parsed;
    }
    parsed.namedHeader = std::string(line.substr(0, kPrefixLength));
    const std::string_view rest = line.substr(kPrefixLength);
    if (line[1] != kClass || rest.size() < 2 || rest[0] != ' ') {
        return parsed;
    }
    parsed.request =
        Request{.command = std::string(line.substr(2, kCommandLength)), .parameter = std::string(rest.substr(1))};
    return parsed;
}

std::string errorText(Error error) {
    return "ERR" + std::to_string(static_cast<int>(error));
}

std::string header(std::string_view command) {
    return std::string{kHeaderMark, kClass} + std::string(command);
}

std::string responseLine(std::string_view header, std::string_view result) {
    std::string line(header);
    line += '=';
    line += result;
    line += kLineEnd;
    return line;
}

std::size_t LineSplitter::feed(std::string_view bytes) {
    std::size_t used = 0;
    while (used < bytes.size() && !complete_) {
        const char c = bytes[used++];
        if (afterLineEnd_) {
            afterLineEnd_ = false;
            if (c == '\n') {
                continue;
            }
        }
        if (c == kLineEnd) {
            complete_ = true;
            afterLineEnd_ = true;
        } else if (partial_.size() + 1 < kMaxLineBytes) {
            partial_.push_back(c);
        } else {
            overlong_ = true;
        }
    }
    return used;
}

std::optional<LineSplitter::Line> LineSplitter::take() {
    if (!complete_) {
        return std::nullopt;
    }
    Line line{.text = std::move(partial_), .overlong = overlong_};
    partial_.clear();
    overlong_ = false;
    complete_ = false;
    return line;
}

} // namespace tavo::pjlink
