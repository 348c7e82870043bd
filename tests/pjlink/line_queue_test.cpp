// SPDX-License-Identifier: GPL-3.0-or-later
// The line queue on the conversation engine, on a virtual clock: a bound per owner, the jobs of
// owners that are gone, a late reply that answers nobody, and a projector that does not answer.

#include "core/commands.h"
#include "core/panel_logic.h"
#include "pjlink/bridge_log.h"
#include "pjlink/command_run.h"
#include "pjlink/line_queue.h"
#include "pjlink/protocol.h"
#include "tests/support/fake_serial_port.h"
#include "tests/support/virtual_clock.h"

#include <QCoreApplication>
#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace tavo::pjlink {
namespace {

// Sends its lines one after another and notes what became of them.
class ScriptJob final : public LineJob {
public:
    ScriptJob(std::vector<std::string> lines, bool changes, std::string* record)
        : lines_(std::move(lines)), changes_(changes), record_(record) {}

    [[nodiscard]] std::optional<LineRequest> next() const override {
        if (failed_ || sent_ == lines_.size()) {
            return std::nullopt;
        }
        return LineRequest{.line = lines_[sent_] + '\r', .replyWaitMs = 2000, .steps = 1, .periodMs = 0};
    }
    void answer(std::string_view /*reply*/, bool /*kept*/) override { ++sent_; }
    void fail(std::string_view reason) override {
        failed_ = true;
        *record_ += "failed: " + std::string(reason) + "; ";
    }
    [[nodiscard]] bool changesProjector() const override { return changes_; }

private:
    std::vector<std::string> lines_;
    bool changes_;
    std::string* record_;
    std::size_t sent_ = 0;
    bool failed_ = false;
};

void settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
    }
}

TEST(LineQueue, EachOwnerHasItsBoundAndTheJobsOfGoneOwnersAreDropped) {
    test::FakeSerialPort port;
    test::VirtualClock clock;
    BridgeLog log;
    LineQueue queue(port, clock, QStringLiteral("/dev/ttyFAKE"), log);
    ASSERT_EQ(queue.start(1, kSettings19200), std::nullopt);
    std::string record;
    std::vector<std::string> done;
    const auto submit = [&](QObject* owner, std::vector<std::string> lines, bool changes, const std::string& name) {
        queue.submit(std::make_unique<ScriptJob>(std::move(lines), changes, &record), owner,
                     [&done, name](std::unique_ptr<LineJob>) { done.push_back(name); });
    };

    // A set of two lines begins, and its connection goes: it is carried to its end all the same.
    auto leaving = std::make_unique<QObject>();
    submit(leaving.get(), {"C0D", "C0B"}, true, "set");
    settle();
    ASSERT_EQ(port.writes, std::vector<std::string>{"C0D\r"});

    // A flood of connections that sent a command and closed leaves nothing waiting.
    for (std::size_t i = 0; i < 2 * kMaxQueuedJobs; ++i) {
        QObject gone;
        submit(&gone, {"CR0"}, false, "gone");
    }
    leaving.reset();
    QObject controller;
    submit(&controller, {"CR1"}, false, "first");
    submit(&controller, {"CR3"}, false, "second");
    EXPECT_EQ(queue.waiting(), 3U);
    // Past its own bound a connection's command fails at once, and is handed back.
    submit(&controller, {"CR6"}, false, "third");
    settle();
    EXPECT_EQ(done, std::vector<std::string>{"third"});
    EXPECT_NE(record.find("too many commands of this connection"), std::string::npos) << record;

    for (const char* reply : {"\x06\r", "\x06\r", "1\r", "0123\r"}) {
        port.deliver(reply);
        settle();
    }
    EXPECT_EQ(port.writes, (std::vector<std::string>{"C0D\r", "C0B\r", "CR1\r", "CR3\r"}));
    EXPECT_EQ(done, (std::vector<std::string>{"third", "first", "second"}));
    EXPECT_EQ(queue.waiting(), 0U);
}

// Three controllers' commands on one line, as the sessions submit them, with what they answer.
class QueueOnTheClock : public ::testing::Test {
protected:
    QueueOnTheClock() { EXPECT_EQ(queue.start(1, kSettings19200), std::nullopt); }

    // Submits `request` for controller `who` (0 to 2); its response lands in responses[who].
    void ask(std::size_t who, const std::string& request) {
        const ParsedLine parsed = parseLine(request);
        ASSERT_TRUE(parsed.request.has_value()) << request;
        queue.submit(std::make_unique<CommandRun>(*parsed.request, identity, memory), &controllers.at(who),
                     [this, who](std::unique_ptr<LineJob> job) {
                         responses.at(who) = static_cast<const CommandRun&>(*job).result();
                         answeredAtMs.at(who) = clock.nowMs();
                     });
        settle();
    }
    void advance(std::int64_t ms) {
        clock.advance(ms);
        settle();
    }
    void deliver(std::string_view bytes) {
        port.deliver(bytes);
        settle();
    }

