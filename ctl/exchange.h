// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One exchange with the projector as the panel makes it: the command line is written, and what
// comes back within the reply wait is the reply. Driven by the port's events and its own timers;
// nothing waits. The reply is bounded: a device that sends more than any reply is cut short.

#include "core/ports/serial_port.h"
#include "ctl/run_result.h"

#include <QObject>
#include <QTimer>
#include <cstddef>
#include <string>

namespace tavo::ctl {

// The longest reply kept: the longest status reply is a few dozen bytes, and ten thousand held
// repeats of an acknowledgement are 20,000.
inline constexpr std::size_t kMaxReplyBytes = 64 * 1024;

struct ExchangeRequest {
    // The whole line, CR included.
    std::string line;
    int replyWaitMs = 0;
    // How many times the line is written, periodMs apart, as a held button repeats it.
    int steps = 1;
    int periodMs = 0;
};

class Exchange final : public QObject {
    Q_OBJECT

public:
    Exchange(SerialPort& port, ExchangeRequest request, QObject* parent = nullptr);

    // Writes the first line; the port must be open. The exchange ends early once every line
    // written has had a reply ending in CR, else when the reply wait after the last write has
    // passed; done() follows at a later turn of the event loop.
    void start();
    // The port's events while the exchange runs.
    void portEvent(PortEvent event);
    [[nodiscard]] bool isDone() const { return done_; }
    [[nodiscard]] const RunResult& result() const { return result_; }

signals:
    void done();

private:
    void writeOnce();
    void receive();
    void fail(std::string text);
    void finish();

    SerialPort& port_;
    ExchangeRequest request_;
    RunResult result_;
    QTimer step_;
    QTimer replyWait_;
    int written_ = 0;
    std::ptrdiff_t replies_ = 0;
    bool failed_ = false;
    bool done_ = false;
};

} // namespace tavo::ctl
