// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window's controls by role, shared by the logic, the window and the tests. The logic refers to
// a control only by one of these names; the window's control table says how each one is drawn.

#include <array>
#include <cstddef>
#include <string_view>

namespace tavo {

enum class Control {
    // Top row: power and the three input groups, the logo in the corner.
    PowerFrame,
    PowerTitle,
    PowerOn,
    PowerOff,
    Input1Frame,
    Input1Title,
    Input1Analog,
    Input1Digital,
    Input2Frame,
    Input2Title,
    Input2Rgb,
    Input2Video,
    Input2Component,
    Input3Frame,
    Input3Title,
    Input3Video,
    Input3SVideo,
    Input3Component,
    Logo,

    // Toggle row.
    AudioMuteFrame,
    AudioMuteTitle,
    AudioMuteOn,
    AudioMuteOff,
    NoShowFrame,
    NoShowTitle,
    NoShowOn,
    NoShowOff,
    FreezeFrame,
    FreezeTitle,
    FreezeOn,
    FreezeOff,
    MenuFrame,
    MenuTitle,
    MenuOn,
    MenuOff,
    VideoImageFrame,
    VideoImageTitle,
    VideoImageNormal,
    VideoImageWide,
    LensShiftFrame,
    LensShiftTitle,
    LensShiftUp,
    LensShiftDown,

    // Adjustment row: free title labels over "+" and "-" pairs.
    VolumeTitle,
    VolumeUp,
    VolumeDown,
    ZoomTitle,
    ZoomIn,
    ZoomOut,
    FocusTitle,
    FocusFar,
    FocusNear,
    DigitalZoomTitle,
    DigitalZoomIn,
    DigitalZoomOut,
    KeystoneTitle,
    KeystoneUp,
    KeystoneDown,

    // Cursor pad.
    CursorUp,
    CursorLeft,
    CursorSelect,
    CursorRight,
    CursorDown,

    // Right column under the lens-shift group.
    AutoImage,
    ImageButton,
    PTimer,
    DisplayClear,
    EndButton,

    // Picture-mode block.
    PictureStandard,
    PictureCustom1,
    PictureCustom4,
    PictureReal,
    PictureCustom2,
    PictureCinema,
    PictureCustom3,

    // Port selection: the "COM" button and the port panel that covers it when shown.
    PortButton,
    PortPanel,
    Com1Option,
    Com2Option,
    SpeedFrame,
    Speed19200Option,
    Speed9600Option,

    // Data pane.
    DataPane,
    TxdCaption,
    TxdField,
    RxdCaption,
    RxdField,
    PaneButton,

