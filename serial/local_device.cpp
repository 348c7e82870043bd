// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/local_device.h"

#include "core/line_settings.h"
#include "serial/device_list.h"
#include "serial/logging.h"
#include "serial/open_diagnosis.h"
#include "serial/port_messages.h"

#include <QFile>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <poll.h>
#include <unistd.h>
#endif

namespace tavo {

namespace {

QSerialPort::Parity toQt(Parity parity) {
    switch (parity) {
    case Parity::None:
        return QSerialPort::NoParity;
    case Parity::Even:
        return QSerialPort::EvenParity;
    case Parity::Odd:
        return QSerialPort::OddParity;
    case Parity::Mark:
        return QSerialPort::MarkParity;
    case Parity::Space:
        return QSerialPort::SpaceParity;
    }
    return QSerialPort::NoParity;
}

QSerialPort::StopBits toQt(StopBits stopBits) {
    switch (stopBits) {
    case StopBits::One:
        return QSerialPort::OneStop;
    case StopBits::OneAndHalf:
        return QSerialPort::OneAndHalfStop;
    case StopBits::Two:
        return QSerialPort::TwoStop;
    }
    return QSerialPort::OneStop;
}

} // namespace

LocalDevice::LocalDevice(QString name, QObject* parent) : Device(std::move(name), parent) {
    connect(&serial_, &QSerialPort::readyRead, this, [this] {
        if (serial_.bytesAvailable() > 0) {
            emit received();
        }
    });
    connect(&serial_, &QSerialPort::errorOccurred, this, &LocalDevice::onErrorOccurred);
    connect(&serial_, &QSerialPort::bytesWritten, this, [this] {
        if (serial_.bytesToWrite() == 0) {
            writeTimer_.stop();
        }
    });
    writeTimer_.setSingleShot(true);
    connect(&writeTimer_, &QTimer::timeout, this, &LocalDevice::onWriteTimeout);
}

LocalDevice::~LocalDevice() {
    serial_.disconnect(this);
    closeDevice();
}

QString LocalDevice::describeOpening(const QString& port) const {
    return LocalDevice::tr("Opening %1\u2026").arg(port);
}

void LocalDevice::closeDevice() {
    serial_.close();
    lock_.release();
}

DeviceOpening LocalDevice::open(const LineSettings& settings) {
    settings_ = settings;
    if (lost_) {
        // An adapter that came back under another number is found by its stable name.
        const QString stableTarget = QFileInfo(stableName_).canonicalFilePath();
        if (!stableName_.isEmpty() && !stableTarget.isEmpty() &&
            stableTarget != QFileInfo(name()).canonicalFilePath()) {
            qCInfo(lcSerial) << name() << "is back as" << stableName_;
            rename(stableName_);
        }
        if (!mayReopen()) {
            return {.error = Disconnected{}, .inProgress = false};
        }
    }
    if (DeviceError error = openDevice()) {
        qCInfo(lcSerial) << "cannot open" << name();
        return {.error = std::move(error), .inProgress = false};
    }
    qCInfo(lcSerial) << "opened" << name() << "at" << QString::fromStdString(toText(settings_));
    lost_ = false;
    rememberDevice();
    return {};
}

DeviceError LocalDevice::openDevice() {
    closeDevice();
    serial_.clearError();
    lossQueued_ = false;
    notTaken_ = false;
    writeTimer_.stop();

    const QString path = name();
    if (isNeverASerialPort(path)) {
        return OpenFailure{.kind = OpenFailureKind::NotASerialPort, .device = path, .existingPorts = {}, .detail = {}};
    }
    const QString opening = openingPath(path);
    // Before the device is opened for good, which would set the line of the program that has it.
    if (lock_.take(opening) == DeviceLock::Outcome::HeldElsewhere) {
        qCInfo(lcSerial) << "another program holds the lock on" << opening;
        return OpenFailure{.kind = OpenFailureKind::Busy, .device = path, .existingPorts = {}, .detail = {}};
    }
    serial_.setPortName(opening);
    serial_.setReadBufferSize(kReceiveBufferSize);
    // A second try follows the removal of a stale lock file.
    for (bool lockRemoved = false; !serial_.open(QIODevice::ReadWrite);) {
        const OpenFailure failure = diagnoseOpenFailure(path, opening, serial_.error(), serial_.errorString());
        serial_.clearError();
        if (failure.kind != OpenFailureKind::StaleLock || lockRemoved || !QFile::remove(failure.lockFile)) {
            lock_.release();
            return failure;
        }
        qCInfo(lcSerial) << "removed the stale lock file" << failure.lockFile << "of process" << failure.lockPid;
        lockRemoved = true;
    }
    if (DeviceError error = applySettings()) {
        closeDevice();
        return error;
    }
    // Whatever the device collected before this opening answers nothing the panel asked.
    serial_.clear(QSerialPort::AllDirections);
    return std::nullopt;
}

DeviceError LocalDevice::applySettings() {
    const bool applied = serial_.setBaudRate(settings_.baud) && serial_.setParity(toQt(settings_.parity)) &&
                         serial_.setDataBits(static_cast<QSerialPort::DataBits>(settings_.dataBits)) &&
                         serial_.setStopBits(toQt(settings_.stopBits)) &&
                         serial_.setFlowControl(QSerialPort::NoFlowControl);
    if (applied) {
        return std::nullopt;
    }
    const QString reason = serial_.errorString();
    serial_.clearError();
    qCInfo(lcSerial) << name() << "refused the line settings:" << reason;
    return SettingsRefused{.settings = QString::fromStdString(toText(settings_)), .reason = reason};
}

void LocalDevice::close() {
    writeTimer_.stop();
    closeDevice();
    serial_.clearError();
    lossQueued_ = false;
    notTaken_ = false;
    lost_ = false;
}

DeviceError LocalDevice::write(const QByteArray& bytes) {
    if (lost_) {
        return Disconnected{};
    }
    if (!serial_.isOpen()) {
        return NotOpen{};
    }
    const auto size = static_cast<std::size_t>(bytes.size());
    if (size > kSendBufferSize) {
        return TooLong{.size = size, .limit = kSendBufferSize};
    }
    // The queue stays within the send buffer: a device that stopped taking data gets no more.
    if (static_cast<std::size_t>(serial_.bytesToWrite()) + size > kSendBufferSize) {
        return NotTaken{};
    }
    if (serial_.write(bytes) != bytes.size()) {
        return SendFailed{.detail = serial_.errorString()};
    }
    // Qt only queues the bytes; hand them to the driver now, without waiting, so that the line
    // leaves at once and a refusal is known here.
    serial_.flush();
    if (lossQueued_) {
        serial_.clear(QSerialPort::Output);
        return Disconnected{};
    }
    if (notTaken_) {
        notTaken_ = false;
        writeTimer_.stop();
        serial_.clear(QSerialPort::Output);
        return NotTaken{};
    }
    if (serial_.bytesToWrite() > 0 && !writeTimer_.isActive()) {
        writeTimer_.start(kWriteTimeoutMs);
    }
    return std::nullopt;
}

void LocalDevice::onWriteTimeout() {
    if (!serial_.isOpen() || serial_.bytesToWrite() == 0) {
        return;
    }
    qCInfo(lcSerial) << name() << "did not take" << serial_.bytesToWrite() << "bytes within" << kWriteTimeoutMs << "ms";
    serial_.clear(QSerialPort::Output);
    emit notice(NotTaken{});
}

void LocalDevice::onNotTaken() {
    if (!notTaken_ || !serial_.isOpen()) {
        return; // told by the write that met it, or closed meanwhile
    }
    notTaken_ = false;
    writeTimer_.stop();
    serial_.clear(QSerialPort::Output);
    emit notice(NotTaken{});
}

// A device whose buffer is full (a pseudo-terminal nobody reads) refuses a write with the same Qt
// error as one that went away. The one still there reports no hang-up and takes an empty write;
// a hung-up line fails it with EIO, a descriptor that lost its device with EBADF.
bool LocalDevice::gone() const {
#ifdef Q_OS_WIN
    return true;
#else
    const int fd = static_cast<int>(serial_.handle());
    pollfd device{.fd = fd, .events = POLLIN | POLLOUT, .revents = 0};
    if (::poll(&device, 1, 0) < 0 || (device.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
        return true;
    }
    const char none = 0;
    return ::write(fd, &none, 0) != 0;
#endif
}

QByteArray LocalDevice::readAll() {
    if (!serial_.isOpen()) {
        return {};
    }
    return serial_.readAll();
}

DeviceError LocalDevice::setLineSettings(const LineSettings& settings) {
    settings_ = settings;
    if (serial_.isOpen()) {
        return applySettings();
    }
    return std::nullopt;
}

void LocalDevice::onErrorOccurred(QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::NoError:
        return;
    case QSerialPort::ResourceError:
        if (serial_.isOpen() && !gone()) {
            qCInfo(lcSerial) << name() << "did not take the data:" << serial_.errorString();
            serial_.clearError();
            if (!notTaken_) {
                notTaken_ = true;
                QMetaObject::invokeMethod(this, &LocalDevice::onNotTaken, Qt::QueuedConnection);
            }
            return;
        }
        [[fallthrough]];
    case QSerialPort::ReadError:
        // After a hang-up the device keeps reporting itself readable with nothing to read. Closing
        // it stops that, but not from inside Qt's own read handler: close at the next turn.
        if (!lossQueued_ && serial_.isOpen()) {
            lossQueued_ = true;
            QMetaObject::invokeMethod(this, &LocalDevice::onDeviceLost, Qt::QueuedConnection);
        }
        return;
    default:
        if (serial_.isOpen()) {
            qCDebug(lcSerial) << name() << "line error" << error;
            emit lineError();
        }
        return;
    }
}

void LocalDevice::onDeviceLost() {
    if (!lossQueued_) {
        return; // closed or reopened in the meantime
    }
    lossQueued_ = false;
    qCInfo(lcSerial) << name() << "went away:" << serial_.errorString();
    writeTimer_.stop();
    closeDevice();
    serial_.clearError();
    lost_ = true;
    emit lost(Disconnected{});
}

void LocalDevice::rememberDevice() {
    stableName_ = stableNameOf(name());
    linkStamp_ = linkStamp(name());
}

// Pseudo-terminal numbers are reused at once, so a new pseudo-terminal under the old number is
// most likely another program's terminal. One behind a link counts as the lost line only once the
// link was made anew (a simulated projector started again on the same link).
bool LocalDevice::mayReopen() const {
    const QString target = QFileInfo(name()).canonicalFilePath();
    if (target.isEmpty()) {
        return false;
    }
    if (!target.startsWith(QStringLiteral("/dev/pts/"))) {
        return true;
    }
    const qint64 stamp = linkStamp(name());
    return stamp != 0 && stamp != linkStamp_;
}

} // namespace tavo
