// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One command, sent once and its reply reported. A command that the projector carries out only in
// some power states goes out only after a read of the power status shows that it will be carried
// out; "send LINE" goes out as it is.

#include "ctl/report.h"
#include "ctl/run_result.h"
#include "ctl/run_task.h"

namespace tavo::ctl {

class CommandRun final : public RunTask {
public:
    explicit CommandRun(RunContext context);

    void begin() override;
    void deviceLost(const std::string& why) override;
    void interrupt() override;
    void exchangeEnded(const ExchangeResult& result) override;

private:
    void send();
    void statusRead(const ExchangeResult& result);
    void report(RunResult result);

    Request status_;
    bool gated_ = false;
    bool reading_ = false;
    PowerContext power_;
};

} // namespace tavo::ctl
