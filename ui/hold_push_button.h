// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A push button that sends while it is held: it reports the press and the release of every mouse
// button, not only the left one, and ignores keyboard activation. When the hold can no longer end
// with a release (the window loses activation or is blocked by a modal dialog, the button loses
// the focus, is hidden or disabled) it reports the hold as cancelled instead.

#include "ui/panel_button.h"

namespace tavo {

class HoldPushButton : public PanelButton {
    Q_OBJECT

public:
    explicit HoldPushButton(QWidget* parent = nullptr);

    [[nodiscard]] bool isHeld() const { return buttonsDown_ != Qt::NoButton; }
    // Ends a hold that will get no release; does nothing when the button is not held.
    void cancelHold();

signals:
    void holdPressed();
    void holdReleased();
    void holdCancelled();

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    Qt::MouseButtons buttonsDown_ = Qt::NoButton;
};

} // namespace tavo
