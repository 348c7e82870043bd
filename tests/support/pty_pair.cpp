// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/pty_pair.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

namespace tavo::test {

namespace {

// In a fresh directory, so that the path, and with it Qt's lock file, is this link's alone.
QString linkTo(const QTemporaryDir& dir, const QString& target) {
    const QString link = dir.filePath(QStringLiteral("tty"));
    return dir.isValid() && QFile::link(target, link) ? link : QString();
}

} // namespace

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
    devicePath_ = linkTo(dir_, slavePath_);
}

PtyPair::~PtyPair() {
    hangUp();
}

void PtyPair::send(std::string_view bytes) const {
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
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

std::string PtyPair::receive(std::size_t count, int timeoutMs) const {
    std::string out;
    const QDeadlineTimer deadline(timeoutMs);
    std::array<char, 4096> chunk{};
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
    std::array<char, 4096> chunk{};
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

PrivateLink::PrivateLink(const QString& target) : path_(linkTo(dir_, target)) {}

} // namespace tavo::test
