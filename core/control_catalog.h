// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What each control of the panel is, apart from where the window draws it: its kind, its caption,
// the group it belongs to and that group's title, the name assistive technology speaks where the
// group and caption do not serve, what it does where it sends no command, and the command it sends
// (looked up in the command tables, never copied). The window, the help, the accessible names and
// tavo-ctl's command names all read it; the window's geometry and looks stay with the window.
// Captions are the panel's own and never translated; the spoken names, titles and what a control
// does are English, marked for translation in the context "tavo::catalog", which the window
// translates them in.

#include "core/all_distinct.h"
#include "core/commands.h"
#include "core/panel_logic.h"
#include "core/ports/controls.h"
#include "core/ports/wording.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tavo::catalog {

enum class Kind : std::uint8_t {
    // Sends its line once per click (the command tables' one-shot rows).
    OneShotButton,
    // Sends its line at once when pressed and repeats it while held (the hold rows).
    HoldButton,
    // A button that sends nothing itself: COM, END and the pane button.
    OtherButton,
    Option,
    Label,
    Frame,
    Image,
};

constexpr bool isButton(Kind kind) {
    return kind == Kind::OneShotButton || kind == Kind::HoldButton || kind == Kind::OtherButton;
}

// The controls that take the focus and can be activated.
constexpr bool isFocusable(Kind kind) {
    return isButton(kind) || kind == Kind::Option;
}

// The groups the controls form on the panel: a titled frame, a free title label over a pair of
// buttons, or a block the panel leaves untitled.
enum class Group : std::uint8_t {
    None,
    Power,
    Input1,
    Input2,
    Input3,
    AudioMute,
    NoShow,
    Freeze,
    Menu,
    VideoImage,
    LensShift,
    Volume,
    Zoom,
    Focus,
    DigitalZoom,
    Keystone,
    Cursor,
    Picture,
    Port,
    Speed,
    DataPane,
    Status,
};

inline constexpr std::size_t kGroupCount = 22;

constexpr std::size_t index(Group g) {
    return static_cast<std::size_t>(g);
}

struct GroupEntry {
    Group group = Group::None;
    // The label whose caption titles the group on the panel.
    std::optional<Control> titleLabel{};
    // The title of a group the panel draws without a title label, as assistive technology says it.
    std::string_view spokenTitle{};
    // The frame drawn round the group; assistive technology names it by the group's title.
    std::optional<Control> frame{};
    // What tavo-ctl calls the group where its title would read poorly as a command name, or where
    // the panel gives it none. Never translated, as it is a command's name.
    std::string_view commandWord{};
};

struct Entry {
    Control control{};
    Kind kind = Kind::Label;
    // As drawn at start; empty for frames, the image and the fields the logic fills.
    std::string_view caption{};
    Group group = Group::None;
    // What assistive technology announces where the group's title and the caption do not serve:
    // symbol captions, the data fields and the logo.
    std::string_view spokenName{};
    // What a button or option that sends no command does, for assistive technology and the help.
    std::string_view does{};
};

namespace detail {
using C = Control;
using G = Group;
} // namespace detail

// clang-format off
inline constexpr std::array<GroupEntry, kGroupCount> kGroups = [] {
    using namespace detail;
    return std::array<GroupEntry, kGroupCount>{{
        {.group = G::None},
        {.group = G::Power, .titleLabel = C::PowerTitle, .frame = C::PowerFrame},
        {.group = G::Input1, .titleLabel = C::Input1Title, .frame = C::Input1Frame},
        {.group = G::Input2, .titleLabel = C::Input2Title, .frame = C::Input2Frame},
        {.group = G::Input3, .titleLabel = C::Input3Title, .frame = C::Input3Frame},
        {.group = G::AudioMute, .titleLabel = C::AudioMuteTitle, .frame = C::AudioMuteFrame, .commandWord = "mute"},
        {.group = G::NoShow, .titleLabel = C::NoShowTitle, .frame = C::NoShowFrame},
        {.group = G::Freeze, .titleLabel = C::FreezeTitle, .frame = C::FreezeFrame},
        {.group = G::Menu, .titleLabel = C::MenuTitle, .frame = C::MenuFrame},
        {.group = G::VideoImage, .titleLabel = C::VideoImageTitle, .frame = C::VideoImageFrame},
        {.group = G::LensShift, .titleLabel = C::LensShiftTitle, .frame = C::LensShiftFrame},
        {.group = G::Volume, .titleLabel = C::VolumeTitle},
        {.group = G::Zoom, .titleLabel = C::ZoomTitle},
        {.group = G::Focus, .titleLabel = C::FocusTitle},
        {.group = G::DigitalZoom, .titleLabel = C::DigitalZoomTitle},
        {.group = G::Keystone, .titleLabel = C::KeystoneTitle},
        {.group = G::Cursor, .commandWord = "cursor"},
        {.group = G::Picture, .commandWord = "picture"},
        {.group = G::Port, .spokenTitle = TAVO_TRANSLATE_NOOP("tavo::catalog", "Port"), .frame = C::PortPanel},
        {.group = G::Speed, .spokenTitle = TAVO_TRANSLATE_NOOP("tavo::catalog", "Speed"), .frame = C::SpeedFrame},
        {.group = G::DataPane, .spokenTitle = TAVO_TRANSLATE_NOOP("tavo::catalog", "Data pane"), .frame = C::DataPane},
        {.group = G::Status, .titleLabel = C::StatusCaption, .frame = C::StatusFrame},
    }};
}();

