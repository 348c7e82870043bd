// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/device_lock.h"

#include <QFile>

#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace tavo {

DeviceLock::~DeviceLock() {
    release();
}

DeviceLock::Outcome DeviceLock::take(const QString& path) {
    release();
#ifdef Q_OS_WIN
    Q_UNUSED(path);
    return Outcome::Taken;
#else
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return Outcome::NotReached;
    }
    int result = 0;
    do {
        result = ::flock(descriptor, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        const bool heldElsewhere = errno == EWOULDBLOCK;
        ::close(descriptor);
        return heldElsewhere ? Outcome::HeldElsewhere : Outcome::NotReached;
    }
    descriptor_ = descriptor;
    return Outcome::Taken;
#endif
}

void DeviceLock::release() {
#ifndef Q_OS_WIN
    if (descriptor_ >= 0) {
        // Closing the last descriptor of the lock releases it.
        ::close(descriptor_);
    }
#endif
    descriptor_ = -1;
}

} // namespace tavo
