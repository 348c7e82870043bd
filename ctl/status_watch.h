// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// watch: the power status read every --interval seconds, one time-stamped line each time it
// changes (and one at the start), a line when it cannot be read and one when it can again, until
// interrupted. A read goes out only once the one before it has ended, so there are never two at
// once; the device, lost, is opened again by the port, and the watch goes on.

#include "ctl/run_task.h"

#include <QJsonObject>
#include <QString>
#include <memory>
#include <optional>
#include <string>

namespace tavo::ctl {

class StatusWatch final : public RunTask {
public:
    explicit StatusWatch(RunContext context);

    void begin() override;
    void deviceLost(const std::string& why) override;
    void interrupt() override;
    void exchangeEnded(const ExchangeResult& result) override;

private:
    void read();
    void unreadable(const QString& why);
    // One line: for a person the time and `text`, for a program the time and `values`.
    void print(const QString& text, QJsonObject values);

    std::unique_ptr<OneShotTimer> next_;
    // What the last line said: the status's code, or nothing when it could not be read.
    std::optional<std::optional<std::string>> shown_;
};

// The time as ISO 8601 in local time with its offset, e.g. "2026-12-08T22:00:03+09:00".
[[nodiscard]] QString localTimestamp();

} // namespace tavo::ctl
