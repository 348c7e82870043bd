// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/hold_push_button.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace tavo {

namespace {

bool isActivationKey(int key) {
    return key == Qt::Key_Space || key == Qt::Key_Select || key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

HoldPushButton::HoldPushButton(QWidget* parent) : PanelButton(parent) {
    // QAbstractButton's auto-repeat would emit released() on every tick; the repeat is the
    // logic's own timer.
    setAutoRepeat(false);
    // A right-button press is a hold like any other; a context menu would take its release.
    setContextMenuPolicy(Qt::PreventContextMenu);
}

void HoldPushButton::cancelHold() {
    if (!isHeld()) {
        return;
    }
    buttonsDown_ = Qt::NoButton;
    setDown(false);
    emit holdCancelled();
}

bool HoldPushButton::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate || event->type() == QEvent::WindowBlocked) {
        cancelHold();
    }
    return PanelButton::event(event);
}

void HoldPushButton::mousePressEvent(QMouseEvent* event) {
    // QAbstractButton reacts to the left button only. Every press starts the hold again, also a
    // second mouse button on a button already held. Qt's implicit grab sends the release here
    // even after the pointer has left the button.
    event->accept();
    if (event->button() == Qt::NoButton) {
        return;
    }
    buttonsDown_ |= event->button();
    setDown(true);
    emit holdPressed();
}

void HoldPushButton::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (!buttonsDown_.testFlag(event->button())) {
        return; // its press was not ours, or the hold was cancelled since
    }
    buttonsDown_ &= ~Qt::MouseButtons(event->button());
    if (!isHeld()) {
        setDown(false);
    }
    emit holdReleased();
}

void HoldPushButton::mouseMoveEvent(QMouseEvent* event) {
    // The face stays down while held, wherever the pointer goes.
    event->accept();
}

void HoldPushButton::keyPressEvent(QKeyEvent* event) {
    if (isActivationKey(event->key())) {
        event->accept();
        return;
    }
    PanelButton::keyPressEvent(event);
}

void HoldPushButton::keyReleaseEvent(QKeyEvent* event) {
    // QAbstractButton clicks on the release of Space while the button is down, which it is
    // during a mouse hold.
    if (isActivationKey(event->key())) {
        event->accept();
        return;
    }
    PanelButton::keyReleaseEvent(event);
}

void HoldPushButton::focusOutEvent(QFocusEvent* event) {
    PanelButton::focusOutEvent(event);
    cancelHold();
}

void HoldPushButton::hideEvent(QHideEvent* event) {
    PanelButton::hideEvent(event);
    cancelHold();
}

void HoldPushButton::changeEvent(QEvent* event) {
    PanelButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        cancelHold();
    }
}

} // namespace tavo
