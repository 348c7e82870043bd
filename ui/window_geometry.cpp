// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_geometry.h"

#include "ui/control_table.h"
#include "ui/panel_builder.h"
#include "ui/ui_log.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace tavo {

namespace {

int pixels(double twips) {
    return static_cast<int>(std::lround(twips / layout::kTwipsPerPixel));
}

} // namespace

WindowGeometry::WindowGeometry(QWidget& window) : window_(window), decorations_(assumedDecorations()) {}

double WindowGeometry::outerHeight() const {
    return (window_.height() + decorations_.top() + decorations_.bottom()) * layout::kTwipsPerPixel;
}

void WindowGeometry::setOuterHeight(double twips) {
    requestedOuterHeight_ = twips;
    applyOuterHeight();
}

void WindowGeometry::applyOuterHeight() {
    const int client = std::max(0, pixels(requestedOuterHeight_) - decorations_.top() - decorations_.bottom());
    window_.setFixedHeight(client);
}

double WindowGeometry::outerWidth() const {
    return (window_.width() + decorations_.left() + decorations_.right()) * layout::kTwipsPerPixel;
}

void WindowGeometry::setPosition(double left, double top) {
    requestedPosition_ = QPoint(pixels(left), pixels(top));
    window_.move(*requestedPosition_);
}

ScreenSize WindowGeometry::screenSize() const {
    const QRect full = QGuiApplication::primaryScreen()->geometry();
    return {.width = static_cast<double>(full.width()) * layout::kTwipsPerPixel,
            .height = static_cast<double>(full.height()) * layout::kTwipsPerPixel};
}

void WindowGeometry::measure() {
    if (!window_.isVisible()) {
        return;
    }
    const QRect frame = window_.frameGeometry();
    const QRect client = window_.geometry();
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
        window_.move(*requestedPosition_);
    }
}

} // namespace tavo
