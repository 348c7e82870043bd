#pragma once

// The command buttons as data: the one-shot buttons that send once per click and the hold buttons
// that repeat while held. The logic runs one common sequence over these rows; nothing about a
// button's command lives anywhere else.

#include "core/ports/controls.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tavo {

inline constexpr char kCarriageReturn = '\r';

// "C" and two upper-case hex digits; "CF", a blank, a word, a blank, a word (upper case); or
// "CR" and one digit.
constexpr bool isCommandCode(std::string_view code) {
    const auto upperHex = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
    };
    const auto digit = [](char c) {
        return c >= '0' && c <= '9';
    };
    const auto wordChar = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
    };
    if (code.size() == 3 && code[0] == 'C' && code[1] == 'R') {
        return digit(code[2]);
    }
    if (code.size() == 3 && code[0] == 'C') {
        return upperHex(code[1]) && upperHex(code[2]);
    }
    if (code.size() < 6 || code.substr(0, 3) != "CF ") {
        return false;
    }
    const std::string_view words = code.substr(3);
    const auto blank = words.find(' ');
    if (blank == std::string_view::npos || blank == 0 || blank + 1 == words.size()) {
        return false;
    }
    const std::string_view rest = words.substr(blank + 1);
    return std::all_of(words.begin(), words.begin() + static_cast<std::ptrdiff_t>(blank), wordChar) &&
           std::all_of(rest.begin(), rest.end(), wordChar);
}

struct Intervals {
    int replyWait = 0;    // Timer2, ms
    int displayClear = 0; // Timer4, ms
};

enum class AfterSend : std::uint8_t {
    Nothing,
    // MENU "ON" and "A-IMAGE" open an on-screen menu, so the cursor pad then repeats every 200 ms
    // with a reply wait and display clear that fit inside that period.
    EnterMenuContext,
};

struct OneShotButton {
    Control control;
    std::string_view caption;
    std::string_view code;
    // Empty: the button keeps the intervals of the sender before it.
    std::optional<Intervals> intervals;
    AfterSend after = AfterSend::Nothing;
};

inline constexpr Intervals kWait500{.replyWait = 500, .displayClear = 1000};
inline constexpr Intervals kWait2000{.replyWait = 2000, .displayClear = 2500};
inline constexpr Intervals kWait3000{.replyWait = 3000, .displayClear = 3500};
inline constexpr Intervals kWait5000{.replyWait = 5000, .displayClear = 5500};

inline constexpr std::array<OneShotButton, 37> kOneShotButtons{{
    {.control = Control::Command17, .caption = "ON", .code = "C00", .intervals = kWait5000},
    {.control = Control::Command18, .caption = "OFF", .code = "C02", .intervals = std::nullopt},
    {.control = Control::Command40, .caption = "ANALOG", .code = "CF INPUT1 ANALOG", .intervals = kWait5000},
    {.control = Control::Command63, .caption = "DIGITAL", .code = "CF INPUT1 DIGITAL", .intervals = kWait5000},
    {.control = Control::Command28, .caption = "RGB", .code = "CF INPUT2 ANALOG", .intervals = kWait5000},
    {.control = Control::Command29, .caption = "VIDEO", .code = "CF INPUT2 VIDEO", .intervals = kWait5000},
    {.control = Control::Command27, .caption = "COMPONENT", .code = "CF INPUT2 YPBPR", .intervals = kWait5000},
    {.control = Control::Command4, .caption = "VIDEO", .code = "CF INPUT3 VIDEO", .intervals = kWait5000},
    {.control = Control::Command14, .caption = "S-VIDEO", .code = "CF INPUT3 S-VIDEO", .intervals = kWait5000},
    {.control = Control::Command66, .caption = "COMPONENT", .code = "CF INPUT3 YPBPR", .intervals = kWait5000},
    {.control = Control::Command19, .caption = "ON", .code = "C0B", .intervals = kWait500},
    {.control = Control::Command20, .caption = "OFF", .code = "C0C", .intervals = kWait500},
    {.control = Control::Command21, .caption = "ON", .code = "C0D", .intervals = kWait500},
    {.control = Control::Command22, .caption = "OFF", .code = "C0E", .intervals = kWait500},
    {.control = Control::Command25, .caption = "ON", .code = "C43", .intervals = kWait500},
    {.control = Control::Command26, .caption = "OFF", .code = "C44", .intervals = kWait500},
    {.control = Control::Command23,
     .caption = "ON",
     .code = "C1C",
     .intervals = kWait500,
     .after = AfterSend::EnterMenuContext},
    {.control = Control::Command24, .caption = "OFF", .code = "C1D", .intervals = kWait500},
    {.control = Control::Command31, .caption = "Normal", .code = "C0F", .intervals = kWait500},
    {.control = Control::Command32, .caption = "Wide", .code = "C10", .intervals = kWait500},
    {.control = Control::Command13,
     .caption = "A-IMAGE",
     .code = "C89",
     .intervals = kWait5000,
     .after = AfterSend::EnterMenuContext},
    {.control = Control::Command73, .caption = "IMAGE", .code = "C27", .intervals = std::nullopt},
    {.control = Control::Command39, .caption = "P-Timer", .code = "C8A", .intervals = std::nullopt},
    {.control = Control::Command3, .caption = "DISPLAY CLEAR", .code = "C1E", .intervals = std::nullopt},
    {.control = Control::Command10, .caption = "STAND", .code = "CF IMAGE STAND", .intervals = kWait2000},
    {.control = Control::Command12, .caption = "REAL", .code = "CF IMAGE REAL", .intervals = kWait2000},
    {.control = Control::Command41, .caption = "CINEMA", .code = "CF IMAGE CINEMA", .intervals = kWait2000},
    {.control = Control::Command11, .caption = "IMAGE1", .code = "CF IMAGE CUSTOM1", .intervals = kWait2000},
    {.control = Control::Command30, .caption = "IMAGE2", .code = "CF IMAGE CUSTOM2", .intervals = kWait2000},
    {.control = Control::Command42, .caption = "IMAGE3", .code = "CF IMAGE CUSTOM3", .intervals = kWait2000},
    {.control = Control::Command43, .caption = "IMAGE4", .code = "CF IMAGE CUSTOM4", .intervals = kWait2000},
    {.control = Control::Command44, .caption = "STATUS", .code = "CR0", .intervals = kWait2000},
    {.control = Control::Command45, .caption = "MODE", .code = "CR1", .intervals = kWait2000},
    {.control = Control::Command46, .caption = "L-TIME", .code = "CR3", .intervals = kWait2000},
    {.control = Control::Command47, .caption = "SETTING", .code = "CR4", .intervals = kWait2000},
    {.control = Control::Command38, .caption = "Temp", .code = "CR6", .intervals = kWait2000},
    {.control = Control::Command52, .caption = "C01", .code = "C01", .intervals = kWait3000},
}};

