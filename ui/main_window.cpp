// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window.h"

#include "core/control_catalog.h"
#include "core/line_settings.h"
#include "core/panel_logic.h"
#include "ui/accessible_text.h"
#include "ui/device_actions.h"
#include "ui/device_chooser.h"
#include "ui/device_notice.h"
#include "ui/elided_text.h"
#include "ui/hold_push_button.h"
#include "ui/key_codes.h"
#include "ui/ui_log.h"

#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <utility>

namespace tavo {

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent), widgets_(buildPanel(*this)), timers_(widgets_.timers, *this,
                                                            [this](TimerId id) {
                                                                if (logic_ != nullptr) {
                                                                    logic_->timerTick(id);
                                                                }
                                                            }),
      actions_(*this, *control(Control::PaneButton), shownFocus_, commands()),
      help_(
          *this, [this] { return holding(); }, [this] { return geometry_.decorations(); }),
      logOpener_(
          *this, [this] { return holding(); }, [this] { return geometry_.decorations(); },
          [this] { return clock_.nowMs(); }),
      dialogs_(*this) {
    shownFocus_.setCovers({control(Control::PortPanel)});
    routeEvents();
    // The port panel's options show the port and the speed in use, whoever changed them.
    for (const Control option :
         {Control::Com1Option, Control::Com2Option, Control::Speed19200Option, Control::Speed9600Option}) {
        connect(qobject_cast<QAbstractButton*>(control(option)), &QAbstractButton::toggled, this,
                [this] { showDevice(false); });
    }
    showDevice(false);

    notice_ = new DeviceNotice(*this);
    connect(notice_, &DeviceNotice::cancelRequested, this, [this] {
        qCDebug(lcUi) << "opening cancelled by the user";
        if (logic_ != nullptr) {
            logic_->cancelOpening();
        }
    });

    control(Control::PowerOn)->setFocus(Qt::OtherFocusReason);
}

MainWindow::~MainWindow() {
    // The base class deletes the controls after this part of the window is gone; nothing they
    // or the timers still emit may reach it.
    logic_ = nullptr;
    for (QWidget* widget : widgets_.controls) {
        QObject::disconnect(widget, nullptr, this, nullptr);
    }
    timers_.detach();
}

void MainWindow::setLogic(PanelLogic* logic) {
    logic_ = logic;
    logOpener_.setLog(logic != nullptr ? &logic->exchangeLog() : nullptr);
}

void MainWindow::setDeviceActions(DeviceActions* actions) {
    deviceActions_ = actions;
    dialogs_.setDeviceActions(actions);
    showDevice(false);
}

QWidget* MainWindow::control(Control control) const {
    return widgets_.controls[index(control)];
}

WindowCommands MainWindow::commands() {
    return {
        .fullView =
            [this] {
                if (logic_ != nullptr) {
                    logic_->keyDown(keyCodeFor(Qt::Key_H), shiftStateFor(Qt::ControlModifier));
                }
            },
        .help = [this] { showHelp(); },
        .exchangeLog = [this] { showExchangeLog(); },
        .chooseDevices = [this] { chooseDevicesInPanel(); },
        .canChooseDevices = [this] { return deviceActions_ != nullptr && logic_ != nullptr; },
        .paneButton =
            [this] {
                if (logic_ != nullptr) {
                    logic_->click(Control::PaneButton);
                }
            },
    };
}

void MainWindow::routeEvents() {
    for (std::size_t i = 0; i < kControlCount; ++i) {
        const auto id = static_cast<Control>(i);
        QWidget* widget = control(id);
        if (auto* hold = qobject_cast<HoldPushButton*>(widget)) {
            routeHoldButton(hold, id);
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            connect(button, &QAbstractButton::clicked, this, [this, id, button] {
                // Nobody can have meant a control out of sight, whatever reached it (an assistive
                // tool, a focus given by a program): nothing it would send reaches the wire.
                if (!shownFocus_.partlyShown(*button)) {
                    qCDebug(lcUi) << "click of" << button->objectName() << "out of sight ignored";
                    return;
                }
                if (logic_ != nullptr) {
                    logic_->click(id);
                }
            });
        }
        // The Menu key on any control opens the window's menu, though the controls keep the right
        // mouse button to themselves.
        if (catalog::isFocusable(catalog::kindOf(id))) {
            widget->installEventFilter(this);
        }
    }
}

