// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/rendering.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace tavo {
namespace {

struct RenderCase {
    const char* name;
    std::string text;
    std::string shown;
};

// Failure messages name the row instead of dumping its bytes.
void PrintTo(const RenderCase& row, std::ostream* os) {
    *os << row.name;
}

class RenderingExamples : public ::testing::TestWithParam<RenderCase> {};

TEST_P(RenderingExamples, ShowsEveryByte) {
    EXPECT_EQ(visibleRendering(GetParam().text), GetParam().shown) << "text: " << spelledOut(GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Texts, RenderingExamples,
                         ::testing::Values(RenderCase{"Empty", "", " "}, RenderCase{"StandByReply", "80\r", " 8 0 CR "},
                                           RenderCase{"StatusRead", "CR0\r", " C R 0 CR "},
                                           RenderCase{"Acknowledge", "\x06\r", " ACK CR "},
                                           RenderCase{"LineFeedHasTwoBlanks", "\n", " LF  "},
                                           RenderCase{"SpaceShowsAsTwoBlanks", "a b", " a   b "},
                                           RenderCase{"LastShownIsZ", "z{|}~", " z ? ? ? ? "},
                                           RenderCase{"QuestionMarkLooksLikeUnprintable", "?\x01", " ? ? "},
                                           RenderCase{"NulInsideText",
                                                      std::string("1\0"
                                                                  "2",
                                                                  3),
                                                      " 1 ? 2 "},
                                           RenderCase{"HighBytes", "\x80\xff\xe3", " ? ? ? "},
                                           RenderCase{"Markup", "<b>x</b>", " < b > x < / b > "}),
                         test::RowName{});

// Every byte value, checked against the classes a user can tell apart on screen.
TEST(Rendering, AllByteValues) {
    for (int code = 0; code < 256; ++code) {
        std::string expected;
        if (code == 6) {
            expected = " ACK ";
        } else if (code == 13) {
            expected = " CR ";
        } else if (code == 10) {
            expected = " LF  ";
        } else if (code >= 32 && code <= 122) {
            expected = std::string{' ', static_cast<char>(code), ' '};
        } else {
            expected = " ? ";
        }
        EXPECT_EQ(visibleRendering(std::string(1, static_cast<char>(code))), expected) << "byte " << code;
    }
}

TEST(Rendering, PrintableCharacterKStandsAtPosition2K) {
    const std::string r = visibleRendering("025.0 031.5");
    for (std::size_t k = 1; k <= 11; ++k) {
        EXPECT_EQ(r[2 * k - 1], "025.0 031.5"[k - 1]) << "character " << k;
    }
}

} // namespace
} // namespace tavo
