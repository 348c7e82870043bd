// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/fault_rig.h"

#include "serial/device_factory.h"

#include <QLabel>
#include <QTest>
#include <QWindow>
#include <array>
#include <fstream>
#include <malloc.h>
#include <poll.h>
#include <sys/resource.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define TAVO_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TAVO_ASAN 1
#endif
#endif
#ifdef TAVO_ASAN
// From the sanitizer runtime's public interface; GCC installs no header for it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace tavo::test {

Flooder::Flooder(int masterFd) : thread_([this, masterFd] { run(masterFd); }) {}

Flooder::~Flooder() {
    stop();
}

void Flooder::stop() {
    stop_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
}

void Flooder::run(int fd) {
    // Printable bytes, so that the rendering has work to do on every arrival.
    std::array<char, 4096> chunk{};
    for (std::size_t i = 0; i < chunk.size(); ++i) {
        chunk[i] = static_cast<char>('0' + i % 43);
    }
    while (!stop_) {
        pollfd pfd{.fd = fd, .events = POLLOUT, .revents = 0};
        if (::poll(&pfd, 1, 20) <= 0 || (pfd.revents & POLLOUT) == 0) {
            continue;
        }
        const auto n = ::write(fd, chunk.data(), chunk.size());
        if (n > 0) {
            written_ += static_cast<std::uint64_t>(n);
        }
    }
}

void CountingWindow::setLabelText(Control label, std::string_view text) {
    if (label == Control::StatusLine && !text.empty()) {
        lastStatus = text;
    }
    MainWindow::setLabelText(label, text);
}

void CountingWindow::showWarning(std::string_view text) {
    ++warnings;
    lastMessage = text;
}

PortFailureChoice CountingWindow::showPortWarning(std::string_view text) {
    showWarning(text);
    return PortFailureChoice::Dismiss;
}

PortFailureChoice CountingWindow::showStartupError(std::string_view text) {
    ++startupErrors;
    lastMessage = text;
    return PortFailureChoice::Dismiss;
}

void CountingWindow::endProgram() {
    ++endings;
}

PortError CountingPort::write(std::string_view text) {
    ++writes;
    PortError error = inner_.write(text);
    if (error) {
        if (failedWrites++ == 0) {
            firstFailure = *error;
        }
    }
    return error;
}

PortResult<std::string> CountingPort::readAll() {
    PortResult<std::string> result = inner_.readAll();
    bytesRead += result.value.size();
    return result;
}

void CountingPort::setEventHandler(EventHandler handler) {
    if (!handler) {
        inner_.setEventHandler(nullptr);
        return;
    }
    inner_.setEventHandler([this, handler = std::move(handler)](PortEvent event) {
        ++notifications;
        handler(event);
        if (afterNotification) {
            afterNotification();
        }
    });
}

PanelRig::PanelRig(const QString& device) : port(QStringList{device, QString()}, makeDevice, advisor) {
    logic = std::make_unique<PanelLogic>(window, counting);
    window.setLogic(logic.get());
}

PanelRig::~PanelRig() {
    window.setLogic(nullptr);
}

bool PanelRig::start() {
    if (!logic->start()) {
        return false;
    }
    window.setOuterHeight(kFullHeight);
    window.show();
    return QTest::qWaitForWindowExposed(&window);
}

namespace {

QPoint centreOf(const MainWindow& window, Control control) {
    const QWidget* widget = window.control(control);
    return widget->mapTo(&window, widget->rect().center());
}

} // namespace

void PanelRig::click(Control control) {
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, centreOf(window, control));
}

void PanelRig::press(Control control) {
    QTest::mousePress(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, centreOf(window, control));
}

void PanelRig::release(Control control) {
    QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, centreOf(window, control));
}

QLabel* PanelRig::label(Control control) const {
    return qobject_cast<QLabel*>(window.control(control));
}

double cpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

std::int64_t residentBytes() {
    std::ifstream statm("/proc/self/statm");
    std::int64_t size = 0;
    std::int64_t resident = 0;
    statm >> size >> resident;
    return resident * ::sysconf(_SC_PAGESIZE);
}

std::int64_t heapBytesInUse() {
#ifdef TAVO_ASAN
    return static_cast<std::int64_t>(__sanitizer_get_current_allocated_bytes());
#else
    const struct mallinfo2 info = ::mallinfo2();
    return static_cast<std::int64_t>(info.uordblks + info.hblkhd);
#endif
}

bool residentSizeIsMeaningful() {
#ifdef TAVO_ASAN
    return false;
#else
    return true;
#endif
}

} // namespace tavo::test
