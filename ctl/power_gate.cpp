// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/power_gate.h"

#include "core/operation_model.h"
#include "ctl/report.h"
#include "ctl/texts.h"
#include "ctl/translated_wording.h"

namespace tavo::ctl {

bool readsPowerFirst(const Request& request) {
    return request.control && dependsOnPower(*request.control);
}

std::optional<RunResult> withheld(const Request& request, const PowerReading& reading) {
    const Control control = request.control.value_or(Control::ReadStatus);
    const std::optional<PowerPhase> phase = reading.condition ? reading.condition->phase : std::nullopt;
    switch (decide(control, phase)) {
    case Decision::Send:
        return std::nullopt;
    case Decision::Ignored: {
        const TranslatedWording wording;
        const QString why = QString::fromStdString(whyIgnored(control, *phase, wording));
        // A power command ignored now is taken once the state has passed: --wait waits for that.
        const QString text =
            powerGoalOf(control) && passesByItself(*phase)
                ? Texts::tr("%1. Nothing was sent; with --wait, tavo-ctl waits for that and then sends %2.")
                      .arg(why, request.name)
                : Texts::tr("%1. Nothing was sent.").arg(why);
        return RunResult{.outcome = RunResult::Outcome::Ignored, .reply = {}, .error = text.toStdString()};
    }
    case Decision::Unknown:
        break;
    }
    return abnormal(request, reading);
}

RunResult abnormal(const Request& request, const PowerReading& reading) {
    const std::string& reply = reading.result.reply;
    const QString status = QString::fromLatin1(reply.data(), static_cast<qsizetype>(reply.size())).trimmed();
    const QString decoded = QString::fromLatin1(decodedText(statusRequest().line, reply).value_or(std::string()));
    return {.outcome = RunResult::Outcome::Abnormal,
            .reply = {},
            .error = Texts::tr("the projector reports %1 (status %2), which tells nothing of its lamp, so "
                               "%3 was not sent")
                         .arg(decoded, status, request.name)
                         .toStdString()};
}

RunResult readFailed(const Request& request, const Request& read, const RunResult& readResult,
                     const QString& portLabel) {
    RunResult result = readResult;
    // The reply was the read's; the command's line never went out.
    result.reply.clear();
    result.error = Texts::tr("the power status was read before %1, and nothing was sent: %2")
                       .arg(request.name, failureText(read, readResult, portLabel))
                       .toStdString();
    return result;
}

} // namespace tavo::ctl
