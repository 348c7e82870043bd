// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/power_wait.h"

#include "core/operation_model.h"
#include "ctl/exchange_outcome.h"
#include "ctl/logging.h"
#include "ctl/power_gate.h"
#include "ctl/texts.h"
#include "ctl/translated_wording.h"

namespace tavo::ctl {

PowerWait::PowerWait(RunContext context)
    : RunTask(std::move(context)), status_(statusRequest()),
      goal_(powerGoalOf(this->context().request.control.value_or(Control::PowerOn)).value_or(PowerPhase::On)),
      poll_(this->context().clock.makeTimer([this] { readStatus(); })),
      deadline_(this->context().clock.makeTimer([this] { timedOut(); })) {}

void PowerWait::begin() {
    startedMs_ = context().clock.nowMs();
    deadline_->start(context().options.timeoutMs.value_or(kDefaultWaitMs));
    readStatus();
}

void PowerWait::readStatus() {
    if (isFinished()) {
        return;
    }
    reading_ = true;
    if (Submitted submitted = submit(status_); submitted.error) {
        report(readFailed(context().request, status_, notWritten(std::move(*submitted.error)), context().portLabel));
    }
}

void PowerWait::exchangeEnded(const ExchangeResult& result) {
    // An abandoned line was given up by the deadline or an interrupt, which report for themselves.
    if (!isAnswerTo(result) || result.end == ExchangeEnd::Abandoned) {
        return;
    }
    if (reading_) {
        statusRead(result);
    } else {
        commandAnswered(result);
    }
}

void PowerWait::statusRead(const ExchangeResult& result) {
    const PowerReading reading = powerReadingOf(result);
    const RunResult::Outcome outcome = reading.result.outcome;
    if (outcome != RunResult::Outcome::Answered) {
        if (!lastPhase_ && !power_.sent) {
            report(readFailed(context().request, status_, reading.result, context().portLabel));
        } else if (outcome == RunResult::Outcome::Silent) {
            // A projector busy changing state may miss a read; the deadline bounds the patience.
            qCDebug(lcCtl) << "no power status this time; reading again";
            poll_->start(kPowerPollMs);
        } else {
            RunResult failed = reading.result;
            failed.reply = command_.reply;
            failed.error = Texts::tr("the power status could not be read while waiting: %1")
                               .arg(failureText(status_, reading.result, context().portLabel))
                               .toStdString();
            report(std::move(failed));
        }
        return;
    }
    power_.statusReply = reading.result.reply;
    const std::optional<PowerPhase> phase = reading.condition ? reading.condition->phase : std::nullopt;
    if (!phase) {
        report(abnormal(context().request, reading));
        return;
    }
    lastPhase_ = phase;
    if (*phase == goal_) {
        report(power_.sent ? command_ : RunResult{.outcome = RunResult::Outcome::Answered, .reply = {}, .error = {}});
        return;
    }
    if (!power_.sent && !passesByItself(*phase)) {
        if (auto notSent = withheld(context().request, reading)) {
            report(std::move(*notSent));
        } else {
            send();
        }
        return;
    }
    poll_->start(kPowerPollMs);
}

void PowerWait::send() {
    qCDebug(lcCtl) << "sending" << context().request.name << "and waiting";
    reading_ = false;
    if (Submitted submitted = submit(context().request); submitted.error) {
        report(notWritten(std::move(*submitted.error)));
        return;
    }
    power_.sent = true;
}

void PowerWait::commandAnswered(const ExchangeResult& result) {
    command_ = runResultOf(result);
    if (command_.outcome != RunResult::Outcome::Answered) {
        report(command_);
        return;
    }
    poll_->start(kPowerPollMs);
}

void PowerWait::timedOut() {
    abandonPending();
    const auto timeoutMs = context().options.timeoutMs.value_or(kDefaultWaitMs);
    const QString& name = context().request.name;
    QString text;
    if (!lastPhase_) {
        text = Texts::tr("the power status was not read within %1 ms; %2 was not sent").arg(timeoutMs).arg(name);
    } else {
        const TranslatedWording wording;
        const QString phase = QString::fromStdString(powerPhaseWords(*lastPhase_, wording));
        text = power_.sent
                   ? Texts::tr("%1 was sent, but the projector is still %2 after %3 ms").arg(name, phase).arg(timeoutMs)
                   : Texts::tr("the projector is still %1 after %2 ms; %3 was not sent")
                         .arg(phase)
                         .arg(timeoutMs)
                         .arg(name);
    }
    report({.outcome = RunResult::Outcome::TimedOut, .reply = command_.reply, .error = text.toStdString()});
}

void PowerWait::deviceLost(const std::string& why) {
    report(notWritten(why));
}

void PowerWait::interrupt() {
    abandonPending();
    report({.outcome = RunResult::Outcome::Interrupted,
            .reply = command_.reply,
            .error = Texts::tr("interrupted while waiting for the projector").toStdString()});
}

void PowerWait::report(RunResult result) {
    if (isFinished()) {
        return;
    }
    poll_->stop();
    deadline_->stop();
    power_.waitedMs = context().clock.nowMs() - startedMs_;
    const RunContext& run = context();
    finish(reportRun(run.options, run.request, result, run.portLabel, run.out, run.err, &power_));
}

} // namespace tavo::ctl
