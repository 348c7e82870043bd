// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Opens the exchange log beside the panel, or brings it forward with the focus. The record lives
// with the panel's logic from the start; its window is made the first time it is asked for, shows
// every row recorded so far and follows the record from then on. Like the help, it waits while a
// hold button is down: a window that takes activation would end the hold.

#include "core/exchange_log.h"
#include "ui/exchange_log_window.h"

#include <QMargins>
#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace tavo {

class ExchangeLogOpener : public QObject {
    Q_OBJECT

public:
    // `holding` tells whether a hold button is down; `frame` gives the panel's title bar and frame;
    // `clockMs` reads the clock the record is stamped with.
    ExchangeLogOpener(QWidget& panel, std::function<bool()> holding, std::function<QMargins()> frame,
                      std::function<qint64()> clockMs);

    // The record to show; nullptr once it is about to go, which closes its window.
    void setLog(ExchangeLog* log);
    void showLog();
    // A hold ended: a log asked for meanwhile opens now.
    void holdEnded();

    [[nodiscard]] ExchangeLogWindow* logWindow() const { return window_; }

private:
    QWidget& panel_;
    std::function<bool()> holding_;
    std::function<QMargins()> frame_;
    std::function<qint64()> clockMs_;
    ExchangeLog* log_ = nullptr;
    QPointer<ExchangeLogWindow> window_;
    bool afterHold_ = false;
};

} // namespace tavo
