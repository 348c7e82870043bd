// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/exchange.h"

#include "core/commands.h"
#include "process/termination_signals.h"
#include "serial/host_serial_port.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>

namespace tavo::ctl {

namespace {

// Each reply ends in CR; a reply to a line the projector does not take starts with "?".
bool anyRefusal(std::string_view received) {
    bool lineStart = true;
    for (const char c : received) {
        if (lineStart && c == '?') {
            return true;
        }
        lineStart = c == kCarriageReturn;
    }
    return false;
}

} // namespace

ExchangeResult exchange(SerialPort& port, const ExchangeRequest& request) {
    ExchangeResult result;
    QEventLoop loop;
    QTimer step;
    QTimer replyWait;
    replyWait.setSingleShot(true);
    // A coarse timer may end the wait early; a reply then missed by a few milliseconds would read
    // as no reply.
    replyWait.setTimerType(Qt::PreciseTimer);
    step.setTimerType(Qt::PreciseTimer);
    int written = 0;
    bool failed = false;

    const auto fail = [&](std::string text) {
        if (!failed) {
            failed = true;
            result.error = std::move(text);
        }
        loop.quit();
    };
    const auto allAnswered = [&] {
        return written == request.steps &&
               std::ranges::count(result.reply, kCarriageReturn) >= static_cast<std::ptrdiff_t>(request.steps);
    };
    const auto writeOnce = [&] {
        if (auto error = port.write(request.line)) {
            fail(std::move(*error));
            return;
        }
        ++written;
        if (written == request.steps) {
            step.stop();
            replyWait.start(request.replyWaitMs);
        }
    };

    port.setEventHandler([&](int eventCode) {
        if (eventCode == kPortEventReceive) {
            auto received = port.readAll();
            if (received.error) {
                fail(std::move(*received.error));
                return;
            }
            result.reply += received.value;
            if (allAnswered()) {
                loop.quit();
            }
        } else if (eventCode == kPortEventDisconnected) {
            fail(request.disconnectedText);
        }
    });
    QObject::connect(&replyWait, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&step, &QTimer::timeout, &loop, writeOnce);

    writeOnce();
    if (!failed && written < request.steps) {
        step.start(request.periodMs);
    }
    if (!failed && !terminationRequested()) {
        loop.exec();
    }
    port.setEventHandler({});

    if (failed) {
        result.outcome = ExchangeResult::Outcome::DeviceError;
    } else if (terminationRequested()) {
        result.outcome = ExchangeResult::Outcome::Interrupted;
    } else if (result.reply.empty()) {
        result.outcome = ExchangeResult::Outcome::Silent;
    } else if (anyRefusal(result.reply)) {
        result.outcome = ExchangeResult::Outcome::Refused;
    } else {
        result.outcome = ExchangeResult::Outcome::Answered;
    }
    return result;
}

} // namespace tavo::ctl