inline constexpr std::array<Entry, kControlCount> kEntries = [] {
    using namespace detail;
    using K = Kind;
    return std::array<Entry, kControlCount>{{
        // Top row: power and the three input groups, the logo in the corner.
        {.control = C::PowerFrame, .kind = K::Frame},
        {.control = C::PowerTitle, .kind = K::Label, .caption = "POWER", .group = G::Power},
        {.control = C::PowerOn, .kind = K::OneShotButton, .caption = "ON", .group = G::Power},
        {.control = C::PowerOff, .kind = K::OneShotButton, .caption = "OFF", .group = G::Power},
        {.control = C::Input1Frame, .kind = K::Frame},
        {.control = C::Input1Title, .kind = K::Label, .caption = "INPUT 1 ", .group = G::Input1},
        {.control = C::Input1Analog, .kind = K::OneShotButton, .caption = "ANALOG", .group = G::Input1},
        {.control = C::Input1Digital, .kind = K::OneShotButton, .caption = "DIGITAL", .group = G::Input1},
        {.control = C::Input2Frame, .kind = K::Frame},
        {.control = C::Input2Title, .kind = K::Label, .caption = "INPUT 2", .group = G::Input2},
        {.control = C::Input2Rgb, .kind = K::OneShotButton, .caption = "RGB", .group = G::Input2},
        {.control = C::Input2Video, .kind = K::OneShotButton, .caption = "VIDEO", .group = G::Input2},
        {.control = C::Input2Component, .kind = K::OneShotButton, .caption = "COMPONENT", .group = G::Input2},
        {.control = C::Input3Frame, .kind = K::Frame},
        {.control = C::Input3Title, .kind = K::Label, .caption = "INPUT 3", .group = G::Input3},
        {.control = C::Input3Video, .kind = K::OneShotButton, .caption = "VIDEO", .group = G::Input3},
        {.control = C::Input3SVideo, .kind = K::OneShotButton, .caption = "S-VIDEO", .group = G::Input3},
        {.control = C::Input3Component, .kind = K::OneShotButton, .caption = "COMPONENT", .group = G::Input3},
        {.control = C::Logo, .kind = K::Image, .spokenName = TAVO_TRANSLATE_NOOP("tavo::catalog", "Logo")},

        // Toggle row.
        {.control = C::AudioMuteFrame, .kind = K::Frame},
        {.control = C::AudioMuteTitle, .kind = K::Label, .caption = "AUDIO MUTE", .group = G::AudioMute},
        {.control = C::AudioMuteOn, .kind = K::OneShotButton, .caption = "ON", .group = G::AudioMute},
        {.control = C::AudioMuteOff, .kind = K::OneShotButton, .caption = "OFF", .group = G::AudioMute},
        {.control = C::NoShowFrame, .kind = K::Frame},
        {.control = C::NoShowTitle, .kind = K::Label, .caption = "No Show", .group = G::NoShow},
        {.control = C::NoShowOn, .kind = K::OneShotButton, .caption = "ON", .group = G::NoShow},
        {.control = C::NoShowOff, .kind = K::OneShotButton, .caption = "OFF", .group = G::NoShow},
        {.control = C::FreezeFrame, .kind = K::Frame},
        {.control = C::FreezeTitle, .kind = K::Label, .caption = "FREEZE", .group = G::Freeze},
        {.control = C::FreezeOn, .kind = K::OneShotButton, .caption = "ON", .group = G::Freeze},
        {.control = C::FreezeOff, .kind = K::OneShotButton, .caption = "OFF", .group = G::Freeze},
        {.control = C::MenuFrame, .kind = K::Frame},
        {.control = C::MenuTitle, .kind = K::Label, .caption = "MENU", .group = G::Menu},
        {.control = C::MenuOn, .kind = K::OneShotButton, .caption = "ON", .group = G::Menu},
        {.control = C::MenuOff, .kind = K::OneShotButton, .caption = "OFF", .group = G::Menu},
        {.control = C::VideoImageFrame, .kind = K::Frame},
        {.control = C::VideoImageTitle, .kind = K::Label, .caption = "VIDEO  image", .group = G::VideoImage},
        {.control = C::VideoImageNormal, .kind = K::OneShotButton, .caption = "Normal", .group = G::VideoImage},
        {.control = C::VideoImageWide, .kind = K::OneShotButton, .caption = "Wide", .group = G::VideoImage},
        {.control = C::LensShiftFrame, .kind = K::Frame},
        {.control = C::LensShiftTitle, .kind = K::Label, .caption = "LENS SHIFT", .group = G::LensShift},
        {.control = C::LensShiftUp, .kind = K::HoldButton, .caption = "↑", .group = G::LensShift, .spokenName = TAVO_TRANSLATE_NOOP("tavo::catalog", "Lens shift up")},
        {.control = C::LensShiftDown, .kind = K::HoldButton, .caption = "↓", .group = G::LensShift, .spokenName = TAVO_TRANSLATE_NOOP("tavo::catalog", "Lens shift down")},

        // Adjustment row: free title labels over "+" and "-" pairs.
        {.control = C::VolumeTitle, .kind = K::Label, .caption = "VOL", .group = G::Volume},
        {.control = C::VolumeUp, .kind = K::HoldButton, .caption = "+", .group = G::Volume},
        {.control = C::VolumeDown, .kind = K::HoldButton, .caption = "-", .group = G::Volume},
        {.control = C::ZoomTitle, .kind = K::Label, .caption = "Zoom", .group = G::Zoom},
        {.control = C::ZoomIn, .kind = K::HoldButton, .caption = "+", .group = G::Zoom},
        {.control = C::ZoomOut, .kind = K::HoldButton, .caption = "-", .group = G::Zoom},
        {.control = C::FocusTitle, .kind = K::Label, .caption = "Focus", .group = G::Focus},
        {.control = C::FocusFar, .kind = K::HoldButton, .caption = "+", .group = G::Focus},
        {.control = C::FocusNear, .kind = K::HoldButton, .caption = "-", .group = G::Focus},
        {.control = C::DigitalZoomTitle, .kind = K::Label, .caption = "D.Zoom", .group = G::DigitalZoom},
        {.control = C::DigitalZoomIn, .kind = K::HoldButton, .caption = "+", .group = G::DigitalZoom},
        {.control = C::DigitalZoomOut, .kind = K::HoldButton, .caption = "-", .group = G::DigitalZoom},
        {.control = C::KeystoneTitle, .kind = K::Label, .caption = "Keystone", .group = G::Keystone},
        {.control = C::KeystoneUp, .kind = K::HoldButton, .caption = "+", .group = G::Keystone},
        {.control = C::KeystoneDown, .kind = K::HoldButton, .caption = "-", .group = G::Keystone},

        // Cursor pad.
        {.control = C::CursorUp, .kind = K::HoldButton, .caption = "↑", .group = G::Cursor, .spokenName = TAVO_TRANSLATE_NOOP("tavo::catalog", "Cursor up")},
        {.control = C::CursorLeft, .kind = K::HoldButton, .caption = "←", .group = G::Cursor, .spokenName = TAVO_TRANSLATE_NOOP("tavo::catalog", "Cursor left")},
        {.control = C::CursorSelect, .kind = K::HoldButton, .caption = "SELECT", .group = G::Cursor, .spokenName = TAVO_TRANSLATE_NOOP("tavo::catalog", "Cursor SELECT")},
        {.control = C::CursorRight, .kind = K::HoldButton, .caption = "→", .group = G::Cursor, .spokenName = TAVO_TRANSLATE_NOOP("tavo::catalog", "Cursor right")},
        {.control = C::CursorDown, .kind = K::HoldButton, .caption = "↓", .group = G::Cursor, .spokenName = TAVO_TRANSLATE_NOOP("tavo::catalog", "Cursor down")},

        // Right column under the lens-shift group.
        {.control = C::AutoImage, .kind = K::OneShotButton, .caption = "A-IMAGE"},
        {.control = C::ImageButton, .kind = K::OneShotButton, .caption = "IMAGE"},
        {.control = C::PTimer, .kind = K::OneShotButton, .caption = "P-Timer"},
        {.control = C::DisplayClear, .kind = K::OneShotButton, .caption = "DISPLAY CLEAR"},
        {.control = C::EndButton, .kind = K::OtherButton, .caption = "END", .does = TAVO_TRANSLATE_NOOP("tavo::catalog", "Closes the port and ends the program")},

        // Picture-mode block.
        {.control = C::PictureStandard, .kind = K::OneShotButton, .caption = "STAND", .group = G::Picture},
        {.control = C::PictureCustom1, .kind = K::OneShotButton, .caption = "IMAGE1", .group = G::Picture},
        {.control = C::PictureCustom4, .kind = K::OneShotButton, .caption = "IMAGE4", .group = G::Picture},
        {.control = C::PictureReal, .kind = K::OneShotButton, .caption = "REAL", .group = G::Picture},
        {.control = C::PictureCustom2, .kind = K::OneShotButton, .caption = "IMAGE2", .group = G::Picture},
        {.control = C::PictureCinema, .kind = K::OneShotButton, .caption = "CINEMA", .group = G::Picture},
        {.control = C::PictureCustom3, .kind = K::OneShotButton, .caption = "IMAGE3", .group = G::Picture},

        // Port selection: the "COM" button and the port panel that covers it when shown.
        {.control = C::PortButton, .kind = K::OtherButton, .caption = "COM", .does = TAVO_TRANSLATE_NOOP("tavo::catalog", "Shows the port panel")},
        {.control = C::PortPanel, .kind = K::Frame},
        {.control = C::Com1Option, .kind = K::Option, .caption = "COM1", .group = G::Port, .does = TAVO_TRANSLATE_NOOP("tavo::catalog", "Switches the port to COM1")},
        {.control = C::Com2Option, .kind = K::Option, .caption = "COM2", .group = G::Port, .does = TAVO_TRANSLATE_NOOP("tavo::catalog", "Switches the port to COM2")},
        {.control = C::SpeedFrame, .kind = K::Frame, .group = G::Port},
        {.control = C::Speed19200Option, .kind = K::Option, .caption = "19200", .group = G::Speed, .does = TAVO_TRANSLATE_NOOP("tavo::catalog", "Switches the line to 19200 baud")},
        {.control = C::Speed9600Option, .kind = K::Option, .caption = "9600", .group = G::Speed, .does = TAVO_TRANSLATE_NOOP("tavo::catalog", "Switches the line to 9600 baud")},

        // Data pane.
        {.control = C::DataPane, .kind = K::Frame},
        {.control = C::TxdCaption, .kind = K::Label, .caption = "TXD", .group = G::DataPane},
        {.control = C::TxdField, .kind = K::Label, .group = G::DataPane, .spokenName = TAVO_TRANSLATE_NOOP("tavo::catalog", "Transmitted data")},
        {.control = C::RxdCaption, .kind = K::Label, .caption = "RXD", .group = G::DataPane},
        {.control = C::RxdField, .kind = K::Label, .group = G::DataPane, .spokenName = TAVO_TRANSLATE_NOOP("tavo::catalog", "Received data")},
        {.control = C::PaneButton, .kind = K::OtherButton, .caption = kShowDataCaption},

        // Bottom block: status reads, "C01" and the status line.
        {.control = C::ReadStatus, .kind = K::OneShotButton, .caption = "STATUS"},
        {.control = C::ReadLampTime, .kind = K::OneShotButton, .caption = "L-TIME"},
        {.control = C::ReadInput, .kind = K::OneShotButton, .caption = "MODE"},
        {.control = C::ReadMirror, .kind = K::OneShotButton, .caption = "SETTING"},
        {.control = C::ReadTemperatures, .kind = K::OneShotButton, .caption = "Temp"},
        {.control = C::SendC01, .kind = K::OneShotButton, .caption = "C01"},
        {.control = C::StatusFrame, .kind = K::Frame},
        {.control = C::StatusCaption, .kind = K::Label, .caption = "STATUS", .group = G::Status},
        {.control = C::StatusLine, .kind = K::Label, .group = G::Status, .spokenName = TAVO_TRANSLATE_NOOP("tavo::catalog", "Status")},
    }};
}();
// clang-format on

