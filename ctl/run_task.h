// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What one run of tavo-ctl does once the device is open: send a command (reading the power status
// first where the command depends on it), wait for a power state, or watch the power status. A
// task talks to the projector only through the one conversation engine, so that a reply is never
// credited to the wrong line, and measures its waits on the clock port.

#include "core/line_exchange.h"
#include "core/ports/clock.h"
#include "ctl/options.h"
#include "ctl/request.h"

#include <QString>
#include <QTextStream>
#include <functional>
#include <string>

namespace tavo::ctl {

struct RunContext {
    const Options& options;
    const Request& request;
    LineExchange& exchange;
    Clock& clock;
    // The port and device in messages, e.g. "COM1 (/dev/ttyUSB0)".
    QString portLabel;
    QTextStream& out;
    QTextStream& err;
    // Ends the run with its exit status.
    std::function<void(int exitCode)> finish;
};

class RunTask : public ExchangeListener {
public:
    // Listens to the context's engine from now until it is destroyed.
    explicit RunTask(RunContext context);
    ~RunTask() override;
    RunTask(const RunTask&) = delete;
    RunTask& operator=(const RunTask&) = delete;

    // The device is open.
    virtual void begin() = 0;
    // The device went away; what was in flight has already ended as failed.
    virtual void deviceLost(const std::string& why) = 0;
    // A termination signal: the run ends now, says so and gives its exit status.
    virtual void interrupt() = 0;

    [[nodiscard]] bool isFinished() const { return finished_; }

protected:
    [[nodiscard]] const RunContext& context() const { return context_; }
    // Submits the request's line; the exchange's id, or what kept the line from going out.
    [[nodiscard]] Submitted submit(const Request& request);
    // Whether the exchange that ended is the one submitted last; it is then no longer pending.
    [[nodiscard]] bool isAnswerTo(const ExchangeResult& result);
    // Gives up the line pending, if any: the task hears it end as abandoned, with what came so far.
    void abandonPending();
    void finish(int exitCode);

private:
    RunContext context_;
    ExchangeId pending_ = 0;
    bool finished_ = false;
};

} // namespace tavo::ctl
