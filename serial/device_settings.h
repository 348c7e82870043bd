// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Which host device COM1 and COM2 stand for. The panel's device chooser saves the choice in the
// user's settings; the panel and the command-line tool both read it from here, so that a script and
// the panel agree on which device is which.

#include <QSettings>
#include <QString>
#include <QStringList>

namespace tavo {

// COM1 and COM2; an empty entry means "nothing chosen".
struct DeviceChoice {
    QString com1;
    QString com2;

    friend bool operator==(const DeviceChoice&, const DeviceChoice&) = default;
};

// Where the choice is kept: the platform's usual place for the user's settings of this program
// (on Linux ~/.config/tavo/tavo-panel.conf). A test may point it elsewhere through
// QStandardPaths::setTestModeEnabled or XDG_CONFIG_HOME. Named explicitly rather than through the
// application's names, so that every program of the package reads the panel's file.
[[nodiscard]] QSettings panelSettings();
[[nodiscard]] DeviceChoice loadSavedDevices();
void saveDevices(const DeviceChoice& choice);

// The devices COM1 and COM2 mean for this run, in order of precedence: the command line's (never
// saved), then the saved choice, then, with nothing saved for COM1 and exactly one serial device
// present, that device, and last the system's usual first two ports.
[[nodiscard]] DeviceChoice resolveDevices(const DeviceChoice& commandLine, const DeviceChoice& saved,
                                          const QStringList& present, const DeviceChoice& defaults);

// The system's usual first two serial ports.
[[nodiscard]] DeviceChoice defaultDevices();

// The devices COM1 and COM2 mean for this run of the panel or of tavo-ctl, from the command line's
// choice, the saved one, the devices present (by their stable names where they have one) and the
// defaults; both programs call this, so that they mean the same devices.
[[nodiscard]] DeviceChoice devicesForRun(const DeviceChoice& commandLine);

} // namespace tavo
