// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The dialogs of a port that cannot be opened: the plain warning, the warning of a failed port
// change that offers the device chooser, and the start-up error that also offers the simulated
// projector and trying again. None waits: each is opened and the call returns; the answer goes to
// the caller's function once the user has given it, whichever way the dialog was closed (a button,
// Escape, the window's close button, the device chooser's Cancel). One question is open at a time:
// a new one replaces it, and the replaced one never answers.

#include "core/ports/panel.h"

#include <QDialog>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QWidget;

namespace tavo {

class DeviceActions;

class PortFailureDialogs : public QObject {
    Q_OBJECT

public:
    using Answer = std::function<void(PortFailureChoice)>;

    // `window` is the panel the dialogs belong to, by its title and icon.
    explicit PortFailureDialogs(QWidget& window);

    // What the device chooser and "Try Without a Projector" act on; without it they are not
    // offered.
    void setDeviceActions(DeviceActions* actions) { deviceActions_ = actions; }

    // Asks nothing; while one is shown, a new one replaces its text.
    void showWarning(const QString& text);
    // `port` is the port that failed, which the device chooser offered there opens again.
    void askAfterPortChange(const QString& text, int port, Answer answer);
    void askAtStartUp(const QString& text, Answer answer);

    // The dialog of the question open now (a message box or the device chooser), if any.
    [[nodiscard]] QDialog* question() const { return question_; }

private:
    void openQuestion(QDialog* dialog);
    void chooseAfterPortChange(int port, Answer answer);
    void chooseAtStartUp(const QString& text, Answer answer);

    QWidget& window_;
    DeviceActions* deviceActions_ = nullptr;
    QPointer<QDialog> question_;
    QPointer<QMessageBox> warning_;
};

} // namespace tavo
