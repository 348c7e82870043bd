// SPDX-License-Identifier: GPL-3.0-or-later
// Exclusive use of a local device both ways, as serial terminals (picocom) take it with flock: a
// device such a program holds is refused as in use and its line left alone, and a device a port
// here has cannot be locked by such a program, also after the port reopened a lost device.

#include "serial/com_ports.h"
#include "serial/device_factory.h"
#include "tests/support/fake_port_advisor.h"
#include "tests/support/pty_pair.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tavo::test {
namespace {

// What another process met when it tried to lock a device.
enum class LockAttempt { Locked, HeldElsewhere, NotOpened, Failed };

void PrintTo(LockAttempt attempt, std::ostream* os) {
    constexpr std::array<const char*, 4> kNames{"locked", "held elsewhere", "not opened", "failed"};
    *os << kNames.at(static_cast<std::size_t>(attempt));
}

// The child only makes system calls and leaves with _exit: it is a fork of a threaded program.
[[noreturn]] void lockInChild(const QByteArray& path, int report, int release) {
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    char outcome = 'o';
    if (fd >= 0) {
        outcome = ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 'l' : (errno == EWOULDBLOCK ? 'h' : 'f');
    }
    // Nothing more a child could do about a pipe that failed: the test sees no answer.
    [[maybe_unused]] const ssize_t reported = ::write(report, &outcome, 1);
    char ignored = 0;
    if (release >= 0) {
        [[maybe_unused]] const ssize_t released = ::read(release, &ignored, 1); // holds the lock until then
    }
    ::_exit(0);
}

LockAttempt attemptOf(char outcome) {
    switch (outcome) {
    case 'l':
        return LockAttempt::Locked;
    case 'h':
        return LockAttempt::HeldElsewhere;
    case 'o':
        return LockAttempt::NotOpened;
    default:
        return LockAttempt::Failed;
    }
}

// Another program that takes the device's lock, as picocom does, and keeps it while this lives.
class OtherProgram {
public:
    explicit OtherProgram(const QString& path, bool holds = true) {
        int report[2] = {-1, -1};
        int release[2] = {-1, -1};
        if (::pipe(report) != 0 || (holds && ::pipe(release) != 0)) {
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(report[0]);
            if (holds) {
                ::close(release[1]);
            }
            lockInChild(QFile::encodeName(path), report[1], holds ? release[0] : -1);
        }
        ::close(report[1]);
        if (holds) {
            ::close(release[0]);
            release_ = release[1];
        }
        char outcome = 'f';
        if (pid_ > 0 && ::read(report[0], &outcome, 1) == 1) {
            attempt_ = attemptOf(outcome);
        }
        ::close(report[0]);
    }
    ~OtherProgram() { end(); }
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

    [[nodiscard]] LockAttempt attempt() const { return attempt_; }
    void end() {
        if (release_ >= 0) {
            ::close(release_);
            release_ = -1;
        }
        if (pid_ > 0) {
            int status = 0;
            ::waitpid(pid_, &status, 0);
            pid_ = -1;
        }
    }

private:
    pid_t pid_ = -1;
    int release_ = -1;
    LockAttempt attempt_ = LockAttempt::Failed;
};

// Whether another program could lock the device now; it lets go at once.
LockAttempt lockByAnotherProgram(const QString& path) {
    return OtherProgram(path, false).attempt();
}

TEST(DeviceLock, ADeviceAnotherProgramHoldsIsInUseAndItsLineIsLeftAlone) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    termios before = pty.lineSettings();
    cfsetospeed(&before, B2400);
    cfsetispeed(&before, B2400);
    before.c_cc[VMIN] = 1;
    ASSERT_EQ(::tcsetattr(pty.slaveFd(), TCSANOW, &before), 0);

    OtherProgram terminal(pty.slavePath());
    ASSERT_EQ(terminal.attempt(), LockAttempt::Locked);
    const FakePortAdvisor advisor;
    ComPorts port({pty.devicePath(), QString()}, makeDevice, advisor);
    const PortError error = port.open().error;
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(*error, QStringLiteral("COM1 (%1) cannot be opened: it is in use by another program. Close that program "
                                     "(a terminal, another panel) and try again.")
                          .arg(pty.devicePath())
                          .toStdString());
    EXPECT_FALSE(port.isOpen().value);
    const termios after = pty.lineSettings();
    EXPECT_EQ(cfgetospeed(&after), static_cast<speed_t>(B2400)) << "the other program's speed was changed";
    EXPECT_EQ(after.c_cflag, before.c_cflag);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    EXPECT_EQ(after.c_cc[VMIN], before.c_cc[VMIN]);

    // Once that program has ended, the port has the device and holds it in turn.
    terminal.end();
    ASSERT_FALSE(port.open().error);
    EXPECT_EQ(lockByAnotherProgram(pty.slavePath()), LockAttempt::HeldElsewhere);
    ASSERT_FALSE(port.write("CR0\r"));
    EXPECT_EQ(pty.drain(), "CR0\r");
    ASSERT_FALSE(port.close());
    EXPECT_EQ(lockByAnotherProgram(pty.slavePath()), LockAttempt::Locked);
}

// The adapter pulled and plugged in again: the port that reopened it by itself holds it as before.
TEST(DeviceLock, ADeviceReopenedAfterALossIsHeldAgain) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString link = dir.filePath(QStringLiteral("ttyUSB-adapter"));
    auto before = std::make_unique<PtyPair>();
    ASSERT_TRUE(QFile::link(before->slavePath(), link));
    const FakePortAdvisor advisor;
    ComPorts port({link, QString()}, makeDevice, advisor);
    int lost = 0;
    int back = 0;
    port.setEventHandler([&](PortEvent event) {
        lost += event == PortEvent::DeviceLost ? 1 : 0;
        back += event == PortEvent::DeviceBack ? 1 : 0;
    });
    ASSERT_FALSE(port.open().error);
    before->hangUp();
    ASSERT_TRUE(QTest::qWaitFor([&] { return lost == 1; }));

    PtyPair after;
    ASSERT_TRUE(after.ok());
    ASSERT_TRUE(QFile::remove(link));
    ASSERT_TRUE(QFile::link(after.slavePath(), link));
    ASSERT_TRUE(QTest::qWaitFor([&] { return back == 1; }, 3000));
    EXPECT_EQ(lockByAnotherProgram(after.slavePath()), LockAttempt::HeldElsewhere);
}

} // namespace
} // namespace tavo::test
