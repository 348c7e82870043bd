// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/commands.h"
#include "core/rendering.h"
#include "pjlink/auth_throttle.h"
#include "pjlink/authentication.h"
#include "pjlink/command_run.h"
#include "pjlink/log_budget.h"
#include "pjlink/options.h"
#include "pjlink/password_file.h"
#include "pjlink/protocol.h"
#include "tests/support/printers.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace tavo::pjlink {
namespace {

const std::string kAckCr{kAcknowledge, '\r'};

struct Step {
    // The projector line the bridge must send, without its CR, and the projector's reply.
    std::string line;
    std::string reply;
};

struct MappingCase {
    const char* name;
    std::string request;
    std::vector<Step> steps;
    std::string response;
    BridgeMemory memory{};
};

void PrintTo(const MappingCase& row, std::ostream* os) {
    *os << row.name;
}

class Mapping : public ::testing::TestWithParam<MappingCase> {};

TEST_P(Mapping, SendsTheProjectorsLinesAndAnswers) {
    const auto& row = GetParam();
    const ParsedLine parsed = parseLine(row.request);
    ASSERT_TRUE(parsed.request.has_value()) << row.request;
    const Identity identity{.name = "Hall 2", .maker = "TAVO", .product = "R5500/R730", .info = "tavo-pjlink"};
    BridgeMemory memory = row.memory;
    CommandRun run(*parsed.request, identity, memory);
    for (const Step& step : row.steps) {
        const auto next = run.next();
        ASSERT_TRUE(next.has_value()) << "expected " << step.line << " to be sent";
        EXPECT_EQ(spelledOut(next->line), spelledOut(step.line + '\r'));
        EXPECT_GT(next->replyWaitMs.value_or(0), 0);
        run.answer(step.reply, false);
    }
    EXPECT_FALSE(run.next().has_value()) << "sends more than expected: " << run.next()->line;
    EXPECT_EQ(spelledOut(run.response()), spelledOut(row.response + '\r')) << run.trace();
}

INSTANTIATE_TEST_SUITE_P(
    Power, Mapping,
    ::testing::Values(MappingCase{"QueryStandby", "%1POWR ?", {{"CR0", "80\r"}}, "%1POWR=0"},
                      MappingCase{"QueryWarmingUp", "%1POWR ?", {{"CR0", "40\r"}}, "%1POWR=3"},
                      MappingCase{"QueryOn", "%1POWR ?", {{"CR0", "00\r"}}, "%1POWR=1"},
                      MappingCase{"QueryCooling", "%1POWR ?", {{"CR0", "20\r"}}, "%1POWR=2"},
                      MappingCase{"QueryHotWhileCooling", "%1POWR ?", {{"CR0", "28\r"}}, "%1POWR=2"},
                      MappingCase{"QueryPowerAbnormality", "%1POWR ?", {{"CR0", "10\r"}}, "%1POWR=ERR4"},
                      MappingCase{"QueryWrongSpeed", "%1POWR ?", {{"CR0", ";\r"}}, "%1POWR=ERR4"},
                      MappingCase{"QueryUnanswered", "%1POWR ?", {{"CR0", ""}}, "%1POWR=ERR4"},
                      MappingCase{"On", "%1POWR 1", {{"CR0", "80\r"}, {"C00", kAckCr}}, "%1POWR=OK"},
                      MappingCase{"OnWhileCooling", "%1POWR 1", {{"CR0", "20\r"}}, "%1POWR=ERR3"},
                      MappingCase{"OnRefused", "%1POWR 1", {{"CR0", "80\r"}, {"C00", "?\r"}}, "%1POWR=ERR3"},
                      MappingCase{"OnBanner", "%1POWR 1", {{"CR0", "Port's device already in use\r"}}, "%1POWR=ERR4"},
                      MappingCase{"Off", "%1POWR 0", {{"C02", kAckCr}}, "%1POWR=OK"},
                      MappingCase{"OffUnanswered", "%1POWR 0", {{"C02", ""}}, "%1POWR=ERR4"},
                      MappingCase{"OutOfRange", "%1POWR 2", {}, "%1POWR=ERR2"}),
    test::RowName{});

INSTANTIATE_TEST_SUITE_P(
    Inputs, Mapping,
    ::testing::Values(MappingCase{"SVideo", "%1INPT 24", {{"CR0", "00\r"}, {"CF INPUT3 S-VIDEO", kAckCr}}, "%1INPT=OK"},
                      MappingCase{
                          "Digital", "%1INPT 31", {{"CR0", "00\r"}, {"CF INPUT1 DIGITAL", kAckCr}}, "%1INPT=OK"},
                      MappingCase{"InStandby", "%1INPT 11", {{"CR0", "80\r"}}, "%1INPT=ERR3"},
                      MappingCase{"WhileWarmingUp", "%1INPT 11", {{"CR0", "40\r"}}, "%1INPT=ERR3"},
                      MappingCase{"NoSuchInput", "%1INPT 41", {}, "%1INPT=ERR2"},
                      MappingCase{"NoSuchNumber", "%1INPT 13", {}, "%1INPT=ERR2"},
                      MappingCase{"QueryFirstOfTheInput", "%1INPT ?", {{"CR1", "2\r"}}, "%1INPT=12"},
                      MappingCase{"QueryTheKindLastSet",
                                  "%1INPT ?",
                                  {{"CR1", "2\r"}},
                                  "%1INPT=22",
                                  {.videoMuted = false, .audioMuted = false, .lastInput = Control::Input2Component}},
                      MappingCase{"QueryLastSetOnAnotherInput",
                                  "%1INPT ?",
                                  {{"CR1", "3\r"}},
                                  "%1INPT=23",
                                  {.videoMuted = false, .audioMuted = false, .lastInput = Control::Input2Component}},
                      MappingCase{"QueryGarbage", "%1INPT ?", {{"CR1", "\x1b[2J\r"}}, "%1INPT=ERR4"},
                      MappingCase{"List", "%1INST ?", {}, "%1INST=11 12 21 22 23 24 25 31"}),
    test::RowName{});

INSTANTIATE_TEST_SUITE_P(
    MutesLampErrorsAndInformation, Mapping,
    ::testing::Values(
        MappingCase{"BothMutes", "%1AVMT 31", {{"CR0", "00\r"}, {"C0D", kAckCr}, {"C0B", kAckCr}}, "%1AVMT=OK"},
        MappingCase{"SoundBack", "%1AVMT 20", {{"CR0", "00\r"}, {"C0C", kAckCr}}, "%1AVMT=OK"},
        MappingCase{"PictureMuteInStandby", "%1AVMT 11", {{"CR0", "80\r"}}, "%1AVMT=ERR3"},
        MappingCase{
            "SecondMuteUnanswered", "%1AVMT 30", {{"CR0", "00\r"}, {"C0E", kAckCr}, {"C0C", ""}}, "%1AVMT=ERR4"},
        MappingCase{"MuteOutOfRange", "%1AVMT 12", {}, "%1AVMT=ERR2"},
        MappingCase{"MuteQuery",
                    "%1AVMT ?",
                    {},
                    "%1AVMT=21",
                    {.videoMuted = false, .audioMuted = true, .lastInput = std::nullopt}},
        MappingCase{"LampLit", "%1LAMP ?", {{"CR3", "0123\r"}, {"CR0", "00\r"}}, "%1LAMP=123 1"},
        MappingCase{"LampNew", "%1LAMP ?", {{"CR3", "0000\r"}, {"CR0", "80\r"}}, "%1LAMP=0 0"},
        MappingCase{"LampHoursNotDigits", "%1LAMP ?", {{"CR3", "12a4\r"}}, "%1LAMP=ERR4"},
        MappingCase{"NoErrors", "%1ERST ?", {{"CR0", "00\r"}, {"CR6", "025.0 031.5 042.0\r"}}, "%1ERST=000000"},
        MappingCase{"HotSensor", "%1ERST ?", {{"CR0", "00\r"}, {"CR6", "025.0 061.0 042.0\r"}}, "%1ERST=001000"},
        MappingCase{"TemperatureAbnormality", "%1ERST ?", {{"CR0", "88\r"}, {"CR6", "?\r"}}, "%1ERST=002000"},
        MappingCase{"PowerAbnormality", "%1ERST ?", {{"CR0", "10\r"}, {"CR6", "025.0 031.5 042.0\r"}}, "%1ERST=020000"},
        MappingCase{"EvilTemperatures", "%1ERST ?", {{"CR0", "00\r"}, {"CR6", "EVIL\r"}}, "%1ERST=ERR4"},
        MappingCase{"Class", "%1CLSS ?", {}, "%1CLSS=1"},
        MappingCase{"ClassIsNoSetting", "%1CLSS 2", {}, "%1CLSS=ERR2"},
        MappingCase{"Name", "%1NAME ?", {}, "%1NAME=Hall 2"},
        MappingCase{"Product", "%1INF2 ?", {}, "%1INF2=R5500/R730"},
        MappingCase{"Unknown", "%1ABCD ?", {}, "%1ABCD=ERR1"},
        MappingCase{"LowerCaseIsUnknown", "%1powr ?", {}, "%1powr=ERR1"}),
    test::RowName{});

TEST(Mapping, MutesSetThroughTheBridgeAreWhatItsQueryReports) {
    BridgeMemory memory;
    const Identity identity;
    CommandRun set({.command = "AVMT", .parameter = "11"}, identity, memory);
    set.answer("00\r", false);
    set.answer(kAckCr, false);
    ASSERT_EQ(set.result(), "OK");
    CommandRun query({.command = "AVMT", .parameter = "?"}, identity, memory);
    EXPECT_EQ(query.result(), "11");
}

struct ParseCase {
    const char* name;
    std::string line;
    bool command;
    // The header an unparseable line is answered ERR1 under; empty for none.
    std::string named;
};

void PrintTo(const ParseCase& row, std::ostream* os) {
    *os << row.name;
}

class Parsing : public ::testing::TestWithParam<ParseCase> {};

TEST_P(Parsing, TellsCommandsFromLinesToAnswerErr1OrNotAtAll) {
    const auto& row = GetParam();
    const ParsedLine parsed = parseLine(row.line);
    EXPECT_EQ(parsed.request.has_value(), row.command);
    if (!row.command) {
        EXPECT_EQ(parsed.namedHeader, row.named);
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, Parsing,
                         ::testing::Values(ParseCase{"Query", "%1POWR ?", true, ""},
                                           ParseCase{"LongParameter", "%1NAME " + std::string(120, 'x'), true, ""},
                                           ParseCase{"OtherClass", "%2INPT ?", false, "%2INPT"},
                                           ParseCase{"NoParameter", "%1POWR", false, "%1POWR"},
                                           ParseCase{"NoBlank", "%1POWR?", false, "%1POWR"},
                                           ParseCase{"ShortName", "%1PO", false, ""},
                                           ParseCase{"NoHeader", "POWR ?", false, ""},
                                           ParseCase{"ControlCharacters", "%1\x1b[2J ?", false, ""},
                                           ParseCase{"Empty", "", false, ""}),
                         test::RowName{});

TEST(LineSplitter, BoundsALineAndDropsTheLineFeedOfCrLf) {
    LineSplitter splitter;
    const std::string flood(10'000, 'A');
    std::string_view bytes = flood;
    while (!bytes.empty()) {
        bytes.remove_prefix(splitter.feed(bytes));
    }
    EXPECT_FALSE(splitter.hasLine());
    const std::string rest = "\r\n%1CLSS ?\r";
    bytes = rest;
    bytes.remove_prefix(splitter.feed(bytes));
    const auto overlong = splitter.take();
    ASSERT_TRUE(overlong.has_value());
    EXPECT_TRUE(overlong->overlong);
    EXPECT_EQ(overlong->text.size(), kMaxLineBytes - 1);
    bytes.remove_prefix(splitter.feed(bytes));
    EXPECT_TRUE(bytes.empty());
    const auto next = splitter.take();
    ASSERT_TRUE(next.has_value());
    EXPECT_EQ(next->text, "%1CLSS ?");
    EXPECT_FALSE(next->overlong);
}

TEST(Authentication, DigestOfTheSheetsExampleAndItsComparison) {
    const QByteArray digest = digestOf("498e4a67", "JBMIAProjectorLink");
    EXPECT_EQ(digest, QByteArray("5d8409bc1c3fa39749434aa3a5c38682"));
    EXPECT_TRUE(digestMatches(digest, "5d8409bc1c3fa39749434aa3a5c38682%1POWR ?"));
    EXPECT_FALSE(digestMatches(digest, "5d8409bc1c3fa39749434aa3a5c38683%1POWR ?"));
    EXPECT_FALSE(digestMatches(digest, "5d8409bc1c3fa397"));
    EXPECT_FALSE(digestMatches(digest, "%1POWR ?"));
    const QByteArray random = makeRandom();
    EXPECT_EQ(random.size(), kRandomLength);
    EXPECT_EQ(greeting(random), "PJLINK 1 " + random + '\r');
    EXPECT_EQ(greeting(std::nullopt), QByteArray("PJLINK 0\r"));
}

TEST(AuthThrottle, FiveFailuresWithinAMinuteMakeTheAddressWait) {
    AuthThrottle throttle;
    for (int i = 0; i < 4; ++i) {
        throttle.recordFailure("192.0.2.7", i * 10'000);
    }
    EXPECT_FALSE(throttle.blocked("192.0.2.7", 40'000));
    throttle.recordFailure("192.0.2.7", 60'000); // the first failure is a minute old: four within one
    EXPECT_FALSE(throttle.blocked("192.0.2.7", 60'000));
    throttle.recordFailure("192.0.2.7", 61'000);
    EXPECT_TRUE(throttle.blocked("192.0.2.7", 61'000));
    EXPECT_FALSE(throttle.blocked("192.0.2.8", 61'000));
    EXPECT_TRUE(throttle.blocked("192.0.2.7", 61'000 + kAuthBlockMs - 1));
    EXPECT_FALSE(throttle.blocked("192.0.2.7", 61'000 + kAuthBlockMs));
    for (std::size_t i = 0; i < 3 * kMaxTrackedAddresses; ++i) {
        throttle.recordFailure("198.51.100." + std::to_string(i), 200'000);
    }
    EXPECT_LE(throttle.tracked(), kMaxTrackedAddresses);
}

TEST(AuthThrottle, AnAddressUnderLockoutIsNeverForgotten) {
    AuthThrottle throttle;
    for (std::size_t i = 0; i < kMaxAuthFailures; ++i) {
        throttle.recordFailure("192.0.2.7", 0);
    }
    throttle.recordFailure("192.0.2.8", 0);
    for (std::size_t i = 0; i < 3 * kMaxTrackedAddresses; ++i) {
        throttle.recordFailure("198.51.100." + std::to_string(i), 1000);
    }
    EXPECT_TRUE(throttle.blocked("192.0.2.7", 1000));
    EXPECT_LE(throttle.tracked(), kMaxTrackedAddresses);
}

TEST(LogBudget, RepeatsBecomeOneCountedLineAndSingleLinesKeepARate) {
    LogBudget budget;
    EXPECT_TRUE(budget.repeat("dropped", 10, 0));
    for (int i = 1; i <= 1000; ++i) {
        EXPECT_FALSE(budget.repeat("dropped", 10, i));
    }
    EXPECT_TRUE(budget.repeat("failed 192.0.2.7", 1, 5));
    EXPECT_TRUE(budget.summary(kLogSummaryMs - 1).repeats.empty());
    const auto first = budget.summary(kLogSummaryMs);
    ASSERT_EQ(first.repeats.size(), 1U);
    EXPECT_EQ(first.repeats[0].key, "dropped");
    EXPECT_EQ(first.repeats[0].times, 1000U);
    EXPECT_EQ(first.repeats[0].amount, 10'000U);
    // The other kind was quiet for a whole window: its next one is written in full again.
    EXPECT_TRUE(budget.summary(kLogSummaryMs + 5).repeats.empty());
    EXPECT_TRUE(budget.repeat("failed 192.0.2.7", 1, kLogSummaryMs + 6));
    for (std::size_t i = 0; i < 2 * kMaxRepeatKeys; ++i) {
        (void)budget.repeat("refused 198.51.100." + std::to_string(i), 1, kLogSummaryMs + 7);
    }
    const auto second = budget.summary(3 * kLogSummaryMs);
    EXPECT_LE(second.repeats.size(), kMaxRepeatKeys);
    EXPECT_TRUE(std::ranges::any_of(second.repeats, [](const auto& r) { return r.key == kOtherRepeats; }));

    // A burst, then the rate: 100 s of 1000 lines a second write at most the burst and the rate.
    int written = 0;
    for (std::int64_t ms = 0; ms < 100'000; ++ms) {
        written += budget.takeLine(10'000'000 + ms) ? 1 : 0;
    }
    EXPECT_LE(written, kLogBurstLines + 100 * kLogLinesPerSecond + 1);
    EXPECT_GE(written, 100 * kLogLinesPerSecond);
    EXPECT_EQ(budget.summary(10'000'000 + 100'000).linesLeftOut, 100'000U - static_cast<unsigned>(written));
}

struct ModeCase {
    const char* name;
    mode_t mode;
    // A part of the error, or empty for a file that is used.
    std::string error;
};

void PrintTo(const ModeCase& row, std::ostream* os) {
    *os << row.name;
}

class PasswordFileMode : public ::testing::TestWithParam<ModeCase> {};

TEST_P(PasswordFileMode, OnlyItsOwnerMayReadOrChangeIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("password"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("secret\n");
    file.close();
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), GetParam().mode), 0);
    const PasswordRead read = readPasswordFile(path);
    if (GetParam().error.empty()) {
        EXPECT_EQ(read.error, QString());
        EXPECT_EQ(read.password, QByteArray("secret"));
    } else {
        EXPECT_TRUE(read.error.contains(QString::fromStdString(GetParam().error))) << read.error.toStdString();
        EXPECT_TRUE(read.error.contains(QStringLiteral("chmod 600"))) << read.error.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, PasswordFileMode,
                         ::testing::Values(ModeCase{"Owner", 0600, ""}, ModeCase{"OwnerReadOnly", 0400, ""},
                                           ModeCase{"GroupReads", 0640, "may be read by its group"},
                                           ModeCase{"GroupWrites", 0620, "may be changed by its group"},
                                           ModeCase{"OthersWrite", 0602, "may be changed by every user"}),
                         test::RowName{});

TEST(Identity, TheBridgeRefusesToStartWithATextControllersWouldMisread) {
    for (const char* option : {"--name", "--maker", "--product", "--info"}) {
        for (const char* text : {"Hall=A", "ERR3"}) {
            const ParsedOptions parsed = parseOptions({QStringLiteral("tavo-pjlink"), QString::fromLatin1(option),
                                                       QString::fromLatin1(text), QStringLiteral("COM1")});
            EXPECT_EQ(parsed.outcome, ParsedOptions::Outcome::UsageError) << option << ' ' << text;
            EXPECT_TRUE(parsed.text.startsWith(QString::fromLatin1(option))) << parsed.text.toStdString();
        }
    }
    const ParsedOptions fine = parseOptions({QStringLiteral("tavo-pjlink"), QStringLiteral("--name"),
                                             QStringLiteral("Hall 2 (east)"), QStringLiteral("COM1")});
    EXPECT_EQ(fine.outcome, ParsedOptions::Outcome::Run) << fine.text.toStdString();
    EXPECT_EQ(fine.options.identity.name, "Hall 2 (east)");
}

TEST(Identity, TextsThatControllersWouldMisreadAreNamed) {
    EXPECT_EQ(identityProblem("Hall=A"), "=");
    EXPECT_EQ(identityProblem("100%"), "%");
    EXPECT_EQ(identityProblem("erra"), "erra");
    EXPECT_EQ(identityProblem("ERRATA"), std::nullopt);
    EXPECT_EQ(identityProblem("Hall 2"), std::nullopt);
}

} // namespace
} // namespace tavo::pjlink
