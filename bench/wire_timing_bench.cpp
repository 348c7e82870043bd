// SPDX-License-Identifier: GPL-3.0-or-later
// Timing on the wire: the real window, its QTimers, the logic and the COM ports drive a
// pseudo-terminal; a reader thread on the other side timestamps every line on the monotonic clock
// and acknowledges it as a projector would. Prints, for holds at each repeat interval in use, the
// lines written, the achieved period, the period error, the lines written after the release and
// the press-to-first-byte latency; then the click-to-first-byte latency of a one-shot button.
// Exits non-zero only when it could not measure.

#include "core/panel_logic.h"
#include "serial/com_ports.h"
#include "serial/device_factory.h"
#include "ui/look.h"
#include "ui/main_window.h"
#include "ui/panel_port_advisor.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <mutex>
#include <poll.h>
#include <pty.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msBetween(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

// The projector's side of the line: records when each line's CR arrives and answers ACK CR.
class LineReader {
public:
    explicit LineReader(int master) : master_(master), thread_([this] { run(); }) {}
    ~LineReader() {
        stop_ = true;
        thread_.join();
    }
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    std::vector<Clock::time_point> linesBetween(Clock::time_point from, Clock::time_point to) {
        const std::lock_guard lock(mutex_);
        std::vector<Clock::time_point> out;
        std::copy_if(arrivals_.begin(), arrivals_.end(), std::back_inserter(out),
                     [&](Clock::time_point t) { return t >= from && t < to; });
        return out;
    }

private:
    void run() {
        char buffer[256];
        while (!stop_) {
            pollfd p{.fd = master_, .events = POLLIN, .revents = 0};
            if (poll(&p, 1, 20) <= 0) {
                continue;
            }
            const ssize_t n = read(master_, buffer, sizeof buffer);
            const Clock::time_point now = Clock::now();
            for (ssize_t i = 0; i < n; ++i) {
                if (buffer[i] == '\r') {
                    {
                        const std::lock_guard lock(mutex_);
                        arrivals_.push_back(now);
                    }
                    (void)!write(master_, "\x06\r", 2);
                }
            }
        }
    }

    int master_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<Clock::time_point> arrivals_;
    std::thread thread_;
};

void runEventLoopFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

double percentile(std::vector<double> values, double p) {
    if (values.empty()) {
        return NAN;
    }
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(std::ceil(p / 100.0 * static_cast<double>(values.size()))) - 1;
    return values[std::min(at, values.size() - 1)];
}

struct Hold {
    const char* name;
    int nominal;
    tavo::Control button;
    // Brings the cursor pad into the context that gives the arrows this interval.
    void (*prepare)(tavo::PanelLogic&);
    int holdMs;
};

void noPreparation(tavo::PanelLogic&) {}

void digitalZoomContext(tavo::PanelLogic& logic) {
    logic.press(tavo::Control::DigitalZoomIn);
    logic.release(tavo::Control::DigitalZoomIn);
}

void menuContext(tavo::PanelLogic& logic) {
    logic.click(tavo::Control::MenuOn);
}

