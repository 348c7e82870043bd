// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/device_settings.h"

#include "serial/device_list.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace tavo {

// The context of the texts below.
class DeviceSettings {
    Q_DECLARE_TR_FUNCTIONS(tavo::DeviceSettings)
};

namespace {

const QString kCom1Key = QStringLiteral("devices/com1");
const QString kCom2Key = QStringLiteral("devices/com2");

QString firstOf(const QString& a, const QString& b) {
    return a.isEmpty() ? b : a;
}

constexpr qint64 kMegabyte = 1024 * 1024;

bool tooLarge(const QFileInfo& file) {
    return file.isFile() && file.size() > kMaxSettingsFileBytes;
}

// Why a file that Qt could not write was not written, as far as the file system tells.
QString whyNotWritten(const QString& path) {
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (file.isDir()) {
        return DeviceSettings::tr("%1 is a folder").arg(path);
    }
    if (file.exists() && !file.isWritable()) {
        return DeviceSettings::tr("%1 is read-only").arg(path);
    }
    if (!folder.exists()) {
        return DeviceSettings::tr("the folder %1 cannot be made").arg(folder.filePath());
    }
    if (!folder.isWritable()) {
        return DeviceSettings::tr("the folder %1 is not writable").arg(folder.filePath());
    }
    return DeviceSettings::tr("%1 could not be written").arg(path);
}

} // namespace

QString settingsFilePath() {
    // The file Qt's own user scope names, found without opening it: QSettings reads it whole.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/tavo/tavo-panel.conf");
}

std::unique_ptr<QSettings> openSettings() {
    const QString path = settingsFilePath();
    if (tooLarge(QFileInfo(path))) {
        return nullptr;
    }
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}

SavedDevices loadSavedDevices() {
    const QString path = settingsFilePath();
    if (tooLarge(QFileInfo(path))) {
        return {.choice = {},
                .problem = DeviceSettings::tr("The settings file %1 is larger than %2 MB: it is neither read nor "
                                              "changed, so the devices chosen before are not used. Remove or shorten "
                                              "it.")
                               .arg(path)
                               .arg(kMaxSettingsFileBytes / kMegabyte)};
    }
    const std::unique_ptr<QSettings> settings = openSettings();
    if (!settings || settings->status() != QSettings::NoError) {
        return {.choice = {},
                .problem = DeviceSettings::tr("The settings file %1 cannot be read, so the devices chosen before are "
                                              "not used.")
                               .arg(path)};
    }
    return {.choice = {.com1 = settings->value(kCom1Key).toString(), .com2 = settings->value(kCom2Key).toString()},
            .problem = {}};
}

QString saveChangedDevices(const DeviceChoice& before, const DeviceChoice& after) {
    const QString path = settingsFilePath();
    const QFileInfo file(path);
    if (tooLarge(file)) {
        return DeviceSettings::tr("%1 is larger than %2 MB and is left as it is")
            .arg(path)
            .arg(kMaxSettingsFileBytes / kMegabyte);
    }
    if (file.isDir()) {
        return whyNotWritten(path);
    }
    QSettings settings(path, QSettings::IniFormat);
    const auto store = [&settings](const QString& key, const QString& device) {
        if (device.isEmpty()) {
            settings.remove(key);
        } else {
            settings.setValue(key, device);
        }
    };
    if (after.com1 != before.com1) {
        store(kCom1Key, after.com1);
    }
    if (after.com2 != before.com2) {
        store(kCom2Key, after.com2);
    }
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        return whyNotWritten(path);
    }
    return {};
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

RunDevices devicesForRun(const DeviceChoice& commandLine) {
    QStringList present;
    const QList<SerialDevice> devices = presentDevices();
    for (const SerialDevice& device : devices) {
        present << device.preferredPath();
    }
    const SavedDevices saved = loadSavedDevices();
    return {.devices = resolveDevices(commandLine, saved.choice, present, defaultDevices()),
            .settingsProblem = saved.problem};
}

} // namespace tavo
