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
#include <utility>

namespace tavo {

namespace {

// A message box that deletes itself once closed, and whose closing never ends the program: before
// the window is shown it is the only window there is.
QMessageBox* messageBox(QMessageBox::Icon icon, const QString& title, const QString& text,
                        QMessageBox::StandardButtons buttons, QWidget* parent) {
    auto* box = new QMessageBox(icon, title, text, buttons, parent);
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setAttribute(Qt::WA_QuitOnClose, false);
    return box;
}

} // namespace

PortFailureDialogs::PortFailureDialogs(QWidget& window) : window_(window) {}

void PortFailureDialogs::showWarning(const QString& text) {
    qCDebug(lcUi) << "warning:" << text;
    // One at a time, whatever the far end keeps refusing: a new warning takes the place of the one
    // shown.
    if (warning_ != nullptr && warning_->isVisible()) {
        warning_->setText(text);
        return;
    }
    // Asks nothing; the one OK button is also what Escape and the close button press.
    warning_ = messageBox(QMessageBox::Warning, window_.windowTitle(), text, QMessageBox::Ok, &window_);
    warning_->open();
}

void PortFailureDialogs::openQuestion(QDialog* dialog) {
    if (question_ != nullptr) {
        // Replaced: it must not answer the question asked after it.
        question_->disconnect();
        question_->hide();
        question_->deleteLater();
    }
    question_ = dialog;
    dialog->open();
}

void PortFailureDialogs::askAfterPortChange(const QString& text, int port, Answer answer) {
    qCDebug(lcUi) << "port warning:" << text;
    QMessageBox* box = messageBox(QMessageBox::Warning, window_.windowTitle(), text, QMessageBox::Ok, &window_);
    QAbstractButton* choose =
        deviceActions_ != nullptr ? box->addButton(chooseDeviceCommand(), QMessageBox::ActionRole) : nullptr;
    box->setDefaultButton(QMessageBox::Ok);
    // Escape and the window's close button mean OK: with two buttons Qt finds no escape button
    // of its own and would ignore both.
    box->setEscapeButton(QMessageBox::Ok);
    connect(box, &QDialog::finished, this, [this, box, choose, port, answer = std::move(answer)] {
        question_ = nullptr;
        if (choose != nullptr && box->clickedButton() == choose && deviceActions_ != nullptr) {
            chooseAfterPortChange(port, answer);
            return;
        }
        qCDebug(lcUi) << "port warning dismissed";
        answer(PortFailureChoice::Dismiss);
    });
    openQuestion(box);
}

void PortFailureDialogs::chooseAfterPortChange(int port, Answer answer) {
    openQuestion(
        chooseDevices(*deviceActions_, &window_, port, [this, answer = std::move(answer)](ChooserOutcome outcome) {
            question_ = nullptr;
            const bool retry = outcome != ChooserOutcome::Cancelled;
            qCDebug(lcUi) << "device chooser after a port warning:" << (retry ? "trying again" : "dismissed");
            answer(retry ? PortFailureChoice::Retry : PortFailureChoice::Dismiss);
        }));
}

void PortFailureDialogs::askAtStartUp(const QString& text, Answer answer) {
    // Also on the terminal, where a user who started the panel from a shell looks first.
    QTextStream(stderr) << QCoreApplication::applicationName() << ": " << text << Qt::endl;
    // Over the window once it is shown; before that, a window of its own.
    QWidget* parent = window_.isVisible() ? &window_ : nullptr;
    QMessageBox* box = messageBox(QMessageBox::Critical, window_.windowTitle(), text, QMessageBox::NoButton, parent);
    box->setWindowIcon(window_.windowIcon());
    QAbstractButton* choose = nullptr;
    QAbstractButton* simulate = nullptr;
    // Says what the buttons that the port's own text cannot know of do.
    QString buttons = tr("Retry tries the same device again, for one about to appear (a USB adapter "
                         "just plugged in).");
    if (deviceActions_ != nullptr) {
        choose = box->addButton(chooseDeviceCommand(), QMessageBox::ActionRole);
        simulate = box->addButton(tr("Try Without a Projector"), QMessageBox::ActionRole);
        buttons += tr(" Try Without a Projector uses a simulated one.");
    }
    QAbstractButton* retry = box->addButton(QMessageBox::Retry);
    box->setInformativeText(buttons);
    QPushButton* quit = box->addButton(tr("Quit"), QMessageBox::RejectRole);
    // Return still ends the panel, as the one-button error did; so do Escape and the close button.
    box->setDefaultButton(quit);
    box->setEscapeButton(quit);
    connect(box, &QDialog::finished, this, [this, box, text, choose, simulate, retry, answer = std::move(answer)] {
        question_ = nullptr;
        // No button at all: closed by the window's close button, which means Quit.
        const QAbstractButton* clicked = box->clickedButton();
        if (clicked != nullptr && clicked == retry) {
            qCDebug(lcUi) << "start-up error: trying again";
            answer(PortFailureChoice::Retry);
        } else if (clicked != nullptr && clicked == choose && deviceActions_ != nullptr) {
            qCDebug(lcUi) << "start-up error: choosing a device";
            chooseAtStartUp(text, answer);
        } else if (clicked != nullptr && clicked == simulate && deviceActions_ != nullptr) {
            qCDebug(lcUi) << "start-up error: trying the simulated projector";
            const QString failure = deviceActions_->useSimulatedProjector();
            if (failure.isEmpty()) {
                answer(PortFailureChoice::Retry);
            } else {
                askAtStartUp(failure, answer);
            }
        } else {
            qCDebug(lcUi) << "start-up error: quit";
            answer(PortFailureChoice::Dismiss);
        }
    });
    openQuestion(box);
}

void PortFailureDialogs::chooseAtStartUp(const QString& text, Answer answer) {
    // Cancel there goes back to the error, which still stands.
    openQuestion(chooseDevices(*deviceActions_, window_.isVisible() ? &window_ : nullptr, 1,
                               [this, text, answer = std::move(answer)](ChooserOutcome outcome) {
                                   question_ = nullptr;
                                   if (outcome == ChooserOutcome::Cancelled) {
                                       askAtStartUp(text, answer);
                                   } else {
                                       answer(PortFailureChoice::Retry);
                                   }
                               }));
}

} // namespace tavo
