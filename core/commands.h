// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The command buttons as data: the one-shot buttons that send once per click and the hold buttons
// that repeat while held. The logic runs one common sequence over these rows; nothing about a
// button's command lives anywhere else.

#include "core/all_distinct.h"
#include "core/ports/controls.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tavo {

inline constexpr char kCarriageReturn = '\r';
// The projector's acknowledgement of a command it takes, followed by CR.
inline constexpr char kAcknowledge = '\x06';

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

// The two periods that follow a send, in milliseconds.
struct Intervals {
    int replyWait = 0;
    int displayClear = 0;
};

enum class AfterSend : std::uint8_t {
    Nothing,
    // MENU "ON" and "A-IMAGE" open an on-screen menu, so the cursor pad then repeats every 200 ms
    // with a reply wait and display clear that fit inside that period.
    EnterMenuContext,
};

struct OneShotCommand {
    Control control;
    std::string_view code;
    // Empty: the button keeps the intervals of the sender before it.
    std::optional<Intervals> intervals;
    AfterSend after = AfterSend::Nothing;
};

inline constexpr Intervals kWait500{.replyWait = 500, .displayClear = 1000};
inline constexpr Intervals kWait2000{.replyWait = 2000, .displayClear = 2500};
inline constexpr Intervals kWait3000{.replyWait = 3000, .displayClear = 3500};
inline constexpr Intervals kWait5000{.replyWait = 5000, .displayClear = 5500};

inline constexpr std::array<OneShotCommand, 37> kOneShotCommands{{
    {.control = Control::PowerOn, .code = "C00", .intervals = kWait5000},
    {.control = Control::PowerOff, .code = "C02", .intervals = std::nullopt},
    {.control = Control::Input1Analog, .code = "CF INPUT1 ANALOG", .intervals = kWait5000},
    {.control = Control::Input1Digital, .code = "CF INPUT1 DIGITAL", .intervals = kWait5000},
    {.control = Control::Input2Rgb, .code = "CF INPUT2 ANALOG", .intervals = kWait5000},
    {.control = Control::Input2Video, .code = "CF INPUT2 VIDEO", .intervals = kWait5000},
    {.control = Control::Input2Component, .code = "CF INPUT2 YPBPR", .intervals = kWait5000},
    {.control = Control::Input3Video, .code = "CF INPUT3 VIDEO", .intervals = kWait5000},
    {.control = Control::Input3SVideo, .code = "CF INPUT3 S-VIDEO", .intervals = kWait5000},
    {.control = Control::Input3Component, .code = "CF INPUT3 YPBPR", .intervals = kWait5000},
    {.control = Control::AudioMuteOn, .code = "C0B", .intervals = kWait500},
    {.control = Control::AudioMuteOff, .code = "C0C", .intervals = kWait500},
    {.control = Control::NoShowOn, .code = "C0D", .intervals = kWait500},
    {.control = Control::NoShowOff, .code = "C0E", .intervals = kWait500},
    {.control = Control::FreezeOn, .code = "C43", .intervals = kWait500},
    {.control = Control::FreezeOff, .code = "C44", .intervals = kWait500},
    {.control = Control::MenuOn, .code = "C1C", .intervals = kWait500, .after = AfterSend::EnterMenuContext},
    {.control = Control::MenuOff, .code = "C1D", .intervals = kWait500},
    {.control = Control::VideoImageNormal, .code = "C0F", .intervals = kWait500},
    {.control = Control::VideoImageWide, .code = "C10", .intervals = kWait500},
    {.control = Control::AutoImage, .code = "C89", .intervals = kWait5000, .after = AfterSend::EnterMenuContext},
    {.control = Control::ImageButton, .code = "C27", .intervals = std::nullopt},
    {.control = Control::PTimer, .code = "C8A", .intervals = std::nullopt},
    {.control = Control::DisplayClear, .code = "C1E", .intervals = std::nullopt},
    {.control = Control::PictureStandard, .code = "CF IMAGE STAND", .intervals = kWait2000},
    {.control = Control::PictureReal, .code = "CF IMAGE REAL", .intervals = kWait2000},
    {.control = Control::PictureCinema, .code = "CF IMAGE CINEMA", .intervals = kWait2000},
    {.control = Control::PictureCustom1, .code = "CF IMAGE CUSTOM1", .intervals = kWait2000},
    {.control = Control::PictureCustom2, .code = "CF IMAGE CUSTOM2", .intervals = kWait2000},
    {.control = Control::PictureCustom3, .code = "CF IMAGE CUSTOM3", .intervals = kWait2000},
    {.control = Control::PictureCustom4, .code = "CF IMAGE CUSTOM4", .intervals = kWait2000},
    {.control = Control::ReadStatus, .code = "CR0", .intervals = kWait2000},
    {.control = Control::ReadInput, .code = "CR1", .intervals = kWait2000},
    {.control = Control::ReadLampTime, .code = "CR3", .intervals = kWait2000},
    {.control = Control::ReadMirror, .code = "CR4", .intervals = kWait2000},
    {.control = Control::ReadTemperatures, .code = "CR6", .intervals = kWait2000},
    {.control = Control::SendC01, .code = "C01", .intervals = kWait3000},
}};