// Where a press leaves the cursor pad's context when the button is released.
enum class OnRelease : std::uint8_t {
    Nothing,
    // Digital zoom pans with the cursor arrows, which must then step as fast as the timer allows.
    EnterDigitalZoomContext,
};

struct HoldTiming {
    int repeat = 0;       // Timer1, ms
    int replyWait = 0;    // Timer2, ms
    int displayClear = 0; // Timer4, ms
};

struct HoldButton {
    Control control;
    std::string_view caption;
    std::uint8_t repeatNumber = 0;
    std::string_view code;
    // Empty for the cursor arrows, whose intervals come from the cursor-pad context.
    std::optional<HoldTiming> timing;
    OnRelease release = OnRelease::Nothing;
};

inline constexpr HoldTiming kStepTiming{.repeat = 250, .replyWait = 200, .displayClear = 245};
inline constexpr HoldTiming kLensTiming{.repeat = 50, .replyWait = 25, .displayClear = 25};

inline constexpr std::array<HoldButton, 17> kHoldButtons{{
    {.control = Control::Command1, .caption = "+", .repeatNumber = 1, .code = "C09", .timing = kStepTiming},
    {.control = Control::Command2, .caption = "-", .repeatNumber = 2, .code = "C0A", .timing = kStepTiming},
    {.control = Control::Command15, .caption = "+", .repeatNumber = 7, .code = "C47", .timing = kLensTiming},
    {.control = Control::Command35, .caption = "-", .repeatNumber = 8, .code = "C46", .timing = kLensTiming},
    {.control = Control::Command36, .caption = "+", .repeatNumber = 9, .code = "C4B", .timing = kLensTiming},
    {.control = Control::Command37, .caption = "-", .repeatNumber = 10, .code = "C4A", .timing = kLensTiming},
    {.control = Control::Command48,
     .caption = "+",
     .repeatNumber = 17,
     .code = "C30",
     .timing = kStepTiming,
     .release = OnRelease::EnterDigitalZoomContext},
    {.control = Control::Command49,
     .caption = "-",
     .repeatNumber = 18,
     .code = "C31",
     .timing = kStepTiming,
     .release = OnRelease::EnterDigitalZoomContext},
    {.control = Control::Command50, .caption = "+", .repeatNumber = 19, .code = "C8E", .timing = kStepTiming},
    {.control = Control::Command51, .caption = "-", .repeatNumber = 20, .code = "C8F", .timing = kStepTiming},
    {.control = Control::Command5, .caption = "↑", .repeatNumber = 3, .code = "C3C", .timing = std::nullopt},
    {.control = Control::Command7, .caption = "↓", .repeatNumber = 4, .code = "C3D", .timing = std::nullopt},
    {.control = Control::Command9, .caption = "←", .repeatNumber = 5, .code = "C3B", .timing = std::nullopt},
    {.control = Control::Command8, .caption = "→", .repeatNumber = 6, .code = "C3A", .timing = std::nullopt},
    {.control = Control::Command6,
     .caption = "SELECT",
     .repeatNumber = 13,
     .code = "C3F",
     .timing = HoldTiming{.repeat = 500, .replyWait = 200, .displayClear = 245}},
    {.control = Control::Command59,
     .caption = "↑",
     .repeatNumber = 21,
     .code = "C5D",
     .timing = HoldTiming{.repeat = 30, .replyWait = 30, .displayClear = 30}},
    {.control = Control::Command62, .caption = "↓", .repeatNumber = 22, .code = "C5E", .timing = kLensTiming},
}};