// The pane button's caption names the next view, in Japanese or as "CLOSE"; assistive technology
// hears an English name that follows it.
struct PaneCaption {
    std::string_view caption;
    std::string_view spokenName;
    std::string_view does;
    // What a Japanese caption says, for the help to give beside it to readers of other languages;
    // empty for an English caption.
    std::string_view reads{};
};

inline constexpr std::array kPaneCaptions{
    PaneCaption{.caption = kShowDataCaption,
                .spokenName = TAVO_TRANSLATE_NOOP("tavo::catalog", "Show data"),
                .does = TAVO_TRANSLATE_NOOP("tavo::catalog", "Shows the data pane"),
                .reads = TAVO_TRANSLATE_NOOP("tavo::catalog", "Show the data")},
    PaneCaption{.caption = kHideDataCaption,
                .spokenName = TAVO_TRANSLATE_NOOP("tavo::catalog", "Hide data"),
                .does = TAVO_TRANSLATE_NOOP("tavo::catalog", "Hides the data pane"),
                .reads = TAVO_TRANSLATE_NOOP("tavo::catalog", "Hide the data")},
    PaneCaption{.caption = kFullViewCaption,
                .spokenName = TAVO_TRANSLATE_NOOP("tavo::catalog", "Close full view"),
                .does = TAVO_TRANSLATE_NOOP("tavo::catalog", "Collapses the full view")},
};

