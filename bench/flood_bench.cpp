// SPDX-License-Identifier: GPL-3.0-or-later
// A device flooding the line at full speed for tens of seconds, against the real window, logic and
// COM ports: prints how much of the flood the panel read, how long clicks took to reach the
// wire meanwhile, the resident memory over the run and the share of a core the panel used.
// Usage: tavo_flood_bench [seconds]   (default 30)

#include "tests/support/fault_rig.h"

#include <QTest>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using tavo::test::residentBytes;

constexpr int kClickEveryMs = 250;
constexpr qint64 kClickGiveUpMs = 5000;

double percentile(std::vector<double> values, double share) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

double mebibytes(std::int64_t bytes) {
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

} // namespace

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;

    std::string load;
    std::getline(std::ifstream("/proc/loadavg"), load);
    std::printf("machine: %u cores, load average %s\n", std::thread::hardware_concurrency(), load.c_str());

    tavo::test::PtyPair line;
    if (!line.ok()) {
        std::fprintf(stderr, "no pseudo-terminal\n");
        return 1;
    }
    tavo::test::PanelRig rig(line.devicePath());
    if (!rig.start()) {
        std::fprintf(stderr, "the panel did not start: %s\n", rig.window.lastMessage.c_str());
        return 1;
    }
    std::size_t largestBuffer = 0;
    rig.counting.afterNotification = [&] {
        largestBuffer = std::max(largestBuffer, rig.logic->receiveBuffer().size());
    };

    const std::int64_t residentBefore = residentBytes();
    tavo::test::Flooder flooder(line.masterFd());
    QTest::qWait(1000);
    const std::int64_t residentAtStart = residentBytes();
    const std::int64_t heapAtStart = tavo::test::heapBytesInUse();
    std::int64_t residentPeak = residentAtStart;
    const double cpuAtStart = tavo::test::cpuSeconds();
    const std::uint64_t readAtStart = rig.counting.bytesRead;
    const std::uint64_t writtenAtStart = flooder.bytesWritten();
    const int notificationsAtStart = rig.counting.notifications;
    QElapsedTimer run;
    run.start();

    std::vector<double> latencies;
    int lost = 0;
    while (run.elapsed() < qint64{seconds} * 1000) {
        (void)line.drain();
        QElapsedTimer sinceClick;
        sinceClick.start();
        QTimer::singleShot(0, &rig.window, [&] { rig.click(tavo::Control::ReadStatus); });
        std::string wire;
        const bool arrived = QTest::qWaitFor(
            [&] {
                wire += line.drain();
                return wire.find("CR0\r") != std::string::npos;
            },
            static_cast<int>(kClickGiveUpMs));
        if (arrived) {
            latencies.push_back(static_cast<double>(sinceClick.nsecsElapsed()) / 1e6);
        } else {
            ++lost;
        }
        QTest::qWait(kClickEveryMs);
        residentPeak = std::max(residentPeak, residentBytes());
    }
    const double elapsed = static_cast<double>(run.elapsed()) / 1000.0;
    const double cpu = tavo::test::cpuSeconds() - cpuAtStart;
    flooder.stop();
    const std::int64_t residentAtEnd = residentBytes();
    const std::int64_t heapAtEnd = tavo::test::heapBytesInUse();
    const std::uint64_t drained = rig.counting.bytesRead - readAtStart;
    const std::uint64_t flooded = flooder.bytesWritten() - writtenAtStart;

    std::printf("flood: %.1f s, %llu bytes written by the device, %llu read by the panel (%.0f KiB/s), "
                "%d receive notifications\n",
                elapsed, static_cast<unsigned long long>(flooded), static_cast<unsigned long long>(drained),
                static_cast<double>(drained) / 1024.0 / elapsed, rig.counting.notifications - notificationsAtStart);
    std::printf("receive buffer: largest %zu characters (cap %zu)\n", largestBuffer, tavo::kReceiveBufferLimit);
    std::printf("clicks: %zu reached the wire, %d did not within %lld ms; click-to-wire median %.2f ms, "
                "p99 %.2f ms, max %.2f ms\n",
                latencies.size(), lost, static_cast<long long>(kClickGiveUpMs), percentile(latencies, 0.5),
                percentile(latencies, 0.99), percentile(latencies, 1.0));
    std::printf("resident memory: %.1f MiB before the flood, %.1f MiB after 1 s of it, peak %.1f MiB, "
                "%.1f MiB at the end (growth %+.2f MiB)\n",
                mebibytes(residentBefore), mebibytes(residentAtStart), mebibytes(residentPeak),
                mebibytes(residentAtEnd), mebibytes(residentAtEnd - residentAtStart));
    std::printf("heap in use: %.2f MiB after 1 s of the flood, %.2f MiB at the end (growth %+.3f MiB)%s\n",
                mebibytes(heapAtStart), mebibytes(heapAtEnd), mebibytes(heapAtEnd - heapAtStart),
                tavo::test::residentSizeIsMeaningful() ? "" : "; resident figures include the sanitizer's quarantine");
    std::printf("process CPU (panel and flooding thread): %.0f %% of one core\n", 100.0 * cpu / elapsed);
    rig.counting.afterNotification = nullptr;
    return latencies.empty() ? 1 : 0;
}
