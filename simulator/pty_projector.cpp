// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulator/pty_projector.h"

#include <QFile>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace tavo {

namespace {

struct SpeedCode {
    int baud;
    speed_t code;
};

constexpr std::array<SpeedCode, 12> kSpeeds{{
    {.baud = 1200, .code = B1200},
    {.baud = 2400, .code = B2400},
    {.baud = 4800, .code = B4800},
    {.baud = 9600, .code = B9600},
    {.baud = 19200, .code = B19200},
    {.baud = 38400, .code = B38400},
    {.baud = 57600, .code = B57600},
    {.baud = 115200, .code = B115200},
    {.baud = 230400, .code = B230400},
    {.baud = 460800, .code = B460800},
    {.baud = 500000, .code = B500000},
    {.baud = 921600, .code = B921600},
}};

std::optional<speed_t> speedCode(int baud) {
    const auto it = std::find_if(kSpeeds.begin(), kSpeeds.end(), [baud](const SpeedCode& s) { return s.baud == baud; });
    return it == kSpeeds.end() ? std::nullopt : std::optional<speed_t>(it->code);
}

int baudOf(speed_t code) {
    const auto it = std::find_if(kSpeeds.begin(), kSpeeds.end(), [code](const SpeedCode& s) { return s.code == code; });
    return it == kSpeeds.end() ? 0 : it->baud;
}

QString systemError(const QString& what) {
    const int error = errno;
    return QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(std::strerror(error)));
}

// Raw 8N1 at the given speed, no echo and no line editing, so every byte passes as it is.
bool makeRaw(int fd, speed_t speed) {
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        return false;
    }
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | PARENB | CRTSCTS);
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    return ::cfsetispeed(&tio, speed) == 0 && ::cfsetospeed(&tio, speed) == 0 && ::tcsetattr(fd, TCSANOW, &tio) == 0;
}

void setFlags(int fd) {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    ::fcntl(fd, F_SETFD, ::fcntl(fd, F_GETFD) | FD_CLOEXEC);
}

// Frame bits per byte as the termios settings of the line give them.
int bitsPerByte(const termios& tio) {
    int dataBits = 8;
    switch (tio.c_cflag & CSIZE) {
    case CS5:
        dataBits = 5;
        break;
    case CS6:
        dataBits = 6;
        break;
    case CS7:
        dataBits = 7;
        break;
    default:
        break;
    }
    return 1 + dataBits + ((tio.c_cflag & PARENB) != 0 ? 1 : 0) + ((tio.c_cflag & CSTOPB) != 0 ? 2 : 1);
}

} // namespace

std::unique_ptr<PtyProjector> PtyProjector::create(const Options& options, QString* error) {
    const auto fail = [error](QString reason) {
        if (error != nullptr) {
            *error = std::move(reason);
        }
        return nullptr;
    };
    if (const auto invalid = ProjectorModel::validate(options.model)) {
        return fail(QString::fromStdString(*invalid));
    }
    const auto speed = speedCode(options.model.baud);
    if (!speed) {
        return fail(PtyProjector::tr("unsupported line speed %1").arg(options.model.baud));
    }

    if (options.device.isEmpty()) {
        int master = -1;
        int slave = -1;
        if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
            return fail(systemError(PtyProjector::tr("cannot create a pseudo-terminal")));
        }
        const char* name = ::ptsname(master);
        if (name == nullptr || !makeRaw(slave, *speed)) {
            const QString reason = systemError(PtyProjector::tr("cannot set up the pseudo-terminal"));
            ::close(master);
            ::close(slave);
            return fail(reason);
        }
        setFlags(master);
        setFlags(slave);
        return std::unique_ptr<PtyProjector>(new PtyProjector(master, slave, QFile::decodeName(name), options.model));
    }

    const QByteArray path = QFile::encodeName(options.device);
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return fail(systemError(options.device));
    }
    if (!::isatty(fd) || !makeRaw(fd, *speed)) {
        const QString reason = PtyProjector::tr("%1 is not a serial port").arg(options.device);
        ::close(fd);
        return fail(reason);
    }
    return std::unique_ptr<PtyProjector>(new PtyProjector(fd, -1, options.device, options.model));
}