constexpr const Entry& entry(Control control) {
    return kEntries[index(control)];
}

constexpr Kind kindOf(Control control) {
    return entry(control).kind;
}

constexpr std::string_view captionOf(Control control) {
    return entry(control).caption;
}

constexpr Group groupOf(Control control) {
    return entry(control).group;
}

constexpr const GroupEntry& groupEntry(Group group) {
    return kGroups[index(group)];
}

// A group's title as the panel shows it: its title label's caption, blanks and all; for a group
// drawn without one, its spoken title. Empty for the untitled blocks and for no group.
constexpr std::string_view groupTitle(Group group) {
    const GroupEntry& g = groupEntry(group);
    return g.titleLabel ? captionOf(*g.titleLabel) : g.spokenTitle;
}

// The group a frame is drawn round; none for any other control.
constexpr Group groupFramedBy(Control frame) {
    const auto* found = std::ranges::find(kGroups, std::optional<Control>{frame}, &GroupEntry::frame);
    return found == kGroups.end() ? Group::None : found->group;
}

constexpr const PaneCaption* findPaneCaption(std::string_view caption) {
    const auto* found = std::ranges::find(kPaneCaptions, caption, &PaneCaption::caption);
    return found == kPaneCaptions.end() ? nullptr : found;
}

// The command-table row a control sends by: at most one of the two is set.
struct CommandRow {
    const OneShotCommand* oneShot = nullptr;
    const HoldCommand* hold = nullptr;

