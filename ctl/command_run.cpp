// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/command_run.h"

#include "ctl/exchange_outcome.h"
#include "ctl/logging.h"
#include "ctl/power_gate.h"
#include "ctl/texts.h"

namespace tavo::ctl {

CommandRun::CommandRun(RunContext context)
    : RunTask(std::move(context)), status_(statusRequest(this->context().options.timeoutMs)),
      gated_(readsPowerFirst(this->context().request)) {}

void CommandRun::begin() {
    if (!gated_) {
        send();
        return;
    }
    qCDebug(lcCtl) << "reading the power status before" << context().request.name;
    reading_ = true;
    if (Submitted submitted = submit(status_); submitted.error) {
        report(readFailed(context().request, status_, notWritten(std::move(*submitted.error)), context().portLabel));
    }
}

void CommandRun::send() {
    qCDebug(lcCtl) << "sending" << context().request.name;
    reading_ = false;
    if (Submitted submitted = submit(context().request); submitted.error) {
        report(notWritten(std::move(*submitted.error)));
        return;
    }
    power_.sent = true;
}

void CommandRun::exchangeEnded(const ExchangeResult& result) {
    if (!isAnswerTo(result)) {
        return;
    }
    if (reading_) {
        statusRead(result);
        return;
    }
    RunResult run = runResultOf(result);
    if (run.outcome == RunResult::Outcome::Interrupted) {
        run.error = Texts::tr("interrupted before the reply").toStdString();
    }
    report(std::move(run));
}

void CommandRun::statusRead(const ExchangeResult& result) {
    const PowerReading reading = powerReadingOf(result);
    if (reading.result.outcome == RunResult::Outcome::Interrupted) {
        report({.outcome = RunResult::Outcome::Interrupted,
                .reply = {},
                .error = Texts::tr("interrupted while reading the power status; nothing was sent").toStdString()});
        return;
    }
    if (reading.result.outcome != RunResult::Outcome::Answered) {
        report(readFailed(context().request, status_, reading.result, context().portLabel));
        return;
    }
    power_.statusReply = reading.result.reply;
    if (auto notSent = withheld(context().request, reading)) {
        report(std::move(*notSent));
        return;
    }
    send();
}

void CommandRun::deviceLost(const std::string& why) {
    // What was in flight has failed and been reported; between two lines nothing is.
    report(notWritten(why));
}

void CommandRun::interrupt() {
    // The exchange in flight ends as abandoned and reports what came so far.
    abandonPending();
    report({.outcome = RunResult::Outcome::Interrupted,
            .reply = {},
            .error = Texts::tr("interrupted before the reply").toStdString()});
}

void CommandRun::report(RunResult result) {
    if (isFinished()) {
        return;
    }
    const RunContext& run = context();
    finish(reportRun(run.options, run.request, result, run.portLabel, run.out, run.err, gated_ ? &power_ : nullptr));
}

} // namespace tavo::ctl
