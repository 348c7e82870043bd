// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/rendering.h"
#include "core/reply_judgement.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace tavo::test {
namespace {

struct JudgementCase {
    const char* name;
    std::string line;
    std::string reply;
    ReplyVerdict verdict;
    // Empty: the words for what was expected are not checked in this row.
    std::string expected{};
};

void PrintTo(const JudgementCase& row, std::ostream* os) {
    *os << row.name;
}

class ReplyTable : public ::testing::TestWithParam<JudgementCase> {};

TEST_P(ReplyTable, IsJudgedByTheCommandItAnswers) {
    const auto& row = GetParam();
    const ReplyJudgement judgement = judgeReply(row.line, row.reply);
    EXPECT_EQ(verdictName(judgement.verdict), verdictName(row.verdict))
        << spelledOut(row.line) << " answered " << spelledOut(row.reply);
    if (!row.expected.empty()) {
        EXPECT_EQ(judgement.expected, row.expected);
    }
}

const std::string kAckCr{kAcknowledge, '\r'};

INSTANTIATE_TEST_SUITE_P(
    Commands, ReplyTable,
    ::testing::Values(JudgementCase{"PowerOnAcknowledged", "C00\r", kAckCr, ReplyVerdict::Acknowledged, "ACK CR"},
                      JudgementCase{"PowerOnRefused", "C00\r", "?\r", ReplyVerdict::Refused},
                      JudgementCase{"PowerOnUnanswered", "CF INPUT1 ANALOG\r", "", ReplyVerdict::Missing, "ACK CR"},
                      JudgementCase{"InUseBannerOfADeviceServer", "C02\r", "Port's device already in use\r\n",
                                    ReplyVerdict::Unexpected},
                      JudgementCase{"WrongSpeedSemicolon", "C02\r", ";\r", ReplyVerdict::Unexpected},
                      JudgementCase{"AckWithoutItsCr", "C0B\r", std::string(1, kAcknowledge), ReplyVerdict::Unexpected},
                      JudgementCase{"TwoAcknowledgements", "C0B\r", kAckCr + kAckCr, ReplyVerdict::Unexpected},
                      JudgementCase{"StatusWhereAnAckBelongs", "C0D\r", "80\r", ReplyVerdict::Unexpected}),
    RowName{});

INSTANTIATE_TEST_SUITE_P(
    StatusReads, ReplyTable,
    ::testing::Values(
        JudgementCase{"PowerStandby", "CR0\r", "80\r", ReplyVerdict::Status, "a power status such as 00 CR"},
        JudgementCase{"PowerTemperatureAbnormality", "CR0\r", "28\r", ReplyVerdict::Status},
        JudgementCase{"PowerKeyOfNoEntry", "CR0\r", "99\r", ReplyVerdict::Unexpected},
        JudgementCase{"PowerAckInstead", "CR0\r", kAckCr, ReplyVerdict::Unexpected},
        JudgementCase{"PowerAfterAck", "CR0\r", kAcknowledge + std::string("80\r"), ReplyVerdict::Unexpected},
        JudgementCase{"PowerRefused", "CR0\r", "?\r", ReplyVerdict::Refused},
        JudgementCase{"PowerUnanswered", "CR0\r", "", ReplyVerdict::Missing},
        JudgementCase{"TelnetNegotiation", "CR0\r", "\xff\xfd\x03\xff\xfb\x01", ReplyVerdict::Unexpected},
        JudgementCase{"InputTwo", "CR1\r", "2\r", ReplyVerdict::Status, "an input number such as 1 CR"},
        JudgementCase{"InputFour", "CR1\r", "4\r", ReplyVerdict::Unexpected},
        JudgementCase{"MirrorLeftRight", "CR4\r", "01\r", ReplyVerdict::Status, "a mirror setting such as 11 CR"},
        JudgementCase{"MirrorNoSuchSetting", "CR4\r", "12\r", ReplyVerdict::Unexpected},
        JudgementCase{"LampHours", "CR3\r", "0123\r", ReplyVerdict::Status, "4 digits of lamp hours CR"},
        JudgementCase{"LampThreeDigits", "CR3\r", "123\r", ReplyVerdict::Unexpected},
        JudgementCase{"LampLetter", "CR3\r", "12a4\r", ReplyVerdict::Unexpected},
        JudgementCase{"Temperatures", "CR6\r", "025.0 031.5 042.0\r", ReplyVerdict::Status,
                      "3 temperatures such as 025.0 031.5 042.0 CR"},
        JudgementCase{"NegativeAndPaddedTemperatures", "CR6\r", "-05.5  31.5 042.0\r", ReplyVerdict::Status},
        JudgementCase{"EscapeSequencesAndEvil", "CR6\r", "\x1b[31m EVIL \x1b]0;\a\r", ReplyVerdict::Unexpected},
        JudgementCase{"EvilAsOneTemperature", "CR6\r", "025.0 EVIL. 042.0\r", ReplyVerdict::Unexpected},
        JudgementCase{"OneTemperatureOnly", "CR6\r", "025.0\r", ReplyVerdict::Unexpected},
        JudgementCase{"CommasBetweenTemperatures", "CR6\r", "025.0,031.5,042.0\r", ReplyVerdict::Unexpected},
        JudgementCase{"IntegerTemperature", "CR6\r", "00025 031.5 042.0\r", ReplyVerdict::Unexpected}),
    RowName{});

struct RepeatedCase {
    const char* name;
    int steps;
    std::string replies;
    ReplyVerdict verdict;
};

void PrintTo(const RepeatedCase& row, std::ostream* os) {
    *os << row.name;
}

class RepeatedReplies : public ::testing::TestWithParam<RepeatedCase> {};

// A held button's line sent three times: every step's reply is judged.
TEST_P(RepeatedReplies, AreJudgedStepByStep) {
    const auto& row = GetParam();
    const ReplyJudgement judgement = judgeReplies("C09\r", row.steps, row.replies);
    EXPECT_EQ(verdictName(judgement.verdict), verdictName(row.verdict)) << spelledOut(row.replies);
    if (row.steps > 1) {
        EXPECT_EQ(judgement.expected, "ACK CR, " + std::to_string(row.steps) + " times");
    }
}

INSTANTIATE_TEST_SUITE_P(
    HeldButton, RepeatedReplies,
    ::testing::Values(RepeatedCase{"EveryStepAcknowledged", 3, kAckCr + kAckCr + kAckCr, ReplyVerdict::Acknowledged},
                      RepeatedCase{"OneStepRefused", 3, kAckCr + "?\r" + kAckCr, ReplyVerdict::Refused},
                      RepeatedCase{"OneStepGarbled", 3, kAckCr + ";\r" + kAckCr, ReplyVerdict::Unexpected},
                      RepeatedCase{"GarbledAfterARefusal", 3, "?\r" + kAckCr + "\x1b[0m", ReplyVerdict::Unexpected},
                      RepeatedCase{"LastStepUnanswered", 3, kAckCr + kAckCr, ReplyVerdict::Missing},
                      RepeatedCase{"MoreRepliesThanLines", 2, kAckCr + kAckCr + kAckCr, ReplyVerdict::Unexpected},
                      RepeatedCase{"NoneAnswered", 3, "", ReplyVerdict::Missing},
                      RepeatedCase{"OneStepIsOneReply", 1, kAckCr + kAckCr, ReplyVerdict::Unexpected}),
    RowName{});

} // namespace
} // namespace tavo::test
