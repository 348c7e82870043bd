// SPDX-License-Identifier: GPL-3.0-or-later
// The real window, logic and COM ports on a pseudo-terminal whose far end misbehaves: the
// device vanishing during a 5 ms hold, writes failing under a hold, a device flooding the line, a
// second panel on the same device, and replies full of bytes no projector should send.

#include "core/rendering.h"
#include "tests/support/fault_rig.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>
#include <vector>

namespace tavo::test {
namespace {

constexpr std::string_view kArrowLine = "C3C\r";

std::size_t countOf(const std::string& text, std::string_view what) {
    std::size_t count = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) {
        ++count;
    }
    return count;
}

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

class FaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(line.ok());
        rig = std::make_unique<PanelRig>(line.devicePath());
        ASSERT_TRUE(rig->start()) << rig->window.lastMessage;
    }

    [[nodiscard]] QTimer* timer(TimerId id) const { return rig->window.timer(id); }
    [[nodiscard]] std::string labelText(Control control) const { return rig->label(control)->text().toStdString(); }
    [[nodiscard]] std::string wholeText(Control control) const {
        return rig->label(control)->accessibleDescription().toStdString();
    }

    // D.Zoom pressed and released puts the cursor pad into the digital-zoom context, in which an
    // arrow repeats every 5 ms; then an arrow is held until its line is on the wire repeatedly.
    void holdArrowAtFiveMs() {
        rig->press(Control::DigitalZoomIn);
        rig->release(Control::DigitalZoomIn);
        ASSERT_EQ(rig->logic->cursorPadContext(), CursorPadContext::DigitalZoom);
        ASSERT_EQ(timer(TimerId::HoldRepeat)->interval(), 5);
        rig->press(Control::CursorUp);
        std::string wire;
        ASSERT_TRUE(QTest::qWaitFor([&] {
            wire += line.drain();
            return countOf(wire, kArrowLine) >= 20;
        })) << "only "
            << countOf(wire, kArrowLine) << " arrow lines";
        ASSERT_TRUE(timer(TimerId::HoldRepeat)->isActive());
    }

    // The hold ends on release: the repeat stops and no write is attempted afterwards.
    void expectCleanRelease() {
        rig->release(Control::CursorUp);
        EXPECT_EQ(rig->logic->heldButton(), HoldButton::None);
        EXPECT_FALSE(timer(TimerId::HoldRepeat)->isActive());
        const int writes = rig->counting.writes;
        // Twenty repeat periods: a hold still running would have written several times.
        QTest::qWait(100);
        EXPECT_EQ(rig->counting.writes, writes);
    }

    PtyPair line;
    std::unique_ptr<PanelRig> rig;
};

TEST_F(FaultTest, DeviceVanishingDuringAFiveMsHoldStopsItWithOneNoticeAndNoSpinning) {
    holdArrowAtFiveMs();
    const int warningsBefore = rig->window.warnings;
    line.hangUp();
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig->logic->heldButton() == HoldButton::None; }));
    EXPECT_FALSE(timer(TimerId::HoldRepeat)->isActive());

    // One second with the device away.
    const int notifications = rig->counting.notifications;
    const int writes = rig->counting.writes;
    const double cpu = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTest::qWait(1000);
    const double cpuShare = (cpuSeconds() - cpu) / (static_cast<double>(wall.elapsed()) / 1000.0);

    EXPECT_EQ(rig->window.warnings - warningsBefore, 0) << "a dialog for a lost device";
    EXPECT_EQ(rig->window.startupErrors, 0);
    EXPECT_LE(rig->counting.notifications - notifications, 1) << "the lost device keeps notifying";
    // A loop spinning on the dead device takes a whole core.
    EXPECT_LT(cpuShare, 0.6) << "CPU share with a vanished device";
    EXPECT_EQ(rig->counting.writes, writes) << "the hold went on after the loss";
    // Seen in the collapsed view too, where the status line is out of sight.
    const auto* notice = rig->window.findChild<QLabel*>(QStringLiteral("deviceNotice"));
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_TRUE(contains(notice->accessibleDescription().toStdString(), "was disconnected"))
        << notice->accessibleDescription().toStdString();
    EXPECT_EQ(notice->geometry().bottom(), rig->window.rect().bottom());
    EXPECT_TRUE(contains(rig->window.lastStatus, "disconnected")) << rig->window.lastStatus;
    expectCleanRelease();
}

