// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/port_label.h"

#include <QCoreApplication>

namespace tavo {

// The context of the text below.
class PortLabel {
    Q_DECLARE_TR_FUNCTIONS(tavo::PortLabel)
};

QString portLabel(int portNumber, const QString& device, PortNaming naming) {
    const QString name = QStringLiteral("COM%1").arg(portNumber);
    if (device.isEmpty()) {
        return name;
    }
    if (naming == PortNaming::Device) {
        return device;
    }
    return QStringLiteral("%1 (%2)").arg(name, device);
}

QString simulatedProjectorName() {
    return PortLabel::tr("simulated projector");
}

} // namespace tavo
