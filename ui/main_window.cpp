// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window.h"

#include "core/control_catalog.h"
#include "core/panel_logic.h"
#include "ui/accessible_text.h"
#include "ui/control_table.h"
#include "ui/device_actions.h"
#include "ui/device_chooser.h"
#include "ui/device_notice.h"
#include "ui/elided_text.h"
#include "ui/help_placement.h"
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
    shownFocus_.setCovers({control(Control::PortPanel)});
    routeEvents();
    addKeys();
    markSimulation(false);

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
    markSimulation(false);
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
    // Also in the context menu, where its shortcut is the hint that Ctrl+H shows the data.
    auto* fullView = new QAction(tr("Full View with Data and Status"), this);
    fullView->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    fullView->setShortcutContext(Qt::WindowShortcut);
    addAction(fullView);
    fullViewAction_ = fullView;
    connect(fullView, &QAction::triggered, this, [this] {
        if (logic_ != nullptr) {
            logic_->keyDown(keyCodeFor(Qt::Key_H), shiftStateFor(Qt::ControlModifier));
        }
    });

    // In every window of the program: the help is a window of its own, and F1 there brings it
    // forward as F1 in the panel does, even before the activation has passed back to the panel.
    // A modal dialog still blocks it.
    helpAction_ = new QAction(tr("Help"), this);
    helpAction_->setShortcut(QKeySequence(Qt::Key_F1));
    helpAction_->setShortcutContext(Qt::ApplicationShortcut);
    addAction(helpAction_);
    connect(helpAction_, &QAction::triggered, this, &MainWindow::showHelp);

    chooseDeviceAction_ = new QAction(chooseDeviceCommand(), this);
    chooseDeviceAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    chooseDeviceAction_->setShortcutContext(Qt::WindowShortcut);
    addAction(chooseDeviceAction_);
    connect(chooseDeviceAction_, &QAction::triggered, this, &MainWindow::chooseDevicesInPanel);

    // Where the platform makes no context menu event of these keys; where it does, the menu that
    // is already open is not opened twice.
    auto* menuKeys = new QAction(this);
    menuKeys->setShortcuts({QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)});
    menuKeys->setShortcutContext(Qt::WindowShortcut);
    addAction(menuKeys);
    connect(menuKeys, &QAction::triggered, this, &MainWindow::popUpContextMenuFromKeyboard);
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
    }
    if (!help_->isVisible()) {
        // Beside the panel, wherever the panel is now. The help's frame is not known before it is
        // shown: the panel's stands in for it.
        const QMargins frame = decorations_;
        const QRect placed = placeHelp(frameGeometry(), help_->size().grownBy(frame), screen()->availableGeometry());
        help_->setGeometry(placed.marginsRemoved(frame));
        qCDebug(lcUi) << "help placed at" << placed << "beside the panel at" << frameGeometry();
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
    menu.addSeparator();
    menu.addAction(fullViewAction_);
    // The pane button's own click, for the view in which the window's edge cuts the button off,
    // out of reach of the keyboard.
    QWidget* pane = control(Control::PaneButton);
    if (pane->isVisibleTo(this) && !shownFocus_.wholeShown(*pane)) {
        QAction* toggle = menu.addAction(tr("Show Data Pane"));
        connect(toggle, &QAction::triggered, this, [this] {
            if (logic_ != nullptr) {
                logic_->click(Control::PaneButton);
            }
        });
    }
}

void MainWindow::popUpContextMenu(QWidget* under, QPoint globalPos) {
    if (contextMenu_ != nullptr && contextMenu_->isVisible()) {
        return;
    }
    // Not exec(): a nested event loop would hold up the timers' routing until the menu closes.
    contextMenu_ = new QMenu(this);
    contextMenu_->setObjectName(QStringLiteral("contextMenu"));
    contextMenu_->setAttribute(Qt::WA_DeleteOnClose);
    fillContextMenu(*contextMenu_, under);
    contextMenu_->popup(globalPos);
}

void MainWindow::popUpContextMenuFromKeyboard() {
    QWidget* focused = focusWidget();
    if (focused != nullptr && focused != this && shownFocus_.partlyShown(*focused)) {
        popUpContextMenu(focused, focused->mapToGlobal(focused->rect().center()));
    } else {
        popUpContextMenu(nullptr, mapToGlobal(rect().center()));
    }
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Keyboard) {
        popUpContextMenuFromKeyboard();
        return;
    }
    popUpContextMenu(childAt(event->pos()), event->globalPos());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
        popUpContextMenuFromKeyboard();
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

void MainWindow::markSimulation(bool tell) {
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
    control(Control::PortButton)->setToolTip(onSimulator ? text + QLatin1Char('\n') + tip : tip);
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
        QTimer::singleShot(0, this, &MainWindow::measureDecorations);
        if (!std::exchange(shownOnce_, true)) {
            markSimulation(true);
        }
        break;
    case QEvent::Resize:
        notice_->place();
        measureDecorations();
        shownFocus_.keepFocusShown();
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
    const ChooserOutcome outcome = chooseDevices(*deviceActions_, this, portInUse());
    markSimulation(false);
    // OK opens the port in use again, also with nothing changed: that is how it is tried again.
    if (outcome == ChooserOutcome::Chosen || outcome == ChooserOutcome::Unchanged) {
        logic_->devicesChanged();
    }
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
        markSimulation(true);
    }
}

void MainWindow::selectOption(Control option) {
    if (auto* radio = qobject_cast<QRadioButton*>(control(option))) {
        radio->setChecked(true);
    }
    markSimulation(false);
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
    // The port panel still shows the port that failed, which the user may choose a device for.
    return dialogs_.showPortWarning(QString::fromUtf8(text), portInUse());
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

std::string MainWindow::wordsOf(const Phrase& phrase) const {
    return QCoreApplication::translate(phrase.context, phrase.source).toStdString();
}

void MainWindow::endProgram() {
    close();
    QCoreApplication::quit();
}

} // namespace tavo
