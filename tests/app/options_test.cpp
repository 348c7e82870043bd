// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/options.h"
#include "tavo/version.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace tavo::panel {

namespace {

using Outcome = ParsedOptions::Outcome;

const char* name(Outcome outcome) {
    switch (outcome) {
    case Outcome::Run:
        return "Run";
    case Outcome::Help:
        return "Help";
    case Outcome::Version:
        return "Version";
    case Outcome::Completion:
        return "Completion";
    case Outcome::Error:
        return "Error";
    }
    return "?";
}

// What --version prints, from the project's one version.
const std::string kVersionLine = "tavo-panel " + std::string(kVersion);

struct ParseCase {
    const char* name;
    QStringList arguments; // after the program name
    Outcome outcome;
    PanelOptions options;
    // A part the printed text must contain (help, version, error); empty for a run.
    const char* text;
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << c.name << ": tavo-panel " << c.arguments.join(QLatin1Char(' ')).toStdString();
}

class OptionsTable : public testing::TestWithParam<ParseCase> {};

TEST_P(OptionsTable, Parses) {
    const auto& c = GetParam();
    const ParsedOptions result = tryParseOptions(QStringList{QStringLiteral("tavo-panel")} + c.arguments);
    EXPECT_STREQ(name(result.outcome), name(c.outcome)) << result.text.toStdString();
    EXPECT_EQ(result.options.com1.toStdString(), c.options.com1.toStdString());
    EXPECT_EQ(result.options.com2.toStdString(), c.options.com2.toStdString());
    EXPECT_EQ(result.options.simulate, c.options.simulate);
    if (c.outcome == Outcome::Run) {
        EXPECT_TRUE(result.text.isEmpty()) << result.text.toStdString();
    } else {
        EXPECT_TRUE(result.text.contains(QString::fromUtf8(c.text))) << "missing \"" << c.text << "\" in\n"
                                                                     << result.text.toStdString();
    }
}

QString s(const char* text) {
    return QString::fromUtf8(text);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, OptionsTable,
    testing::Values(ParseCase{"NoOptionsUsesTheDefaults", {}, Outcome::Run, {}, ""},
                    ParseCase{"Com1",
                              {s("--com1"), s("/dev/ttyUSB0")},
                              Outcome::Run,
                              {.com1 = s("/dev/ttyUSB0"), .com2 = {}, .simulate = false},
                              ""},
                    ParseCase{"Com2WithEquals",
                              {s("--com2=/dev/serial/by-id/usb-adapter-if00")},
                              Outcome::Run,
                              {.com1 = {}, .com2 = s("/dev/serial/by-id/usb-adapter-if00"), .simulate = false},
                              ""},
                    ParseCase{"BothPorts",
                              {s("--com2"), s("/dev/ttyUSB1"), s("--com1"), s("/dev/ttyUSB0")},
                              Outcome::Run,
                              {.com1 = s("/dev/ttyUSB0"), .com2 = s("/dev/ttyUSB1"), .simulate = false},
                              ""},
                    ParseCase{
                        "Simulate", {s("--simulate")}, Outcome::Run, {.com1 = {}, .com2 = {}, .simulate = true}, ""},
                    ParseCase{"SimulateKeepsCom2",
                              {s("--simulate"), s("--com2"), s("/dev/ttyUSB0")},
                              Outcome::Run,
                              {.com1 = {}, .com2 = s("/dev/ttyUSB0"), .simulate = true},
                              ""},
                    ParseCase{"HelpListsTheOptions", {s("--help")}, Outcome::Help, {}, "--com1 <DEVICE>"},
                    ParseCase{"HelpMentionsSimulate", {s("-h")}, Outcome::Help, {}, "--simulate"},
                    ParseCase{"HelpNamesTheDeviceChooserShortcut", {s("-h")}, Outcome::Help, {}, "Ctrl+D"},
                    ParseCase{"Version", {s("--version")}, Outcome::Version, {}, kVersionLine.c_str()},
                    ParseCase{"UnknownOption", {s("--com3"), s("x")}, Outcome::Error, {}, "com3"},
                    ParseCase{"MissingDevice", {s("--com1")}, Outcome::Error, {}, "com1"},
                    ParseCase{"EmptyDevice", {s("--com1=")}, Outcome::Error, {}, "--com1 needs a device"},
                    ParseCase{"StrayArgument", {s("/dev/ttyUSB0")}, Outcome::Error, {}, "/dev/ttyUSB0"},
                    ParseCase{"SimulateWithCom1",
                              {s("--simulate"), s("--com1"), s("/dev/ttyUSB0")},
                              Outcome::Error,
                              {},
                              "leave out --com1"}),
    [](const testing::TestParamInfo<ParseCase>& row) { return std::string(row.param.name); });

// --help and --version end the program the way QParsedOptionsr::process does.
using OptionsDeathTest = testing::Test;

// Runs in the death test's child; keeps the printed help out of the test log.
PanelOptions parseQuietly(const QStringList& arguments) {
    [[maybe_unused]] auto* out = std::freopen("/dev/null", "w", stdout);
    return parseOptions(arguments);
}

TEST_F(OptionsDeathTest, VersionExitsWithSuccess) {
    EXPECT_EXIT((void)parseQuietly({s("tavo-panel"), s("--version")}), testing::ExitedWithCode(0), "");
}

TEST_F(OptionsDeathTest, HelpExitsWithSuccess) {
    EXPECT_EXIT((void)parseQuietly({s("tavo-panel"), s("--help")}), testing::ExitedWithCode(0), "");
}

TEST_F(OptionsDeathTest, UnknownOptionExitsWithFailureAndSaysWhy) {
    EXPECT_EXIT((void)parseOptions({s("tavo-panel"), s("--bogus")}), testing::ExitedWithCode(EXIT_FAILURE), "bogus");
}

TEST_F(OptionsDeathTest, ConflictExitsWithFailureAndSaysWhy) {
    EXPECT_EXIT((void)parseOptions({s("tavo-panel"), s("--simulate"), s("--com1"), s("/dev/ttyUSB0")}),
                testing::ExitedWithCode(EXIT_FAILURE), "leave out --com1");
}

TEST(Options, ParsingReturnsTheOptions) {
    const PanelOptions options = parseOptions({s("tavo-panel"), s("--com2"), s("/dev/ttyACM0"), s("--simulate")});
    EXPECT_EQ(options.com2.toStdString(), "/dev/ttyACM0");
    EXPECT_TRUE(options.simulate);
    EXPECT_TRUE(options.com1.isEmpty());
}

} // namespace

} // namespace tavo::panel

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
