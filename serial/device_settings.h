// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Which host device COM1 and COM2 stand for. The panel's device chooser saves the choice in the
// user's settings; the panel and the command-line tool both read it from here, so that a script and
// the panel agree on which device is which.

#include <QSettings>
#include <QString>
#include <QStringList>
#include <memory>

namespace tavo {

// COM1 and COM2; an empty entry means "nothing chosen".
struct DeviceChoice {
    QString com1;
    QString com2;

    friend bool operator==(const DeviceChoice&, const DeviceChoice&) = default;
};

// The largest settings file read or rewritten. The panel's own is a few hundred bytes; Qt reads a
// settings file whole, and one far larger would hold up the window.
inline constexpr qint64 kMaxSettingsFileBytes = qint64{1024} * 1024;

// Where the choice is kept: the platform's usual place for the user's settings of this program
// (on Linux ~/.config/tavo/tavo-panel.conf, or under XDG_CONFIG_HOME). A test may point it
// elsewhere through QStandardPaths::setTestModeEnabled or XDG_CONFIG_HOME.
[[nodiscard]] QString settingsFilePath();

// The settings file, opened for what the programs keep there; empty when it is larger than
// kMaxSettingsFileBytes, which is then neither read nor changed.
[[nodiscard]] std::unique_ptr<QSettings> openSettings();

struct SavedDevices {
    DeviceChoice choice;
    // Why nothing saved was read (the file is too large, or cannot be read), for the user; empty
    // when it was read or there is none.
    QString problem;
};

// The saved choice, each entry as it was typed. A file that cannot be used is left as it is.
[[nodiscard]] SavedDevices loadSavedDevices();

// Saves the entries of `after` that differ from `before`, as typed; every other entry of the file
// stays as it is. Empty on success, else why nothing was saved, as a clause for the user ("… is
// read-only").
[[nodiscard]] QString saveChangedDevices(const DeviceChoice& before, const DeviceChoice& after);

// The devices COM1 and COM2 mean for this run, in order of precedence: the command line's (never
// saved), then the saved choice, then, with nothing saved for COM1 and exactly one serial device
// present, that device, and last the system's usual first two ports.
[[nodiscard]] DeviceChoice resolveDevices(const DeviceChoice& commandLine, const DeviceChoice& saved,
                                          const QStringList& present, const DeviceChoice& defaults);

// The system's usual first two serial ports.
[[nodiscard]] DeviceChoice defaultDevices();

struct RunDevices {
    DeviceChoice devices;
    // As SavedDevices::problem: the program tells it once.
    QString settingsProblem;
};

// The devices COM1 and COM2 mean for this run of the panel or of tavo-ctl, from the command line's
// choice, the saved one, the devices present (by their stable names where they have one) and the
// defaults; both programs call this, so that they mean the same devices.
[[nodiscard]] RunDevices devicesForRun(const DeviceChoice& commandLine);

} // namespace tavo