// A line that is already on its way at the release arrives within this margin.
constexpr double kTransitMarginMs = 1.0;

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    tavo::installLookAndFeel();

    int master = -1;
    int slave = -1;
    char slaveName[256] = {};
    if (openpty(&master, &slave, slaveName, nullptr, nullptr) != 0) {
        std::perror("openpty");
        return 2;
    }
    // Keep the slave open ourselves so the master never sees a hang-up between openings.
    const std::string device = slaveName;

    tavo::MainWindow window;
    const tavo::PanelPortAdvisor advisor;
    tavo::ComPorts port({QString::fromStdString(device), QStringLiteral("/dev/null")}, tavo::makeDevice,
                        advisor);
    tavo::PanelLogic logic(window, port);
    window.setLogic(&logic);
    if (!logic.start()) {
        std::fprintf(stderr, "could not open %s\n", device.c_str());
        return 2;
    }
    window.show();
    auto reader = std::make_unique<LineReader>(master);
    runEventLoopFor(300);

    std::string load = "?";
    std::ifstream("/proc/loadavg") >> load;
    std::printf("machine: %u cores, load average %s, platform %s, device %s\n", std::thread::hardware_concurrency(),
                load.c_str(), qPrintable(QApplication::platformName()), device.c_str());
    std::printf("%-22s %7s %6s %9s %7s %9s %9s %7s %9s %9s\n", "hold", "nominal", "lines", "mean ms", "rate %",
                "err p50", "err p99", "after", "1st p50", "1st p99");

    const Hold holds[] = {
        {"cursor after D.Zoom", 5, tavo::Control::CursorUp, digitalZoomContext, 3000},
        {"LENS SHIFT up", 30, tavo::Control::LensShiftUp, noPreparation, 3000},
        {"Zoom +", 50, tavo::Control::ZoomIn, noPreparation, 3000},
        {"cursor after MENU ON", 200, tavo::Control::CursorUp, menuContext, 4000},
        {"VOL +", 250, tavo::Control::VolumeUp, noPreparation, 5000},
        {"SELECT", 500, tavo::Control::CursorSelect, noPreparation, 10000},
    };

    bool measured = true;
    for (const Hold& hold : holds) {
        hold.prepare(logic);
        runEventLoopFor(300);

        // Press-to-first-byte over short holds, then one long hold for the pace.
        std::vector<double> firstByte;
        for (int i = 0; i < 20; ++i) {
            const Clock::time_point pressed = Clock::now();
            logic.press(hold.button);
            runEventLoopFor(std::min(hold.nominal / 2 + 1, 20));
            logic.release(hold.button);
            runEventLoopFor(30);
            const auto lines = reader->linesBetween(pressed, Clock::now());
            if (!lines.empty()) {
                firstByte.push_back(msBetween(pressed, lines.front()));
            }
        }
        runEventLoopFor(300);

        const Clock::time_point pressed = Clock::now();
        logic.press(hold.button);
        runEventLoopFor(hold.holdMs);
        logic.release(hold.button);
        const Clock::time_point released = Clock::now();
        runEventLoopFor(500);

        const auto during = reader->linesBetween(
            pressed, released + std::chrono::microseconds(static_cast<int>(kTransitMarginMs * 1000)));
        const auto after = reader->linesBetween(
            released + std::chrono::microseconds(static_cast<int>(kTransitMarginMs * 1000)), Clock::now());
        if (during.size() < 2 || firstByte.empty()) {
            std::printf("%-22s could not measure\n", hold.name);
            measured = false;
            continue;
        }
        std::vector<double> errors;
        for (std::size_t i = 1; i < during.size(); ++i) {
            errors.push_back(std::abs(msBetween(during[i - 1], during[i]) - hold.nominal));
        }
        const double mean = msBetween(during.front(), during.back()) / static_cast<double>(during.size() - 1);
        std::printf("%-22s %7d %6zu %9.3f %7.1f %9.3f %9.3f %7zu %9.3f %9.3f\n", hold.name, hold.nominal, during.size(),
                    mean, 100.0 * hold.nominal / mean, percentile(errors, 50), percentile(errors, 99), after.size(),
                    percentile(firstByte, 50), percentile(firstByte, 99));
        std::fflush(stdout);
    }

    std::vector<double> click;
    for (int i = 0; i < 50; ++i) {
        const Clock::time_point clicked = Clock::now();
        logic.click(tavo::Control::AudioMuteOn);
        runEventLoopFor(20);
        const auto lines = reader->linesBetween(clicked, Clock::now());
        if (!lines.empty()) {
            click.push_back(msBetween(clicked, lines.front()));
        }
    }
    if (click.empty()) {
        measured = false;
    } else {
        std::printf("one-shot click to first byte: p50 %.3f ms, p99 %.3f ms over %zu clicks\n", percentile(click, 50),
                    percentile(click, 99), click.size());
    }

    window.setLogic(nullptr);
    reader.reset();
    close(slave);
    close(master);
    return measured ? 0 : 1;
}
