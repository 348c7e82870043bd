// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/recent_devices.h"

#include "serial/device_list.h"
#include "serial/device_settings.h"

#include <QRegularExpression>

namespace tavo {

namespace {

const QString kRecentKey = QStringLiteral("devices/recent");

bool isVirtualConsole(const QString& device) {
    static const QRegularExpression console(QStringLiteral("^/dev/tty[0-9]+$"));
    return console.match(device).hasMatch();
}

} // namespace

QStringList withRecent(const QStringList& list, const QStringList& devices) {
    QStringList result;
    for (const QString& device : devices + list) {
        if (!device.isEmpty() && !result.contains(device) && result.size() < kRecentDeviceLimit) {
            result << device;
        }
    }
    return result;
}

QStringList loadRecentDevices() {
    // However long a list a hand-edited file holds, only the newest few are offered.
    const std::unique_ptr<QSettings> settings = openSettings();
    return settings ? withRecent(settings->value(kRecentKey).toStringList(), {}) : QStringList();
}

void rememberDevices(const QStringList& devices) {
    if (devices.isEmpty()) {
        return;
    }
    // Nothing to tell if it fails: the choice itself was saved, or its failure told, already.
    if (const std::unique_ptr<QSettings> settings = openSettings()) {
        settings->setValue(kRecentKey, withRecent(settings->value(kRecentKey).toStringList(), devices));
        settings->sync();
    }
}

QStringList offeredDeviceNames() {
    QStringList stable;
    QStringList others;
    const QList<SerialDevice> present = presentDevices();
    for (const SerialDevice& device : present) {
        if (!device.stableName.isEmpty()) {
            stable << device.stableName;
        }
        others << device.path;
    }
    const DeviceChoice saved = loadSavedDevices().choice;
    QStringList names;
    for (const QString& name : stable + others + QStringList{saved.com1, saved.com2} + loadRecentDevices()) {
        if (!name.isEmpty() && !isVirtualConsole(name) && !names.contains(name)) {
            names << name;
        }
    }
    return names;
}

} // namespace tavo
