// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The device notice along the lower edge of the window, over whatever part of it is visible: what
// became of the device (lost, back) or that an open is in progress. It takes no focus; only the
// Cancel button of an open in progress does, and Escape in the window cancels as well.

#include "core/ports/panel.h"

#include <QLabel>
#include <QPointer>

class QPushButton;
class QShortcut;
class QTimer;

namespace tavo {

class DeviceNotice : public QLabel {
    Q_OBJECT

public:
    // Hidden at first, and at the bottom of the stack so that it covers nothing of the layout.
    explicit DeviceNotice(QWidget& window);

    void present(const QString& text, Notice kind);
    void clear();
    // Along the window's lower edge at its present size; called whenever that changes.
    void place();

    // Present only while an open in progress is told, so that it is never met hidden.
    [[nodiscard]] QPushButton* cancelButton() const { return cancel_; }

signals:
    // The user cancelled the open the notice tells of.
    void cancelRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void setCancellable(bool cancellable);
    void placeCancelButton();

    QString whole_;
    QPointer<QPushButton> cancel_;
    QShortcut* escape_ = nullptr;
    QTimer* passing_ = nullptr;
};

} // namespace tavo
