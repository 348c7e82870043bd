// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// tavo-ctl as an object driven by the port's events: it reads its arguments, opens the port, makes
// one exchange, reports and ends with the exit code. Nothing in it waits; the program's one event
// loop runs it, and a test may drive it with QTest::qWaitFor.

#include "core/ports/serial_port.h"
#include "ctl/exit_code.h"
#include "ctl/options.h"
#include "ctl/port_advisor.h"
#include "ctl/run_result.h"

#include <QObject>
#include <QStringList>
#include <QTextStream>
#include <memory>
#include <optional>

namespace tavo {
class ComPorts;
}

namespace tavo::ctl {

class Exchange;

class CtlProgram final : public QObject {
    Q_OBJECT

public:
    CtlProgram(QStringList arguments, QTextStream& out, QTextStream& err, QObject* parent = nullptr);
    ~CtlProgram() override;
    CtlProgram(const CtlProgram&) = delete;
    CtlProgram& operator=(const CtlProgram&) = delete;

    // Reads the arguments and begins. A run that needs no device (usage, list, help) ends here.
    void start();
    // A termination signal ended the event loop: ends what still runs (an open, an exchange),
    // says so and gives the exit code.
    [[nodiscard]] int interrupt();

    [[nodiscard]] bool isFinished() const { return exitCode_.has_value(); }
    [[nodiscard]] int exitCode() const { return exitCode_.value_or(kDeviceError); }

signals:
    // Emitted at a later turn of the event loop than the call that ended the run.
    void finished(int exitCode);

private:
    void openPort();
    void onPortEvent(PortEvent event);
    // The exchange with the projector: the only place that knows how one is made.
    void beginExchange();
    [[nodiscard]] std::string replySoFar() const;
    void report(RunResult result);
    void end(int code);

    QStringList arguments_;
    QTextStream& out_;
    QTextStream& err_;
    std::optional<ParsedOptions> parsed_;
    CtlPortAdvisor advisor_;
    std::unique_ptr<ComPorts> port_;
    std::unique_ptr<Exchange> exchange_;
    std::optional<int> exitCode_;
};

} // namespace tavo::ctl
