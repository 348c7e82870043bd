// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/printers.h"
#include "ui/key_codes.h"

#include <gtest/gtest.h>

namespace tavo {
namespace {

struct KeyRow {
    const char* name;
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    int code;
    int shiftState;
};

void PrintTo(const KeyRow& row, std::ostream* os) {
    *os << row.name;
}

class KeyCodeTest : public ::testing::TestWithParam<KeyRow> {};

TEST_P(KeyCodeTest, MapsKeyAndModifiers) {
    const KeyRow& row = GetParam();
    EXPECT_EQ(keyCodeFor(row.qtKey), row.code);
    EXPECT_EQ(shiftStateFor(row.modifiers), row.shiftState);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyCodeTest,
    ::testing::Values(
        KeyRow{"CtrlH", Qt::Key_H, Qt::ControlModifier, 72, 2}, KeyRow{"PlainH", Qt::Key_H, Qt::NoModifier, 72, 0},
        KeyRow{"ShiftH", Qt::Key_H, Qt::ShiftModifier, 72, 1}, KeyRow{"AltH", Qt::Key_H, Qt::AltModifier, 72, 4},
        KeyRow{"CtrlShiftH", Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier, 72, 3},
        KeyRow{"CtrlAltShiftH", Qt::Key_H, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier, 72, 7},
        KeyRow{"MetaIsNoShift", Qt::Key_H, Qt::MetaModifier, 72, 0},
        KeyRow{"KeypadIsNoShift", Qt::Key_5, Qt::KeypadModifier, 53, 0},
        KeyRow{"LetterA", Qt::Key_A, Qt::NoModifier, 65, 0}, KeyRow{"LetterZ", Qt::Key_Z, Qt::NoModifier, 90, 0},
        KeyRow{"Digit0", Qt::Key_0, Qt::NoModifier, 48, 0}, KeyRow{"Return", Qt::Key_Return, Qt::NoModifier, 13, 0},
        KeyRow{"KeypadEnter", Qt::Key_Enter, Qt::KeypadModifier, 13, 0},
        KeyRow{"Space", Qt::Key_Space, Qt::NoModifier, 32, 0}, KeyRow{"Escape", Qt::Key_Escape, Qt::NoModifier, 27, 0},
        KeyRow{"LeftArrow", Qt::Key_Left, Qt::NoModifier, 37, 0},
        KeyRow{"DownArrow", Qt::Key_Down, Qt::NoModifier, 40, 0},
        KeyRow{"ControlItself", Qt::Key_Control, Qt::ControlModifier, 17, 2},
        KeyRow{"F1", Qt::Key_F1, Qt::NoModifier, 112, 0}, KeyRow{"F12", Qt::Key_F12, Qt::NoModifier, 123, 0},
        KeyRow{"UnmappedKey", Qt::Key_VolumeUp, Qt::NoModifier, 0, 0}),
    tavo::test::RowName{});

} // namespace
} // namespace tavo
