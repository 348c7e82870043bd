// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/run_task.h"

#include "ctl/exchange_outcome.h"

namespace tavo::ctl {

RunTask::RunTask(RunContext context) : context_(std::move(context)) {
    context_.exchange.addListener(*this);
}

RunTask::~RunTask() {
    context_.exchange.removeListener(*this);
}

Submitted RunTask::submit(const Request& request) {
    Submitted submitted = context_.exchange.submit(lineRequestOf(request));
    pending_ = submitted.id;
    return submitted;
}

bool RunTask::isAnswerTo(const ExchangeResult& result) {
    if (finished_ || pending_ == 0 || result.id != pending_) {
        return false;
    }
    pending_ = 0;
    return true;
}

void RunTask::abandonPending() {
    if (pending_ != 0) {
        context_.exchange.abandon();
    }
}

void RunTask::finish(int exitCode) {
    if (finished_) {
        return;
    }
    finished_ = true;
    context_.finish(exitCode);
}

} // namespace tavo::ctl
