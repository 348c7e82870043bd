// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window's geometry as the logic gives it: outer sizes in twips, title bar and frame included,
// and the frame's position. The frame is not known until the window manager has framed the window,
// so sizes and position asked for are applied again once it is measured.

#include "core/ports/panel.h"

#include <QMargins>
#include <QPoint>
#include <optional>

class QWidget;

namespace tavo {

class WindowGeometry {
public:
    explicit WindowGeometry(QWidget& window);

    // Title bar and frame in device-independent pixels: assumed until the window has been framed.
    [[nodiscard]] QMargins decorations() const { return decorations_; }

    [[nodiscard]] double outerHeight() const;
    void setOuterHeight(double twips);
    [[nodiscard]] double outerWidth() const;
    void setPosition(double left, double top);
    [[nodiscard]] ScreenSize screenSize() const;

    // Measures the frame of the shown window; whenever it differs from what was assumed, the
    // height and position asked for are applied again.
    void measure();

private:
    void applyOuterHeight();

    QWidget& window_;
    QMargins decorations_;
    // The outer height last asked for, applied again once the real decorations are known.
    double requestedOuterHeight_ = 0;
    // The frame's position last asked for: before the window manager has framed the window Qt
    // places the client area there instead, so it is applied again once the frame is known.
    std::optional<QPoint> requestedPosition_;
};

} // namespace tavo
