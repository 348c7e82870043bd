// SPDX-License-Identifier: GPL-3.0-or-later
#include "pjlink/password_file.h"

#include "pjlink/authentication.h"

#include <QCoreApplication>
#include <QFile>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace tavo::pjlink {

namespace {

// The password, a CR LF after it, and one byte more to tell a longer file.
constexpr std::size_t kReadLimit = static_cast<std::size_t>(kMaxPasswordLength) + 3;

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// A file others may read gives the password away; one others may change chooses it.
std::optional<QString> modeProblem(const QString& path, mode_t mode) {
    const auto whom = [mode](mode_t others) {
        return (mode & others) != 0 ? QCoreApplication::translate("tavo-pjlink", "every user")
                                    : QCoreApplication::translate("tavo-pjlink", "its group");
    };
    const QString octal = QString::number(mode & 07777, 8).rightJustified(4, u'0');
    if ((mode & (S_IRGRP | S_IROTH)) != 0) {
        return QCoreApplication::translate("tavo-pjlink",
                                           "the password file %1 may be read by %2 (mode %3): allow its owner only, "
                                           "e.g.  chmod 600 %1")
            .arg(path, whom(S_IROTH), octal);
    }
    if ((mode & (S_IWGRP | S_IWOTH)) != 0) {
        return QCoreApplication::translate("tavo-pjlink",
                                           "the password file %1 may be changed by %2 (mode %3): allow its owner "
                                           "only, e.g.  chmod 600 %1")
            .arg(path, whom(S_IWOTH), octal);
    }
    return std::nullopt;
}

} // namespace

PasswordRead readPasswordFile(const QString& path) {
    PasswordRead result;
    const QByteArray name = QFile::encodeName(path);
    // Checked on the opened file itself, so that the file read is the file judged.
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        result.error = QCoreApplication::translate("tavo-pjlink", "cannot read the password file %1: %2")
                           .arg(path, systemError(errno));
        return result;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        result.error =
            QCoreApplication::translate("tavo-pjlink", "the password file %1 is not a regular file").arg(path);
        return result;
    }
    if (auto problem = modeProblem(path, info.st_mode)) {
        ::close(fd);
        result.error = *problem;
        return result;
    }
    std::array<char, kReadLimit> buffer{};
    std::size_t size = 0;
    while (size < buffer.size()) {
        const ssize_t n = ::read(fd, buffer.data() + size, buffer.size() - size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            result.error = QCoreApplication::translate("tavo-pjlink", "cannot read the password file %1: %2")
                               .arg(path, systemError(error));
            return result;
        }
        if (n == 0) {
            break;
        }
        size += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (size == buffer.size()) {
        result.error =
            QCoreApplication::translate("tavo-pjlink",
                                        "the password file %1 cannot be used: the password is longer than the %2 bytes "
                                        "PJLink allows")
                .arg(path)
                .arg(kMaxPasswordLength);
        return result;
    }
    QByteArray password(buffer.data(), static_cast<qsizetype>(size));
    if (password.endsWith('\n')) {
        password.chop(1);
    }
    if (password.endsWith('\r')) {
        password.chop(1);
    }
    if (const auto problem = passwordProblem(password)) {
        result.error =
            QCoreApplication::translate("tavo-pjlink", "the password file %1 cannot be used: %2").arg(path, *problem);
        return result;
    }
    result.password = password;
    return result;
}

} // namespace tavo::pjlink
