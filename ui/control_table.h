// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window's layout as data: where each control of the catalog is drawn and how it looks, the
// decorative lines of the cursor pad and the timers' object names. What a control is (its kind,
// caption and names) is the catalog's; the window is built from both tables in one loop. Geometry
// is in twips, in the coordinates of the window's client area; 15 twips are one device-independent
// pixel. Kept free of Qt so the tables can be checked at compile time.

#include "core/all_distinct.h"
#include "core/control_catalog.h"
#include "core/ports/controls.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tavo::layout {

inline constexpr int kTwipsPerPixel = 15;

// Rounds to the nearest pixel; every coordinate in the tables is positive.
constexpr int toPixels(int twips) {
    return (2 * twips + kTwipsPerPixel) / (2 * kTwipsPerPixel);
}

inline constexpr std::string_view kTitle = "TAVO   R5500 & R730  CONTROL  Ver.1.31";
inline constexpr int kClientWidth = 9510;
inline constexpr int kClientHeight = 6615;

// Title bar and frame assumed until the window manager has framed the window and the real
// decorations can be measured: a 19-pixel title bar and a 3-pixel border all round.
inline constexpr int kAssumedDecorationHeight = 375;
inline constexpr int kAssumedDecorationWidth = 90;

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kWindowBackground{192, 192, 192};

// The two Japanese faces: the fixed-pitch one and its proportional sibling.
enum class Face { None, Gothic, PGothic };

inline constexpr std::string_view kGothicFamily = "ＭＳ ゴシック";
inline constexpr std::string_view kPGothicFamily = "ＭＳ Ｐゴシック";
// What the two faces become where they are not installed.
inline constexpr std::string_view kGothicSubstitute = "IPAGothic";
inline constexpr std::string_view kPGothicSubstitute = "IPAPGothic";

struct FontStyle {
    Face face = Face::None;
    double points = 0;
    bool bold = false;
};

// Every captioned control carries its own font, so this one shows nowhere.
inline constexpr FontStyle kWindowFont{Face::PGothic, 7.5, false};

enum class Align { Left, Centre, Right };

struct ControlRow {
    Control control{};
    // The control's name in the panel's original design, kept as the widget's object name so that
    // a control can be found by the name that reports and issues use.
    std::string_view id{};
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    // Empty: the platform's normal button face (buttons) or no background of its own (image).
    std::optional<Rgb> background{};
    FontStyle font{};
    // Zero for controls that take no focus.
    int tab = 0;
    std::optional<Rgb> text{};
    Align align = Align::Left;
    bool border = false;
    bool hidden = false;
    // Option buttons only: selected before the start-up sequence runs.
    bool selected = false;
    // Frame the control sits in; empty for the window itself.
    std::optional<Control> parent{};
};

namespace detail {
inline constexpr Rgb kGrey{192, 192, 192};
inline constexpr Rgb kGreen{192, 255, 192};
inline constexpr Rgb kRed{255, 192, 192};
inline constexpr Rgb kCyan{192, 255, 255};
inline constexpr Rgb kPeach{255, 224, 192};
inline constexpr Rgb kOrange{255, 192, 128};
inline constexpr Rgb kBlue{192, 192, 255};
inline constexpr Rgb kTeal{0, 192, 192};
inline constexpr Rgb kSelect{255, 128, 0};
inline constexpr Rgb kWhite{255, 255, 255};

inline constexpr FontStyle kG9{Face::Gothic, 9, false};
inline constexpr FontStyle kG9B{Face::Gothic, 9, true};
inline constexpr FontStyle kG825{Face::Gothic, 8.25, false};
inline constexpr FontStyle kG825B{Face::Gothic, 8.25, true};
inline constexpr FontStyle kPG9{Face::PGothic, 9, false};
inline constexpr FontStyle kPG9B{Face::PGothic, 9, true};
inline constexpr FontStyle kPG975B{Face::PGothic, 9.75, true};

using C = Control;
} // namespace detail