    // Bottom block: status reads, "C01" and the status line.
    ReadStatus,
    ReadLampTime,
    ReadInput,
    ReadMirror,
    ReadTemperatures,
    SendC01,
    StatusFrame,
    StatusCaption,
    StatusLine,
};

inline constexpr std::size_t kControlCount = 97;

constexpr std::size_t index(Control c) {
    return static_cast<std::size_t>(c);
}

struct ControlName {
    Control control;
    std::string_view name;
};

// The names as they are spelt above, for messages and test output.
inline constexpr std::array<ControlName, kControlCount> kControlNames{{
    {Control::PowerFrame, "PowerFrame"},
    {Control::PowerTitle, "PowerTitle"},
    {Control::PowerOn, "PowerOn"},
    {Control::PowerOff, "PowerOff"},
    {Control::Input1Frame, "Input1Frame"},
    {Control::Input1Title, "Input1Title"},
    {Control::Input1Analog, "Input1Analog"},
    {Control::Input1Digital, "Input1Digital"},
    {Control::Input2Frame, "Input2Frame"},
    {Control::Input2Title, "Input2Title"},
    {Control::Input2Rgb, "Input2Rgb"},
    {Control::Input2Video, "Input2Video"},
    {Control::Input2Component, "Input2Component"},
    {Control::Input3Frame, "Input3Frame"},
    {Control::Input3Title, "Input3Title"},
    {Control::Input3Video, "Input3Video"},
    {Control::Input3SVideo, "Input3SVideo"},
    {Control::Input3Component, "Input3Component"},
    {Control::Logo, "Logo"},
    {Control::AudioMuteFrame, "AudioMuteFrame"},
    {Control::AudioMuteTitle, "AudioMuteTitle"},
    {Control::AudioMuteOn, "AudioMuteOn"},
    {Control::AudioMuteOff, "AudioMuteOff"},
    {Control::NoShowFrame, "NoShowFrame"},
    {Control::NoShowTitle, "NoShowTitle"},
    {Control::NoShowOn, "NoShowOn"},
    {Control::NoShowOff, "NoShowOff"},
    {Control::FreezeFrame, "FreezeFrame"},
    {Control::FreezeTitle, "FreezeTitle"},
    {Control::FreezeOn, "FreezeOn"},
    {Control::FreezeOff, "FreezeOff"},
    {Control::MenuFrame, "MenuFrame"},
    {Control::MenuTitle, "MenuTitle"},
    {Control::MenuOn, "MenuOn"},
    {Control::MenuOff, "MenuOff"},
    {Control::VideoImageFrame, "VideoImageFrame"},
    {Control::VideoImageTitle, "VideoImageTitle"},
    {Control::VideoImageNormal, "VideoImageNormal"},
    {Control::VideoImageWide, "VideoImageWide"},
    {Control::LensShiftFrame, "LensShiftFrame"},
    {Control::LensShiftTitle, "LensShiftTitle"},
    {Control::LensShiftUp, "LensShiftUp"},
    {Control::LensShiftDown, "LensShiftDown"},
    {Control::VolumeTitle, "VolumeTitle"},
    {Control::VolumeUp, "VolumeUp"},
    {Control::VolumeDown, "VolumeDown"},
    {Control::ZoomTitle, "ZoomTitle"},
    {Control::ZoomIn, "ZoomIn"},
    {Control::ZoomOut, "ZoomOut"},
    {Control::FocusTitle, "FocusTitle"},
    {Control::FocusFar, "FocusFar"},
    {Control::FocusNear, "FocusNear"},
    {Control::DigitalZoomTitle, "DigitalZoomTitle"},
    {Control::DigitalZoomIn, "DigitalZoomIn"},
    {Control::DigitalZoomOut, "DigitalZoomOut"},
    {Control::KeystoneTitle, "KeystoneTitle"},
    {Control::KeystoneUp, "KeystoneUp"},
    {Control::KeystoneDown, "KeystoneDown"},
    {Control::CursorUp, "CursorUp"},
    {Control::CursorLeft, "CursorLeft"},
    {Control::CursorSelect, "CursorSelect"},
    {Control::CursorRight, "CursorRight"},
    {Control::CursorDown, "CursorDown"},
    {Control::AutoImage, "AutoImage"},
    {Control::ImageButton, "ImageButton"},
    {Control::PTimer, "PTimer"},
    {Control::DisplayClear, "DisplayClear"},
    {Control::EndButton, "EndButton"},
    {Control::PictureStandard, "PictureStandard"},
    {Control::PictureCustom1, "PictureCustom1"},
    {Control::PictureCustom4, "PictureCustom4"},
    {Control::PictureReal, "PictureReal"},
    {Control::PictureCustom2, "PictureCustom2"},
    {Control::PictureCinema, "PictureCinema"},
    {Control::PictureCustom3, "PictureCustom3"},
    {Control::PortButton, "PortButton"},
    {Control::PortPanel, "PortPanel"},
    {Control::Com1Option, "Com1Option"},
    {Control::Com2Option, "Com2Option"},
    {Control::SpeedFrame, "SpeedFrame"},
    {Control::Speed19200Option, "Speed19200Option"},
    {Control::Speed9600Option, "Speed9600Option"},
    {Control::DataPane, "DataPane"},
    {Control::TxdCaption, "TxdCaption"},
    {Control::TxdField, "TxdField"},
    {Control::RxdCaption, "RxdCaption"},
    {Control::RxdField, "RxdField"},
    {Control::PaneButton, "PaneButton"},
    {Control::ReadStatus, "ReadStatus"},
    {Control::ReadLampTime, "ReadLampTime"},
    {Control::ReadInput, "ReadInput"},
    {Control::ReadMirror, "ReadMirror"},
    {Control::ReadTemperatures, "ReadTemperatures"},
    {Control::SendC01, "SendC01"},
    {Control::StatusFrame, "StatusFrame"},
    {Control::StatusCaption, "StatusCaption"},
    {Control::StatusLine, "StatusLine"},
}};

static_assert(
    [] {
        for (std::size_t i = 0; i < kControlNames.size(); ++i) {
            if (index(kControlNames[i].control) != i) {
                return false;
            }
        }
        return true;
    }(),
    "one name per control, in the enumeration's order");

constexpr std::string_view controlName(Control c) {
    return kControlNames[index(c)].name;
}

// The window's timers, by what they time.
enum class TimerId {
    // Repeats the command of the hold button that is down.
    HoldRepeat,
    // How long a reply is awaited after each send.
    ReplyWait,
    // Hides the port panel a few seconds after COM was pressed.
    PortPanelHide,
    // Blanks the data pane and the status line some time after each send.
    DisplayClear,
};

struct TimerStart {
    TimerId timer;
    std::string_view name;
    // Every timer is stopped at start.
    int intervalMs = 0;
};

inline constexpr std::array kTimerStarts{
    TimerStart{.timer = TimerId::HoldRepeat, .name = "HoldRepeat", .intervalMs = 200},
    TimerStart{.timer = TimerId::ReplyWait, .name = "ReplyWait", .intervalMs = 500},
    TimerStart{.timer = TimerId::PortPanelHide, .name = "PortPanelHide", .intervalMs = 5000},
    TimerStart{.timer = TimerId::DisplayClear, .name = "DisplayClear", .intervalMs = 1000},
};

inline constexpr std::size_t kTimerCount = kTimerStarts.size();

constexpr std::size_t index(TimerId t) {
    return static_cast<std::size_t>(t);
}

static_assert(
    [] {
        for (std::size_t i = 0; i < kTimerStarts.size(); ++i) {
            if (index(kTimerStarts[i].timer) != i || kTimerStarts[i].intervalMs <= 0) {
                return false;
            }
        }
        return true;
    }(),
    "one row per timer, in the enumeration's order, each with an interval");

constexpr std::string_view timerName(TimerId t) {
    return kTimerStarts[index(t)].name;
}

constexpr int startInterval(TimerId t) {
    return kTimerStarts[index(t)].intervalMs;
}

} // namespace tavo
