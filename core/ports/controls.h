#pragma once

// The names of the window's controls, shared by the logic, the window and the tests. The logic
// refers to a control only by one of these names; the window decides how to draw it.

#include <array>
#include <cstddef>
#include <string_view>

namespace tavo {

enum class Control {
    Command1,
    Command2,
    Command3,
    Command4,
    Command5,
    Command6,
    Command7,
    Command8,
    Command9,
    Command10,
    Command11,
    Command12,
    Command13,
    Command14,
    Command15,
    Command16,
    Command17,
    Command18,
    Command19,
    Command20,
    Command21,
    Command22,
    Command23,
    Command24,
    Command25,
    Command26,
    Command27,
    Command28,
    Command29,
    Command30,
    Command31,
    Command32,
    Command33,
    Command34,
    Command35,
    Command36,
    Command37,
    Command38,
    Command39,
    Command40,
    Command41,
    Command42,
    Command43,
    Command44,
    Command45,
    Command46,
    Command47,
    Command48,
    Command49,
    Command50,
    Command51,
    Command52,
    Command59,
    Command62,
    Command63,
    Command66,
    Command73,
    Frame1,
    Frame2,
    Frame3,
    Frame4,
    Frame5,
    Frame6,
    Frame7,
    Frame8,
    Frame9,
    Frame10,
    Frame11,
    Frame12,
    Frame13,
    Frame15,
    Image1,
    Label1,
    Label2,
    Label3,
    Label4,
    Label5,
    Label6,
    Label7,
    Label8,
    Label9,
    Label10,
    Label11,
    Label12,
    Label13,
    Label14,
    Label17,
    Label18,
    Label20,
    Label21,
    Label22,
    Label25,
    Label26,
    Option1,
    Option2,
    Option3,
    Option4,
};

inline constexpr std::size_t kControlCount = 97;

inline constexpr std::array<std::string_view, kControlCount> kControlNames{{
    "Command1",  "Command2",  "Command3",  "Command4",  "Command5",  "Command6",  "Command7",  "Command8",  "Command9",
    "Command10", "Command11", "Command12", "Command13", "Command14", "Command15", "Command16", "Command17", "Command18",
    "Command19", "Command20", "Command21", "Command22", "Command23", "Command24", "Command25", "Command26", "Command27",
    "Command28", "Command29", "Command30", "Command31", "Command32", "Command33", "Command34", "Command35", "Command36",
    "Command37", "Command38", "Command39", "Command40", "Command41", "Command42", "Command43", "Command44", "Command45",
    "Command46", "Command47", "Command48", "Command49", "Command50", "Command51", "Command52", "Command59", "Command62",
    "Command63", "Command66", "Command73", "Frame1",    "Frame2",    "Frame3",    "Frame4",    "Frame5",    "Frame6",
    "Frame7",    "Frame8",    "Frame9",    "Frame10",   "Frame11",   "Frame12",   "Frame13",   "Frame15",   "Image1",
    "Label1",    "Label2",    "Label3",    "Label4",    "Label5",    "Label6",    "Label7",    "Label8",    "Label9",
    "Label10",   "Label11",   "Label12",   "Label13",   "Label14",   "Label17",   "Label18",   "Label20",   "Label21",
    "Label22",   "Label25",   "Label26",   "Option1",   "Option2",   "Option3",   "Option4",
}};

constexpr std::size_t index(Control c) {
    return static_cast<std::size_t>(c);
}

constexpr std::string_view controlName(Control c) {
    return kControlNames[index(c)];
}

static_assert(controlName(Control::Option4) == "Option4", "names follow the enumeration");
static_assert(controlName(Control::Command1) == "Command1");

// The four timers of the window, by name.
enum class TimerId { Timer1, Timer2, Timer3, Timer4 };

inline constexpr std::size_t kTimerCount = 4;

constexpr std::string_view timerName(TimerId t) {
    constexpr std::array<std::string_view, kTimerCount> names{"Timer1", "Timer2", "Timer3", "Timer4"};
    return names[static_cast<std::size_t>(t)];
}

} // namespace tavo