// clang-format off
inline constexpr std::array kControls = [] {
    using namespace detail;
    return std::array{
        // Top row: power and the three input groups, the logo in the corner.
        ControlRow{.control = C::PowerFrame, .id = "Frame1", .x = 90, .y = 90, .w = 1440, .h = 1215, .background = kGrey},
        ControlRow{.control = C::PowerTitle, .id = "Label1", .x = 210, .y = 330, .w = 1095, .h = 255, .background = kGrey, .font = kG9B, .text = Rgb{192, 0, 0}, .align = Align::Centre, .parent = C::PowerFrame},
        ControlRow{.control = C::PowerOn, .id = "Command17", .x = 210, .y = 810, .w = 615, .h = 300, .background = kGreen, .font = kG9B, .tab = 1, .parent = C::PowerFrame},
        ControlRow{.control = C::PowerOff, .id = "Command18", .x = 810, .y = 810, .w = 615, .h = 300, .background = kRed, .font = kG9B, .tab = 26, .parent = C::PowerFrame},
        ControlRow{.control = C::Input1Frame, .id = "Frame11", .x = 1590, .y = 345, .w = 2070, .h = 960, .background = kGrey},
        ControlRow{.control = C::Input1Title, .id = "Label21", .x = 2070, .y = 585, .w = 1215, .h = 255, .background = kGrey, .font = kG9B, .align = Align::Centre, .parent = C::Input1Frame},
        ControlRow{.control = C::Input1Analog, .id = "Command40", .x = 1680, .y = 930, .w = 960, .h = 300, .background = kCyan, .font = kG825B, .tab = 84, .parent = C::Input1Frame},
        ControlRow{.control = C::Input1Digital, .id = "Command63", .x = 2640, .y = 930, .w = 930, .h = 300, .background = kCyan, .font = kG825B, .tab = 72, .parent = C::Input1Frame},
        ControlRow{.control = C::Input2Frame, .id = "Frame2", .x = 3720, .y = 330, .w = 2715, .h = 975, .background = kGrey},
        ControlRow{.control = C::Input2Title, .id = "Label2", .x = 3840, .y = 570, .w = 975, .h = 255, .background = kGrey, .font = kG9B, .parent = C::Input2Frame},
        ControlRow{.control = C::Input2Rgb, .id = "Command28", .x = 4800, .y = 570, .w = 615, .h = 300, .background = kCyan, .font = kG825B, .tab = 35, .parent = C::Input2Frame},
        ControlRow{.control = C::Input2Video, .id = "Command29", .x = 5520, .y = 570, .w = 795, .h = 300, .background = kCyan, .font = kG825B, .tab = 36, .parent = C::Input2Frame},
        ControlRow{.control = C::Input2Component, .id = "Command27", .x = 4800, .y = 930, .w = 1500, .h = 300, .background = kCyan, .font = kG825B, .tab = 85, .parent = C::Input2Frame},
        ControlRow{.control = C::Input3Frame, .id = "Frame12", .x = 6465, .y = 345, .w = 2985, .h = 975, .background = kGrey},
        ControlRow{.control = C::Input3Title, .id = "Label22", .x = 6585, .y = 585, .w = 975, .h = 255, .background = kGrey, .font = kG9B, .parent = C::Input3Frame},
        ControlRow{.control = C::Input3Video, .id = "Command4", .x = 7545, .y = 585, .w = 780, .h = 300, .background = kCyan, .font = kG825B, .tab = 83, .parent = C::Input3Frame},
        ControlRow{.control = C::Input3SVideo, .id = "Command14", .x = 8385, .y = 585, .w = 1005, .h = 300, .background = kCyan, .font = kG825B, .tab = 80, .parent = C::Input3Frame},
        ControlRow{.control = C::Input3Component, .id = "Command66", .x = 7545, .y = 945, .w = 1830, .h = 300, .background = kCyan, .font = kG825B, .tab = 73, .parent = C::Input3Frame},
        ControlRow{.control = C::Logo, .id = "Image1", .x = 8280, .y = 0, .w = 1200, .h = 390},

        // Toggle row.
        ControlRow{.control = C::AudioMuteFrame, .id = "Frame3", .x = 120, .y = 1320, .w = 1455, .h = 975, .background = kGrey},
        ControlRow{.control = C::AudioMuteTitle, .id = "Label4", .x = 240, .y = 1560, .w = 1215, .h = 255, .background = kGrey, .font = kG9B, .align = Align::Centre, .parent = C::AudioMuteFrame},
        ControlRow{.control = C::AudioMuteOn, .id = "Command19", .x = 240, .y = 1920, .w = 615, .h = 300, .background = kGreen, .font = kG9B, .tab = 27, .parent = C::AudioMuteFrame},
        ControlRow{.control = C::AudioMuteOff, .id = "Command20", .x = 960, .y = 1920, .w = 495, .h = 300, .background = kRed, .font = kG9B, .tab = 28, .parent = C::AudioMuteFrame},
        ControlRow{.control = C::NoShowFrame, .id = "Frame4", .x = 1680, .y = 1320, .w = 1455, .h = 975, .background = kGrey},
        ControlRow{.control = C::NoShowTitle, .id = "Label5", .x = 1920, .y = 1560, .w = 1095, .h = 255, .background = kGrey, .font = kPG9B, .align = Align::Centre, .parent = C::NoShowFrame},
        ControlRow{.control = C::NoShowOn, .id = "Command21", .x = 1800, .y = 1920, .w = 615, .h = 300, .background = kGreen, .font = kG9B, .tab = 29, .parent = C::NoShowFrame},
        ControlRow{.control = C::NoShowOff, .id = "Command22", .x = 2520, .y = 1920, .w = 495, .h = 300, .background = kRed, .font = kG9B, .tab = 30, .parent = C::NoShowFrame},
        ControlRow{.control = C::FreezeFrame, .id = "Frame7", .x = 3240, .y = 1320, .w = 1455, .h = 975, .background = kGrey},
        ControlRow{.control = C::FreezeTitle, .id = "Label8", .x = 3360, .y = 1560, .w = 1215, .h = 255, .background = kGrey, .font = kG9B, .align = Align::Centre, .parent = C::FreezeFrame},
        ControlRow{.control = C::FreezeOn, .id = "Command25", .x = 3360, .y = 1920, .w = 615, .h = 300, .background = kGreen, .font = kG9B, .tab = 33, .parent = C::FreezeFrame},
        ControlRow{.control = C::FreezeOff, .id = "Command26", .x = 4080, .y = 1920, .w = 495, .h = 300, .background = kRed, .font = kG9B, .tab = 34, .parent = C::FreezeFrame},
        ControlRow{.control = C::MenuFrame, .id = "Frame6", .x = 4800, .y = 1320, .w = 1455, .h = 975, .background = kGrey},
        ControlRow{.control = C::MenuTitle, .id = "Label7", .x = 5040, .y = 1560, .w = 975, .h = 255, .background = kGrey, .font = kG9B, .align = Align::Centre, .parent = C::MenuFrame},
        ControlRow{.control = C::MenuOn, .id = "Command23", .x = 4920, .y = 1920, .w = 615, .h = 300, .background = kGreen, .font = kG9B, .tab = 31, .parent = C::MenuFrame},
        ControlRow{.control = C::MenuOff, .id = "Command24", .x = 5640, .y = 1920, .w = 495, .h = 300, .background = kRed, .font = kG9B, .tab = 32, .parent = C::MenuFrame},
        ControlRow{.control = C::VideoImageFrame, .id = "Frame5", .x = 6360, .y = 1320, .w = 1695, .h = 975, .background = kGrey},
        ControlRow{.control = C::VideoImageTitle, .id = "Label6", .x = 6480, .y = 1560, .w = 1455, .h = 375, .background = kGrey, .font = kG9B, .align = Align::Centre, .parent = C::VideoImageFrame},
        ControlRow{.control = C::VideoImageNormal, .id = "Command31", .x = 6480, .y = 1920, .w = 735, .h = 300, .background = kCyan, .font = kG9, .tab = 37, .parent = C::VideoImageFrame},
        ControlRow{.control = C::VideoImageWide, .id = "Command32", .x = 7320, .y = 1920, .w = 615, .h = 300, .background = kCyan, .font = kG9, .tab = 38, .parent = C::VideoImageFrame},
        ControlRow{.control = C::LensShiftFrame, .id = "Frame10", .x = 8160, .y = 1320, .w = 1215, .h = 1440, .background = kGrey},
        ControlRow{.control = C::LensShiftTitle, .id = "Label20", .x = 8280, .y = 1560, .w = 975, .h = 495, .background = kGrey, .font = kG825B, .align = Align::Centre, .parent = C::LensShiftFrame},
        ControlRow{.control = C::LensShiftUp, .id = "Command59", .x = 8520, .y = 2040, .w = 492, .h = 252, .background = kPeach, .font = kG825, .tab = 67, .parent = C::LensShiftFrame},
        ControlRow{.control = C::LensShiftDown, .id = "Command62", .x = 8520, .y = 2400, .w = 492, .h = 252, .background = kPeach, .font = kG825, .tab = 68, .parent = C::LensShiftFrame},

        // Adjustment row: free title labels over "+" and "-" pairs.
        ControlRow{.control = C::VolumeTitle, .id = "Label3", .x = 3600, .y = 2520, .w = 495, .h = 255, .background = kGrey, .font = kG9B, .align = Align::Centre},
        ControlRow{.control = C::VolumeUp, .id = "Command1", .x = 3600, .y = 2880, .w = 375, .h = 255, .background = kOrange, .font = kG9B, .tab = 5},
        ControlRow{.control = C::VolumeDown, .id = "Command2", .x = 3600, .y = 3240, .w = 375, .h = 255, .background = kOrange, .font = kG9B, .tab = 6},
        ControlRow{.control = C::ZoomTitle, .id = "Label13", .x = 4200, .y = 2520, .w = 735, .h = 255, .background = kGrey, .font = kG9, .align = Align::Centre},
        ControlRow{.control = C::ZoomIn, .id = "Command15", .x = 4440, .y = 2880, .w = 375, .h = 255, .background = kPeach, .font = kG9, .tab = 49},
        ControlRow{.control = C::ZoomOut, .id = "Command35", .x = 4440, .y = 3240, .w = 375, .h = 255, .background = kPeach, .font = kG9, .tab = 50},
        ControlRow{.control = C::FocusTitle, .id = "Label14", .x = 5160, .y = 2520, .w = 735, .h = 255, .background = kGrey, .font = kG9, .align = Align::Centre},
        ControlRow{.control = C::FocusFar, .id = "Command36", .x = 5280, .y = 2880, .w = 375, .h = 255, .background = kPeach, .font = kG9, .tab = 52},
        ControlRow{.control = C::FocusNear, .id = "Command37", .x = 5280, .y = 3240, .w = 375, .h = 255, .background = kPeach, .font = kG9, .tab = 53},
        ControlRow{.control = C::DigitalZoomTitle, .id = "Label17", .x = 6000, .y = 2520, .w = 855, .h = 255, .background = kGrey, .font = kG9, .align = Align::Centre},
        ControlRow{.control = C::DigitalZoomIn, .id = "Command48", .x = 6240, .y = 2880, .w = 375, .h = 255, .background = kCyan, .font = kG9, .tab = 59},
        ControlRow{.control = C::DigitalZoomOut, .id = "Command49", .x = 6240, .y = 3240, .w = 375, .h = 255, .background = kCyan, .font = kG9, .tab = 60},
        ControlRow{.control = C::KeystoneTitle, .id = "Label18", .x = 7080, .y = 2520, .w = 975, .h = 255, .background = kGrey, .font = kG9, .align = Align::Centre},
        ControlRow{.control = C::KeystoneUp, .id = "Command50", .x = 7320, .y = 2880, .w = 375, .h = 255, .background = kCyan, .font = kG9, .tab = 62},
        ControlRow{.control = C::KeystoneDown, .id = "Command51", .x = 7320, .y = 3240, .w = 375, .h = 255, .background = kCyan, .font = kG9, .tab = 63},

        // Cursor pad.
        ControlRow{.control = C::CursorUp, .id = "Command5", .x = 1200, .y = 2520, .w = 855, .h = 375, .background = kPeach, .font = kG9B, .tab = 17},
        ControlRow{.control = C::CursorLeft, .id = "Command9", .x = 240, .y = 3000, .w = 855, .h = 375, .background = kPeach, .font = kG9B, .tab = 21},
        ControlRow{.control = C::CursorSelect, .id = "Command6", .x = 1200, .y = 3000, .w = 855, .h = 375, .background = kSelect, .font = kG9, .tab = 18},
        ControlRow{.control = C::CursorRight, .id = "Command8", .x = 2160, .y = 3000, .w = 855, .h = 375, .background = kPeach, .font = kG9B, .tab = 20},
        ControlRow{.control = C::CursorDown, .id = "Command7", .x = 1200, .y = 3480, .w = 855, .h = 375, .background = kPeach, .font = kG9B, .tab = 19},

        // Right column under the lens-shift group.
        ControlRow{.control = C::AutoImage, .id = "Command13", .x = 8400, .y = 2850, .w = 975, .h = 250, .background = kTeal, .font = kG9, .tab = 24},
        ControlRow{.control = C::ImageButton, .id = "Command73", .x = 8400, .y = 3120, .w = 972, .h = 252, .background = kBlue, .font = kG9, .tab = 76},
        ControlRow{.control = C::PTimer, .id = "Command39", .x = 8400, .y = 3390, .w = 975, .h = 255, .background = kBlue, .font = kG9, .tab = 82},
        ControlRow{.control = C::DisplayClear, .id = "Command3", .x = 8400, .y = 3660, .w = 975, .h = 492, .background = kBlue, .font = kG9, .tab = 16},
        ControlRow{.control = C::EndButton, .id = "Command16", .x = 8400, .y = 4320, .w = 975, .h = 375, .background = kGrey, .font = kG9B, .tab = 25},

        // Picture-mode block.
        ControlRow{.control = C::PictureStandard, .id = "Command10", .x = 240, .y = 4080, .w = 975, .h = 255, .background = kCyan, .font = kG9, .tab = 89},
        ControlRow{.control = C::PictureCustom1, .id = "Command11", .x = 240, .y = 4320, .w = 975, .h = 255, .background = kCyan, .font = kG9, .tab = 90},
        ControlRow{.control = C::PictureCustom4, .id = "Command43", .x = 240, .y = 4560, .w = 975, .h = 255, .background = kCyan, .font = kG9, .tab = 95},
        ControlRow{.control = C::PictureReal, .id = "Command12", .x = 1200, .y = 4080, .w = 975, .h = 255, .background = kCyan, .font = kG9, .tab = 91},
        ControlRow{.control = C::PictureCustom2, .id = "Command30", .x = 1200, .y = 4320, .w = 975, .h = 255, .background = kCyan, .font = kG9, .tab = 92},
        ControlRow{.control = C::PictureCinema, .id = "Command41", .x = 2160, .y = 4080, .w = 975, .h = 255, .background = kCyan, .font = kG9, .tab = 93},
        ControlRow{.control = C::PictureCustom3, .id = "Command42", .x = 2160, .y = 4320, .w = 975, .h = 255, .background = kCyan, .font = kG9, .tab = 94},

        // Port selection: the "COM" button and the port panel that covers it when shown.
        ControlRow{.control = C::PortButton, .id = "Command33", .x = 4080, .y = 4200, .w = 1815, .h = 375, .font = kPG9, .tab = 39},
        ControlRow{.control = C::PortPanel, .id = "Frame8", .x = 3480, .y = 3600, .w = 2775, .h = 1185, .background = kGrey, .hidden = true},
        ControlRow{.control = C::Com1Option, .id = "Option1", .x = 3720, .y = 3840, .w = 1215, .h = 255, .background = kGrey, .font = kG9B, .tab = 41, .parent = C::PortPanel},
        ControlRow{.control = C::Com2Option, .id = "Option2", .x = 5040, .y = 3840, .w = 1095, .h = 255, .background = kGrey, .font = kG9B, .tab = 42, .parent = C::PortPanel},
        ControlRow{.control = C::SpeedFrame, .id = "Frame13", .x = 3600, .y = 4080, .w = 2535, .h = 615, .background = kGrey, .parent = C::PortPanel},
        ControlRow{.control = C::Speed19200Option, .id = "Option3", .x = 3720, .y = 4320, .w = 1095, .h = 255, .background = kGrey, .font = kG9B, .tab = 87, .selected = true, .parent = C::SpeedFrame},
        ControlRow{.control = C::Speed9600Option, .id = "Option4", .x = 5040, .y = 4320, .w = 975, .h = 255, .background = kGrey, .font = kG9B, .tab = 88, .parent = C::SpeedFrame},

        // Data pane.
        ControlRow{.control = C::DataPane, .id = "Frame9", .x = 120, .y = 4920, .w = 6855, .h = 1068, .background = kGrey},
        ControlRow{.control = C::TxdCaption, .id = "Label9", .x = 240, .y = 5160, .w = 372, .h = 252, .background = kGrey, .font = kG825, .align = Align::Right, .parent = C::DataPane},
        ControlRow{.control = C::TxdField, .id = "Label11", .x = 720, .y = 5115, .w = 6135, .h = 300, .background = kWhite, .font = kPG975B, .border = true, .parent = C::DataPane},
        ControlRow{.control = C::RxdCaption, .id = "Label10", .x = 240, .y = 5520, .w = 375, .h = 300, .background = kGrey, .font = kG825, .align = Align::Right, .parent = C::DataPane},
        ControlRow{.control = C::RxdField, .id = "Label12", .x = 705, .y = 5520, .w = 6135, .h = 300, .background = kWhite, .font = kPG975B, .border = true, .parent = C::DataPane},
        ControlRow{.control = C::PaneButton, .id = "Command34", .x = 7440, .y = 5040, .w = 975, .h = 375, .background = kGrey, .font = kG9, .tab = 48, .hidden = true},

        // Bottom block: status reads, "C01" and the status line.
        ControlRow{.control = C::ReadStatus, .id = "Command44", .x = 7320, .y = 5760, .w = 975, .h = 255, .background = kCyan, .font = kG825B, .tab = 55},
        ControlRow{.control = C::ReadLampTime, .id = "Command46", .x = 8280, .y = 5760, .w = 1095, .h = 255, .background = kCyan, .font = kG825B, .tab = 57},
        ControlRow{.control = C::ReadInput, .id = "Command45", .x = 7320, .y = 6000, .w = 975, .h = 255, .background = kCyan, .font = kG825B, .tab = 56},
        ControlRow{.control = C::ReadMirror, .id = "Command47", .x = 8280, .y = 6000, .w = 1095, .h = 255, .background = kCyan, .font = kG825B, .tab = 58},
        ControlRow{.control = C::ReadTemperatures, .id = "Command38", .x = 8280, .y = 6240, .w = 1095, .h = 255, .background = kCyan, .font = kG825B, .tab = 81},
        ControlRow{.control = C::SendC01, .id = "Command52", .x = 120, .y = 6120, .w = 495, .h = 255, .background = kRed, .font = kG9, .tab = 65},
        ControlRow{.control = C::StatusFrame, .id = "Frame15", .x = 720, .y = 6000, .w = 6255, .h = 492, .background = kGrey},
        ControlRow{.control = C::StatusCaption, .id = "Label26", .x = 840, .y = 6204, .w = 732, .h = 180, .background = kGrey, .font = kG825, .parent = C::StatusFrame},
        ControlRow{.control = C::StatusLine, .id = "Label25", .x = 1560, .y = 6135, .w = 5295, .h = 285, .background = kWhite, .font = kPG9B, .text = Rgb{255, 0, 0}, .border = true, .parent = C::StatusFrame},
    };
}();
// clang-format on

