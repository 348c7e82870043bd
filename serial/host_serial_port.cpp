// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/host_serial_port.h"

#include "core/line_settings.h"
#include "serial/device_list.h"
#include "serial/port_messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <array>
#include <cerrno>
#include <optional>
#include <utility>

#ifndef Q_OS_WIN
#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/sysmacros.h>
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

#ifndef Q_OS_WIN
// Where lock files of serial devices are kept, in the order Qt SerialPort looks for them.
constexpr std::array<const char*, 8> kLockDirectories{
    "/var/lock", "/etc/locks", "/var/spool/locks",  "/var/spool/uucp",
    "/tmp",      "/var/tmp",   "/var/lock/lockdev", "/run/lock",
};

// The longest file name most file systems take.
constexpr qsizetype kLongestFileName = 255;

// The lock file name that Qt SerialPort makes from the path it opens.
QString lockFileName(const QString& path) {
    const QString devicePrefix = QStringLiteral("/dev/");
    QString name = path.startsWith(devicePrefix) ? path.mid(devicePrefix.size()) : path;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QStringLiteral("LCK..") + name;
}

struct Lock {
    QString file;
    qint64 pid = 0;
};

// The lock file of the device, if one exists and names a process.
std::optional<Lock> findLock(const QString& path) {
    const QString name = lockFileName(path);
    for (const char* directory : kLockDirectories) {
        QFile file(QDir(QString::fromLatin1(directory)).filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            continue;
        }
        // Both the text form of Qt and the padded form of other programs start with the number.
        bool ok = false;
        const qint64 pid = file.readLine().trimmed().toLongLong(&ok);
        if (!ok || pid <= 0) {
            return std::nullopt;
        }
        const QString canonical = QFileInfo(file.fileName()).canonicalFilePath();
        return Lock{.file = canonical.isEmpty() ? file.fileName() : canonical, .pid = pid};
    }
    return std::nullopt;
}

bool processExists(qint64 pid) {
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

// The controlling terminal and the pseudo-terminal master exist on every machine and are
// terminals, but no line of their own: writing there would land in the terminal the panel was
// started from, or nowhere.
bool isNoLineOfItsOwn(const QString& path) {
#ifdef Q_OS_LINUX
    constexpr unsigned kTerminalMajor = 5;
    constexpr unsigned kControllingTerminalMinor = 0;
    constexpr unsigned kMultiplexerMinor = 2;
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISCHR(info.st_mode)) {
        return false;
    }
    return major(info.st_rdev) == kTerminalMajor &&
           (minor(info.st_rdev) == kControllingTerminalMinor || minor(info.st_rdev) == kMultiplexerMinor);
#else
    Q_UNUSED(path);
    return false;
#endif
}

// What the system says to opening the device without Qt: 0 for a terminal, ENOTTY for anything
// else that opens, otherwise the error number.
int probeOpen(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    const bool terminal = ::isatty(fd) == 1;
    ::close(fd);
    return terminal ? 0 : ENOTTY;
}

// Qt reports a lock file held by another program, a device opened exclusively and a device the
// user may not open all as a permission error; only the last one is about permissions. Asking
// does not open the device, which another program may be using.
int accessError(const QString& path) {
    return ::access(QFile::encodeName(path).constData(), R_OK | W_OK) == 0 ? 0 : errno;
}

void addOwnership(const QString& path, OpenFailure& failure) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        return;
    }
    const passwd* user = ::getpwuid(info.st_uid);
    const group* owners = ::getgrgid(info.st_gid);
    failure.owner = user != nullptr ? QString::fromLocal8Bit(user->pw_name) : QString::number(info.st_uid);
    failure.group = owners != nullptr ? QString::fromLocal8Bit(owners->gr_name) : QString::number(info.st_gid);
    failure.mode = info.st_mode & (S_IRWXU | S_IRWXG | S_IRWXO);
}
#endif

