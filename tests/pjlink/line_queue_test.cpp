// SPDX-License-Identifier: GPL-3.0-or-later
// The line queue's bookkeeping of jobs: a bound per owner, and the jobs of owners that are gone.

#include "core/panel_logic.h"
#include "pjlink/bridge_log.h"
#include "pjlink/line_queue.h"
#include "tests/support/fake_serial_port.h"

#include <QCoreApplication>
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
        return LineRequest{.line = lines_[sent_] + '\r', .replyWaitMs = 2000};
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
    BridgeLog log;
    LineQueue queue(port, QStringLiteral("/dev/ttyFAKE"), log);
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

} // namespace
} // namespace tavo::pjlink