// The decorative lines around the cursor pad, drawn on the window's background.
struct LineRow {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
};

inline constexpr Rgb kLineColour{128, 128, 255};
inline constexpr int kLinePixels = 2;

inline constexpr std::array kLines{
    LineRow{.x1 = 1080, .y1 = 2400, .x2 = 1080, .y2 = 2880}, LineRow{.x1 = 2160, .y1 = 2400, .x2 = 2160, .y2 = 2880},
    LineRow{.x1 = 1080, .y1 = 2400, .x2 = 2160, .y2 = 2400}, LineRow{.x1 = 120, .y1 = 2880, .x2 = 1080, .y2 = 2880},
    LineRow{.x1 = 2160, .y1 = 2880, .x2 = 3120, .y2 = 2880}, LineRow{.x1 = 120, .y1 = 2880, .x2 = 120, .y2 = 3480},
    LineRow{.x1 = 3120, .y1 = 2880, .x2 = 3120, .y2 = 3480}, LineRow{.x1 = 120, .y1 = 3480, .x2 = 1080, .y2 = 3480},
    LineRow{.x1 = 2160, .y1 = 3480, .x2 = 3120, .y2 = 3480}, LineRow{.x1 = 1080, .y1 = 3480, .x2 = 1080, .y2 = 3960},
    LineRow{.x1 = 2160, .y1 = 3480, .x2 = 2160, .y2 = 3960}, LineRow{.x1 = 1080, .y1 = 3960, .x2 = 2160, .y2 = 3960},
};

