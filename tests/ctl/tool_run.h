// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whole runs of tavo-ctl in the test's own event loop, as the program's own loop would drive them.

#include <QString>
#include <QStringList>

namespace tavo::ctl {

struct ToolRun {
    int code = -1;
    QString out;
    QString err;
};

// Runs until the program ends (at most 20 s).
[[nodiscard]] ToolRun run(QStringList arguments);

// Runs for `ms`, then interrupts the program as a termination signal would, unless it ended first.
[[nodiscard]] ToolRun runThenInterrupt(QStringList arguments, int ms);

} // namespace tavo::ctl