enum class WriteFault { PortClosed, DescriptorRefusesWrites };

struct WriteFaultRow {
    const char* name;
    WriteFault fault;
};

void PrintTo(const WriteFaultRow& row, std::ostream* os) {
    *os << row.name;
}

// Whether the descriptor is the one that holds the device's lock (the system lists the lock in its
// information).
bool holdsTheLock(const QString& fd) {
    QFile info(QStringLiteral("/proc/self/fdinfo/") + fd);
    return info.open(QIODevice::ReadOnly) && info.readAll().contains("FLOCK");
}

// The descriptors this process holds on the given device to carry data, besides the one it names:
// not the one that only holds the lock.
std::vector<int> descriptorsOn(const QString& device, int besides) {
    std::vector<int> found;
    const QString target = QFileInfo(device).canonicalFilePath();
    const QDir fds(QStringLiteral("/proc/self/fd"));
    const auto names = fds.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        bool isNumber = false;
        const int fd = name.toInt(&isNumber);
        if (isNumber && fd != besides && QFileInfo(fds.filePath(name)).canonicalFilePath() == target &&
            !holdsTheLock(name)) {
            found.push_back(fd);
        }
    }
    return found;
}

class WriteFaultTest : public FaultTest, public ::testing::WithParamInterface<WriteFaultRow> {
protected:
    // Puts the read end of an empty pipe in place of the port's descriptor: every write to it
    // fails, and it never reports anything to read.
    void breakDescriptor() {
        std::array<int, 2> pipeEnds{};
        ASSERT_EQ(::pipe(pipeEnds.data()), 0);
        pipeWriteEnd_ = pipeEnds[1];
        const std::vector<int> fds = descriptorsOn(line.devicePath(), line.slaveFd());
        ASSERT_EQ(fds.size(), 1U) << "the port's descriptor on the device";
        ASSERT_GE(::dup2(pipeEnds[0], fds.front()), 0);
        ::close(pipeEnds[0]);
    }
    void TearDown() override {
        if (pipeWriteEnd_ >= 0) {
            ::close(pipeWriteEnd_);
        }
    }

private:
    int pipeWriteEnd_ = -1;
};

TEST_P(WriteFaultTest, HoldShowsTheFailureAndEndsCleanly) {
    holdArrowAtFiveMs();
    switch (GetParam().fault) {
    case WriteFault::PortClosed:
        ASSERT_FALSE(rig->port.close());
        break;
    case WriteFault::DescriptorRefusesWrites:
        breakDescriptor();
        break;
    }
    const int failedBefore = rig->counting.failedWrites;
    std::string_view shown = " Not sent: ";
    if (GetParam().fault == WriteFault::PortClosed) {
        // The repeat keeps going, every attempt failing.
        ASSERT_TRUE(QTest::qWaitFor([&] { return rig->counting.failedWrites >= failedBefore + 20; }))
            << rig->counting.failedWrites - failedBefore << " failed writes";
        EXPECT_TRUE(timer(TimerId::HoldRepeat)->isActive());
    } else {
        // A refused write means the device is gone: known at the first refused write, not after
        // the window sat frozen for the write timeout, and the hold stops as for any lost device.
        ASSERT_TRUE(QTest::qWaitFor([&] { return rig->logic->heldButton() == HoldButton::None; }));
        EXPECT_TRUE(contains(rig->counting.firstFailure, "was disconnected")) << rig->counting.firstFailure;
        shown = "was disconnected";
    }
    EXPECT_TRUE(contains(rig->window.lastStatus, shown)) << rig->window.lastStatus;
    // And it reaches the screen between the display clears, whole in the tool tip and the
    // description where the line has no room for it.
    EXPECT_TRUE(QTest::qWaitFor([&] { return contains(wholeText(Control::StatusLine), shown); }));
    EXPECT_EQ(rig->window.warnings, 0) << rig->window.lastMessage;
    EXPECT_EQ(rig->window.startupErrors, 0);
    expectCleanRelease();
}

