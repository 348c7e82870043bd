// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A pseudo-terminal pair for tests and benchmarks: the panel's port opens the slave by a path,
// the test plays the far end of the line on the master.

#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <string>
#include <string_view>
#include <termios.h>

namespace tavo::test {

// Raw from the start, with the master non-blocking.
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    [[nodiscard]] bool ok() const { return master_ >= 0 && !devicePath_.isEmpty(); }
    // The slave as the system names it, /dev/pts/N.
    [[nodiscard]] QString slavePath() const { return slavePath_; }
    // A link of this pair's own to the slave. Qt names its lock file after the path it opens, and
    // pseudo-terminal numbers are reused at once: test programs running side by side would
    // otherwise trip over each other's lock files.
    [[nodiscard]] QString devicePath() const { return devicePath_; }
    [[nodiscard]] int masterFd() const { return master_; }
    // The pair's own hold on the slave, which keeps the line alive while the panel has it closed.
    [[nodiscard]] int slaveFd() const { return slave_; }

    // Bytes from the far end to the panel; waits (bounded) while the line is full, running the
    // event loop meanwhile, since the panel may read on the thread that calls this.
    void send(std::string_view bytes) const;
    // Waits (bounded) until `count` bytes from the panel have arrived, and returns what came.
    [[nodiscard]] std::string receive(std::size_t count, int timeoutMs = 2000) const;
    // Everything from the panel that is waiting now.
    [[nodiscard]] std::string drain() const;
    // The line settings the panel's end is set to.
    [[nodiscard]] termios lineSettings() const;
    // Hangs up the line, as a pulled USB adapter does.
    void hangUp();

private:
    int master_ = -1;
    int slave_ = -1;
    QString slavePath_;
    QTemporaryDir dir_;
    QString devicePath_;
};

// A private link to a device path, for the same reason as PtyPair::devicePath().
class PrivateLink {
public:
    explicit PrivateLink(const QString& target);
    [[nodiscard]] QString path() const { return path_; }

private:
    QTemporaryDir dir_;
    QString path_;
};

} // namespace tavo::test
