// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// tavo-ctl as an object driven by the event loop: it parses its arguments, opens the port, makes
// one exchange, prints and ends with the exit code. Nothing in it waits; the program's one event
// loop runs it, and a test may drive it with QTest::qWaitFor.

#include "ctl/exchange.h"
#include "ctl/port_advisor.h"

#include <QObject>
#include <QStringList>
#include <QTextStream>
#include <memory>
#include <optional>

namespace tavo {
class ComPorts;
}

namespace tavo::ctl {

enum ExitCode : int {
    // Acknowledged, or a well-formed status.
    kAnswered = 0,
    kDeviceError = 1,
    kUsage = 2,
    kRefused = 3,
    kNoReply = 4,
    // A reply no projector that understood the line gives.
    kUnexpected = 5,
    // As shells report a program ended by SIGINT.
    kInterrupted = 130,
};

// Whether the arguments ask for --json, before they are parsed: its output is never translated.
[[nodiscard]] bool asksForJson(const QStringList& arguments);

class Tool final : public QObject {
    Q_OBJECT

public:
    Tool(QStringList arguments, QTextStream& out, QTextStream& err, QObject* parent = nullptr);
    ~Tool() override;
    Tool(const Tool&) = delete;
    Tool& operator=(const Tool&) = delete;

    // Parses the arguments and begins. A run that needs no device (usage, list, help) ends here.
    void start();
    // A termination signal ended the event loop: ends what still runs (an open, an exchange),
    // says so and gives the exit code.
    [[nodiscard]] int interrupt();

    [[nodiscard]] bool isFinished() const { return exitCode_.has_value(); }
    [[nodiscard]] int exitCode() const { return exitCode_.value_or(kDeviceError); }

    // What one run needs once its arguments are read.
    struct Run;

signals:
    // Emitted at a later turn of the event loop than the call that ended the run.
    void finished(int exitCode);

private:
    void onPortEvent(PortEvent event);
    void beginExchange();
    void report(ExchangeResult result);
    void end(int code);

    QStringList arguments_;
    QTextStream& out_;
    QTextStream& err_;
    std::unique_ptr<Run> run_;
    CtlPortAdvisor advisor_;
    std::unique_ptr<ComPorts> port_;
    std::unique_ptr<Exchange> exchange_;
    std::optional<int> exitCode_;
};

} // namespace tavo::ctl