// Opening through the device's own path makes the lock file the one other programs use for the
// device, with a name short enough for any file system however long the path given.
QString openingPath(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
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
        return QStringLiteral("%1 is open: close it before choosing another port.")
            .arg(portLabel(portNumber_, device()))
            .toStdString();
    }
    if (number < 1 || number > 2) {
        return QStringLiteral("There is no port %1: the ports are COM1 and COM2.").arg(number).toStdString();
    }
    portNumber_ = number;
    return std::nullopt;
}

PortError HostSerialPort::setLineSettings(const LineSettings& settings) {
    settings_ = settings;
    if (link_) {
        return applyNetworkSettings();
    }
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
    return describeSettingsRefused(portNumber_, device(), QString::fromStdString(toText(settings_)), reason)
        .toStdString();
}

PortResult<bool> HostSerialPort::isOpen() {
    return {.value = open_, .error = std::nullopt};
}

PortError HostSerialPort::open() {
    if (open_ && !lost_) {
        return QStringLiteral("%1 is already open.").arg(portLabel(portNumber_, device())).toStdString();
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

OpenFailureKind classifyOpenFailure(QSerialPort::SerialPortError error, int systemError) {
    if (error == QSerialPort::DeviceNotFoundError) {
        return OpenFailureKind::NoSuchDevice;
    }
    switch (systemError) {
    case ENOENT:
        return OpenFailureKind::NoSuchDevice;
    case EIO:
    case ENXIO:
        return OpenFailureKind::NoHardware;
    case EACCES:
    case EPERM:
        return OpenFailureKind::PermissionDenied;
    case EBUSY:
        return OpenFailureKind::Busy;
    case ENOTTY:
        return OpenFailureKind::NotASerialPort;
    default:
        break;
    }
    switch (error) {
    case QSerialPort::PermissionError:
        return OpenFailureKind::Busy;
    case QSerialPort::UnsupportedOperationError:
        return OpenFailureKind::NotASerialPort;
    default:
        return OpenFailureKind::Other;
    }
}

PortError HostSerialPort::openDevice() {
    serial_.close();
    serial_.clearError();
    lossQueued_ = false;
    dropLink();

    const QString path = device();
    OpenFailure failure{
        .kind = OpenFailureKind::Other, .portNumber = portNumber_, .device = path, .existingPorts = {}, .detail = {}};
    if (path.isEmpty()) {
        failure.kind = OpenFailureKind::NoSuchDevice;
        return describeOpenFailure(failure).toStdString();
    }
    if (isNetworkDevice(path)) {
        return openNetworkDevice(path);
    }
#ifndef Q_OS_WIN
    if (isNoLineOfItsOwn(path)) {
        failure.kind = OpenFailureKind::NotASerialPort;
        return describeOpenFailure(failure).toStdString();
    }
#endif

    const QString opening = openingPath(path);
    serial_.setPortName(opening);
    serial_.setReadBufferSize(kReceiveBufferSize);
    // A second try follows the removal of a stale lock file.
    for (bool lockRemoved = false; !serial_.open(QIODevice::ReadWrite);) {
        failure = examineOpenFailure(opening);
        serial_.clearError();
        if (failure.kind != OpenFailureKind::StaleLock || lockRemoved || !QFile::remove(failure.lockFile)) {
            return describeOpenFailure(failure).toStdString();
        }
        lockRemoved = true;
    }

    if (auto error = applySettings()) {
        serial_.close();
        return error;
    }
    // Whatever the device collected before this opening answers nothing the panel asked.
    serial_.clear(QSerialPort::AllDirections);
    return std::nullopt;
}

OpenFailure HostSerialPort::examineOpenFailure(const QString& opening) const {
    const QString path = device();
    OpenFailure failure{
        .kind = OpenFailureKind::Other, .portNumber = portNumber_, .device = path, .existingPorts = {}, .detail = {}};
    const QSerialPort::SerialPortError error = serial_.error();
#ifdef Q_OS_WIN
    failure.kind = classifyOpenFailure(error, 0);
#else
    failure.kind =
        classifyOpenFailure(error, error == QSerialPort::PermissionError ? accessError(opening) : probeOpen(opening));
    if (failure.kind == OpenFailureKind::PermissionDenied) {
        addOwnership(opening, failure);
    } else if (failure.kind == OpenFailureKind::Busy) {
        if (QFile::encodeName(lockFileName(opening)).size() > kLongestFileName) {
            failure.kind = OpenFailureKind::Other;
            failure.detail = QStringLiteral("the name of its lock file, made from the path, is too long; give a "
                                            "shorter path to the device");
        } else if (const auto lock = findLock(opening); lock && !processExists(lock->pid)) {
            failure.kind = OpenFailureKind::StaleLock;
            failure.lockFile = lock->file;
            failure.lockPid = lock->pid;
        }
    }
#endif
    if (failure.kind == OpenFailureKind::NoSuchDevice || failure.kind == OpenFailureKind::NoHardware) {
        failure.existingPorts = existingPorts();
    } else if (failure.kind == OpenFailureKind::Other && failure.detail.isEmpty()) {
        failure.detail = serial_.errorString();
    }
    return failure;
}

PortError HostSerialPort::close() {
    dropLink();
    serial_.close();
    serial_.clearError();
    open_ = false;
    lost_ = false;
    lossQueued_ = false;
    reconnect_.stop();
    return std::nullopt;
}

PortError HostSerialPort::write(std::string_view text) {
    if (link_) {
        return writeNetwork(text);
    }
    if (lost_) {
        return describeDisconnected(portNumber_, device()).toStdString();
    }
    if (!open_ || !serial_.isOpen()) {
        return describeNotOpen(portNumber_, device()).toStdString();
    }
    if (text.size() > kSendBufferSize) {
        return QStringLiteral("%1 characters do not fit the send buffer of %2.")
            .arg(text.size())
            .arg(kSendBufferSize)
            .toStdString();
    }
    const auto size = static_cast<qint64>(text.size());
    const qint64 written = serial_.write(text.data(), size);
    if (written != size) {
        return QStringLiteral("Sending on %1 failed: %2.")
            .arg(portLabel(portNumber_, device()), serial_.errorString())
            .toStdString();
    }
    // Qt only queues the bytes; hand them to the driver now, so that the line leaves at once and a
    // failure is known here rather than at some later turn of the event loop.
    serial_.flush();
    // A device that refused the bytes inside flush() is gone: waiting for it would only freeze
    // the window for the whole timeout.
    if (lossQueued_) {
        serial_.clear(QSerialPort::Output);
        return describeDisconnected(portNumber_, device()).toStdString();
    }
    if (serial_.bytesToWrite() > 0 && !serial_.waitForBytesWritten(kWriteTimeoutMs)) {
        const QString reason = serial_.error() == QSerialPort::NoError
                                   ? QStringLiteral("the device did not take the data")
                                   : serial_.errorString();
        serial_.clear(QSerialPort::Output);
        return QStringLiteral("Sending on %1 failed: %2.").arg(portLabel(portNumber_, device()), reason).toStdString();
    }
    if (lost_) {
        return describeDisconnected(portNumber_, device()).toStdString();
    }
    return std::nullopt;
}

PortResult<std::string> HostSerialPort::readAll() {
    if (link_) {
        const QByteArray bytes = link_->readAll();
        return {.value = std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())), .error = std::nullopt};
    }
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
        if (link_) {
            return describeNetworkFailure(portNumber_, device(), {.kind = NetworkFailureKind::Lost, .detail = {}})
                .toStdString();
        }
        return describeDisconnected(portNumber_, device()).toStdString();
    case kPortEventReconnected:
        return describeReconnected(portNumber_, device()).toStdString();
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
