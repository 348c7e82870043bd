// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window.h"

#include "core/panel_logic.h"
#include "ui/accessible_text.h"
#include "ui/control_table.h"
#include "ui/device_actions.h"
#include "ui/device_chooser.h"
#include "ui/device_notice.h"
#include "ui/help_window.h"
#include "ui/hold_push_button.h"
#include "ui/key_codes.h"
#include "ui/panel_builder.h"
#include "ui/ui_log.h"

#include <QAbstractButton>
#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QRadioButton>
#include <QScreen>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <utility>

namespace tavo {

namespace {

int pixels(double twips) {
    return static_cast<int>(std::lround(twips / layout::kTwipsPerPixel));
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent), dialogs_(*this), decorations_(assumedDecorations()) {
    PanelWidgets built = buildPanel(*this);
    controls_ = built.controls;
    timers_ = built.timers;
    holdButtons_ = std::move(built.holdButtons);
    routeEvents();
    addKeys();

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
    for (QWidget* widget : controls_) {
        QObject::disconnect(widget, nullptr, this, nullptr);
    }
    for (QTimer* t : timers_) {
        t->stop();
        QObject::disconnect(t, nullptr, this, nullptr);
    }
}

void MainWindow::setLogic(PanelLogic* logic) {
    logic_ = logic;
}

void MainWindow::setDeviceActions(DeviceActions* actions) {
    deviceActions_ = actions;
    dialogs_.setDeviceActions(actions);
}

QWidget* MainWindow::control(Control control) const {
    return controls_[index(control)];
}

QTimer* MainWindow::timer(TimerId timer) const {
    return timers_[index(timer)];
}

void MainWindow::routeEvents() {
    for (std::size_t i = 0; i < kControlCount; ++i) {
        const auto id = static_cast<Control>(i);
        QWidget* widget = control(id);
        if (auto* hold = qobject_cast<HoldPushButton*>(widget)) {
            connect(hold, &HoldPushButton::holdPressed, this, [this, id] {
                if (logic_ != nullptr) {
                    logic_->press(id);
                }
            });
            connect(hold, &HoldPushButton::holdReleased, this, [this, id] {
                if (logic_ != nullptr) {
                    logic_->release(id);
                }
                holdEnded();
            });
            connect(hold, &HoldPushButton::holdCancelled, this, [this] {
                if (logic_ != nullptr) {
                    logic_->holdCancelled();
                }
                holdEnded();
            });
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            connect(button, &QAbstractButton::clicked, this, [this, id] {
                if (logic_ != nullptr) {
                    logic_->click(id);
                }
            });
        }
    }
    for (std::size_t i = 0; i < kTimerCount; ++i) {
        const auto id = static_cast<TimerId>(i);
        connect(timer(id), &QTimer::timeout, this, [this, id] {
            if (logic_ != nullptr) {
                logic_->timerTick(id);
            }
        });
    }
}

void MainWindow::addKeys() {
    // Ctrl+H is the logic's own key: it goes to the key-down handler as it was pressed, and the
    // focused control never sees it. Other chords with H do not match and reach no handler.
    auto* fullView = new QAction(this);
    fullView->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    fullView->setShortcutContext(Qt::WindowShortcut);
    addAction(fullView);
    connect(fullView, &QAction::triggered, this, [this] {
        if (logic_ != nullptr) {
            logic_->keyDown(keyCodeFor(Qt::Key_H), shiftStateFor(Qt::ControlModifier));
        }
    });

    // In every window of the program: the help is a window of its own, and F1 there brings it
    // forward as F1 in the panel does, even before the activation has passed back to the panel.
    // A modal dialog still blocks it.
    helpAction_ = new QAction(QStringLiteral("Help"), this);
    helpAction_->setShortcut(QKeySequence(Qt::Key_F1));
    helpAction_->setShortcutContext(Qt::ApplicationShortcut);
    addAction(helpAction_);
    connect(helpAction_, &QAction::triggered, this, &MainWindow::showHelp);

    chooseDeviceAction_ = new QAction(chooseDeviceCommand(), this);
    chooseDeviceAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    chooseDeviceAction_->setShortcutContext(Qt::WindowShortcut);
    addAction(chooseDeviceAction_);
    connect(chooseDeviceAction_, &QAction::triggered, this, &MainWindow::chooseDevicesInPanel);
}

void MainWindow::cancelHolds() {
    for (HoldPushButton* button : holdButtons_) {
        button->cancelHold();
    }
}

bool MainWindow::holding() const {
    return std::ranges::any_of(holdButtons_, &HoldPushButton::isHeld);
}

void MainWindow::showHelp() {
    // A window that takes activation would deactivate the panel, and that ends a hold (the release
    // might then never come); not every platform lets a new window open without activation. So
    // while a hold button is down the help waits for the hold to end.
    if (holding()) {
        qCDebug(lcUi) << "help deferred until the hold ends";
        helpAfterHold_ = true;
        return;
    }
    helpAfterHold_ = false;
    if (help_ == nullptr) {
        help_ = new HelpWindow(this);
        // Beside the panel where the screen has room, so that both stay in view; otherwise the
        // toolkit centres it over the panel.
        const QRect panel = frameGeometry();
        const QRect room = screen()->availableGeometry();
        const int gap = 8;
        if (panel.right() + gap + help_->width() <= room.right()) {
            help_->move(panel.right() + gap, std::max(room.top(), panel.top()));
            qCDebug(lcUi) << "help placed right of the panel at" << help_->pos();
        } else if (panel.left() - gap - help_->width() >= room.left()) {
            help_->move(panel.left() - gap - help_->width(), std::max(room.top(), panel.top()));
            qCDebug(lcUi) << "help placed left of the panel at" << help_->pos();
        } else {
            qCDebug(lcUi) << "no room beside the panel; the help is centred over it";
        }
    }
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void MainWindow::holdEnded() {
    if (helpAfterHold_ && !holding()) {
        // After the release has been handled, so that the logic sees the hold end first.
        QTimer::singleShot(0, this, &MainWindow::showHelp);
    }
}

void MainWindow::fillContextMenu(QMenu& menu, [[maybe_unused]] QWidget* under) {
    chooseDeviceAction_->setEnabled(deviceActions_ != nullptr && logic_ != nullptr);
    menu.addAction(chooseDeviceAction_);
    menu.addAction(helpAction_);
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    // Not exec(): a nested event loop would hold up the timers' routing until the menu closes.
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    fillContextMenu(*menu, childAt(event->pos()));
    menu->popup(event->globalPos());
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
        QTimer::singleShot(0, this, &MainWindow::measureDecorations);
        break;
    case QEvent::Resize:
        notice_->place();
        measureDecorations();
        break;
    case QEvent::Move:
    case QEvent::WindowActivate:
        measureDecorations();
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
    if (chooseDevices(*deviceActions_, this) == ChooserOutcome::Chosen) {
        logic_->devicesChanged();
    }
}

void MainWindow::setLabelText(Control label, std::string_view text) {
    auto* widget = qobject_cast<QLabel*>(control(label));
    if (widget == nullptr) {
        return;
    }
    const QString shown = QString::fromUtf8(text);
    widget->setText(shown);
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
}

void MainWindow::selectOption(Control option) {
    if (auto* radio = qobject_cast<QRadioButton*>(control(option))) {
        radio->setChecked(true);
    }
}

double MainWindow::outerHeight() const {
    return (height() + decorations_.top() + decorations_.bottom()) * layout::kTwipsPerPixel;
}

void MainWindow::setOuterHeight(double twips) {
    requestedOuterHeight_ = twips;
    applyOuterHeight();
}

void MainWindow::applyOuterHeight() {
    const int client = std::max(0, pixels(requestedOuterHeight_) - decorations_.top() - decorations_.bottom());
    setFixedHeight(client);
}

double MainWindow::outerWidth() const {
    return (width() + decorations_.left() + decorations_.right()) * layout::kTwipsPerPixel;
}

void MainWindow::setPosition(double left, double top) {
    requestedPosition_ = QPoint(pixels(left), pixels(top));
    move(*requestedPosition_);
}

ScreenSize MainWindow::screenSize() const {
    const QRect full = QGuiApplication::primaryScreen()->geometry();
    return {.width = static_cast<double>(full.width()) * layout::kTwipsPerPixel,
            .height = static_cast<double>(full.height()) * layout::kTwipsPerPixel};
}

void MainWindow::measureDecorations() {
    if (!isVisible()) {
        return;
    }
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    const QMargins measured(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                            frame.bottom() - client.bottom());
    if (measured == decorations_) {
        return;
    }
    qCDebug(lcUi) << "decorations measured:" << measured;
    decorations_ = measured;
    if (requestedOuterHeight_ > 0) {
        applyOuterHeight();
    }
    if (requestedPosition_) {
        move(*requestedPosition_);
    }
}

void MainWindow::setTimerEnabled(TimerId id, bool enabled) {
    QTimer* t = timer(id);
    if (!enabled) {
        t->stop();
    } else if (!t->isActive()) {
        t->start(); // a running timer keeps its count
    }
}

void MainWindow::setTimerInterval(TimerId id, int milliseconds) {
    // QTimer restarts a running timer's count when its interval is set.
    timer(id)->setInterval(milliseconds);
}

void MainWindow::showWarning(std::string_view text) {
    dialogs_.showWarning(QString::fromUtf8(text));
}

PortFailureChoice MainWindow::showPortWarning(std::string_view text) {
    return dialogs_.showPortWarning(QString::fromUtf8(text));
}

PortFailureChoice MainWindow::showStartupError(std::string_view text) {
    return dialogs_.showStartupError(QString::fromUtf8(text));
}

void MainWindow::showNotice(std::string_view text, Notice kind) {
    notice_->present(QString::fromUtf8(text), kind);
}

void MainWindow::clearNotice() {
    notice_->clear();
    if (!pendingNotice_.isEmpty()) {
        notice_->present(std::exchange(pendingNotice_, {}), Notice::Lasting);
    }
}

void MainWindow::showProgramNotice(const QString& text) {
    if (notice_->isHidden()) {
        notice_->present(text, Notice::Lasting);
    } else {
        pendingNotice_ = text;
    }
}

void MainWindow::endProgram() {
    close();
    QCoreApplication::quit();
}

} // namespace tavo
