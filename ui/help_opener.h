// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Opens the help beside the panel, or brings it forward with the focus. A window that takes
// activation would deactivate the panel, and that ends a hold (whose release might then never
// come), so while a hold button is down the help waits for the hold to end.

#include "ui/help_window.h"

#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QWidget;

namespace tavo {

class HelpOpener : public QObject {
    Q_OBJECT

public:
    // `holding` tells whether a hold button is down; `frame` gives the panel's title bar and frame.
    HelpOpener(QWidget& panel, std::function<bool()> holding, std::function<QMargins()> frame);

    void showHelp();
    // A hold ended: a help asked for meanwhile opens now.
    void holdEnded();
    // The port, device and line in use, which the help names where it tells of devices.
    void setDevice(const QString& device);

    [[nodiscard]] HelpWindow* helpWindow() const { return help_; }

private:
    QWidget& panel_;
    std::function<bool()> holding_;
    std::function<QMargins()> frame_;
    QPointer<HelpWindow> help_;
    QString device_;
    bool helpAfterHold_ = false;
};

} // namespace tavo
