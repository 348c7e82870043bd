// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// tavo-ctl as an object driven by the port's events: it reads its arguments, opens the port, runs
// its task (a command, a wait for a power state, a watch) over the one conversation engine,
// reports and ends with the exit code. Nothing in it waits; the program's one event loop runs it,
// and a test may drive it with QTest::qWaitFor.

#include "core/line_exchange.h"
#include "core/ports/serial_port.h"
#include "ctl/exit_code.h"
#include "ctl/options.h"
#include "ctl/port_advisor.h"
#include "ctl/run_result.h"
#include "serial/event_loop_clock.h"

#include <QObject>
#include <QStringList>
#include <QTextStream>
#include <memory>
#include <optional>

namespace tavo {
class ComPorts;
}

namespace tavo::ctl {

class RunTask;

class CtlProgram final : public QObject, private ExchangeListener {
    Q_OBJECT

public:
    CtlProgram(QStringList arguments, QTextStream& out, QTextStream& err, QObject* parent = nullptr);
    ~CtlProgram() override;
    CtlProgram(const CtlProgram&) = delete;
    CtlProgram& operator=(const CtlProgram&) = delete;

    // Reads the arguments and begins. A run that needs no device (usage, list, help) ends here.
    void start();
    // A termination signal ended the event loop: ends what still runs (an open, an exchange, a
    // wait, a watch), says so and gives the exit code.
    [[nodiscard]] int interrupt();

    [[nodiscard]] bool isFinished() const { return exitCode_.has_value(); }
    [[nodiscard]] int exitCode() const { return exitCode_.value_or(kDeviceError); }

signals:
    // Emitted at a later turn of the event loop than the call that ended the run.
    void finished(int exitCode);

private:
    void openPort();
    void onPortEvent(PortEvent event);
    void beginTask();
    // A run that ends before its task began: the port could not be opened.
    void report(RunResult result);
    // The task has reported. A reply whose wait ended may still be on its way: the port stays open
    // until the line has settled, so that the reply is heard here rather than by the next run.
    void taskDone(int code);
    void closeAndFinish();

    void exchangeEnded(const ExchangeResult& result) override;
    void lateReply(ExchangeId id, std::string_view line, std::string_view bytes) override;
    void ready() override;

    QStringList arguments_;
    QTextStream& out_;
    QTextStream& err_;
    std::optional<ParsedOptions> parsed_;
    CtlPortAdvisor advisor_;
    std::unique_ptr<ComPorts> port_;
    EventLoopClock clock_;
    std::unique_ptr<LineExchange> exchange_;
    std::unique_ptr<RunTask> task_;
    std::unique_ptr<OneShotTimer> settling_;
    std::optional<int> exitCode_;
    ExchangeEnd lastEnd_ = ExchangeEnd::Complete;
    bool closed_ = false;
    bool interrupting_ = false;
};

} // namespace tavo::ctl
