// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The dialogs of a port that cannot be opened: the plain warning, the warning of a failed port
// change that offers the device chooser, and the start-up error that also offers the simulated
// projector and trying again. Each returns once the user has answered; the window passes on what
// was chosen.

#include "core/ports/panel.h"

#include <QCoreApplication>
#include <QString>

class QWidget;

namespace tavo {

class DeviceActions;

class PortFailureDialogs {
    Q_DECLARE_TR_FUNCTIONS(tavo::PortFailureDialogs)

public:
    // `window` is the panel the dialogs belong to, by its title and icon.
    explicit PortFailureDialogs(QWidget& window) : window_(window) {}

    // What the device chooser and "Try Without a Projector" act on; without it they are not
    // offered.
    void setDeviceActions(DeviceActions* actions) { deviceActions_ = actions; }

    void showWarning(const QString& text);
    // `port` is the port that failed, which the device chooser offered there opens again.
    [[nodiscard]] PortFailureChoice showPortWarning(const QString& text, int port);
    [[nodiscard]] PortFailureChoice showStartupError(const QString& text);

private:
    QWidget& window_;
    DeviceActions* deviceActions_ = nullptr;
};

} // namespace tavo
