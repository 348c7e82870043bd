// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/port_failure_dialogs.h"

#include "ui/device_actions.h"
#include "ui/device_chooser.h"
#include "ui/ui_log.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTextStream>
#include <cstdio>

namespace tavo {

void PortFailureDialogs::showWarning(const QString& text) {
    qCDebug(lcUi) << "warning:" << text;
    QMessageBox box(QMessageBox::Warning, window_.windowTitle(), text, QMessageBox::Ok, &window_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

PortFailureChoice PortFailureDialogs::showPortWarning(const QString& text, int port) {
    qCDebug(lcUi) << "port warning:" << text;
    QMessageBox box(QMessageBox::Warning, window_.windowTitle(), text, QMessageBox::Ok, &window_);
    box.setTextFormat(Qt::PlainText);
    QAbstractButton* choose =
        deviceActions_ != nullptr ? box.addButton(chooseDeviceCommand(), QMessageBox::ActionRole) : nullptr;
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    if (choose == nullptr || box.clickedButton() != choose) {
        qCDebug(lcUi) << "port warning dismissed";
        return PortFailureChoice::Dismiss;
    }
    const ChooserOutcome outcome = chooseDevices(*deviceActions_, &window_, port);
    const bool retry = outcome == ChooserOutcome::Chosen || outcome == ChooserOutcome::Unchanged;
    qCDebug(lcUi) << "device chooser after a port warning:" << (retry ? "trying again" : "dismissed");
    return retry ? PortFailureChoice::Retry : PortFailureChoice::Dismiss;
}

PortFailureChoice PortFailureDialogs::showStartupError(const QString& text) {
    QString shown = text;
    for (;;) {
        // Also on the terminal, where a user who started the panel from a shell looks first.
        QTextStream(stderr) << QCoreApplication::applicationName() << ": " << shown << Qt::endl;
        QMessageBox box(QMessageBox::Critical, window_.windowTitle(), shown, QMessageBox::NoButton);
        box.setTextFormat(Qt::PlainText);
        box.setWindowIcon(window_.windowIcon());
        QAbstractButton* choose = nullptr;
        QAbstractButton* simulate = nullptr;
        // Says what the buttons that the port's own text cannot know of do.
        QString buttons =
            PortFailureDialogs::tr("Retry tries the same device again, for one about to appear (a USB adapter "
                                   "just plugged in).");
        if (deviceActions_ != nullptr) {
            choose = box.addButton(chooseDeviceCommand(), QMessageBox::ActionRole);
            simulate = box.addButton(PortFailureDialogs::tr("Try Without a Projector"), QMessageBox::ActionRole);
            buttons += PortFailureDialogs::tr(" Try Without a Projector uses a simulated one.");
        }
        QAbstractButton* retry = box.addButton(QMessageBox::Retry);
        box.setInformativeText(buttons);
        QPushButton* quit = box.addButton(PortFailureDialogs::tr("Quit"), QMessageBox::RejectRole);
        // Return still ends the panel, as the one-button error did.
        box.setDefaultButton(quit);
        box.setEscapeButton(quit);
        box.exec();
        // No button at all: the program is being ended.
        const QAbstractButton* clicked = box.clickedButton();
        if (clicked != nullptr && clicked == retry) {
            qCDebug(lcUi) << "start-up error: trying again";
            return PortFailureChoice::Retry;
        }
        if (clicked != nullptr && clicked == choose) {
            qCDebug(lcUi) << "start-up error: choosing a device";
            switch (chooseDevices(*deviceActions_, nullptr, 1)) {
            case ChooserOutcome::Chosen:
            case ChooserOutcome::Unchanged:
                return PortFailureChoice::Retry;
            case ChooserOutcome::Cancelled:
                continue;
            case ChooserOutcome::Interrupted:
                return PortFailureChoice::Dismiss;
            }
        }
        if (clicked != nullptr && clicked == simulate) {
            qCDebug(lcUi) << "start-up error: trying the simulated projector";
            const QString failure = deviceActions_->useSimulatedProjector();
            if (failure.isEmpty()) {
                return PortFailureChoice::Retry;
            }
            shown = failure;
            continue;
        }
        qCDebug(lcUi) << "start-up error:" << (clicked == nullptr ? "interrupted" : "quit");
        return PortFailureChoice::Dismiss;
    }
}

} // namespace tavo
