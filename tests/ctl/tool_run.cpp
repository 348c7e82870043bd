// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/ctl/tool_run.h"

#include "ctl/ctl_program.h"

#include <QTest>
#include <QTextStream>
#include <gtest/gtest.h>

namespace tavo::ctl {

namespace {

ToolRun runFor(QStringList arguments, int interruptAfterMs) {
    ToolRun result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    arguments.prepend(QStringLiteral("tavo-ctl"));
    CtlProgram tool(arguments, out, err);
    bool finished = false;
    QObject::connect(&tool, &CtlProgram::finished, [&finished] { finished = true; });
    tool.start();
    if (interruptAfterMs > 0) {
        (void)QTest::qWaitFor([&finished] { return finished; }, interruptAfterMs);
        result.code = finished ? tool.exitCode() : tool.interrupt();
    } else {
        EXPECT_TRUE(QTest::qWaitFor([&finished] { return finished; }, 20000)) << "the run did not end";
        result.code = tool.exitCode();
    }
    out.flush();
    err.flush();
    return result;
}

} // namespace

ToolRun run(QStringList arguments) {
    return runFor(std::move(arguments), 0);
}

ToolRun runThenInterrupt(QStringList arguments, int ms) {
    return runFor(std::move(arguments), ms);
}

} // namespace tavo::ctl