void MainWindow::routeHoldButton(HoldPushButton* hold, Control id) {
    connect(hold, &HoldPushButton::holdPressed, this, [this, id] {
        if (logic_ != nullptr) {
            logic_->press(id);
        }
    });
    connect(hold, &HoldPushButton::holdReleased, this, [this, id] {
        if (logic_ != nullptr) {
            logic_->release(id);
        }
        help_.holdEnded();
        logOpener_.holdEnded();
    });
    connect(hold, &HoldPushButton::holdCancelled, this, [this] {
        if (logic_ != nullptr) {
            logic_->holdCancelled();
        }
        help_.holdEnded();
        logOpener_.holdEnded();
    });
}

void MainWindow::cancelHolds() {
    for (HoldPushButton* button : widgets_.holdButtons) {
        button->cancelHold();
    }
}

bool MainWindow::holding() const {
    return std::ranges::any_of(widgets_.holdButtons, &HoldPushButton::isHeld);
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Keyboard) {
        actions_.popUpFromKeyboard();
        return;
    }
    actions_.popUp(childAt(event->pos()), event->globalPos());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
        actions_.popUpFromKeyboard();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool MainWindow::focusNextPrevChild(bool next) {
    return shownFocus_.moveFocus(next);
}

int MainWindow::portInUse() const {
    return qobject_cast<QRadioButton*>(control(Control::Com2Option))->isChecked() ? 2 : 1;
}

QString MainWindow::deviceInUse() const {
    const int port = portInUse();
    QString device;
    if (deviceActions_ != nullptr) {
        const DeviceChoice devices = deviceActions_->devices();
        device = port == 1 ? devices.com1 : devices.com2;
        // Named as such, never by its pseudo-terminal.
        if (!device.isEmpty() && device == deviceActions_->simulatedDevice()) {
            device = simulatedProjectorName();
        }
    }
    const bool slow = qobject_cast<QRadioButton*>(control(Control::Speed9600Option))->isChecked();
    const QString line = QString::fromStdString(describeLine(slow ? kSettings9600 : kSettings19200, *this));
    return device.isEmpty() ? tr("COM%1, %2").arg(port).arg(line) : tr("COM%1: %2, %3").arg(port).arg(device, line);
}

void MainWindow::showDevice(bool tell) {
    const QString inUse = deviceInUse();
    QString tip = tr("The port panel: COM1 or COM2, 19200 or 9600 baud. Ctrl+D or right-click: %1 "
                     "Ctrl+H: the full view with the data pane.")
                      .arg(chooseDeviceCommand());
    const int port = portInUse();
    const QString simulated = deviceActions_ != nullptr ? deviceActions_->simulatedDevice() : QString();
    bool onSimulator = false;
    if (!simulated.isEmpty()) {
        const DeviceChoice devices = deviceActions_->devices();
        onSimulator = (port == 1 ? devices.com1 : devices.com2) == simulated;
    }
    const QString text =
        tr("COM%1 is the %2: nothing reaches a real projector.").arg(port).arg(simulatedProjectorName());
    QWidget* com = control(Control::PortButton);
    com->setToolTip(inUse + QLatin1Char('\n') + (onSimulator ? text + QLatin1Char('\n') + tip : tip));
    com->setAccessibleDescription(tr("%1. %2").arg(
        inUse, accessibleDescriptionFor(Control::PortButton, catalog::captionOf(Control::PortButton))));
    help_.setDevice(inUse);
    if (tell && onSimulator && notice_ != nullptr && notice_->isHidden()) {
        notice_->present(text, Notice::Calm);
    }
}

bool MainWindow::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::WindowDeactivate:
    case QEvent::WindowBlocked:
        // Once another window or a modal dialog has the pointer, the release may never come, and
        // a button that takes no focus would not learn of it through a focus change.
        cancelHolds();
        break;
    case QEvent::Show:
        QTimer::singleShot(0, this, [this] { geometry_.measure(); });
        if (!std::exchange(shownOnce_, true)) {
            if (!pendingNotice_.isEmpty() && notice_->isHidden()) {
                notice_->present(std::exchange(pendingNotice_, {}), Notice::Lasting);
            }
            showDevice(true);
        }
        break;
    case QEvent::Resize:
        notice_->place();
        geometry_.measure();
        shownFocus_.keepFocusShown();
        break;
    case QEvent::Move:
    case QEvent::WindowActivate:
        geometry_.measure();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    paintPanelLines(painter);
}

void MainWindow::chooseDevicesInPanel() {
    if (deviceActions_ == nullptr || logic_ == nullptr) {
        return;
    }
    (void)chooseDevices(*deviceActions_, this, portInUse(), [this](ChooserOutcome outcome) {
        showDevice(false);
        // OK opens the port in use again, also with nothing changed: that is how it is tried again.
        if (outcome != ChooserOutcome::Cancelled && logic_ != nullptr) {
            logic_->devicesChanged();
        }
    });
}