    test::FakeSerialPort port;
    test::VirtualClock clock;
    BridgeLog log;
    LineQueue queue{port, clock, QStringLiteral("/dev/ttyFAKE"), log};
    const Identity identity{};
    BridgeMemory memory;
    std::array<QObject, 3> controllers;
    std::array<std::string, 3> responses;
    std::array<std::int64_t, 3> answeredAtMs{};
};

const std::string kStatusLine = std::string(findOneShot(Control::ReadStatus)->code) + kCarriageReturn;
// The wait of POWR ?'s status read, as the bridge gives it.
int statusWaitMs() {
    BridgeMemory memory;
    const CommandRun run({.command = "POWR", .parameter = "?"}, Identity{}, memory);
    return run.next()->replyWaitMs.value_or(0);
}
const int kStatusWaitMs = statusWaitMs();

TEST_F(QueueOnTheClock, TheCommandsWaitingBehindALineTheProjectorDidNotAnswerGetErr4AtOnce) {
    for (std::size_t who = 0; who < 3; ++who) {
        ask(who, "%1POWR ?");
    }
    EXPECT_EQ(port.writes, std::vector<std::string>{kStatusLine});
    advance(kStatusWaitMs);
    EXPECT_EQ(responses, (std::array<std::string, 3>{"ERR4", "ERR4", "ERR4"}));
    EXPECT_EQ(answeredAtMs, (std::array<std::int64_t, 3>{kStatusWaitMs, kStatusWaitMs, kStatusWaitMs}));
    EXPECT_EQ(port.writes.size(), 1U) << "the two behind it were not sent";

    // A command that comes later is tried, once the line has been quiet.
    ask(0, "%1POWR ?");
    advance(kQuietAfterSilenceMs);
    EXPECT_EQ(port.writes.size(), 2U);
    deliver("80\r");
    EXPECT_EQ(responses[0], "0");
}

TEST_F(QueueOnTheClock, AReplyAfterItsWaitAnswersNoLaterCommand) {
    ask(0, "%1POWR ?");
    advance(kStatusWaitMs);
    ASSERT_EQ(responses[0], "ERR4");
    ask(1, "%1POWR ?");
    advance(300);
    deliver("00\r"); // the first read's reply, 2.3 s after it was sent
    EXPECT_EQ(port.writes.size(), 1U) << "the next line waits until the line is quiet";
    EXPECT_EQ(responses[1], "");
    advance(kQuietAfterSilenceMs);
    ASSERT_EQ(port.writes.size(), 2U);
    deliver("80\r");
    EXPECT_EQ(responses[1], "0") << "the projector's answer once it has caught up";
}

TEST_F(QueueOnTheClock, ACommandWaitingForTheLineToSettleFailsAtOnceWhenTheDeviceIsLost) {
    ask(0, "%1POWR ?");
    advance(kStatusWaitMs);
    ask(1, "%1LAMP ?");
    EXPECT_EQ(responses[1], "");
    port.notify(PortEvent::DeviceLost);
    settle();
    EXPECT_EQ(responses[1], "ERR4");
    EXPECT_EQ(answeredAtMs[1], kStatusWaitMs);
    EXPECT_EQ(port.writes.size(), 1U);
}

TEST_F(QueueOnTheClock, ALineThatKeepsTalkingFailsTheCommandsUntilItIsQuiet) {
    ask(0, "%1POWR ?");
    const auto babble = [this](int ms) {
        for (int t = 0; t < ms; t += 10) {
            port.deliver("xxxx");
            advance(10);
        }
    };
    babble(kStatusWaitMs);
    EXPECT_EQ(responses[0], "ERR4") << "noise is no reply";
    ask(1, "%1POWR ?");
    babble(kSettleBoundMs);
    EXPECT_EQ(responses[1], "ERR4") << "the line did not settle";
    ask(2, "%1INPT 11");
    EXPECT_EQ(responses[2], "ERR4") << "at once while it has not";
    EXPECT_EQ(port.writes.size(), 1U);

    babble(100);
    advance(kQuietAfterSilenceMs + kUnsettledReadPeriodMs);
    ask(0, "%1POWR 1");
    EXPECT_EQ(port.writes.size(), 2U) << "quiet again: commands are sent";
    deliver("20\r");
    EXPECT_EQ(responses[0], "ERR3") << "the projector cools down: it would ignore POWER ON";
    EXPECT_EQ(port.writes.size(), 2U);
}

} // namespace
} // namespace tavo::pjlink
