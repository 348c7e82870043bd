// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/key_codes.h"

#include <algorithm>
#include <array>

namespace tavo {

namespace {

struct KeyCode {
    int qtKey = 0;
    int code = 0;
};

constexpr std::array kNamedKeys{
    KeyCode{.qtKey = Qt::Key_Backspace, .code = 8}, KeyCode{.qtKey = Qt::Key_Tab, .code = 9},
    KeyCode{.qtKey = Qt::Key_Backtab, .code = 9},   KeyCode{.qtKey = Qt::Key_Return, .code = 13},
    KeyCode{.qtKey = Qt::Key_Enter, .code = 13},    KeyCode{.qtKey = Qt::Key_Shift, .code = 16},
    KeyCode{.qtKey = Qt::Key_Control, .code = 17},  KeyCode{.qtKey = Qt::Key_Alt, .code = 18},
    KeyCode{.qtKey = Qt::Key_Pause, .code = 19},    KeyCode{.qtKey = Qt::Key_CapsLock, .code = 20},
    KeyCode{.qtKey = Qt::Key_Escape, .code = 27},   KeyCode{.qtKey = Qt::Key_Space, .code = 32},
    KeyCode{.qtKey = Qt::Key_PageUp, .code = 33},   KeyCode{.qtKey = Qt::Key_PageDown, .code = 34},
    KeyCode{.qtKey = Qt::Key_End, .code = 35},      KeyCode{.qtKey = Qt::Key_Home, .code = 36},
    KeyCode{.qtKey = Qt::Key_Left, .code = 37},     KeyCode{.qtKey = Qt::Key_Up, .code = 38},
    KeyCode{.qtKey = Qt::Key_Right, .code = 39},    KeyCode{.qtKey = Qt::Key_Down, .code = 40},
    KeyCode{.qtKey = Qt::Key_Insert, .code = 45},   KeyCode{.qtKey = Qt::Key_Delete, .code = 46},
};

constexpr int kF1Code = 112;

} // namespace

int keyCodeFor(int qtKey) {
    // Qt numbers letters and digits by their upper-case character, as the handler expects.
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return qtKey;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return kF1Code + (qtKey - Qt::Key_F1);
    }
    const auto* found = std::ranges::find(kNamedKeys, qtKey, &KeyCode::qtKey);
    return found == kNamedKeys.end() ? 0 : found->code;
}

int shiftStateFor(Qt::KeyboardModifiers modifiers) {
    int state = 0;
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        state |= 1;
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        state |= 2;
    }
    if (modifiers.testFlag(Qt::AltModifier)) {
        state |= 4;
    }
    return state;
}

} // namespace tavo
