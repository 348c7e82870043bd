// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/host_serial_port.h"

#include "core/line_settings.h"
#include "serial/device_list.h"
#include "serial/port_messages.h"

#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <utility>

#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tavo {

namespace {

// Long enough for 512 characters at 9600 baud to reach the driver, short enough not to freeze the
// window when the device stops taking data.
constexpr int kWriteTimeoutMs = 1000;
// How often a lost device is looked for: back within about two seconds, and no busy polling.
constexpr int kReconnectIntervalMs = 1000;

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

QStringList existingPorts() {
    QStringList ports;
    const auto infos = QSerialPortInfo::availablePorts();
    for (const auto& info : infos) {
#ifdef Q_OS_WIN
        ports << info.portName();
#else
        ports << info.systemLocation();
#endif
    }
    ports.sort();
    return ports;
}

// Qt reports a lock file held by another program, a device opened exclusively and a device the
// user may not open all as a permission error; only the last one is about permissions.
bool userMayOpen(const QString& device) {
#ifdef Q_OS_WIN
    Q_UNUSED(device);
    return true;
#else
    const QByteArray path = QFile::encodeName(device);
    return ::access(path.constData(), R_OK | W_OK) == 0 || errno != EACCES;
#endif
}

// Whether an existing path that Qt failed to set up as a serial port is no terminal at all, such
// as /dev/null or a plain file.
bool existsButIsNoTerminal(const QString& device) {
#ifdef Q_OS_WIN
    Q_UNUSED(device);
    return false;
#else
    const QByteArray path = QFile::encodeName(device);
    const int fd = ::open(path.constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool terminal = ::isatty(fd) == 1;
    ::close(fd);
    return !terminal;
#endif
}

std::string toStd(const QString& text) {
    return text.toStdString();
}

// When a symbolic link was made (its change time in nanoseconds), or 0 for anything else.
qint64 linkStamp(const QString& path) {
#ifdef Q_OS_WIN
    Q_UNUSED(path);
    return 0;
#else
    struct stat info {};
    const QByteArray name = QFile::encodeName(path);
    if (::lstat(name.constData(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return 0;
    }
    return static_cast<qint64>(info.st_ctim.tv_sec) * 1'000'000'000 + info.st_ctim.tv_nsec;
#endif
}

} // namespace

HostSerialPort::HostSerialPort(QStringList devices, QObject* parent) : QObject(parent), devices_(std::move(devices)) {
    connect(&serial_, &QSerialPort::readyRead, this, &HostSerialPort::onReadyRead);
    connect(&serial_, &QSerialPort::errorOccurred, this, &HostSerialPort::onErrorOccurred);
    reconnect_.setInterval(kReconnectIntervalMs);
    connect(&reconnect_, &QTimer::timeout, this, &HostSerialPort::tryReconnect);
}

HostSerialPort::~HostSerialPort() {
    serial_.disconnect(this);
    serial_.close();
}

QStringList HostSerialPort::defaultDevices() {
#ifdef Q_OS_WIN
    return {QStringLiteral("COM1"), QStringLiteral("COM2")};
#else
    return {QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyS1")};
#endif
}

QString HostSerialPort::device() const {
    if (portNumber_ < 1 || portNumber_ > devices_.size()) {
        return {};
    }
    return devices_.at(portNumber_ - 1);
}

void HostSerialPort::setDevices(QStringList devices) {
    devices_ = std::move(devices);
}

PortError HostSerialPort::setPortNumber(int number) {
    if (open_) {
        return toStd(
            QStringLiteral("%1 is open: close it before choosing another port.").arg(portLabel(portNumber_, device())));
    }
    if (number < 1 || number > 2) {
        return toStd(QStringLiteral("There is no port %1: the ports are COM1 and COM2.").arg(number));
    }
    portNumber_ = number;
    return std::nullopt;
}

PortError HostSerialPort::setLineSettings(const LineSettings& settings) {
    settings_ = settings;
    if (serial_.isOpen()) {
        return applySettings();
    }
    return std::nullopt;
}

PortError HostSerialPort::applySettings() {
    const bool applied = serial_.setBaudRate(settings_.baud) && serial_.setParity(toQt(settings_.parity)) &&
                         serial_.setDataBits(static_cast<QSerialPort::DataBits>(settings_.dataBits)) &&
                         serial_.setStopBits(toQt(settings_.stopBits)) &&
                         serial_.setFlowControl(QSerialPort::NoFlowControl);
    if (applied) {
        return std::nullopt;
    }
    const QString reason = serial_.errorString();
    serial_.clearError();
    return toStd(QStringLiteral("%1 does not accept the line settings %2: %3.")
                     .arg(portLabel(portNumber_, device()), QString::fromStdString(toText(settings_)), reason));
}

PortResult<bool> HostSerialPort::isOpen() {
    return {.value = open_, .error = std::nullopt};
}

PortError HostSerialPort::open() {
    if (open_ && !lost_) {
        return toStd(QStringLiteral("%1 is already open.").arg(portLabel(portNumber_, device())));
    }
    if (auto error = openDevice()) {
        return error;
    }
    open_ = true;
    lost_ = false;
    reconnect_.stop();
    rememberDevice();
    return std::nullopt;
}

PortError HostSerialPort::openDevice() {
    serial_.close();
    serial_.clearError();
    lossQueued_ = false;

    const QString path = device();
    OpenFailure failure{
        .kind = OpenFailureKind::Other, .portNumber = portNumber_, .device = path, .existingPorts = {}, .detail = {}};
    if (path.isEmpty()) {
        failure.kind = OpenFailureKind::NoSuchDevice;
        return toStd(describeOpenFailure(failure));
    }

    serial_.setPortName(path);
    serial_.setReadBufferSize(kReceiveBufferSize);
    if (!serial_.open(QIODevice::ReadWrite)) {
        switch (serial_.error()) {
        case QSerialPort::DeviceNotFoundError:
            failure.kind = OpenFailureKind::NoSuchDevice;
            failure.existingPorts = existingPorts();
            break;
        case QSerialPort::PermissionError:
            failure.kind = userMayOpen(path) ? OpenFailureKind::Busy : OpenFailureKind::PermissionDenied;
            break;
        case QSerialPort::UnsupportedOperationError:
            failure.kind = OpenFailureKind::NotASerialPort;
            break;
        default:
            failure.detail = serial_.errorString();
            break;
        }
        if (failure.kind == OpenFailureKind::Other && existsButIsNoTerminal(path)) {
            failure.kind = OpenFailureKind::NotASerialPort;
        }
        serial_.clearError();
        return toStd(describeOpenFailure(failure));
    }

    if (auto error = applySettings()) {
        serial_.close();
        return error;
    }
    // Whatever the device collected before this opening answers nothing the panel asked.
    serial_.clear(QSerialPort::AllDirections);
    return std::nullopt;
}

PortError HostSerialPort::close() {
    serial_.close();
    serial_.clearError();
    open_ = false;
    lost_ = false;
    lossQueued_ = false;
    reconnect_.stop();
    return std::nullopt;
}

PortError HostSerialPort::write(std::string_view text) {
    if (lost_) {
        return toStd(describeDisconnected(portNumber_, device()));
    }
    if (!open_ || !serial_.isOpen()) {
        return toStd(describeNotOpen(portNumber_, device()));
    }
    if (text.size() > kSendBufferSize) {
        return toStd(
            QStringLiteral("%1 characters do not fit the send buffer of %2.").arg(text.size()).arg(kSendBufferSize));
    }
    const auto size = static_cast<qint64>(text.size());
    const qint64 written = serial_.write(text.data(), size);
    if (written != size) {
        return toStd(
            QStringLiteral("Sending on %1 failed: %2.").arg(portLabel(portNumber_, device()), serial_.errorString()));
    }
    // Qt only queues the bytes; hand them to the driver now, so that the line leaves at once and a
    // failure is known here rather than at some later turn of the event loop.
    serial_.flush();
    // A device that refused the bytes inside flush() is gone: waiting for it would only freeze
    // the window for the whole timeout.
    if (lossQueued_) {
        serial_.clear(QSerialPort::Output);
        return toStd(describeDisconnected(portNumber_, device()));
    }
    if (serial_.bytesToWrite() > 0 && !serial_.waitForBytesWritten(kWriteTimeoutMs)) {
        const QString reason = serial_.error() == QSerialPort::NoError
                                   ? QStringLiteral("the device did not take the data")
                                   : serial_.errorString();
        serial_.clear(QSerialPort::Output);
        return toStd(QStringLiteral("Sending on %1 failed: %2.").arg(portLabel(portNumber_, device()), reason));
    }
    if (lost_) {
        return toStd(describeDisconnected(portNumber_, device()));
    }
    return std::nullopt;
}

PortResult<std::string> HostSerialPort::readAll() {
    if (!serial_.isOpen()) {
        return {.value = {}, .error = std::nullopt};
    }
    const QByteArray bytes = serial_.readAll();
    return {.value = std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())), .error = std::nullopt};
}

void HostSerialPort::setEventHandler(EventHandler handler) {
    handler_ = std::move(handler);
}

std::string HostSerialPort::describeEvent(int eventCode) {
    switch (eventCode) {
    case kPortEventDisconnected:
        return toStd(describeDisconnected(portNumber_, device()));
    case kPortEventReconnected:
        return toStd(describeReconnected(portNumber_, device()));
    default:
        return {};
    }
}

void HostSerialPort::notify(int eventCode) {
    if (handler_) {
        handler_(eventCode);
    }
}

void HostSerialPort::onReadyRead() {
    if (serial_.bytesAvailable() > 0) {
        notify(kPortEventReceive);
    }
}

void HostSerialPort::onErrorOccurred(QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::NoError:
        return;
    case QSerialPort::ReadError:
    case QSerialPort::ResourceError:
        // After a hang-up the device keeps reporting itself readable with nothing to read. Closing
        // it stops that, but not from inside Qt's own read handler: close at the next turn.
        if (!lossQueued_ && serial_.isOpen()) {
            lossQueued_ = true;
            QMetaObject::invokeMethod(this, &HostSerialPort::onDeviceLost, Qt::QueuedConnection);
        }
        return;
    default:
        if (serial_.isOpen()) {
            notify(kPortEventLineError);
        }
        return;
    }
}

void HostSerialPort::onDeviceLost() {
    if (!lossQueued_) {
        return; // closed or reopened in the meantime
    }
    lossQueued_ = false;
    serial_.close();
    serial_.clearError();
    if (!open_) {
        return;
    }
    lost_ = true;
    reconnect_.start();
    notify(kPortEventDisconnected);
}

void HostSerialPort::rememberDevice() {
    stableName_ = stableNameOf(device());
    linkStamp_ = linkStamp(device());
}

// Pseudo-terminal numbers are reused at once, so a new pseudo-terminal under the old number is
// most likely another program's terminal. One behind a link counts as the lost line only once the
// link was made anew (a simulated projector started again on the same link).
bool HostSerialPort::mayReconnect() const {
    const QString target = QFileInfo(device()).canonicalFilePath();
    if (target.isEmpty()) {
        return false;
    }
    if (!target.startsWith(QStringLiteral("/dev/pts/"))) {
        return true;
    }
    const qint64 stamp = linkStamp(device());
    return stamp != 0 && stamp != linkStamp_;
}

void HostSerialPort::tryReconnect() {
    if (!open_ || !lost_) {
        reconnect_.stop();
        return;
    }
    // An adapter that came back under another number is found by its stable name.
    const QString stableTarget = QFileInfo(stableName_).canonicalFilePath();
    if (!stableName_.isEmpty() && !stableTarget.isEmpty() && stableTarget != QFileInfo(device()).canonicalFilePath() &&
        portNumber_ >= 1 && portNumber_ <= devices_.size()) {
        devices_[portNumber_ - 1] = stableName_;
    }
    if (!mayReconnect() || openDevice()) {
        return; // still away: look again at the next tick
    }
    lost_ = false;
    reconnect_.stop();
    rememberDevice();
    notify(kPortEventReconnected);
}

} // namespace tavo