// The timers' names in the original design, kept as their object names.
struct TimerRow {
    TimerId timer{};
    std::string_view id{};
};

inline constexpr std::array kTimers{
    TimerRow{.timer = TimerId::HoldRepeat, .id = "Timer1"},
    TimerRow{.timer = TimerId::ReplyWait, .id = "Timer2"},
    TimerRow{.timer = TimerId::PortPanelHide, .id = "Timer3"},
    TimerRow{.timer = TimerId::DisplayClear, .id = "Timer4"},
};

// The picture of Image1 is drawn unscaled, so its rectangle is the picture's own size.
inline constexpr int kLogoWidth = 80;
inline constexpr int kLogoHeight = 26;

// The table lists the controls in the enumeration's order (checked below).
constexpr const ControlRow& find(Control control) {
    return kControls[index(control)];
}

constexpr catalog::Kind kindOf(const ControlRow& row) {
    return catalog::kindOf(row.control);
}

namespace detail {

constexpr bool rowsInOrder() {
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        if (index(kControls[i].control) != i) {
            return false;
        }
    }
    return true;
}

constexpr bool tabsOnFocusablesOnly() {
    return std::ranges::all_of(
        kControls, [](const ControlRow& row) { return catalog::isFocusable(kindOf(row)) == (row.tab > 0); });
}

