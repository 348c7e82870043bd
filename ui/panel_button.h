// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A push button whose caption wraps onto further lines where it is wider than the button, as the
// panel's taller buttons ("DISPLAY CLEAR", the data pane button) expect.

#include <QPushButton>

namespace tavo {

class PanelButton : public QPushButton {
    Q_OBJECT

public:
    explicit PanelButton(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tavo
