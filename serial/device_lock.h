// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The advisory lock (flock) that serial terminals such as picocom hold on the device they use.
// A program of this package takes it on every local device it opens, before it opens the device
// for good, and keeps it while the device is open: a terminal then cannot open a port that a
// program here has, and a device that a terminal holds is refused as in use rather than shared,
// without its line settings being touched. The lock files and TIOCEXCL that Qt SerialPort uses
// do not tell such a terminal anything, and root passes TIOCEXCL.

#include <QString>
#include <cstdint>

namespace tavo {

class DeviceLock {
public:
    enum class Outcome : std::uint8_t {
        Taken,
        // Another open of the device (another program) holds it.
        HeldElsewhere,
        // The device could not be opened to lock it; opening it for good says why.
        NotReached,
    };

    DeviceLock() = default;
    ~DeviceLock();
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;

    // Releases a lock held, then locks the device at `path` through a descriptor of its own,
    // opened without waiting for a carrier and without making the device the controlling terminal.
    Outcome take(const QString& path);
    void release();
    [[nodiscard]] bool held() const { return descriptor_ >= 0; }

private:
    int descriptor_ = -1;
};

} // namespace tavo
