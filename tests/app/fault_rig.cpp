#include "tests/app/fault_rig.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <malloc.h>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <termios.h>
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

PtyLine::PtyLine() {
    if (::openpty(&master_, &slave_, nullptr, nullptr, nullptr) != 0) {
        master_ = -1;
        return;
    }
    // Raw from the start, so nothing sent before the panel opens is echoed or edited.
    termios tio{};
    ::tcgetattr(slave_, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(slave_, TCSANOW, &tio);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    const QString link = dir_.filePath(QStringLiteral("tty"));
    if (dir_.isValid() && QFile::link(QFile::decodeName(::ptsname(master_)), link)) {
        devicePath_ = link;
    }
}

PtyLine::~PtyLine() {
    hangUp();
}

void PtyLine::send(std::string_view bytes) const {
    const QDeadlineTimer deadline(5000);
    while (!bytes.empty() && !deadline.hasExpired()) {
        const auto n = ::write(master_, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return;
        }
        // The panel reads on the thread that calls this: let it.
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

std::string PtyLine::drain() const {
    std::string out;
    std::array<char, 4096> chunk{};
    for (;;) {
        const auto n = ::read(master_, chunk.data(), chunk.size());
        if (n <= 0) {
            return out;
        }
        out.append(chunk.data(), static_cast<std::size_t>(n));
    }
}

void PtyLine::hangUp() {
    if (slave_ >= 0) {
        ::close(slave_);
        slave_ = -1;
    }
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}

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
    if (label == Control::Label25 && !text.empty()) {
        lastStatus = text;
    }
    MainWindow::setLabelText(label, text);
}

void CountingWindow::showWarning(std::string_view text) {
    ++warnings;
    lastMessage = text;
}

void CountingWindow::showStartupError(std::string_view text) {
    ++startupErrors;
    lastMessage = text;
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

void CountingPort::setCommHandler(CommHandler handler) {
    if (!handler) {
        inner_.setCommHandler(nullptr);
        return;
    }
    inner_.setCommHandler([this, handler = std::move(handler)](int eventCode) {
        ++notifications;
        handler(eventCode);
        if (afterNotification) {
            afterNotification();
        }
    });
}

PanelRig::PanelRig(const QString& device) : port(QStringList{device, QString()}) {
    form = std::make_unique<Form1>(window, counting);
    window.setForm(form.get());
}

PanelRig::~PanelRig() {
    window.setForm(nullptr);
}

bool PanelRig::start() {
    if (!form->load()) {
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

bool waitUntil(const std::function<bool()>& condition, int deadlineMs) {
    const QDeadlineTimer deadline(deadlineMs);
    // Wakes the blocking wait below now and then, so that the deadline is noticed.
    QTimer tick;
    tick.start(5);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

void spin(int ms) {
    const QDeadlineTimer deadline(ms);
    QTimer tick;
    tick.start(5);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
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
