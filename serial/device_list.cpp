// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/device_list.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <algorithm>

namespace tavo {

namespace {

const QString kStableNames = QStringLiteral("/dev/serial/by-id");

} // namespace

QString stableNameOf(const QString& device) {
    const QString target = QFileInfo(device).canonicalFilePath();
    if (target.isEmpty()) {
        return {};
    }
    if (QFileInfo(device).absolutePath() == kStableNames) {
        return device;
    }
    const QDir dir(kStableNames);
    const QStringList names = dir.entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : names) {
        const QString link = dir.filePath(name);
        if (QFileInfo(link).canonicalFilePath() == target) {
            return link;
        }
    }
    return {};
}

QList<SerialDevice> presentDevices() {
    QList<SerialDevice> devices;
    const auto infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : infos) {
        devices.append({.path = info.systemLocation(),
                        .stableName = stableNameOf(info.systemLocation()),
                        .description = info.description(),
                        .maker = info.manufacturer(),
                        .serialNumber = info.serialNumber()});
    }
    std::sort(devices.begin(), devices.end(),
              [](const SerialDevice& a, const SerialDevice& b) { return a.path < b.path; });
    return devices;
}

QStringList presentDevicePaths() {
    QStringList paths;
    const QList<SerialDevice> devices = presentDevices();
    for (const SerialDevice& device : devices) {
        paths << device.path;
    }
    return paths;
}

} // namespace tavo
