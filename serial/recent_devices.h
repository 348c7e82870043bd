// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The devices chosen in the panel before, kept in the panel's settings so that the device chooser
// and the shell's completion can offer them again (a device server's name is not typed twice), and
// the one list of device names a program offers for a device argument.

#include <QStringList>

namespace tavo {

// How many devices chosen before are kept, newest first.
inline constexpr qsizetype kRecentDeviceLimit = 8;

[[nodiscard]] QStringList loadRecentDevices();
// Puts the devices at the front of the kept list, once each, dropping the oldest past the limit.
// Written only when the user has chosen a device.
void rememberDevices(const QStringList& devices);
// The same on a list in memory.
[[nodiscard]] QStringList withRecent(const QStringList& list, const QStringList& devices);

// The devices to offer where a device is asked for: the stable names under /dev/serial/by-id first,
// then the other serial devices present, then the devices chosen in the panel (saved for COM1 and
// COM2, and before). Never a virtual console: writing there would reach the screen of a console.
[[nodiscard]] QStringList offeredDeviceNames();

} // namespace tavo
