// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/in_use_line.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace tavo {

namespace {

// What device servers send a client they turn away because another client has the port.
constexpr std::array<std::string_view, 2> kInUseLines{"Port already in use", "Port's device already in use"};
// An empty one would hold back nothing and match everything.
static_assert(std::ranges::none_of(kInUseLines, &std::string_view::empty));

} // namespace

InUseLine::Verdict InUseLine::take(const char* bytes, std::size_t size, QByteArray& out) {
    if (decided_) {
        out.append(bytes, static_cast<qsizetype>(size));
        return Verdict::Passed;
    }
    held_.append(bytes, static_cast<qsizetype>(size));
    const std::string_view start(held_.constData(), static_cast<std::size_t>(held_.size()));
    for (const std::string_view line : kInUseLines) {
        if (start.starts_with(line)) {
            held_.clear();
            return Verdict::InUse;
        }
        if (line.starts_with(start)) {
            return Verdict::Held;
        }
    }
    decided_ = true;
    out.append(std::exchange(held_, {}));
    return Verdict::Passed;
}

} // namespace tavo
