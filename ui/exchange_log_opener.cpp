// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/exchange_log_opener.h"

#include "ui/help_placement.h"
#include "ui/ui_log.h"

#include <QDateTime>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <QWidget>
#include <utility>

namespace tavo {

ExchangeLogOpener::ExchangeLogOpener(QWidget& panel, std::function<bool()> holding, std::function<QMargins()> frame,
                                     std::function<qint64()> clockMs)
    : panel_(panel), holding_(std::move(holding)), frame_(std::move(frame)), clockMs_(std::move(clockMs)) {}

void ExchangeLogOpener::setLog(ExchangeLog* log) {
    if (log_ != nullptr && log_ != log) {
        log_->setChangeHandler(nullptr);
        // The window reads the record it was made for.
        delete window_;
    }
    log_ = log;
}

void ExchangeLogOpener::showLog() {
    if (log_ == nullptr) {
        return;
    }
    if (holding_()) {
        qCDebug(lcUi) << "exchange log deferred until the hold ends";
        afterHold_ = true;
        return;
    }
    afterHold_ = false;
    if (window_ == nullptr) {
        // The record's clock runs from an arbitrary start; the time of day is read beside it once.
        window_ = new ExchangeLogWindow(*log_, QDateTime::currentMSecsSinceEpoch() - clockMs_(), &panel_);
        // The window may go before the record does (with the panel), so the record asks for it by
        // a guarded pointer.
        log_->setChangeHandler([window = QPointer<ExchangeLogWindow>(window_)] {
            if (window != nullptr) {
                window->sync();
            }
        });
    }
    if (!window_->isVisible()) {
        const QMargins frame = frame_();
        const QRect placed =
            placeLog(panel_.frameGeometry(), window_->size().grownBy(frame), panel_.screen()->availableGeometry());
        window_->setGeometry(placed.marginsRemoved(frame));
        window_->sync();
        window_->view()->scrollToBottom();
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void ExchangeLogOpener::holdEnded() {
    if (afterHold_ && !holding_()) {
        // After the release has been handled, so that the logic sees the hold end first.
        QTimer::singleShot(0, this, &ExchangeLogOpener::showLog);
    }
}

} // namespace tavo
