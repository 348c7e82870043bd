// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The serial devices present on this computer, with what a person recognises them by, and the
// stable names udev gives USB adapters under /dev/serial/by-id (the same whichever socket the
// adapter is in, and whichever ttyUSB number it gets).

#include <QList>
#include <QString>
#include <QStringList>

namespace tavo {

struct SerialDevice {
    QString path; // the system's name, such as /dev/ttyUSB0
    QString stableName;
    QString description;
    QString maker;
    QString serialNumber;

    // The name to remember the device by: the stable one where there is one.
    [[nodiscard]] QString preferredPath() const { return stableName.isEmpty() ? path : stableName; }
};

// Every serial device present, sorted by path: the one listing the panel, the device chooser,
// tavo-ctl and the failure texts use.
[[nodiscard]] QList<SerialDevice> presentDevices();
// Their system paths, for a text that lists them.
[[nodiscard]] QStringList presentDevicePaths();

// The /dev/serial/by-id name of a device (given by any path to it), or empty.
[[nodiscard]] QString stableNameOf(const QString& device);

} // namespace tavo
