// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/device_notice.h"

#include "ui/elided_text.h"
#include "ui/ui_log.h"

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <algorithm>
#include <array>

namespace tavo {

namespace {

// How long a passing notice (a device that is back, how things stand) stays.
constexpr int kPassingNoticeMs = 5000;
// Room between the Cancel button and the notice's edge.
constexpr int kCancelGap = 2;

struct NoticeLook {
    Notice kind;
    QRgb background;
    QRgb text;
    // Flashes the task bar entry of a window in the background (a lost device).
    bool alert;
    // Goes by itself after a few seconds.
    bool passes;
    bool cancellable;
};

// A lost device in alarm colours; a device that is back in green; an open in progress and how
// things stand calmly.
constexpr std::array kLooks{
    NoticeLook{.kind = Notice::Lasting,
               .background = qRgb(255, 255, 176),
               .text = qRgb(160, 0, 0),
               .alert = true,
               .passes = false,
               .cancellable = false},
    NoticeLook{.kind = Notice::Passing,
               .background = qRgb(208, 255, 208),
               .text = qRgb(0, 96, 0),
               .alert = false,
               .passes = true,
               .cancellable = false},
    NoticeLook{.kind = Notice::Progress,
               .background = qRgb(224, 232, 248),
               .text = qRgb(0, 40, 104),
               .alert = false,
               .passes = false,
               .cancellable = true},
    NoticeLook{.kind = Notice::Calm,
               .background = qRgb(224, 232, 248),
               .text = qRgb(0, 40, 104),
               .alert = false,
               .passes = true,
               .cancellable = false},
};

const NoticeLook& lookOf(Notice kind) {
    const auto* found = std::ranges::find(kLooks, kind, &NoticeLook::kind);
    return found == kLooks.end() ? kLooks.front() : *found;
}

} // namespace

DeviceNotice::DeviceNotice(QWidget& window) : QLabel(&window) {
    setObjectName(QStringLiteral("deviceNotice"));
    setAccessibleName(tr("Device notice"));
    setTextFormat(Qt::PlainText);
    // One line, so that the notice leaves the controls above it in reach (COM, to choose a port
    // again); the whole text is in the tool tip and the description.
    setWordWrap(false);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setMargin(2);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
    QFont bold = QApplication::font();
    bold.setBold(true);
    setFont(bold);

    // A shortcut of the notice acts only while the notice is shown.
    escape_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape_->setContext(Qt::WindowShortcut);
    escape_->setEnabled(false);
    connect(escape_, &QShortcut::activated, this, &DeviceNotice::cancelRequested);

    passing_ = new QTimer(this);
    passing_->setSingleShot(true);
    passing_->setInterval(kPassingNoticeMs);
    connect(passing_, &QTimer::timeout, this, &DeviceNotice::clear);

    hide();
    lower();
}

void DeviceNotice::present(const QString& text, Notice kind) {
    const NoticeLook& look = lookOf(kind);
    qCDebug(lcUi) << "notice shown:" << text;
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor::fromRgb(look.background));
    colours.setColor(QPalette::WindowText, QColor::fromRgb(look.text));
    setPalette(colours);
    whole_ = text;
    setToolTip(Qt::convertFromPlainText(text));
    setAccessibleDescription(text);
    setCancellable(look.cancellable);
    place();
    raise();
    show();
    if (look.passes) {
        passing_->start();
    } else {
        passing_->stop();
    }
    if (look.alert) {
        QApplication::alert(window());
    }
    QAccessibleEvent announce(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&announce);
}

void DeviceNotice::clear() {
    if (isVisible()) {
        qCDebug(lcUi) << "notice cleared";
    }
    passing_->stop();
    setCancellable(false);
    hide();
}

void DeviceNotice::place() {
    const QWidget* window = parentWidget();
    const QMargins margins = contentsMargins();
    const int room = window->width() - margins.left() - margins.right() - 2 * (frameWidth() + margin());
    setText(elidedAtWord(whole_, fontMetrics(), room));
    int h = sizeHint().height();
    if (cancel_ != nullptr) {
        h = std::max(h, cancel_->sizeHint().height() + 2 * kCancelGap);
    }
    setGeometry(0, window->height() - h, window->width(), h);
    placeCancelButton();
}

void DeviceNotice::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    placeCancelButton();
}

void DeviceNotice::setCancellable(bool cancellable) {
    escape_->setEnabled(cancellable);
    if (cancellable && cancel_ == nullptr) {
        cancel_ = new QPushButton(tr("Cancel"), this);
        cancel_->setObjectName(QStringLiteral("deviceNoticeCancel"));
        cancel_->setAccessibleDescription(tr("Stops connecting to the device"));
        QFont plain = font();
        plain.setBold(false);
        cancel_->setFont(plain);
        cancel_->setAutoDefault(false);
        connect(cancel_, &QPushButton::clicked, this, &DeviceNotice::cancelRequested);
        cancel_->show();
    } else if (!cancellable && cancel_ != nullptr) {
        // Later: this may run inside the button's own click.
        cancel_->hide();
        cancel_->deleteLater();
        cancel_ = nullptr;
    }
    // The text keeps clear of the button.
    setContentsMargins(0, 0, cancel_ != nullptr ? cancel_->sizeHint().width() + 2 * kCancelGap : 0, 0);
}

void DeviceNotice::placeCancelButton() {
    if (cancel_ == nullptr) {
        return;
    }
    const QSize size = cancel_->sizeHint();
    cancel_->setGeometry(width() - size.width() - kCancelGap, (height() - size.height()) / 2, size.width(),
                         size.height());
}

} // namespace tavo
