// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ports/wording.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tavo {

// What a reply to one command line amounts to. The projector acknowledges a command it takes with
// ACK CR, refuses one with "?" CR and answers a status read with its value and CR; anything else
// (a device server's banner, telnet bytes, a reply garbled at the wrong speed, escape sequences)
// did not come from a projector that understood the line.
enum class ReplyVerdict : std::uint8_t {
    Acknowledged,
    Refused,
    // A well-formed status of the read's kind.
    Status,
    Unexpected,
    Missing,
};

struct ReplyJudgement {
    ReplyVerdict verdict = ReplyVerdict::Missing;
    // What the line should have been answered with, in English words, such as "ACK CR" or "a power
    // status such as 00 CR" (expectedReply() gives it in the user's language).
    std::string expected;
};

// `line` is the command line as sent, CR included; `reply` everything received within its wait.
[[nodiscard]] ReplyJudgement judgeReply(std::string_view line, std::string_view reply);

// The same for `steps` writes of the line, as a held button repeats it: the replies, collected
// together, are cut after each CR and each is judged. One unexpected piece, or more replies than
// lines, make it unexpected; else one refusal makes it refused; fewer replies than lines, missing.
[[nodiscard]] ReplyJudgement judgeReplies(std::string_view line, int steps, std::string_view replies);

// What `steps` writes of `line` should be answered with, in the words `wording` gives.
[[nodiscard]] std::string expectedReply(std::string_view line, int steps, const Wording& wording);

[[nodiscard]] std::string_view verdictName(ReplyVerdict verdict);

} // namespace tavo
