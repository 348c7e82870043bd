// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shown_focus.h"

#include "ui/ui_log.h"

#include <QWidget>

namespace tavo {

namespace {

QRect inWindow(const QWidget& window, const QWidget& control) {
    return {control.mapTo(&window, QPoint(0, 0)), control.size()};
}

} // namespace

bool ShownFocus::partlyShown(const QWidget& control) const {
    if (!control.isVisibleTo(&window_)) {
        return false;
    }
    const QRect rect = inWindow(window_, control);
    if (!window_.rect().intersects(rect)) {
        return false;
    }
    for (const QWidget* cover : covers_) {
        if (cover != &control && !cover->isAncestorOf(&control) && cover->isVisibleTo(&window_) &&
            inWindow(window_, *cover).contains(rect)) {
            return false;
        }
    }
    return true;
}

bool ShownFocus::wholeShown(const QWidget& control) const {
    if (!control.isVisibleTo(&window_)) {
        return false;
    }
    const QRect rect = inWindow(window_, control);
    if (!window_.rect().contains(rect)) {
        return false;
    }
    for (const QWidget* cover : covers_) {
        if (cover != &control && !cover->isAncestorOf(&control) && cover->isVisibleTo(&window_) &&
            inWindow(window_, *cover).intersects(rect)) {
            return false;
        }
    }
    return true;
}

bool ShownFocus::takesTabFocus(const QWidget& widget) const {
    return &widget != &window_ && widget.window() == &window_ && (widget.focusPolicy() & Qt::TabFocus) != 0 &&
           widget.isEnabled() && widget.focusProxy() == nullptr && wholeShown(widget);
}

bool ShownFocus::moveFocus(bool next) {
    QWidget* start = window_.focusWidget() != nullptr ? window_.focusWidget() : &window_;
    for (QWidget* w = start;;) {
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
        if (w == nullptr || w == start) {
            return false;
        }
        if (takesTabFocus(*w)) {
            qCDebug(lcUi) << "focus to" << w->objectName();
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
}

void ShownFocus::keepFocusShown() {
    QWidget* focused = window_.focusWidget();
    if (focused == nullptr || focused == &window_ || wholeShown(*focused)) {
        return;
    }
    qCDebug(lcUi) << focused->objectName() << "went out of sight; the focus moves on";
    if (!moveFocus(true)) {
        window_.setFocus(Qt::OtherFocusReason);
    }
}

} // namespace tavo