void MainWindow::setLabelText(Control label, std::string_view text) {
    auto* widget = qobject_cast<QLabel*>(control(label));
    if (widget == nullptr) {
        return;
    }
    const QString shown = QString::fromUtf8(text);
    // The status line has room for one line: a longer text ends at a word with an ellipsis.
    if (label == Control::StatusLine) {
        const QFontMetrics metrics = widget->fontMetrics();
        const int room =
            widget->contentsRect().width() - 2 * widget->margin() - metrics.horizontalAdvance(QLatin1Char('x'));
        widget->setText(elidedAtWord(shown, metrics, room));
    } else {
        widget->setText(shown);
    }
    // The field keeps its name ("Received data"); what it shows is read as its description, and
    // a text longer than its field (a port failure in the status line) can be read whole under the
    // pointer.
    widget->setAccessibleDescription(shown);
    // Escaped, since a tool tip would take a device's "<b>" for markup.
    const QString whole = shown.trimmed();
    widget->setToolTip(whole.isEmpty() ? QString() : Qt::convertFromPlainText(whole));
}

void MainWindow::setLabelRemark(Control label, std::string_view remark) {
    auto* widget = qobject_cast<QLabel*>(control(label));
    if (widget == nullptr) {
        return;
    }
    const QString shown = widget->text().trimmed();
    const QString added = QString::fromUtf8(remark);
    const QString whole = added.isEmpty() || shown.isEmpty() ? QString(shown + added) : shown + u'\n' + added;
    widget->setAccessibleDescription(whole);
    widget->setToolTip(whole.isEmpty() ? QString() : Qt::convertFromPlainText(whole));
}

void MainWindow::setCaption(Control button, std::string_view caption) {
    if (auto* widget = qobject_cast<QAbstractButton*>(control(button))) {
        widget->setText(QString::fromUtf8(caption));
        // The pane button's spoken name follows its caption, in English.
        widget->setAccessibleName(accessibleNameFor(button, caption));
        widget->setAccessibleDescription(accessibleDescriptionFor(button, caption));
    }
}

void MainWindow::setVisible(Control control, bool visible) {
    this->control(control)->setVisible(visible);
    shownFocus_.keepFocusShown();
    // Where the port is chosen, say which one is the simulated projector.
    if (control == Control::PortPanel && visible) {
        showDevice(true);
    }
}

void MainWindow::selectOption(Control option) {
    if (auto* radio = qobject_cast<QRadioButton*>(control(option))) {
        radio->setChecked(true);
    }
    showDevice(false);
}

void MainWindow::showWarning(std::string_view text) {
    dialogs_.showWarning(QString::fromUtf8(text));
}

void MainWindow::answer(PortFailureChoice choice) {
    if (logic_ != nullptr) {
        logic_->answered(choice);
    }
}

void MainWindow::showPortWarning(std::string_view text) {
    // The port panel still shows the port that failed, which the user may choose a device for.
    dialogs_.askAfterPortChange(QString::fromUtf8(text), portInUse(),
                                [this](PortFailureChoice choice) { answer(choice); });
}

void MainWindow::showStartupError(std::string_view text) {
    askAtStartUp(QString::fromUtf8(text), [this](PortFailureChoice choice) { answer(choice); });
}

void MainWindow::askAtStartUp(const QString& text, PortFailureDialogs::Answer answer) {
    dialogs_.askAtStartUp(text, std::move(answer));
}

void MainWindow::showWindow() {
    show();
}

void MainWindow::showNotice(std::string_view text, Notice kind) {
    notice_->present(QString::fromUtf8(text), kind);
}

void MainWindow::clearNotice() {
    notice_->clear();
    if (shownOnce_ && !pendingNotice_.isEmpty()) {
        notice_->present(std::exchange(pendingNotice_, {}), Notice::Lasting);
    }
}

void MainWindow::showProgramNotice(const QString& text) {
    if (shownOnce_ && notice_->isHidden()) {
        notice_->present(text, Notice::Lasting);
    } else {
        pendingNotice_ = text;
    }
}

std::string MainWindow::wordsOf(const Phrase& phrase) const {
    return QCoreApplication::translate(phrase.context, phrase.source).toStdString();
}

void MainWindow::endProgram() {
    close();
    QCoreApplication::quit();
}

} // namespace tavo
