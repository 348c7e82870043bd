#include "pty_pair.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTimer>
#include <array>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

namespace tavo::test {

PtyPair::PtyPair() {
    if (::openpty(&master_, &slave_, nullptr, nullptr, nullptr) != 0) {
        master_ = -1;
        return;
    }
    // Raw from the start, so nothing sent before the panel opens is echoed or edited.
    termios tio{};
    ::tcgetattr(slave_, &tio);
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B19200);
    ::cfsetospeed(&tio, B19200);
    ::tcsetattr(slave_, TCSANOW, &tio);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    slavePath_ = QFile::decodeName(::ptsname(master_));
    const QString link = dir_.filePath(QStringLiteral("tty"));
    if (dir_.isValid() && QFile::link(slavePath_, link)) {
        devicePath_ = link;
    }
}

PrivateLink::PrivateLink(const QString& target) {
    const QString link = dir_.filePath(QStringLiteral("tty"));
    if (dir_.isValid() && QFile::link(target, link)) {
        path_ = link;
    }
}

PtyPair::~PtyPair() {
    if (master_ >= 0) {
        ::close(master_);
    }
    if (slave_ >= 0) {
        ::close(slave_);
    }
}

void PtyPair::send(std::string_view bytes) const {
    [[maybe_unused]] const auto n = ::write(master_, bytes.data(), bytes.size());
}

std::string PtyPair::receive(std::size_t count, int timeoutMs) const {
    std::string out;
    const QDeadlineTimer deadline(timeoutMs);
    std::array<char, 512> chunk{};
    while (out.size() < count && !deadline.hasExpired()) {
        pollfd pfd{.fd = master_, .events = POLLIN, .revents = 0};
        if (::poll(&pfd, 1, static_cast<int>(deadline.remainingTime())) <= 0) {
            continue;
        }
        const auto n = ::read(master_, chunk.data(), chunk.size());
        if (n > 0) {
            out.append(chunk.data(), static_cast<std::size_t>(n));
        }
    }
    return out;
}

std::string PtyPair::drain() const {
    std::string out;
    std::array<char, 512> chunk{};
    for (;;) {
        const auto n = ::read(master_, chunk.data(), chunk.size());
        if (n <= 0) {
            return out;
        }
        out.append(chunk.data(), static_cast<std::size_t>(n));
    }
}

termios PtyPair::lineSettings() const {
    termios tio{};
    ::tcgetattr(master_, &tio);
    return tio;
}

void PtyPair::hangUp() {
    if (slave_ >= 0) {
        ::close(slave_);
        slave_ = -1;
    }
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
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

} // namespace tavo::test
