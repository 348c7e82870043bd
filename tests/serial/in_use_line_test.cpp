// SPDX-License-Identifier: GPL-3.0-or-later
// A connection's first data against a server's in-use line, split in two at every place: the
// network may split the line anywhere, and data that only starts like it must arrive whole.

#include "serial/in_use_line.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace tavo {
namespace {

struct FirstDataCase {
    const char* name;
    std::string input;
    InUseLine::Verdict verdict;
    std::string passed;
};

void PrintTo(const FirstDataCase& row, std::ostream* os) {
    *os << row.name;
}

class FirstData : public testing::TestWithParam<FirstDataCase> {};

TEST_P(FirstData, IsToldTheSameWhereverTheNetworkSplitsIt) {
    const FirstDataCase& row = GetParam();
    for (std::size_t split = 0; split <= row.input.size(); ++split) {
        InUseLine line;
        QByteArray passed;
        InUseLine::Verdict verdict = line.take(row.input.data(), split, passed);
        if (verdict != InUseLine::Verdict::InUse) {
            verdict = line.take(row.input.data() + split, row.input.size() - split, passed);
        }
        EXPECT_EQ(verdict, row.verdict) << "split after " << split << " bytes";
        EXPECT_EQ(passed.toStdString(), row.passed) << "split after " << split << " bytes";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Servers, FirstData,
    testing::Values(FirstDataCase{"InUse", "Port already in use\r\n", InUseLine::Verdict::InUse, ""},
                    FirstDataCase{"DeviceInUse", "Port's device already in use\r\n", InUseLine::Verdict::InUse, ""},
                    FirstDataCase{"StartOfTheLineIsHeld", "Port alr", InUseLine::Verdict::Held, ""},
                    // Held first, then passed on whole once it can be no such line.
                    FirstDataCase{"DataLikeTheLinePassesWhole", "Port already in\x06\r", InUseLine::Verdict::Passed,
                                  "Port already in\x06\r"},
                    FirstDataCase{"DataPasses", "\x06\r", InUseLine::Verdict::Passed, "\x06\r"},
                    // Once the first data is told, a later in-use text is the line's data.
                    FirstDataCase{"LaterLinesAreData", "\x06Port already in use\r\n", InUseLine::Verdict::Passed,
                                  "\x06Port already in use\r\n"}),
    [](const testing::TestParamInfo<FirstDataCase>& row) { return std::string(row.param.name); });

} // namespace
} // namespace tavo
