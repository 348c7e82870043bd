// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/exchange_outcome.h"

#include "core/commands.h"
#include "ctl/logging.h"
#include "ctl/texts.h"

namespace tavo::ctl {

namespace {

RunResult::Outcome outcomeOf(ReplyVerdict verdict) {
    switch (verdict) {
    case ReplyVerdict::Acknowledged:
    case ReplyVerdict::Status:
        return RunResult::Outcome::Answered;
    case ReplyVerdict::Refused:
        return RunResult::Outcome::Refused;
    case ReplyVerdict::Missing:
        return RunResult::Outcome::Silent;
    case ReplyVerdict::Unexpected:
        break;
    }
    return RunResult::Outcome::Unexpected;
}

} // namespace

LineRequest lineRequestOf(const Request& request) {
    return {
        .line = request.line, .replyWaitMs = request.replyWaitMs, .steps = request.steps, .periodMs = request.periodMs};
}

RunResult runResultOf(const ExchangeResult& result) {
    switch (result.end) {
    case ExchangeEnd::Complete:
    case ExchangeEnd::WaitEnded:
    case ExchangeEnd::Superseded:
        break;
    case ExchangeEnd::Overflowed:
        qCInfo(lcCtl) << "the reply passed" << kMaxReplyBytes << "bytes; stopping";
        // Nothing of it is printed: it is no reply.
        return {.outcome = RunResult::Outcome::DeviceError,
                .reply = {},
                .error = Texts::tr("the device flooded the line: more than %1 bytes came back, far more than any "
                                   "reply")
                             .arg(kMaxReplyBytes)
                             .toStdString()};
    case ExchangeEnd::Failed:
        qCInfo(lcCtl) << "exchange failed:" << result.error.c_str();
        return {.outcome = RunResult::Outcome::DeviceError, .reply = result.reply, .error = result.error};
    case ExchangeEnd::Abandoned:
        return {.outcome = RunResult::Outcome::Interrupted, .reply = result.reply, .error = {}};
    }
    return {.outcome = outcomeOf(result.judgement.verdict),
            .reply = result.reply,
            .error = {},
            .expected = result.judgement.expected};
}

RunResult notWritten(std::string why) {
    return {.outcome = RunResult::Outcome::DeviceError, .reply = {}, .error = std::move(why)};
}

PowerReading powerReadingOf(const ExchangeResult& result) {
    PowerReading reading{.result = runResultOf(result), .condition = std::nullopt};
    if (reading.result.outcome == RunResult::Outcome::Answered && result.reply.ends_with(kCarriageReturn)) {
        reading.condition = powerCondition(std::string_view(result.reply).substr(0, result.reply.size() - 1));
    }
    if (!reading.condition) {
        // Only a power status answers the read: anything else acknowledged is no answer to it.
        if (reading.result.outcome == RunResult::Outcome::Answered) {
            reading.result.outcome = RunResult::Outcome::Unexpected;
        }
    }
    return reading;
}

} // namespace tavo::ctl