// Where a press leaves the cursor pad's context when the button is released.
enum class OnRelease : std::uint8_t {
    Nothing,
    // Digital zoom pans with the cursor arrows, which must then step as fast as the timer allows.
    EnterDigitalZoomContext,
};

// What a hold press sets, in milliseconds: the repeat period and the two periods after each send.
struct HoldTiming {
    int repeat = 0;
    int replyWait = 0;
    int displayClear = 0;
};

// The hold button that is down, if any: it selects the line the repeat writes.
enum class HoldButton : std::uint8_t {
    None,
    VolumeUp,
    VolumeDown,
    ZoomIn,
    ZoomOut,
    FocusFar,
    FocusNear,
    DigitalZoomIn,
    DigitalZoomOut,
    KeystoneUp,
    KeystoneDown,
    CursorUp,
    CursorDown,
    CursorLeft,
    CursorRight,
    CursorSelect,
    LensShiftUp,
    LensShiftDown,
};

struct HoldCommand {
    Control control;
    HoldButton button = HoldButton::None;
    std::string_view code;
    // Empty for the cursor arrows, whose intervals come from the cursor-pad context.
    std::optional<HoldTiming> timing;
    OnRelease release = OnRelease::Nothing;
};

inline constexpr HoldTiming kStepTiming{.repeat = 250, .replyWait = 200, .displayClear = 245};
inline constexpr HoldTiming kLensTiming{.repeat = 50, .replyWait = 25, .displayClear = 25};

inline constexpr std::array<HoldCommand, 17> kHoldCommands{{
    {.control = Control::VolumeUp, .button = HoldButton::VolumeUp, .code = "C09", .timing = kStepTiming},
    {.control = Control::VolumeDown, .button = HoldButton::VolumeDown, .code = "C0A", .timing = kStepTiming},
    {.control = Control::ZoomIn, .button = HoldButton::ZoomIn, .code = "C47", .timing = kLensTiming},
    {.control = Control::ZoomOut, .button = HoldButton::ZoomOut, .code = "C46", .timing = kLensTiming},
    {.control = Control::FocusFar, .button = HoldButton::FocusFar, .code = "C4B", .timing = kLensTiming},
    {.control = Control::FocusNear, .button = HoldButton::FocusNear, .code = "C4A", .timing = kLensTiming},
    {.control = Control::DigitalZoomIn,
     .button = HoldButton::DigitalZoomIn,
     .code = "C30",
     .timing = kStepTiming,
     .release = OnRelease::EnterDigitalZoomContext},
    {.control = Control::DigitalZoomOut,
     .button = HoldButton::DigitalZoomOut,
     .code = "C31",
     .timing = kStepTiming,
     .release = OnRelease::EnterDigitalZoomContext},
    {.control = Control::KeystoneUp, .button = HoldButton::KeystoneUp, .code = "C8E", .timing = kStepTiming},
    {.control = Control::KeystoneDown, .button = HoldButton::KeystoneDown, .code = "C8F", .timing = kStepTiming},
    {.control = Control::CursorUp, .button = HoldButton::CursorUp, .code = "C3C", .timing = std::nullopt},
    {.control = Control::CursorDown, .button = HoldButton::CursorDown, .code = "C3D", .timing = std::nullopt},
    {.control = Control::CursorLeft, .button = HoldButton::CursorLeft, .code = "C3B", .timing = std::nullopt},
    {.control = Control::CursorRight, .button = HoldButton::CursorRight, .code = "C3A", .timing = std::nullopt},
    {.control = Control::CursorSelect,
     .button = HoldButton::CursorSelect,
     .code = "C3F",
     .timing = HoldTiming{.repeat = 500, .replyWait = 200, .displayClear = 245}},
    {.control = Control::LensShiftUp,
     .button = HoldButton::LensShiftUp,
     .code = "C5D",
     .timing = HoldTiming{.repeat = 30, .replyWait = 30, .displayClear = 30}},
    {.control = Control::LensShiftDown, .button = HoldButton::LensShiftDown, .code = "C5E", .timing = kLensTiming},
}};

