// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// power-on or power-off with --wait: until the projector is in the state the command brings it
// to. The power status is read first: at the goal already, nothing is sent; a warm-up or cool-down
// is waited out; the command goes out once, in a state where the projector carries it out; then
// the status is read at the projector's pace until the goal is reached. --timeout bounds the
// whole wait; each read keeps its own reply wait.

#include "core/status_decoding.h"
#include "ctl/report.h"
#include "ctl/run_result.h"
#include "ctl/run_task.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace tavo::ctl {

// The pause between the end of one status read and the next while waiting: about the pace at
// which the projector's state can change, and little load on a line others may share.
inline constexpr int kPowerPollMs = 1000;

class PowerWait final : public RunTask {
public:
    explicit PowerWait(RunContext context);

    void begin() override;
    void deviceLost(const std::string& why) override;
    void interrupt() override;
    void exchangeEnded(const ExchangeResult& result) override;

private:
    void readStatus();
    void statusRead(const ExchangeResult& result);
    void send();
    void commandAnswered(const ExchangeResult& result);
    void timedOut();
    void report(RunResult result);

    Request status_;
    PowerPhase goal_;
    std::unique_ptr<OneShotTimer> poll_;
    std::unique_ptr<OneShotTimer> deadline_;
    std::int64_t startedMs_ = 0;
    bool reading_ = false;
    std::optional<PowerPhase> lastPhase_;
    // The command's own outcome, once it went out.
    RunResult command_;
    PowerContext power_;
};

} // namespace tavo::ctl
