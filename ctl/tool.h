// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// tavo-ctl as a function of its arguments, for the entry point and the tests: parses, opens the
// port, makes one exchange, prints and returns the exit code. Needs a QCoreApplication.

#include <QStringList>
#include <QTextStream>

namespace tavo::ctl {

enum ExitCode : int {
    kAnswered = 0,
    kDeviceError = 1,
    kUsage = 2,
    kRefused = 3,
    kNoReply = 4,
};

[[nodiscard]] int runTool(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace tavo::ctl