constexpr bool tabsDistinct() {
    std::array<int, kControls.size()> tabs{};
    std::ranges::transform(kControls, tabs.begin(), &ControlRow::tab);
    std::ranges::sort(tabs);
    // Controls without a tab all have zero; among the others no two may share one.
    return std::ranges::adjacent_find(std::ranges::upper_bound(tabs, 0), tabs.end()) == tabs.end();
}

// Parents are frames, come earlier in the table (so one pass can build the window) and contain
// their children whole.
constexpr bool childrenInsideEarlierFrames() {
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const auto& child = kControls[i];
        if (!child.parent) {
            continue;
        }
        if (index(*child.parent) >= i || kindOf(find(*child.parent)) != catalog::Kind::Frame) {
            return false;
        }
        const ControlRow& frame = find(*child.parent);
        if (child.x < frame.x || child.y < frame.y || child.x + child.w > frame.x + frame.w ||
            child.y + child.h > frame.y + frame.h) {
            return false;
        }
    }
    return true;
}

// A control drawn inside a frame belongs to the group the frame is drawn round, and a control
// drawn on the window itself to no framed group.
constexpr bool framesHoldTheirGroups() {
    return std::ranges::all_of(kControls, [](const ControlRow& row) {
        const catalog::Group group = catalog::groupOf(row.control);
        return row.parent ? catalog::groupFramedBy(*row.parent) == group : !catalog::groupEntry(group).frame;
    });
}

