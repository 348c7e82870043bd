#include "serial/line_settings.h"

#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>

namespace tavo {

void PrintTo(const LineSettings& s, std::ostream* os) {
    *os << s.baud << ',' << static_cast<char>(s.parity) << ',' << s.dataBits << ','
        << (s.stopBits == StopBits::One   ? "1"
            : s.stopBits == StopBits::Two ? "2"
                                          : "1.5");
}

namespace {

struct SettingsCase {
    const char* name;
    std::string text;
    std::optional<LineSettings> expected;
};

void PrintTo(const SettingsCase& c, std::ostream* os) {
    *os << c.name << " \"" << c.text << '"';
}

class LineSettingsTable : public testing::TestWithParam<SettingsCase> {};

TEST_P(LineSettingsTable, Parses) {
    EXPECT_EQ(parseLineSettings(GetParam().text), GetParam().expected);
}

constexpr LineSettings settings(int baud, Parity parity, int dataBits, StopBits stopBits) {
    return {.baud = baud, .parity = parity, .dataBits = dataBits, .stopBits = stopBits};
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LineSettingsTable,
    testing::Values(SettingsCase{"Fast", "19200,N,8,1", settings(19200, Parity::None, 8, StopBits::One)},
                    SettingsCase{"Slow", "9600,N,8,1", settings(9600, Parity::None, 8, StopBits::One)},
                    SettingsCase{"EvenSevenTwo", "9600,E,7,2", settings(9600, Parity::Even, 7, StopBits::Two)},
                    SettingsCase{"OddLowerCase", "4800,o,8,1.5", settings(4800, Parity::Odd, 8, StopBits::OneAndHalf)},
                    SettingsCase{"MarkAndSpace", "1200,M,5,1", settings(1200, Parity::Mark, 5, StopBits::One)},
                    SettingsCase{"Empty", "", std::nullopt}, SettingsCase{"ThreeFields", "19200,N,8", std::nullopt},
                    SettingsCase{"FiveFields", "19200,N,8,1,1", std::nullopt},
                    SettingsCase{"TrailingComma", "19200,N,8,1,", std::nullopt},
                    SettingsCase{"Blanks", "19200, N, 8, 1", std::nullopt},
                    SettingsCase{"ZeroSpeed", "0,N,8,1", std::nullopt},
                    SettingsCase{"NegativeSpeed", "-9600,N,8,1", std::nullopt},
                    SettingsCase{"HugeSpeed", "99999999999,N,8,1", std::nullopt},
                    SettingsCase{"UnknownParity", "9600,X,8,1", std::nullopt},
                    SettingsCase{"NineDataBits", "9600,N,9,1", std::nullopt},
                    SettingsCase{"ThreeStopBits", "9600,N,8,3", std::nullopt},
                    SettingsCase{"SpeedWithUnit", "9600baud,N,8,1", std::nullopt}),
    [](const testing::TestParamInfo<SettingsCase>& row) { return std::string(row.param.name); });

TEST(LineSettingsText, RoundTrips) {
    for (const char* text : {"19200,N,8,1", "9600,N,8,1", "9600,E,7,2", "4800,O,8,1.5", "300,S,5,1"}) {
        const auto parsed = parseLineSettings(text);
        ASSERT_TRUE(parsed.has_value()) << text;
        EXPECT_EQ(toText(*parsed), text);
    }
}

} // namespace

} // namespace tavo
