// SPDX-License-Identifier: GPL-3.0-or-later
// The guard in front of the telnet layer, fed whole and one byte at a time: what it passes on must
// not depend on where the network split the stream.

#include "serial/telnet_framing.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace tavo {
namespace {

using namespace std::string_literals;

const std::string kSubBegin = "\xff\xfa\x2c"s;
const std::string kSubEnd = "\xff\xf0"s;

struct FramingCase {
    const char* name;
    std::string input;
    std::string passed;
    TelnetFraming::Verdict verdict;
};

void PrintTo(const FramingCase& row, std::ostream* os) {
    *os << row.name;
}

std::string subnegotiation(std::size_t bodySize) {
    return kSubBegin + std::string(bodySize - 1, 'C') + kSubEnd;
}

std::string optionCommands(int count) {
    std::string commands;
    for (int i = 0; i < count; ++i) {
        commands += "\xff\xfb\x01"s;
    }
    return commands;
}

class Framing : public testing::TestWithParam<FramingCase> {};

TEST_P(Framing, PassesTheSameWhereverTheStreamIsSplit) {
    const FramingCase& row = GetParam();
    TelnetFraming whole;
    QByteArray passedWhole;
    EXPECT_EQ(whole.feed(row.input.data(), row.input.size(), passedWhole), row.verdict);
    EXPECT_EQ(passedWhole.toStdString(), row.passed);

    TelnetFraming bytewise;
    QByteArray passedBytewise;
    TelnetFraming::Verdict verdict = TelnetFraming::Verdict::Ok;
    for (std::size_t i = 0; i < row.input.size() && verdict == TelnetFraming::Verdict::Ok; ++i) {
        verdict = bytewise.feed(row.input.data() + i, 1, passedBytewise);
    }
    EXPECT_EQ(verdict, row.verdict);
    EXPECT_EQ(passedBytewise.toStdString(), row.passed);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, Framing,
    testing::Values(FramingCase{"PlainData", "80\r", "80\r", TelnetFraming::Verdict::Ok},
                    FramingCase{"EscapedByteInData",
                                "A\xff\xff"
                                "B"s,
                                "A\xff\xff"
                                "B"s,
                                TelnetFraming::Verdict::Ok},
                    FramingCase{"OptionCommand",
                                "\xff\xfd\x2c"
                                "A"s,
                                "\xff\xfd\x2c"
                                "A"s,
                                TelnetFraming::Verdict::Ok},
                    FramingCase{"SpeedAnswer", kSubBegin + "\x65\x00\x00\x4b\x00"s + kSubEnd + "\x06\r"s,
                                kSubBegin + "\x65\x00\x00\x4b\x00"s + kSubEnd + "\x06\r"s, TelnetFraming::Verdict::Ok},
                    FramingCase{"EscapedByteInSubnegotiation", kSubBegin + "\x65\xff\xff\x00\x00\x00"s + kSubEnd,
                                kSubBegin + "\x65\xff\xff\x00\x00\x00"s + kSubEnd, TelnetFraming::Verdict::Ok},
                    FramingCase{"LongestSubnegotiationPasses", subnegotiation(kMaxSubnegotiationBytes),
                                subnegotiation(kMaxSubnegotiationBytes), TelnetFraming::Verdict::Ok},
                    FramingCase{"LongerSubnegotiationIsDroppedWhole", subnegotiation(17 * 1024) + "\x06\r"s, "\x06\r"s,
                                TelnetFraming::Verdict::Ok},
                    FramingCase{"CommandInsideASubnegotiationEndsIt", kSubBegin + "\x65\xff\xfb\x01"s + "A",
                                kSubBegin + "\x65\xff\xfb\x01"s + "A", TelnetFraming::Verdict::Ok},
                    FramingCase{"AsManyOptionCommandsAsAllowed", optionCommands(kMaxOptionCommands),
                                optionCommands(kMaxOptionCommands), TelnetFraming::Verdict::Ok},
                    FramingCase{"EndlessNegotiation", optionCommands(kMaxOptionCommands + 1),
                                optionCommands(kMaxOptionCommands) + "\xff\xfb"s,
                                TelnetFraming::Verdict::EndlessNegotiation},
                    FramingCase{"EndlessSubnegotiation", kSubBegin + std::string(kMaxUnendedSubnegotiationBytes, 'C'),
                                "", TelnetFraming::Verdict::EndlessSubnegotiation}),
    [](const testing::TestParamInfo<FramingCase>& row) { return std::string(row.param.name); });

} // namespace
} // namespace tavo