    // The line without the CR; empty for a control that sends nothing.
    [[nodiscard]] constexpr std::string_view code() const {
        if (oneShot != nullptr) {
            return oneShot->code;
        }
        return hold != nullptr ? hold->code : std::string_view{};
    }
};

constexpr CommandRow commandOf(Control control) {
    return {.oneShot = findOneShot(control), .hold = findHold(control)};
}

namespace detail {

constexpr bool entriesInOrder() {
    for (std::size_t i = 0; i < kEntries.size(); ++i) {
        if (index(kEntries[i].control) != i) {
            return false;
        }
    }
    return true;
}

constexpr bool groupsInOrder() {
    for (std::size_t i = 0; i < kGroups.size(); ++i) {
        if (index(kGroups[i].group) != i) {
            return false;
        }
    }
    return true;
}

constexpr bool isPlainAscii(std::string_view text) {
    return std::ranges::all_of(text, [](char c) { return c >= 0x20 && c < 0x7f; });
}

constexpr bool hasLetterOrDigit(std::string_view text) {
    return std::ranges::any_of(
        text, [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); });
}

constexpr bool hasPaneCaption(std::string_view caption) {
    return std::ranges::any_of(kPaneCaptions, [caption](const PaneCaption& p) { return p.caption == caption; });
}

