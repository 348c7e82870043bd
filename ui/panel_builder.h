// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Builds the panel from the layout table and the control catalog: the window's title, icon,
// colours and size, then every control with its geometry, looks, spoken name and tab order, and
// the four timers, all stopped. Routing their events is the window's business.

#include "core/ports/controls.h"

#include <QMargins>
#include <array>
#include <vector>

class QPainter;
class QTimer;
class QWidget;

namespace tavo {

class HoldPushButton;

struct PanelWidgets {
    std::array<QWidget*, kControlCount> controls{};
    std::array<QTimer*, kTimerCount> timers{};
    std::vector<HoldPushButton*> holdButtons;
};

[[nodiscard]] PanelWidgets buildPanel(QWidget& window);

// The decorative lines round the cursor pad, on the window's background.
void paintPanelLines(QPainter& painter);

// Title bar and frame in device-independent pixels, as assumed until the window has been framed.
[[nodiscard]] QMargins assumedDecorations();

} // namespace tavo
