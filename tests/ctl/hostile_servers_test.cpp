// SPDX-License-Identifier: GPL-3.0-or-later
// tavo-ctl as a real process against device servers that misbehave: it must end in bounded time
// and memory and say what the server did. Memory and CPU are the kernel's own account of the
// child, taken when it has ended.

#include "ctl/ctl_program.h"
#include "tests/support/hostile_server.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <iostream>
#include <ostream>
#include <sys/resource.h>

namespace tavo::test {
namespace {

struct HostileRun {
    const char* name;
    Hostility hostility;
    const char* scheme;
    // When to send SIGINT after the start; 0 for never.
    int interruptAfterMs;
    int exitCode;
    // What stdout must be exactly, or what stderr must contain.
    const char* printed;
    const char* said;
};

void PrintTo(const HostileRun& row, std::ostream* os) {
    *os << row.name;
}

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer's shadow memory, its checks and its quarantine of freed blocks come on top of
// the program's own use.
constexpr long kSanitizerFactor = 4;
#else
constexpr long kSanitizerFactor = 1;
#endif

// Generous: the program itself needs about 15 MB.
constexpr long kResidentBoundKiB = kSanitizerFactor * 64 * 1024;
constexpr qint64 kEndBoundMs = 10000;
constexpr qint64 kAfterInterruptBoundMs = 500;
constexpr double kCpuBoundSeconds = kSanitizerFactor * 0.5;

double seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

class CtlAgainstHostileServer : public testing::TestWithParam<HostileRun> {};

TEST_P(CtlAgainstHostileServer, EndsInBoundedTimeAndMemoryAndSaysWhy) {
    const HostileRun& row = GetParam();
    HostileServer server(row.hostility);
    ASSERT_NE(server.port(), 0);

    rusage before{};
    ::getrusage(RUSAGE_CHILDREN, &before);
    QProcess ctl;
    // A small quarantine, so that what the sanitizer keeps of freed blocks stays within the bound.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       environment.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":quarantine_size_mb=8"));
    ctl.setProcessEnvironment(environment);
    ctl.start(QStringLiteral(TAVO_CTL_PATH),
              {QStringLiteral("--device"),
               QStringLiteral("%1://127.0.0.1:%2").arg(QLatin1String(row.scheme)).arg(server.port()),
               QStringLiteral("power-on")});
    ASSERT_TRUE(ctl.waitForStarted());
    QElapsedTimer clock;
    clock.start();
    qint64 interruptedAt = -1;
    // The server lives in this process's event loop, so the test waits by turning it.
    while (ctl.state() != QProcess::NotRunning && clock.elapsed() < kEndBoundMs) {
        if (row.interruptAfterMs > 0 && interruptedAt < 0 && clock.elapsed() >= row.interruptAfterMs) {
            ::kill(static_cast<pid_t>(ctl.processId()), SIGINT);
            interruptedAt = clock.elapsed();
        }
        QTest::qWait(1);
    }
    const qint64 ended = clock.elapsed();
    ASSERT_EQ(ctl.state(), QProcess::NotRunning) << "still running after " << ended << " ms";
    rusage after{};
    ::getrusage(RUSAGE_CHILDREN, &after);
    const double cpu =
        seconds(after.ru_utime) + seconds(after.ru_stime) - seconds(before.ru_utime) - seconds(before.ru_stime);

    const std::string out = ctl.readAllStandardOutput().toStdString();
    const std::string err = ctl.readAllStandardError().toStdString();
    EXPECT_EQ(ctl.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(ctl.exitCode(), row.exitCode) << err;
    if (row.printed != nullptr) {
        EXPECT_EQ(out, row.printed);
    }
    if (row.said != nullptr) {
        EXPECT_NE(err.find(row.said), std::string::npos) << err;
    }
    // The largest child this process has waited for: every run here is bound alike.
    EXPECT_LT(after.ru_maxrss, kResidentBoundKiB) << "KiB";
    EXPECT_LT(cpu, kCpuBoundSeconds);
    if (row.interruptAfterMs > 0) {
        ASSERT_GE(interruptedAt, 0);
        EXPECT_LT(ended - interruptedAt, kAfterInterruptBoundMs);
    }
    std::cout << row.name << ": " << ended << " ms, " << cpu << " s CPU, server sent " << server.bytesSent()
              << " bytes\n";
}

INSTANTIATE_TEST_SUITE_P(Servers, CtlAgainstHostileServer,
                         testing::Values(HostileRun{.name = "NegotiationFlood",
                                                    .hostility = Hostility::NegotiationFlood,
                                                    .scheme = "rfc2217",
                                                    .interruptAfterMs = 0,
                                                    .exitCode = ctl::kDeviceError,
                                                    .printed = "",
                                                    .said = "the device server sent endless telnet negotiation"},
                                         HostileRun{.name = "EndlessSubnegotiation",
                                                    .hostility = Hostility::EndlessSubnegotiation,
                                                    .scheme = "rfc2217",
                                                    .interruptAfterMs = 0,
                                                    .exitCode = ctl::kDeviceError,
                                                    .printed = "",
                                                    .said = "a telnet subnegotiation that never ends"},
                                         HostileRun{.name = "LongSubnegotiationThenAck",
                                                    .hostility = Hostility::LongSubnegotiationThenAck,
                                                    .scheme = "rfc2217",
                                                    .interruptAfterMs = 0,
                                                    .exitCode = ctl::kAnswered,
                                                    .printed = "ACK CR\n",
                                                    .said = nullptr},
                                         HostileRun{.name = "DataFloodOnRawTcp",
                                                    .hostility = Hostility::DataFlood,
                                                    .scheme = "tcp",
                                                    .interruptAfterMs = 0,
                                                    .exitCode = ctl::kDeviceError,
                                                    .printed = "",
                                                    .said = "the device flooded the line"},
                                         HostileRun{.name = "InterruptWhileASilentServerConnects",
                                                    .hostility = Hostility::Silent,
                                                    .scheme = "rfc2217",
                                                    .interruptAfterMs = 1000,
                                                    .exitCode = ctl::kInterrupted,
                                                    .printed = "",
                                                    .said = "interrupted while opening the device"}),
                         [](const testing::TestParamInfo<HostileRun>& row) { return std::string(row.param.name); });

} // namespace
} // namespace tavo::test