PtyProjector::PtyProjector(int fd, int slaveFd, QString devicePath, ProjectorModel::Options model)
    : fd_(fd), slaveFd_(slaveFd), devicePath_(std::move(devicePath)), model_(std::move(model)),
      notifier_(new QSocketNotifier(fd, QSocketNotifier::Read, this)), timer_(new QTimer(this)) {
    clock_.start();
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::PreciseTimer);
    connect(notifier_, &QSocketNotifier::activated, this, &PtyProjector::onReadable);
    connect(timer_, &QTimer::timeout, this, &PtyProjector::onTimer);
    schedule();
}

PtyProjector::~PtyProjector() {
    delete notifier_;
    ::close(fd_);
    if (slaveFd_ >= 0) {
        ::close(slaveFd_);
    }
}

int PtyProjector::panelBaud() const {
    // On a pseudo-terminal's master side this reads the settings the slave's user applied.
    termios tio{};
    if (::tcgetattr(fd_, &tio) != 0) {
        return model_.options().baud;
    }
    const int baud = baudOf(::cfgetospeed(&tio));
    return baud > 0 ? baud : model_.options().baud;
}

void PtyProjector::onReadable() {
    QByteArray bytes;
    std::array<char, 256> chunk{};
    for (;;) {
        const ssize_t n = ::read(fd_, chunk.data(), chunk.size());
        if (n > 0) {
            bytes.append(chunk.data(), static_cast<qsizetype>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) {
            // The device is gone; stop watching it rather than spin on it.
            notifier_->setEnabled(false);
        }
        break;
    }
    if (bytes.isEmpty()) {
        return;
    }
    emit received(bytes);
    model_.setPanelBaud(panelBaud());
    model_.feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), nowMs());
    pump();
}

void PtyProjector::onTimer() {
    pump();
}

void PtyProjector::pump() {
    const std::int64_t nowInt = nowMs();
    const auto now = static_cast<double>(nowInt);
    model_.advance(nowInt);
    const auto pieces = model_.takeDue(nowInt);
    if (!pieces.empty()) {
        termios tio{};
        int baud = model_.options().baud;
        int bits = 10;
        if (::tcgetattr(fd_, &tio) == 0) {
            if (const int lineBaud = baudOf(::cfgetospeed(&tio)); lineBaud > 0) {
                baud = lineBaud;
            }
            bits = bitsPerByte(tio);
        }
        const double byteMs = 1000.0 * bits / baud;
        for (const auto& piece : pieces) {
            double at = std::max(now, wireFreeMs_);
            for (const char c : piece) {
                at += byteMs;
                wire_.push_back({.doneMs = at, .byte = c});
            }
            wireFreeMs_ = at;
        }
    }

    QByteArray out;
    while (!wire_.empty() && wire_.front().doneMs <= now) {
        out.append(wire_.front().byte);
        wire_.pop_front();
    }
    if (!out.isEmpty()) {
        // A projector talks whether or not anyone listens: what the line cannot take now (nobody
        // has read the other end for a long while) is lost, as on a real wire.
        const ssize_t n = ::write(fd_, out.constData(), static_cast<std::size_t>(out.size()));
        if (n > 0) {
            emit sent(out.left(n));
        }
    }
    schedule();
}

void PtyProjector::schedule() {
    std::optional<double> next;
    if (!wire_.empty()) {
        next = wire_.front().doneMs;
    }
    if (const auto event = model_.nextEventMs()) {
        next = next ? std::min(*next, static_cast<double>(*event)) : static_cast<double>(*event);
    }
    if (!next) {
        timer_->stop();
        return;
    }
    const double wait = std::max(0.0, std::ceil(*next - static_cast<double>(nowMs())));
    timer_->start(static_cast<int>(std::min(wait, 3'600'000.0)));
}

} // namespace tavo