constexpr bool insideClientArea() {
    return std::ranges::all_of(kControls, [](const ControlRow& s) {
        return s.x >= 0 && s.y >= 0 && s.w > 0 && s.h > 0 && s.x + s.w <= kClientWidth && s.y + s.h <= kClientHeight;
    });
}

// What shows a caption or a text carries a font; labels and frames paint their own background.
constexpr bool looksWhereDrawn() {
    return std::ranges::all_of(kControls, [](const ControlRow& s) {
        const bool hasFont = s.font.face != Face::None && s.font.points > 0;
        switch (kindOf(s)) {
        case catalog::Kind::OneShotButton:
        case catalog::Kind::HoldButton:
        case catalog::Kind::OtherButton:
        case catalog::Kind::Option:
            return hasFont;
        case catalog::Kind::Label:
            return hasFont && s.background.has_value();
        case catalog::Kind::Frame:
            return s.background.has_value();
        case catalog::Kind::Image:
            return true;
        }
        return false;
    });
}

// Selection belongs to option buttons, at most one in each group (the options of one frame).
constexpr bool oneSelectionPerGroup() {
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const auto& a = kControls[i];
        if (a.selected && kindOf(a) != catalog::Kind::Option) {
            return false;
        }
        for (std::size_t j = i + 1; j < kControls.size(); ++j) {
            if (a.selected && kControls[j].selected && a.parent == kControls[j].parent) {
                return false;
            }
        }
    }
    return true;
}

