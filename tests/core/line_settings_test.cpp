// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/line_settings.h"

#include <gtest/gtest.h>

namespace tavo {
namespace {

struct TextCase {
    const char* name;
    LineSettings settings;
    const char* text;
};

class LineSettingsText : public testing::TestWithParam<TextCase> {};

TEST_P(LineSettingsText, IsWrittenAsPeopleWriteIt) {
    EXPECT_EQ(toText(GetParam().settings), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, LineSettingsText,
    testing::Values(TextCase{"Fast", {.baud = 19200}, "19200,N,8,1"}, TextCase{"Slow", {.baud = 9600}, "9600,N,8,1"},
                    TextCase{"EvenSevenTwo",
                             {.baud = 9600, .parity = Parity::Even, .dataBits = 7, .stopBits = StopBits::Two},
                             "9600,E,7,2"},
                    TextCase{"OddOneAndHalf",
                             {.baud = 4800, .parity = Parity::Odd, .stopBits = StopBits::OneAndHalf},
                             "4800,O,8,1.5"},
                    TextCase{"SpaceFive", {.baud = 300, .parity = Parity::Space, .dataBits = 5}, "300,S,5,1"}),
    [](const testing::TestParamInfo<TextCase>& row) { return std::string(row.param.name); });

} // namespace
} // namespace tavo
