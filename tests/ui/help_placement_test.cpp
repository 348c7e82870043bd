// SPDX-License-Identifier: GPL-3.0-or-later
// Where the help window goes on a given screen: beside the panel on the side with more room,
// narrowed to fit there if it must be, else where it covers least of the panel, and always within
// the screen's available area. Rectangles are frames, in device-independent pixels.

#include "tests/support/printers.h"
#include "ui/help_placement.h"

#include <gtest/gtest.h>

namespace tavo::test {
namespace {

struct PlacementRow {
    const char* name;
    QRect panel;
    QSize wanted;
    QRect available;
    QRect expected;
    bool beside;
};

void PrintTo(const PlacementRow& row, std::ostream* os) {
    *os << row.name;
}

class HelpPlacementTest : public ::testing::TestWithParam<PlacementRow> {};

TEST_P(HelpPlacementTest, BesideThePanelOrOverlappingLeastAndOnTheScreen) {
    const PlacementRow& row = GetParam();
    const QRect placed = placeHelp(row.panel, row.wanted, row.available);
    EXPECT_EQ(placed, row.expected);
    EXPECT_TRUE(row.available.contains(placed)) << "off the screen";
    EXPECT_EQ(!placed.intersects(row.panel), row.beside);
}

// The panel as it starts, 640 x 466 with its frame, centred across a 1280 x 1024 screen; the help
// wants 486 x 585 with its frame.
INSTANTIATE_TEST_SUITE_P(
    Screens, HelpPlacementTest,
    ::testing::Values(PlacementRow{"NarrowedToTheRoomRightOfACentredPanel", QRect(320, 279, 640, 466), QSize(486, 585),
                                   QRect(0, 0, 1280, 1024), QRect(968, 279, 312, 585), true},
                      PlacementRow{"WholeOnTheRightWhenThereIsRoom", QRect(0, 100, 640, 466), QSize(486, 585),
                                   QRect(0, 0, 1280, 1024), QRect(648, 100, 486, 585), true},
                      PlacementRow{"LeftWhereTheLeftHasMoreRoom", QRect(700, 100, 500, 400), QSize(486, 585),
                                   QRect(0, 0, 1280, 1024), QRect(206, 100, 486, 585), true},
                      PlacementRow{"KeptBelowATopBarAndAboveTheScreensFoot", QRect(0, 10, 640, 466), QSize(486, 1200),
                                   QRect(0, 30, 1280, 994), QRect(648, 30, 486, 994), true},
                      PlacementRow{"RaisedWhereThePanelSitsLow", QRect(320, 800, 640, 224), QSize(486, 585),
                                   QRect(0, 0, 1280, 1024), QRect(968, 439, 312, 585), true},
                      PlacementRow{"NoRoomBesideCoversTheLeastOfThePanel", QRect(192, 151, 640, 466), QSize(486, 585),
                                   QRect(0, 0, 1024, 768), QRect(538, 0, 486, 585), false},
                      PlacementRow{"TwiceTheScaleFitsTheScreen", QRect(0, 23, 640, 466), QSize(486, 585),
                                   QRect(0, 0, 640, 512), QRect(154, 0, 486, 512), false}),
    tavo::test::RowName{});

class LogPlacementTest : public ::testing::TestWithParam<PlacementRow> {};

TEST_P(LogPlacementTest, KeepsItsRowsWideAndStaysOnTheScreen) {
    const PlacementRow& row = GetParam();
    const QRect placed = placeLog(row.panel, row.wanted, row.available);
    EXPECT_EQ(placed, row.expected);
    EXPECT_TRUE(row.available.contains(placed)) << "off the screen";
    EXPECT_EQ(!placed.intersects(row.panel), row.beside);
}

// The same panel; the log wants 736 x 459 with its frame.
INSTANTIATE_TEST_SUITE_P(
    Screens, LogPlacementTest,
    ::testing::Values(PlacementRow{"BelowACentredPanelRatherThanNarrowBeside", QRect(320, 279, 640, 466),
                                   QSize(736, 459), QRect(0, 0, 1280, 1024), QRect(320, 753, 736, 271), true},
                      PlacementRow{"BesideWhereItKeepsItsRows", QRect(640, 307, 640, 466), QSize(736, 459),
                                   QRect(0, 0, 1920, 1080), QRect(1288, 307, 632, 459), true},
                      PlacementRow{"AsTheHelpWhereNeitherHasRoom", QRect(192, 151, 640, 466), QSize(736, 459),
                                   QRect(0, 0, 1024, 768), QRect(288, 0, 736, 459), false}),
    tavo::test::RowName{});

} // namespace
} // namespace tavo::test
