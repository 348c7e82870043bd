// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/device_settings.h"

#include "serial/device_list.h"

#include <QSettings>

namespace tavo {

namespace {

const QString kCom1Key = QStringLiteral("devices/com1");
const QString kCom2Key = QStringLiteral("devices/com2");

QString firstOf(const QString& a, const QString& b) {
    return a.isEmpty() ? b : a;
}

} // namespace

QSettings panelSettings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("tavo"),
                     QStringLiteral("tavo-panel"));
}

DeviceChoice loadSavedDevices() {
    const QSettings settings = panelSettings();
    return {.com1 = settings.value(kCom1Key).toString(), .com2 = settings.value(kCom2Key).toString()};
}

void saveDevices(const DeviceChoice& choice) {
    QSettings settings = panelSettings();
    const auto store = [&settings](const QString& key, const QString& device) {
        if (device.isEmpty()) {
            settings.remove(key);
        } else {
            settings.setValue(key, device);
        }
    };
    store(kCom1Key, choice.com1);
    store(kCom2Key, choice.com2);
    settings.sync();
}

DeviceChoice resolveDevices(const DeviceChoice& commandLine, const DeviceChoice& saved, const QStringList& present,
                            const DeviceChoice& defaults) {
    // A computer with one adapter and nothing saved: that adapter is the projector's line.
    const QString onlyPresent = present.size() == 1 ? present.front() : QString();
    return {.com1 = firstOf(commandLine.com1, firstOf(saved.com1, firstOf(onlyPresent, defaults.com1))),
            .com2 = firstOf(commandLine.com2, firstOf(saved.com2, defaults.com2))};
}

DeviceChoice defaultDevices() {
#ifdef Q_OS_WIN
    return {.com1 = QStringLiteral("COM1"), .com2 = QStringLiteral("COM2")};
#else
    return {.com1 = QStringLiteral("/dev/ttyS0"), .com2 = QStringLiteral("/dev/ttyS1")};
#endif
}

DeviceChoice devicesForRun(const DeviceChoice& commandLine) {
    QStringList present;
    const QList<SerialDevice> devices = presentDevices();
    for (const SerialDevice& device : devices) {
        present << device.preferredPath();
    }
    return resolveDevices(commandLine, loadSavedDevices(), present, defaultDevices());
}

} // namespace tavo