INSTANTIATE_TEST_SUITE_P(Faults, WriteFaultTest,
                         ::testing::Values(WriteFaultRow{.name = "PortClosed", .fault = WriteFault::PortClosed},
                                           WriteFaultRow{.name = "DescriptorRefusesWrites",
                                                         .fault = WriteFault::DescriptorRefusesWrites}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(FaultTest, FloodingDeviceLeavesClicksPromptAndMemoryFlat) {
    constexpr int kClicks = 10;
    constexpr qint64 kPromptMs = 500;
    constexpr std::int64_t kGrowthBound = 20 << 20;

    std::size_t largestBuffer = 0;
    rig->counting.afterNotification = [&] {
        largestBuffer = std::max(largestBuffer, rig->logic->receiveBuffer().size());
    };
    Flooder flooder(line.masterFd());
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig->counting.bytesRead > 64 * 1024; }));
    const std::int64_t residentAtStart = residentBytes();
    const std::int64_t heapAtStart = heapBytesInUse();

    std::vector<qint64> latencies;
    for (int i = 0; i < kClicks; ++i) {
        (void)line.drain();
        QElapsedTimer sinceClick;
        sinceClick.start();
        // The click waits in the event queue behind whatever the flood brings.
        QTimer::singleShot(0, &rig->window, [&] { rig->click(Control::ReadStatus); });
        std::string wire;
        ASSERT_TRUE(QTest::qWaitFor([&] {
            wire += line.drain();
            return contains(wire, "CR0\r");
        })) << "click "
            << i << " never reached the wire";
        latencies.push_back(sinceClick.elapsed());
        QTest::qWait(200);
    }
    flooder.stop();
    const std::int64_t residentGrowth = residentBytes() - residentAtStart;
    const std::int64_t heapGrowth = heapBytesInUse() - heapAtStart;

    std::printf("[ figures  ] drained %llu of %llu bytes flooded; click latencies (ms):",
                static_cast<unsigned long long>(rig->counting.bytesRead),
                static_cast<unsigned long long>(flooder.bytesWritten()));
    for (const qint64 latency : latencies) {
        std::printf(" %lld", static_cast<long long>(latency));
    }
    std::printf("; growth: resident %lld KiB, heap %lld KiB\n", static_cast<long long>(residentGrowth / 1024),
                static_cast<long long>(heapGrowth / 1024));

    EXPECT_LE(*std::max_element(latencies.begin(), latencies.end()), kPromptMs);
    EXPECT_LT(heapGrowth, kGrowthBound);
    if (residentSizeIsMeaningful()) {
        EXPECT_LT(residentGrowth, kGrowthBound);
    }
    EXPECT_EQ(largestBuffer, kReceiveBufferLimit) << "the flood should fill the buffer to its cap, never past";
    EXPECT_GT(rig->counting.bytesRead, 256U * 1024U) << "the flood should be read, not left in the line";
    EXPECT_EQ(rig->window.warnings, 0);
}

