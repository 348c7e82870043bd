// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help_opener.h"

#include "ui/help_placement.h"
#include "ui/ui_log.h"

#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <utility>

namespace tavo {

HelpOpener::HelpOpener(QWidget& panel, std::function<bool()> holding, std::function<QMargins()> frame)
    : panel_(panel), holding_(std::move(holding)), frame_(std::move(frame)) {}

void HelpOpener::showHelp() {
    // Not every platform lets a new window open without activation.
    if (holding_()) {
        qCDebug(lcUi) << "help deferred until the hold ends";
        helpAfterHold_ = true;
        return;
    }
    helpAfterHold_ = false;
    if (help_ == nullptr) {
        help_ = new HelpWindow(&panel_);
        help_->setDevice(device_);
    }
    if (!help_->isVisible()) {
        // Beside the panel, wherever the panel is now. The help's frame is not known before it is
        // shown: the panel's stands in for it.
        const QMargins frame = frame_();
        const QRect placed =
            placeHelp(panel_.frameGeometry(), help_->size().grownBy(frame), panel_.screen()->availableGeometry());
        help_->setGeometry(placed.marginsRemoved(frame));
        qCDebug(lcUi) << "help placed at" << placed << "beside the panel at" << panel_.frameGeometry();
    }
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void HelpOpener::setDevice(const QString& device) {
    if (device == device_) {
        return;
    }
    device_ = device;
    if (help_ != nullptr) {
        help_->setDevice(device_);
    }
}

void HelpOpener::holdEnded() {
    if (helpAfterHold_ && !holding_()) {
        // After the release has been handled, so that the logic sees the hold end first.
        QTimer::singleShot(0, this, &HelpOpener::showHelp);
    }
}

} // namespace tavo