// Cursor-pad contexts and the intervals an arrow sets in each (none in the initial context).
inline constexpr std::uint8_t kCursorPadInitial = 0;
inline constexpr std::uint8_t kCursorPadMenu = 1;
inline constexpr std::uint8_t kCursorPadDigitalZoom = 3;
inline constexpr Intervals kMenuArrowIntervals{.replyWait = 150, .displayClear = 190};
inline constexpr Intervals kDigitalZoomArrowIntervals{.replyWait = 5, .displayClear = 5};
inline constexpr int kMenuRepeatInterval = 200;
inline constexpr int kDigitalZoomRepeatInterval = 5;

constexpr const OneShotButton* findOneShot(Control control) {
    for (const auto& b : kOneShotButtons) {
        if (b.control == control) {
            return &b;
        }
    }
    return nullptr;
}

constexpr const HoldButton* findHold(Control control) {
    for (const auto& b : kHoldButtons) {
        if (b.control == control) {
            return &b;
        }
    }
    return nullptr;
}

constexpr const HoldButton* findHoldByRepeatNumber(std::uint8_t repeatNumber) {
    for (const auto& b : kHoldButtons) {
        if (b.repeatNumber == repeatNumber) {
            return &b;
        }
    }
    return nullptr;
}

constexpr bool isHoldButton(Control control) {
    return findHold(control) != nullptr;
}

namespace detail {

constexpr bool oneShotTableSound() {
    for (std::size_t i = 0; i < kOneShotButtons.size(); ++i) {
        const auto& b = kOneShotButtons[i];
        if (!isCommandCode(b.code) || b.caption.empty() || isHoldButton(b.control)) {
            return false;
        }
        if (b.intervals && b.intervals->displayClear != b.intervals->replyWait + 500) {
            return false;
        }
        for (std::size_t j = i + 1; j < kOneShotButtons.size(); ++j) {
            if (kOneShotButtons[j].control == b.control) {
                return false;
            }
        }
    }
    return true;
}

constexpr bool holdTableSound() {
    for (std::size_t i = 0; i < kHoldButtons.size(); ++i) {
        const auto& b = kHoldButtons[i];
        // Repeat number 0 means "nothing held".
        if (!isCommandCode(b.code) || b.code.size() != 3 || b.repeatNumber == 0) {
            return false;
        }
        if (b.timing && (b.timing->repeat <= 0 || b.timing->replyWait > b.timing->repeat ||
                         b.timing->displayClear > b.timing->repeat)) {
            return false;
        }
        for (std::size_t j = i + 1; j < kHoldButtons.size(); ++j) {
            if (kHoldButtons[j].control == b.control || kHoldButtons[j].repeatNumber == b.repeatNumber) {
                return false;
            }
        }
    }
    return true;
}

constexpr std::size_t countWithoutIntervals() {
    return static_cast<std::size_t>(
        std::count_if(kOneShotButtons.begin(), kOneShotButtons.end(), [](const auto& b) { return !b.intervals; }));
}

constexpr std::size_t countCursorArrows() {
    return static_cast<std::size_t>(
        std::count_if(kHoldButtons.begin(), kHoldButtons.end(), [](const auto& b) { return !b.timing; }));
}

} // namespace detail

static_assert(detail::oneShotTableSound(),
              "one-shot rows: valid codes, unique controls, clear = wait + 500, no hold button");
static_assert(detail::holdTableSound(), "hold rows: 3-character codes, unique controls and repeat numbers");
static_assert(detail::countWithoutIntervals() == 4, "four buttons keep the previous intervals");
static_assert(detail::countCursorArrows() == 4, "the four cursor arrows take the pad's context");
static_assert(isCommandCode("CF INPUT3 S-VIDEO") && !isCommandCode("C0g") && !isCommandCode("CF X"));

} // namespace tavo