TEST_F(FaultTest, SecondPanelOnTheSameDeviceIsToldItIsBusyAndTheFirstKeepsWorking) {
    PanelRig second(line.devicePath());
    EXPECT_FALSE(second.logic->start());
    EXPECT_EQ(second.window.startupErrors, 1);
    EXPECT_EQ(second.window.endings, 1);
    EXPECT_TRUE(contains(second.window.lastMessage, "in use by another program")) << second.window.lastMessage;
    EXPECT_FALSE(second.port.deviceOpen());

    // Both directions of the first panel's line still work.
    (void)line.drain();
    rig->click(Control::ReadStatus);
    std::string wire;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        wire += line.drain();
        return contains(wire, "\r");
    }));
    EXPECT_EQ(wire, "CR0\r");
    line.send("80\r");
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig->logic->receiveBuffer() == "80\r"; })) << rig->logic->receiveBuffer();
    EXPECT_EQ(labelText(Control::StatusLine), " Stand by");
    EXPECT_EQ(rig->window.warnings, 0);
}

struct HostileReply {
    const char* name;
    std::string bytes;
};

void PrintTo(const HostileReply& row, std::ostream* os) {
    *os << row.name << " (" << row.bytes.size() << " bytes)";
}

std::string everyByteValue(int rounds) {
    std::string bytes;
    for (int round = 0; round < rounds; ++round) {
        for (int value = 0; value < 256; ++value) {
            bytes.push_back(static_cast<char>(value));
        }
    }
    return bytes;
}

class HostileReplyTest : public FaultTest, public ::testing::WithParamInterface<HostileReply> {};

TEST_P(HostileReplyTest, IsShownAsPlainTextWithinTheCap) {
    const std::string& reply = GetParam().bytes;
    rig->click(Control::ReadStatus);
    (void)line.drain();
    line.send(reply);
    const std::string expected = reply.substr(0, kReceiveBufferLimit);
    // Every byte taken from the port, including those past the cap.
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig->counting.bytesRead >= reply.size(); }))
        << rig->counting.bytesRead << " bytes arrived";

    EXPECT_EQ(rig->logic->receiveBuffer(), expected) << "bytes lost or changed on the way";
    const QLabel* rxd = rig->label(Control::RxdField);
    EXPECT_EQ(rxd->textFormat(), Qt::PlainText);
    EXPECT_EQ(rxd->text().toStdString(), visibleRendering(expected));
    EXPECT_LE(static_cast<std::size_t>(rxd->text().size()), 1 + 4 * kReceiveBufferLimit);
    for (const Control control : {Control::TxdField, Control::RxdField, Control::StatusLine}) {
        const QLabel* label = rig->label(control);
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
        const QString text = label->text();
        EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= u' '; }))
            << "control character shown in " << label->objectName().toStdString();
        // The tool tip is rich text: it must show the same characters as the spoken description
        // (the text, then any remark on it), none taken for markup.
        EXPECT_TRUE(label->accessibleDescription().trimmed().startsWith(text.trimmed()));
        if (!label->toolTip().isEmpty()) {
            QTextDocument tip;
            tip.setHtml(label->toolTip());
            EXPECT_EQ(tip.toPlainText().toStdString(), label->accessibleDescription().trimmed().toStdString());
        }
    }
    EXPECT_EQ(rig->window.warnings, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, HostileReplyTest,
    ::testing::Values(HostileReply{.name = "EveryByteValue", .bytes = everyByteValue(1)},
                      HostileReply{.name = "EveryByteValueFiveTimes", .bytes = everyByteValue(5)},
                      HostileReply{.name = "Markup",
                                   .bytes = "<b>80</b><img src=\"/nonexistent.png\"><a href=\"x\">y</a>&amp;<table>"
                                            "<tr><td>\r<script>x</script><!--\r"},
                      HostileReply{.name = "StatusThenMarkup", .bytes = "80\r<h1>00</h1>\r"},
                      HostileReply{.name = "LongRunOfAngleBrackets", .bytes = std::string(5000, '<')},
                      HostileReply{.name = "LongRunOfNul", .bytes = std::string(3000, '\0')},
                      HostileReply{.name = "LongRunOfLineEnds", .bytes = std::string(2000, '\n')}),
    [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace tavo::test

int main(int argc, char* argv[]) {
    // Test discovery runs the binary without the test environment.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
