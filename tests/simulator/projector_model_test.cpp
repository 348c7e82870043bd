// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/commands.h"
#include "core/rendering.h"
#include "simulator/projector_model.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace tavo {

namespace {

ProjectorModel::Options quiet() {
    ProjectorModel::Options options;
    options.splitPercent = 0;
    options.replyDelayMs = 30;
    options.countDownMs = 4000;
    options.coolingDownMs = 6000;
    return options;
}

std::string joined(const std::deque<std::string>& pieces) {
    std::string all;
    for (const auto& piece : pieces) {
        all += piece;
    }
    return all;
}

// Sends one line at nowMs and returns everything answered by the time the reply is due.
std::string ask(ProjectorModel& model, std::string_view line, std::int64_t nowMs) {
    model.feed(std::string(line) + '\r', nowMs);
    return joined(model.takeDue(nowMs + model.options().replyDelayMs));
}

const std::string kAckReply{kAck, '\r'};

struct ReplyCase {
    const char* name;
    std::string line;
    std::string reply;
};

void PrintTo(const ReplyCase& c, std::ostream* os) {
    *os << c.name;
}

class ReplyTable : public testing::TestWithParam<ReplyCase> {};

TEST_P(ReplyTable, AnswersAsTheProjectorDoes) {
    ProjectorModel model(quiet());
    EXPECT_EQ(spelledOut(ask(model, GetParam().line, 0)), spelledOut(GetParam().reply));
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ReplyTable,
    testing::Values(ReplyCase{"PowerStatusInStandby", "CR0", "80\r"}, ReplyCase{"InputAtStart", "CR1", "1\r"},
                    ReplyCase{"LampHoursFourDigits", "CR3", "1234\r"}, ReplyCase{"Mirror", "CR4", "11\r"},
                    ReplyCase{"Temperatures", "CR6", "025.0 031.5 042.0\r"},
                    ReplyCase{"FunctionCode", "C0B", kAckReply},
                    ReplyCase{"FunctionCommand", "CF IMAGE CINEMA", kAckReply},
                    ReplyCase{"InputCommand", "CF INPUT3 S-VIDEO", kAckReply},
                    ReplyCase{"UnknownFunctionCode", "C99", "?\r"}, ReplyCase{"UnknownStatusRead", "CR2", "?\r"},
                    ReplyCase{"LowerCaseIsUnknown", "cr0", "?\r"}, ReplyCase{"TrailingBlankIsUnknown", "CR0 ", "?\r"},
                    ReplyCase{"MissingParameterIsUnknown", "CF INPUT1", "?\r"}, ReplyCase{"EmptyLine", "", "?\r"},
                    ReplyCase{"OverlongLineIsDroppedWhole", std::string(200, 'C'), "?\r"},
                    ReplyCase{"LongestKnownPrefixOfOverlongLine", "CF INPUT1 ANALOG" + std::string(40, ' '), "?\r"}),
    [](const testing::TestParamInfo<ReplyCase>& row) { return std::string(row.param.name); });

TEST(ProjectorModel, KnowsEveryCommandThePanelSends) {
    std::size_t panelCommands = 0;
    for (const auto& button : kOneShotCommands) {
        EXPECT_NE(findKnownCommand(button.code), nullptr) << button.code;
        ++panelCommands;
    }
    for (const auto& button : kHoldCommands) {
        EXPECT_NE(findKnownCommand(button.code), nullptr) << button.code;
        ++panelCommands;
    }
    EXPECT_EQ(panelCommands, kKnownCommands.size());
}

TEST(ProjectorModel, AcknowledgesEveryKnownCommandThatReadsNothing) {
    for (const auto& command : kKnownCommands) {
        const bool statusRead = command.code.substr(0, 2) == "CR";
        ProjectorModel model(quiet());
        const std::string reply = ask(model, command.code, 0);
        if (statusRead) {
            EXPECT_NE(reply, kAckReply) << command.code;
            EXPECT_EQ(reply.back(), '\r') << command.code;
        } else {
            EXPECT_EQ(spelledOut(reply), spelledOut(kAckReply)) << command.code;
        }
    }
}

struct Step {
    std::int64_t atMs;
    std::string line;
    std::string reply;
};

struct ScriptCase {
    const char* name;
    PowerState initial;
    std::vector<Step> steps;
};

void PrintTo(const ScriptCase& c, std::ostream* os) {
    *os << c.name;
}

class PowerScript : public testing::TestWithParam<ScriptCase> {};

TEST_P(PowerScript, FollowsTheVirtualClock) {
    auto options = quiet();
    options.power = GetParam().initial;
    ProjectorModel model(options);
    for (const auto& step : GetParam().steps) {
        SCOPED_TRACE(testing::Message() << step.line << " at " << step.atMs << " ms");
        model.advance(step.atMs);
        EXPECT_EQ(spelledOut(ask(model, step.line, step.atMs)), spelledOut(step.reply));
    }
}

INSTANTIATE_TEST_SUITE_P(
    States, PowerScript,
    testing::Values(
        ScriptCase{"PowerOnCountsDownThenIsOn",
                   PowerState::Standby,
                   {{0, "C00", kAckReply},
                    {100, "CR0", "40\r"},
                    {3999, "CR0", "40\r"},
                    {4000, "CR0", "00\r"},
                    {9000, "CR0", "00\r"}}},
        ScriptCase{"PowerOffCoolsDownThenStandsBy",
                   PowerState::On,
                   {{0, "C02", kAckReply}, {10, "CR0", "20\r"}, {5999, "CR0", "20\r"}, {6000, "CR0", "80\r"}}},
        ScriptCase{"PowerOffDuringCountDownCoolsDown",
                   PowerState::Standby,
                   {{0, "C00", kAckReply}, {1000, "C02", kAckReply}, {1500, "CR0", "20\r"}, {7000, "CR0", "80\r"}}},
        ScriptCase{"PowerOnDuringCoolingIsIgnored",
                   PowerState::On,
                   {{0, "C02", kAckReply}, {1000, "C00", kAckReply}, {2000, "CR0", "20\r"}, {6000, "CR0", "80\r"}}},
        ScriptCase{
            "PowerOffInStandbyChangesNothing", PowerState::Standby, {{0, "C02", kAckReply}, {100, "CR0", "80\r"}}},
        ScriptCase{"PowerOnWhenOnChangesNothing", PowerState::On, {{0, "C00", kAckReply}, {100, "CR0", "00\r"}}},
        ScriptCase{"StartingInCountDownEndsOnTime", PowerState::CountDown, {{0, "CR0", "40\r"}, {4000, "CR0", "00\r"}}},
        ScriptCase{"InputCommandsChangeTheInput",
                   PowerState::On,
                   {{0, "CF INPUT2 YPBPR", kAckReply},
                    {10, "CR1", "2\r"},
                    {20, "CF INPUT3 VIDEO", kAckReply},
                    {30, "CR1", "3\r"},
                    {40, "CF INPUT1 DIGITAL", kAckReply},
                    {50, "CR1", "1\r"},
                    {60, "C0B", kAckReply},
                    {70, "CR1", "1\r"}}}),
    [](const testing::TestParamInfo<ScriptCase>& row) { return std::string(row.param.name); });

TEST(ProjectorModel, LampHoursGrowOnlyWhileTheLampIsLit) {
    constexpr std::int64_t hour = 3'600'000;
    auto options = quiet();
    options.lampHours = 9;
    ProjectorModel model(options);
    model.advance(5 * hour);
    EXPECT_EQ(ask(model, "CR3", 5 * hour), "0009\r");
    EXPECT_EQ(ask(model, "C00", 5 * hour), kAckReply);
    model.advance(7 * hour);
    EXPECT_EQ(ask(model, "CR3", 7 * hour), "0011\r");
    EXPECT_EQ(ask(model, "C02", 7 * hour), kAckReply);
    model.advance(20 * hour);
    EXPECT_EQ(ask(model, "CR3", 20 * hour), "0011\r");
}

TEST(ProjectorModel, LampHoursStopAtFourDigits) {
    auto options = quiet();
    options.lampHours = 9999;
    options.power = PowerState::On;
    ProjectorModel model(options);
    model.advance(10 * 3'600'000);
    EXPECT_EQ(ask(model, "CR3", 10 * 3'600'000), "9999\r");
}

TEST(ProjectorModel, ReplyIsDueOnlyAfterTheReplyDelay) {
    ProjectorModel model(quiet());
    model.feed("CR0\r", 100);
    EXPECT_EQ(model.nextEventMs(), 130);
    EXPECT_TRUE(model.takeDue(129).empty());
    EXPECT_EQ(joined(model.takeDue(130)), "80\r");
    EXPECT_FALSE(model.nextEventMs().has_value());
}

TEST(ProjectorModel, PiecewiseLineIsOneCommand) {
    ProjectorModel model(quiet());
    model.feed("C", 0);
    model.feed("R", 1);
    model.feed("0", 2);
    EXPECT_FALSE(model.nextEventMs().has_value());
    model.feed("\r", 3);
    EXPECT_EQ(joined(model.takeDue(33)), "80\r");
}

TEST(ProjectorModel, LineFeedsFromTerminalsAreIgnored) {
    ProjectorModel model(quiet());
    model.feed("CR1\r\nCR4\r\n", 0);
    EXPECT_EQ(joined(model.takeDue(100)), "1\r11\r");
}

TEST(ProjectorModel, RepliesKeepTheOrderOfTheirCommands) {
    ProjectorModel model(quiet());
    model.feed("CR0\rXX\rCR1\r", 0);
    EXPECT_EQ(spelledOut(joined(model.takeDue(1000))), spelledOut("80\r?\r1\r"));
}

TEST(ProjectorModel, SplitRepliesComeInTwoOrThreePiecesAtTheirGaps) {
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        auto options = quiet();
        options.splitPercent = 100;
        options.pieceGapMs = 8;
        options.seed = seed;
        ProjectorModel model(options);
        model.feed("CR6\r", 0);
        std::deque<std::string> pieces;
        std::int64_t expectedDue = 30;
        while (const auto due = model.nextEventMs()) {
            EXPECT_EQ(*due, expectedDue);
            auto taken = model.takeDue(*due);
            ASSERT_EQ(taken.size(), 1U);
            EXPECT_FALSE(taken.front().empty());
            pieces.push_back(taken.front());
            expectedDue += 8;
        }
        EXPECT_GE(pieces.size(), 2U);
        EXPECT_LE(pieces.size(), 3U);
        EXPECT_EQ(joined(pieces), "025.0 031.5 042.0\r");
    }
}