// The kind agrees with the command tables, and each button or option either sends a command or
// says what it does instead (the pane button through its captions); other controls do neither.
constexpr bool kindsMatchTheCommands() {
    return std::ranges::all_of(kEntries, [](const Entry& e) {
        const bool oneShot = isOneShotButton(e.control);
        const bool hold = isHoldButton(e.control);
        const bool saysWhat = !e.does.empty() || e.control == Control::PaneButton;
        if ((e.kind == Kind::OneShotButton) != oneShot || (e.kind == Kind::HoldButton) != hold) {
            return false;
        }
        return isFocusable(e.kind) ? int{oneShot} + int{hold} + int{saysWhat} == 1 : !saysWhat;
    });
}

// What is drawn with a caption has one; frames and the image have none and are named otherwise.
constexpr bool captionsAndNamesWhereDue() {
    return std::ranges::all_of(kEntries, [](const Entry& e) {
        switch (e.kind) {
        case Kind::OneShotButton:
        case Kind::HoldButton:
        case Kind::OtherButton:
        case Kind::Option:
            // A symbol or a Japanese caption is no name for assistive technology: such a button is
            // named by its own spoken name, its group, or its caption's spoken name.
            return !e.caption.empty() && (hasLetterOrDigit(e.caption) || !e.spokenName.empty() ||
                                          hasLetterOrDigit(groupTitle(e.group)) || hasPaneCaption(e.caption));
        case Kind::Label:
            return !e.caption.empty() || !e.spokenName.empty();
        case Kind::Frame:
            return e.caption.empty() && e.spokenName.empty() && groupFramedBy(e.control) != Group::None;
        case Kind::Image:
            return e.caption.empty() && !e.spokenName.empty();
        }
        return false;
    });
}

constexpr bool spokenTextsPlain() {
    return std::ranges::all_of(kEntries,
                               [](const Entry& e) { return isPlainAscii(e.spokenName) && isPlainAscii(e.does); }) &&
           std::ranges::all_of(
               kGroups,
               [](const GroupEntry& g) { return isPlainAscii(g.spokenTitle) && isPlainAscii(g.commandWord); }) &&
           std::ranges::all_of(kPaneCaptions, [](const PaneCaption& p) {
               return !p.spokenName.empty() && !p.does.empty() && isPlainAscii(p.spokenName) && isPlainAscii(p.does) &&
                      isPlainAscii(p.reads);
           });
}

// A title label is a captioned label of its own group; a frame is drawn round one group only; a
// group is titled one way or, where the panel leaves it untitled, has a command word.
constexpr bool groupsSound() {
    return std::ranges::all_of(kGroups, [](const GroupEntry& g) {
        if (g.group == Group::None) {
            return !g.titleLabel && !g.frame && g.spokenTitle.empty() && g.commandWord.empty();
        }
        const bool labelFits =
            !g.titleLabel || (kindOf(*g.titleLabel) == Kind::Label && groupOf(*g.titleLabel) == g.group &&
                              !captionOf(*g.titleLabel).empty());
        const bool frameFits = !g.frame || (kindOf(*g.frame) == Kind::Frame && groupFramedBy(*g.frame) == g.group);
        const bool titledOnce = !(g.titleLabel && !g.spokenTitle.empty());
        return labelFits && frameFits && titledOnce && (!groupTitle(g.group).empty() || !g.commandWord.empty());
    });
}

} // namespace detail

static_assert(detail::entriesInOrder(), "one entry per control, in the enumeration's order");
static_assert(detail::groupsInOrder(), "one entry per group, in the enumeration's order");
static_assert(detail::kindsMatchTheCommands(), "buttons send a command or say what they do");
static_assert(detail::captionsAndNamesWhereDue(), "every control can be drawn and named");
static_assert(detail::spokenTextsPlain(), "what assistive technology says is plain text");
static_assert(detail::groupsSound(), "groups are titled by their own labels and framed once");
static_assert(allDistinct(kPaneCaptions, &PaneCaption::caption) &&
                  std::ranges::any_of(kPaneCaptions,
                                      [](const PaneCaption& p) { return p.caption == captionOf(Control::PaneButton); }),
              "every caption of the pane button has its spoken name");
static_assert(std::ranges::all_of(kPaneCaptions,
                                  [](const PaneCaption& p) {
                                      return p.reads.empty() == detail::isPlainAscii(p.caption);
                                  }),
              "the help can say what each Japanese caption of the pane button reads");

} // namespace tavo::catalog
