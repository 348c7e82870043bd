// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/open_diagnosis.h"

#include "serial/device_list.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <cerrno>
#include <optional>

#ifndef Q_OS_WIN
#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <QCoreApplication>
#include <sys/sysmacros.h>
#endif

namespace tavo {

// The context of the texts below.
class OpenDiagnosis {
    Q_DECLARE_TR_FUNCTIONS(tavo::OpenDiagnosis)
};

namespace {

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

} // namespace

int probeTerminal(const QString& path) {
#ifdef Q_OS_WIN
    Q_UNUSED(path);
    return 0;
#else
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    // The question itself, not isatty(): that turns an EIO (the kernel's 8250 driver with no UART
    // behind the node) into "no terminal".
    termios settings{};
    const int answer = ::tcgetattr(fd, &settings) == 0 ? 0 : errno;
    ::close(fd);
    return answer;
#endif
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

OpenFailure diagnoseOpenFailure(const QString& device, const QString& opening, QSerialPort::SerialPortError error,
                                const QString& errorString, TerminalProbe probe) {
    OpenFailure failure{.kind = OpenFailureKind::Other, .device = device, .existingPorts = {}, .detail = {}};
#ifdef Q_OS_WIN
    Q_UNUSED(opening);
    Q_UNUSED(probe);
    failure.kind = classifyOpenFailure(error, 0);
#else
    failure.kind =
        classifyOpenFailure(error, error == QSerialPort::PermissionError ? accessError(opening) : probe(opening));
    if (failure.kind == OpenFailureKind::PermissionDenied) {
        addOwnership(opening, failure);
    } else if (failure.kind == OpenFailureKind::Busy) {
        if (QFile::encodeName(lockFileName(opening)).size() > kLongestFileName) {
            failure.kind = OpenFailureKind::Other;
            failure.detail = OpenDiagnosis::tr("the name of its lock file, made from the path, is too long; give a "
                                               "shorter path to the device");
        } else if (const auto lock = findLock(opening); lock && !processExists(lock->pid)) {
            failure.kind = OpenFailureKind::StaleLock;
            failure.lockFile = lock->file;
            failure.lockPid = lock->pid;
        }
    }
#endif
    if (failure.kind == OpenFailureKind::NoSuchDevice || failure.kind == OpenFailureKind::NoHardware) {
        failure.existingPorts = presentDevicePaths();
    } else if (failure.kind == OpenFailureKind::Other && failure.detail.isEmpty()) {
        failure.detail = errorString;
    }
    return failure;
}

bool isNeverASerialPort(const QString& path) {
#ifdef Q_OS_LINUX
    // /dev/tty, /dev/console and /dev/ptmx; the virtual consoles /dev/tty0 to /dev/tty63 share
    // their major number with the built-in serial ports, which start at minor 64.
    constexpr unsigned kAuxiliaryMajor = 5;
    constexpr unsigned kLastAuxiliaryMinor = 2;
    constexpr unsigned kConsoleMajor = 4;
    constexpr unsigned kFirstSerialMinor = 64;
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        return false;
    }
    if (S_ISSOCK(info.st_mode)) {
        return true;
    }
    if (!S_ISCHR(info.st_mode)) {
        return false;
    }
    const unsigned deviceMajor = major(info.st_rdev);
    const unsigned deviceMinor = minor(info.st_rdev);
    return (deviceMajor == kAuxiliaryMajor && deviceMinor <= kLastAuxiliaryMinor) ||
           (deviceMajor == kConsoleMajor && deviceMinor < kFirstSerialMinor);
#else
    Q_UNUSED(path);
    return false;
#endif
}

QString openingPath(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

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

} // namespace tavo
