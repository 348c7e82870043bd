// SPDX-License-Identifier: GPL-3.0-or-later
// tavo-projector-sim's command line: each option reaches the projector's setting it names, and a
// wrong value is a usage error that names the option.

#include "simulator/options.h"

#include <QHostAddress>
#include <gtest/gtest.h>
#include <ostream>

namespace tavo::sim {
namespace {

ParsedOptions parse(QStringList arguments) {
    arguments.prepend(QStringLiteral("tavo-projector-sim"));
    return parseOptions(arguments);
}

TEST(SimOptions, EveryOptionReachesItsSetting) {
    const ParsedOptions parsed = parse({QStringLiteral("--device"),       QStringLiteral("/dev/ttyUSB1"),
                                        QStringLiteral("--link"),         QStringLiteral("/tmp/p"),
                                        QStringLiteral("--speed"),        QStringLiteral("9600"),
                                        QStringLiteral("--power"),        QStringLiteral("cooling"),
                                        QStringLiteral("--input"),        QStringLiteral("3"),
                                        QStringLiteral("--lamp-hours"),   QStringLiteral("42"),
                                        QStringLiteral("--mirror"),       QStringLiteral("01"),
                                        QStringLiteral("--temperatures"), QStringLiteral("1 2 3"),
                                        QStringLiteral("--reply-delay"),  QStringLiteral("0"),
                                        QStringLiteral("--split"),        QStringLiteral("100"),
                                        QStringLiteral("--silent"),       QStringLiteral("--verbose")});
    ASSERT_EQ(parsed.outcome, ParsedOptions::Outcome::Run) << parsed.text.toStdString();
    const SimOptions& o = parsed.options;
    EXPECT_EQ(o.serial.device, QStringLiteral("/dev/ttyUSB1"));
    EXPECT_EQ(o.link, QStringLiteral("/tmp/p"));
    EXPECT_FALSE(o.listen.has_value());
    EXPECT_TRUE(o.verbose);
    const ProjectorModel::Options& m = o.serial.model;
    EXPECT_EQ(m.baud, 9600);
    EXPECT_EQ(m.power, PowerState::CoolingDown);
    EXPECT_EQ(m.input, 3);
    EXPECT_EQ(m.lampHours, 42);
    EXPECT_EQ(m.mirror, "01");
    EXPECT_EQ(m.temperatures, "1 2 3");
    EXPECT_EQ(m.replyDelayMs, 0);
    EXPECT_EQ(m.splitPercent, 100);
    EXPECT_TRUE(m.silent);

    const ParsedOptions network = parse({QStringLiteral("--listen"), QStringLiteral("tcp://[::1]:4001")});
    ASSERT_EQ(network.outcome, ParsedOptions::Outcome::Run) << network.text.toStdString();
    ASSERT_TRUE(network.options.listen.has_value());
    EXPECT_EQ(network.options.listen->host, QHostAddress(QHostAddress::LocalHostIPv6));
    EXPECT_EQ(network.options.listen->port, 4001);
    const ProjectorModel::Options defaults;
    EXPECT_EQ(network.options.serial.model.power, defaults.power);
    EXPECT_EQ(network.options.serial.model.lampHours, defaults.lampHours);
}

struct WrongValue {
    const char* name;
    QStringList arguments;
    // What the message begins with.
    const char* said;
};

void PrintTo(const WrongValue& row, std::ostream* os) {
    *os << row.name;
}

class SimWrongValues : public testing::TestWithParam<WrongValue> {};

TEST_P(SimWrongValues, AreUsageErrorsThatNameTheOption) {
    const ParsedOptions parsed = parse(GetParam().arguments);
    EXPECT_EQ(parsed.outcome, ParsedOptions::Outcome::UsageError);
    EXPECT_TRUE(parsed.text.startsWith(QString::fromLatin1(GetParam().said))) << parsed.text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Options, SimWrongValues,
    testing::Values(
        WrongValue{"Speed", {QStringLiteral("--speed"), QStringLiteral("4800")}, "--speed must"},
        WrongValue{"Power", {QStringLiteral("--power"), QStringLiteral("warm")}, "--power must"},
        WrongValue{"Input", {QStringLiteral("--input"), QStringLiteral("4")}, "--input must"},
        WrongValue{"LampHours", {QStringLiteral("--lamp-hours"), QStringLiteral("10000")}, "--lamp-hours must"},
        WrongValue{"ReplyDelay", {QStringLiteral("--reply-delay"), QStringLiteral("-1")}, "--reply-delay must"},
        WrongValue{"Split", {QStringLiteral("--split"), QStringLiteral("x")}, "--split must"},
        WrongValue{"Argument", {QStringLiteral("extra")}, "unexpected argument extra"},
        WrongValue{"ListenWithLink",
                   {QStringLiteral("--listen"), QStringLiteral("tcp://127.0.0.1:4001"), QStringLiteral("--link"),
                    QStringLiteral("/tmp/p")},
                   "--listen serves no serial line"},
        WrongValue{"ListenOnRfc2217",
                   {QStringLiteral("--listen"), QStringLiteral("rfc2217://127.0.0.1:4001")},
                   "--listen serves raw TCP only"},
        WrongValue{"ListenOnAName",
                   {QStringLiteral("--listen"), QStringLiteral("tcp://projector:4001")},
                   "--listen needs an IP address"},
        WrongValue{"ListenOnNothing", {QStringLiteral("--listen"), QString()}, "--listen: "}),
    [](const testing::TestParamInfo<WrongValue>& row) { return std::string(row.param.name); });

} // namespace
} // namespace tavo::sim
