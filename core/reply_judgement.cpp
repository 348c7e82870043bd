// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/reply_judgement.h"

#include "core/commands.h"
#include "core/status_decoding.h"
#include "core/wording.h"

#include <algorithm>

namespace tavo {

namespace {

bool wellFormedStatus(Control read, std::string_view body) {
    switch (read) {
    case Control::ReadStatus:
    case Control::ReadInput:
    case Control::ReadMirror:
        return isStatusKey(read, body);
    case Control::ReadLampTime:
        return body.size() == kLampHourDigits && std::ranges::all_of(body, [](char c) { return c >= '0' && c <= '9'; });
    case Control::ReadTemperatures:
        return temperatureValues(body).has_value();
    default:
        return false;
    }
}

std::string expectedStatus(Control read, const Wording& wording) {
    const std::string example(exampleStatusKey(read));
    switch (read) {
    case Control::ReadStatus:
        return fillIn(wording.wordsOf(TAVO_PHRASE("tavo::ReplyJudgement", "a power status such as %1 CR")), {example});
    case Control::ReadInput:
        return fillIn(wording.wordsOf(TAVO_PHRASE("tavo::ReplyJudgement", "an input number such as %1 CR")), {example});
    case Control::ReadMirror:
        return fillIn(wording.wordsOf(TAVO_PHRASE("tavo::ReplyJudgement", "a mirror setting such as %1 CR")),
                      {example});
    case Control::ReadLampTime:
        return fillIn(wording.wordsOf(TAVO_PHRASE("tavo::ReplyJudgement", "%1 digits of lamp hours CR")),
                      {std::to_string(kLampHourDigits)});
    case Control::ReadTemperatures:
        return fillIn(
            wording.wordsOf(TAVO_PHRASE("tavo::ReplyJudgement", "%1 temperatures such as 025.0 031.5 042.0 CR")),
            {std::to_string(kTemperatureCount)});
    default:
        return "ACK CR";
    }
}

} // namespace

ReplyJudgement judgeReply(std::string_view line, std::string_view reply) {
    const auto read = statusReadOf(line);
    ReplyJudgement judgement{.verdict = ReplyVerdict::Unexpected, .expected = expectedReply(line, 1, SourceWording{})};
    if (reply.empty()) {
        judgement.verdict = ReplyVerdict::Missing;
        return judgement;
    }
    if (reply.back() != kCarriageReturn) {
        return judgement;
    }
    const std::string_view body = reply.substr(0, reply.size() - 1);
    if (body == "?") {
        judgement.verdict = ReplyVerdict::Refused;
    } else if (read) {
        if (wellFormedStatus(*read, body)) {
            judgement.verdict = ReplyVerdict::Status;
        }
    } else if (body.size() == 1 && body.front() == kAcknowledge) {
        judgement.verdict = ReplyVerdict::Acknowledged;
    }
    return judgement;
}

ReplyJudgement judgeReplies(std::string_view line, int steps, std::string_view replies) {
    if (steps <= 1) {
        return judgeReply(line, replies);
    }
    ReplyJudgement judgement = judgeReply(line, {});
    judgement.expected = expectedReply(line, steps, SourceWording{});
    int answered = 0;
    bool refused = false;
    ReplyVerdict last = ReplyVerdict::Missing;
    while (!replies.empty()) {
        const auto end = replies.find(kCarriageReturn);
        const std::string_view piece = end == std::string_view::npos ? replies : replies.substr(0, end + 1);
        replies.remove_prefix(piece.size());
        last = judgeReply(line, piece).verdict;
        if (last == ReplyVerdict::Unexpected || ++answered > steps) {
            judgement.verdict = ReplyVerdict::Unexpected;
            return judgement;
        }
        refused = refused || last == ReplyVerdict::Refused;
    }
    if (refused) {
        judgement.verdict = ReplyVerdict::Refused;
    } else if (answered == steps) {
        judgement.verdict = last;
    }
    return judgement;
}

std::string expectedReply(std::string_view line, int steps, const Wording& wording) {
    const auto read = statusReadOf(line);
    const std::string once = read ? expectedStatus(*read, wording) : std::string("ACK CR");
    if (steps <= 1) {
        return once;
    }
    return fillIn(wording.wordsOf(TAVO_PHRASE("tavo::ReplyJudgement", "%1, %2 times")), {once, std::to_string(steps)});
}

std::string_view verdictName(ReplyVerdict verdict) {
    switch (verdict) {
    case ReplyVerdict::Acknowledged:
        return "acknowledged";
    case ReplyVerdict::Refused:
        return "refused";
    case ReplyVerdict::Status:
        return "status";
    case ReplyVerdict::Unexpected:
        return "unexpected";
    case ReplyVerdict::Missing:
        return "missing";
    }
    return "unexpected";
}

} // namespace tavo