constexpr bool linesAxisParallel() {
    return std::ranges::all_of(kLines, [](const LineRow& l) {
        return (l.x1 == l.x2) != (l.y1 == l.y2) && l.x2 <= kClientWidth && l.y2 <= kClientHeight;
    });
}

constexpr bool timersInOrder() {
    for (std::size_t i = 0; i < kTimers.size(); ++i) {
        if (index(kTimers[i].timer) != i || kTimers[i].id.empty()) {
            return false;
        }
    }
    return true;
}

} // namespace detail

static_assert(kControls.size() == kControlCount && detail::rowsInOrder(),
              "one row per control, in the enumeration's order");
static_assert(allDistinct(kControls, &ControlRow::id), "every control keeps its own name");
static_assert(detail::tabsOnFocusablesOnly() && detail::tabsDistinct(), "buttons and options have unique tabs");
static_assert(detail::childrenInsideEarlierFrames(), "children lie inside an earlier frame");
static_assert(detail::framesHoldTheirGroups(), "each frame holds the controls of its group");
static_assert(detail::insideClientArea(), "the layout fits the full client area");
static_assert(detail::looksWhereDrawn(), "drawn controls carry a font, labels and frames a background");
static_assert(detail::oneSelectionPerGroup(), "option groups select at most one");
static_assert(detail::linesAxisParallel(), "lines are horizontal or vertical");
static_assert(kLines.size() == 12);
static_assert(kTimers.size() == kTimerCount && detail::timersInOrder());
static_assert(find(Control::PowerOn).tab == 1, "the focus starts on the lowest tab index");
static_assert(find(Control::Logo).w == kLogoWidth * kTwipsPerPixel &&
                  find(Control::Logo).h == kLogoHeight * kTwipsPerPixel,
              "the logo's rectangle is its natural size");

} // namespace tavo::layout