TEST(ProjectorModel, SilentProjectorNeverAnswersButStillObeys) {
    auto options = quiet();
    options.silent = true;
    ProjectorModel model(options);
    model.feed("CR0\rC00\rXYZ\r", 0);
    EXPECT_TRUE(model.takeDue(100'000).empty());
    EXPECT_EQ(model.power(), PowerState::CountDown);
}

TEST(ProjectorModel, OtherPanelSpeedGarblesRepliesAndObeysNothing) {
    ProjectorModel model(quiet());
    model.setPanelBaud(9600);
    model.feed("C00\r", 0);
    EXPECT_EQ(spelledOut(joined(model.takeDue(100))), spelledOut(resampleUart("?\r", 19200, 9600)));
    EXPECT_EQ(model.power(), PowerState::Standby);
    model.setPanelBaud(19200);
    EXPECT_EQ(ask(model, "CR0", 200), "80\r");
}

TEST(ProjectorModel, ReplyQueueStaysBoundedWhenLinesComeFasterThanAnswers) {
    ProjectorModel model({});
    std::string burst;
    for (int i = 0; i < 100; ++i) {
        burst += "C0B\r";
    }
    model.feed(burst, 0);
    const auto due = model.takeDue(1'000'000);
    EXPECT_LE(due.size(), kMaxPendingPieces);
    EXPECT_FALSE(due.empty()) << "the first answers still go out";
}

TEST(ProjectorModel, StateChangeDueNowIsFinishedNotAskedForAgain) {
    ProjectorModel model({.countDownMs = 0});
    model.feed("C00\rCR0\r", 0);
    model.advance(0);
    EXPECT_EQ(model.power(), PowerState::On);
    const auto next = model.nextEventMs();
    EXPECT_TRUE(!next || *next > 0) << "wake-up asked for " << *next;
}

struct ResampleCase {
    const char* name;
    std::string bytes;
    int fromBaud;
    int toBaud;
    std::string expected;
};

void PrintTo(const ResampleCase& c, std::ostream* os) {
    *os << c.name;
}

class ResampleTable : public testing::TestWithParam<ResampleCase> {};

TEST_P(ResampleTable, ReadsWhatTheReceiverSamples) {
    const auto& c = GetParam();
    EXPECT_EQ(spelledOut(resampleUart(c.bytes, c.fromBaud, c.toBaud)), spelledOut(c.expected));
}

// Worked out bit by bit: frames of start bit, eight data bits from the lowest, stop bit; the
// receiver samples the middle of each of its own bit times after a falling edge.
INSTANTIATE_TEST_SUITE_P(Uart, ResampleTable,
                         testing::Values(ResampleCase{"SameSpeedKeepsBytes", "CR0\r", 9600, 9600, "CR0\r"},
                                         ResampleCase{"AckReadAtHalfSpeed", "\x06", 19200, 9600, "\xF9"},
                                         ResampleCase{"AckCrReadAtHalfSpeed", "\x06\r", 19200, 9600, "9"},
                                         ResampleCase{"QuestionCrReadAtDoubleSpeed", "?\r", 9600, 19200,
                                                      std::string("\xFE\x98\0", 3)},
                                         ResampleCase{"NothingSentNothingRead", "", 9600, 19200, ""}),
                         [](const testing::TestParamInfo<ResampleCase>& row) { return std::string(row.param.name); });

struct InvalidCase {
    const char* name;
    void (*spoil)(ProjectorModel::Options&);
};

void PrintTo(const InvalidCase& c, std::ostream* os) {
    *os << c.name;
}

class InvalidOptions : public testing::TestWithParam<InvalidCase> {};

TEST_P(InvalidOptions, AreRejected) {
    auto options = quiet();
    EXPECT_FALSE(ProjectorModel::validate(options).has_value());
    GetParam().spoil(options);
    EXPECT_TRUE(ProjectorModel::validate(options).has_value());
}

INSTANTIATE_TEST_SUITE_P(Options, InvalidOptions,
                         testing::Values(InvalidCase{"InputZero",
                                                     [](ProjectorModel::Options& o) {
                                                         o.input = 0;
                                                     }},
                                         InvalidCase{"InputFour",
                                                     [](ProjectorModel::Options& o) {
                                                         o.input = 4;
                                                     }},
                                         InvalidCase{"LampHoursFiveDigits",
                                                     [](ProjectorModel::Options& o) {
                                                         o.lampHours = 10000;
                                                     }},
                                         InvalidCase{"MirrorOneChar",
                                                     [](ProjectorModel::Options& o) {
                                                         o.mirror = "1";
                                                     }},
                                         InvalidCase{"MirrorNotBinary",
                                                     [](ProjectorModel::Options& o) {
                                                         o.mirror = "12";
                                                     }},
                                         InvalidCase{"TemperaturesWithCr",
                                                     [](ProjectorModel::Options& o) {
                                                         o.temperatures = "1\r";
                                                     }},
                                         InvalidCase{"NegativeDelay",
                                                     [](ProjectorModel::Options& o) {
                                                         o.replyDelayMs = -1;
                                                     }},
                                         InvalidCase{"SplitOver100",
                                                     [](ProjectorModel::Options& o) {
                                                         o.splitPercent = 101;
                                                     }},
                                         InvalidCase{"ZeroBaud",
                                                     [](ProjectorModel::Options& o) {
                                                         o.baud = 0;
                                                     }}),
                         [](const testing::TestParamInfo<InvalidCase>& row) { return std::string(row.param.name); });

} // namespace

} // namespace tavo
