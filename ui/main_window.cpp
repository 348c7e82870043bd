// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window.h"

#include "core/commands.h"
#include "core/panel_logic.h"
#include "ui/accessible_text.h"
#include "ui/control_table.h"
#include "ui/device_actions.h"
#include "ui/device_chooser.h"
#include "ui/help_window.h"
#include "ui/hold_push_button.h"
#include "ui/key_codes.h"
#include "ui/panel_button.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextDocument>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace tavo {

namespace {

QColor toColor(layout::Rgb rgb) {
    return {rgb.r, rgb.g, rgb.b};
}

int pixels(double twips) {
    return static_cast<int>(std::lround(twips / layout::kTwipsPerPixel));
}

QRect pixelRect(const layout::ControlRow& row) {
    return {layout::toPixels(row.x), layout::toPixels(row.y), layout::toPixels(row.w), layout::toPixels(row.h)};
}

QFont fontFor(const layout::FontStyle& style) {
    QFont font(QString::fromUtf8(style.face == layout::Face::Gothic ? layout::kGothicFamily : layout::kPGothicFamily));
    font.setPointSizeF(style.points);
    font.setWeight(style.bold ? QFont::Bold : QFont::Normal);
    return font;
}

Qt::Alignment alignmentFor(layout::Align align) {
    switch (align) {
    case layout::Align::Centre:
        return Qt::AlignHCenter | Qt::AlignTop;
    case layout::Align::Right:
        return Qt::AlignRight | Qt::AlignTop;
    case layout::Align::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

// How long the notice that a device is back stays.
constexpr int kPassingNoticeMs = 5000;

const QString kChooseDevice = QStringLiteral("Choose Device…");

QMargins assumedDecorations() {
    const int side = layout::toPixels(layout::kAssumedDecorationWidth) / 2;
    const int titleAndFrame = layout::toPixels(layout::kAssumedDecorationHeight) - side;
    return {side, titleAndFrame, side, side};
}

bool isWindowless(layout::Kind kind) {
    return kind == layout::Kind::Label || kind == layout::Kind::Image;
}

QWidget* createWidget(const layout::ControlRow& row, QWidget* parent) {
    switch (row.kind) {
    case layout::Kind::Button: {
        QPushButton* button = isHoldButton(row.control) ? new HoldPushButton(parent) : new PanelButton(parent);
        button->setText(QString::fromUtf8(row.caption));
        return button;
    }
    case layout::Kind::Option: {
        auto* option = new QRadioButton(QString::fromUtf8(row.caption), parent);
        option->setChecked(row.selected);
        return option;
    }
    case layout::Kind::Frame: {
        auto* frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Box | QFrame::Sunken); // etched, without a title
        return frame;
    }
    case layout::Kind::Label: {
        auto* label = new QLabel(parent);
        // Device replies are shown in labels: never let markup in them be interpreted.
        label->setTextFormat(Qt::PlainText);
        label->setText(QString::fromUtf8(row.caption));
        label->setWordWrap(true);
        label->setAlignment(alignmentFor(row.align));
        if (row.border) {
            label->setFrameStyle(QFrame::Box | QFrame::Plain);
            label->setLineWidth(1);
        }
        return label;
    }
    case layout::Kind::Image: {
        auto* image = new QLabel(parent);
        image->setPixmap(QPixmap(QStringLiteral(":/tavo/logo.png")));
        image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return image;
    }
    }
    return nullptr;
}

void applyLooks(QWidget* widget, const layout::ControlRow& row) {
    QPalette palette = widget->palette();
    if (row.background) {
        const QColor colour = toColor(*row.background);
        if (row.kind == layout::Kind::Button) {
            palette.setColor(QPalette::Button, colour);
        } else {
            palette.setColor(QPalette::Window, colour);
            widget->setAutoFillBackground(true);
        }
    }
    if (row.text) {
        palette.setColor(QPalette::WindowText, toColor(*row.text));
        palette.setColor(QPalette::ButtonText, toColor(*row.text));
    }
    widget->setPalette(palette);
    if (row.font.face != layout::Face::None) {
        widget->setFont(fontFor(row.font));
    }
    // Labels without a name of their own are read by their text.
    const QString name = accessibleNameFor(row.control, row.caption);
    if (!name.isEmpty()) {
        widget->setAccessibleName(name);
    }
    widget->setAccessibleDescription(accessibleDescriptionFor(row.control, row.caption));
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent), decorations_(assumedDecorations()) {
    setWindowTitle(QString::fromUtf8(layout::kTitle));
    QIcon icon;
    icon.addFile(QStringLiteral(":/tavo/icon-32-mono.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/tavo/icon-32-16.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/tavo/icon-16-16.png"), QSize(16, 16));
    setWindowIcon(icon);

    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, toColor(layout::kWindowBackground));
    setPalette(palette);
    setAutoFillBackground(true);
    setFont(fontFor(layout::kWindowFont));

    setFixedSize(layout::toPixels(layout::kClientWidth), layout::toPixels(layout::kClientHeight));

    buildControls();
    buildTimers();
    routeEvents();

    chooseDeviceAction_ = new QAction(kChooseDevice, this);
    chooseDeviceAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    chooseDeviceAction_->setShortcutContext(Qt::WindowShortcut);
    addAction(chooseDeviceAction_);
    connect(chooseDeviceAction_, &QAction::triggered, this, &MainWindow::chooseDevicesInPanel);

    notice_ = new QLabel(this);
    notice_->setObjectName(QStringLiteral("deviceNotice"));
    notice_->setAccessibleName(QStringLiteral("Device notice"));
    notice_->setTextFormat(Qt::PlainText);
    notice_->setWordWrap(true);
    notice_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    notice_->setFrameStyle(QFrame::Box | QFrame::Plain);
    notice_->setMargin(2);
    notice_->setAutoFillBackground(true);
    notice_->setFocusPolicy(Qt::NoFocus);
    QFont noticeFont = QApplication::font();
    noticeFont.setBold(true);
    notice_->setFont(noticeFont);
    notice_->hide();
    // At the bottom of the stack until shown, so that it covers nothing of the layout.
    notice_->lower();
    noticeTimer_ = new QTimer(this);
    noticeTimer_->setSingleShot(true);
    noticeTimer_->setInterval(kPassingNoticeMs);
    connect(noticeTimer_, &QTimer::timeout, this, &MainWindow::clearNotice);

    // Key preview: the platform window sees every key once, before the focused control.
    createWinId();
    windowHandle()->installEventFilter(this);

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
}

QWidget* MainWindow::control(Control control) const {
    return controls_[index(control)];
}

QTimer* MainWindow::timer(TimerId timer) const {
    return timers_[index(timer)];
}

void MainWindow::buildControls() {
    for (const layout::ControlRow& row : layout::kControls) {
        QWidget* parent = row.parent ? control(*row.parent) : this;
        QWidget* widget = createWidget(row, parent);
        widget->setObjectName(QString::fromUtf8(row.id));
        QRect rect = pixelRect(row);
        if (row.parent) {
            // Rounded in window coordinates first, so that controls inside and outside a frame
            // stay on one pixel grid.
            rect.translate(-pixelRect(*layout::find(*row.parent)).topLeft());
        }
        widget->setGeometry(rect);
        applyLooks(widget, row);
        if (row.hidden) {
            widget->hide();
        }
        // Only COM and the background offer the context menu; every other button keeps its right
        // mouse button to itself (hold buttons react to any button).
        if ((row.kind == layout::Kind::Button || row.kind == layout::Kind::Option) &&
            row.control != Control::PortButton) {
            widget->setContextMenuPolicy(Qt::PreventContextMenu);
        }
        controls_[index(row.control)] = widget;
        if (auto* hold = qobject_cast<HoldPushButton*>(widget)) {
            holdButtons_.push_back(hold);
        }
    }

    // Windowed controls lie above labels and the image; reverse order keeps the table's order
    // among the windowless ones.
    for (auto it = layout::kControls.rbegin(); it != layout::kControls.rend(); ++it) {
        if (isWindowless(it->kind)) {
            control(it->control)->lower();
        }
    }

    std::vector<const layout::ControlRow*> focusable;
    for (const layout::ControlRow& row : layout::kControls) {
        if (row.tab > 0) {
            focusable.push_back(&row);
        }
    }
    std::ranges::sort(focusable, {}, &layout::ControlRow::tab);
    for (std::size_t i = 1; i < focusable.size(); ++i) {
        setTabOrder(control(focusable[i - 1]->control), control(focusable[i]->control));
    }
}

void MainWindow::buildTimers() {
    for (const layout::TimerRow& row : layout::kTimers) {
        auto* timer = new QTimer(this);
        timer->setObjectName(QString::fromUtf8(row.id));
        // The repeat runs at 5 to 50 ms; a coarse timer would merge ticks.
        timer->setTimerType(Qt::PreciseTimer);
        timer->setSingleShot(false);
        timer->setInterval(startInterval(row.timer));
        timers_[index(row.timer)] = timer;
    }
}

void MainWindow::routeEvents() {
    for (const layout::ControlRow& row : layout::kControls) {
        const Control id = row.control;
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
    for (const layout::TimerRow& row : layout::kTimers) {
        const TimerId id = row.timer;
        connect(timer(id), &QTimer::timeout, this, [this, id] {
            if (logic_ != nullptr) {
                logic_->timerTick(id);
            }
        });
    }
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
        } else if (panel.left() - gap - help_->width() >= room.left()) {
            help_->move(panel.left() - gap - help_->width(), std::max(room.top(), panel.top()));
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
    menu.addAction(QStringLiteral("Help\tF1"), this, &MainWindow::showHelp);
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
        placeNotice();
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

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (logic_ != nullptr) {
            logic_->keyDown(keyCodeFor(key->key()), shiftStateFor(key->modifiers()));
        }
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            showHelp();
        }
    }
    return false; // the focused control still gets the key
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    QPen pen(toColor(layout::kLineColour), layout::kLinePixels);
    pen.setCapStyle(Qt::SquareCap);
    painter.setPen(pen);
    for (const layout::LineRow& line : layout::kLines) {
        painter.drawLine(layout::toPixels(line.x1), layout::toPixels(line.y1), layout::toPixels(line.x2),
                         layout::toPixels(line.y2));
    }
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
    QMessageBox box(QMessageBox::Warning, windowTitle(), QString::fromUtf8(text), QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

PortFailureChoice MainWindow::showPortWarning(std::string_view text) {
    QMessageBox box(QMessageBox::Warning, windowTitle(), QString::fromUtf8(text), QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    QAbstractButton* choose =
        deviceActions_ != nullptr ? box.addButton(kChooseDevice, QMessageBox::ActionRole) : nullptr;
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    if (choose == nullptr || box.clickedButton() != choose) {
        return PortFailureChoice::Dismiss;
    }
    const ChooserOutcome outcome = chooseDevices(*deviceActions_, this);
    const bool retry = outcome == ChooserOutcome::Chosen || outcome == ChooserOutcome::Unchanged;
    return retry ? PortFailureChoice::Retry : PortFailureChoice::Dismiss;
}

PortFailureChoice MainWindow::showStartupError(std::string_view text) {
    QString shown = QString::fromUtf8(text);
    for (;;) {
        // Also on the terminal, where a user who started the panel from a shell looks first.
        std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()), qPrintable(shown));
        QMessageBox box(QMessageBox::Critical, windowTitle(), shown, QMessageBox::NoButton);
        box.setTextFormat(Qt::PlainText);
        box.setWindowIcon(windowIcon());
        QAbstractButton* choose = nullptr;
        QAbstractButton* simulate = nullptr;
        if (deviceActions_ != nullptr) {
            choose = box.addButton(kChooseDevice, QMessageBox::ActionRole);
            simulate = box.addButton(QStringLiteral("Try Without a Projector"), QMessageBox::ActionRole);
        }
        QPushButton* quit = box.addButton(QStringLiteral("Quit"), QMessageBox::RejectRole);
        // Return still ends the panel, as the one-button error did.
        box.setDefaultButton(quit);
        box.setEscapeButton(quit);
        box.exec();
        // No button at all: the program is being ended.
        const QAbstractButton* clicked = box.clickedButton();
        if (clicked != nullptr && clicked == choose) {
            switch (chooseDevices(*deviceActions_, nullptr)) {
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
            const QString failure = deviceActions_->useSimulatedProjector();
            if (failure.isEmpty()) {
                return PortFailureChoice::Retry;
            }
            shown = failure;
            continue;
        }
        return PortFailureChoice::Dismiss;
    }
}

void MainWindow::showNotice(std::string_view text, Notice kind) {
    const QString shown = QString::fromUtf8(text);
    // An open in progress stays like a lasting notice until it ends.
    const bool lasting = kind != Notice::Passing;
    QPalette palette = notice_->palette();
    palette.setColor(QPalette::Window, lasting ? QColor(255, 255, 176) : QColor(208, 255, 208));
    palette.setColor(QPalette::WindowText, lasting ? QColor(160, 0, 0) : QColor(0, 96, 0));
    notice_->setPalette(palette);
    notice_->setText(shown);
    notice_->setToolTip(Qt::convertFromPlainText(shown));
    notice_->setAccessibleDescription(shown);
    placeNotice();
    notice_->raise();
    notice_->show();
    if (lasting) {
        noticeTimer_->stop();
        // Flashes the task bar entry of a window in the background; takes no focus.
        QApplication::alert(this);
    } else {
        noticeTimer_->start();
    }
    QAccessibleEvent announce(notice_, QAccessible::Alert);
    QAccessible::updateAccessibility(&announce);
}

void MainWindow::clearNotice() {
    noticeTimer_->stop();
    notice_->hide();
}

void MainWindow::placeNotice() {
    const int h = notice_->heightForWidth(width());
    notice_->setGeometry(0, height() - h, width(), h);
}

void MainWindow::endProgram() {
    close();
    QCoreApplication::quit();
}

} // namespace tavo