// What the cursor arrows are steering, which sets the periods an arrow press uses.
enum class CursorPadContext : std::uint8_t {
    // Nothing has set it yet: an arrow keeps the periods it finds.
    Initial,
    // An on-screen menu is open (MENU "ON", "A-IMAGE").
    Menu,
    // The picture is digitally zoomed and the arrows pan it (after a D.Zoom release).
    DigitalZoom,
};

inline constexpr Intervals kMenuArrowIntervals{.replyWait = 150, .displayClear = 190};
inline constexpr Intervals kDigitalZoomArrowIntervals{.replyWait = 5, .displayClear = 5};
inline constexpr int kMenuRepeatInterval = 200;
inline constexpr int kDigitalZoomRepeatInterval = 5;

constexpr const OneShotCommand* findOneShot(Control control) {
    const auto* found = std::ranges::find(kOneShotCommands, control, &OneShotCommand::control);
    return found == kOneShotCommands.end() ? nullptr : found;
}

constexpr const HoldCommand* findHold(Control control) {
    const auto* found = std::ranges::find(kHoldCommands, control, &HoldCommand::control);
    return found == kHoldCommands.end() ? nullptr : found;
}

constexpr const HoldCommand* findHold(HoldButton button) {
    const auto* found = std::ranges::find(kHoldCommands, button, &HoldCommand::button);
    return found == kHoldCommands.end() ? nullptr : found;
}

// Predicates rather than null tests of the finders: GCC's UndefinedBehaviorSanitizer makes a
// comparison of a table element's address with null non-constant in static assertions.
constexpr bool isOneShotButton(Control control) {
    return std::ranges::any_of(kOneShotCommands, [control](const OneShotCommand& c) { return c.control == control; });
}

constexpr bool isHoldButton(Control control) {
    return std::ranges::any_of(kHoldCommands, [control](const HoldCommand& c) { return c.control == control; });
}

namespace detail {

constexpr bool oneShotRowsSound() {
    return std::ranges::all_of(kOneShotCommands, [](const OneShotCommand& c) {
        return isCommandCode(c.code) && !isHoldButton(c.control) &&
               (!c.intervals || c.intervals->displayClear == c.intervals->replyWait + 500);
    });
}

constexpr bool holdRowsSound() {
    return std::ranges::all_of(kHoldCommands, [](const HoldCommand& c) {
        return isCommandCode(c.code) && c.code.size() == 3 && c.button != HoldButton::None &&
               (!c.timing || (c.timing->repeat > 0 && c.timing->replyWait <= c.timing->repeat &&
                              c.timing->displayClear <= c.timing->repeat));
    });
}

constexpr std::size_t countWithoutIntervals() {
    return static_cast<std::size_t>(
        std::ranges::count_if(kOneShotCommands, [](const auto& c) { return !c.intervals; }));
}

constexpr std::size_t countCursorArrows() {
    return static_cast<std::size_t>(std::ranges::count_if(kHoldCommands, [](const auto& c) { return !c.timing; }));
}

} // namespace detail

static_assert(detail::oneShotRowsSound(), "one-shot rows: valid codes, clear = wait + 500, no hold button");
static_assert(allDistinct(kOneShotCommands, &OneShotCommand::control), "one row per one-shot button");
static_assert(detail::holdRowsSound(), "hold rows: 3-character codes, a held-button name, periods within the repeat");
static_assert(allDistinct(kHoldCommands, &HoldCommand::control) && allDistinct(kHoldCommands, &HoldCommand::button),
              "one row per hold button");
static_assert(kHoldCommands.size() == static_cast<std::size_t>(HoldButton::LensShiftDown),
              "every held-button name but None has a row");
static_assert(detail::countWithoutIntervals() == 4, "four buttons keep the previous intervals");
static_assert(detail::countCursorArrows() == 4, "the four cursor arrows take the pad's context");
static_assert(isCommandCode("CF INPUT3 S-VIDEO") && !isCommandCode("C0g") && !isCommandCode("CF X"));

} // namespace tavo
