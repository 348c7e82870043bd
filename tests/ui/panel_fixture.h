// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A shown, loaded panel on a fake serial port, and the mouse and keyboard driven through the
// platform window as a user's input arrives, so that Qt's own routing (grabs, focus, key preview)
// is part of what is tested.

#include "core/panel_logic.h"
#include "tests/support/fake_serial_port.h"
#include "ui/main_window.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>

class QWindow;

namespace tavo::test {

// Closes the next modal message box once it is shown, with the button captioned `press` or else
// without a button, and keeps what it showed.
class ModalDismisser {
public:
    explicit ModalDismisser(QString press = {});
    [[nodiscard]] bool seen() const { return seen_; }
    QString text;
    int icon = -1;
    int buttonCount = 0;
    QStringList buttons;
    QString defaultButton;

private:
    void poll();
    QString press_;
    bool seen_ = false;
};

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    [[nodiscard]] QWindow* handle() const;
    [[nodiscard]] QPoint centreOf(Control control) const;
    void press(Control control, Qt::MouseButton button = Qt::LeftButton);
    void releaseAt(QPoint where, Qt::MouseButton button = Qt::LeftButton);
    void release(Control control, Qt::MouseButton button = Qt::LeftButton);
    void click(Control control, Qt::MouseButton button = Qt::LeftButton);
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    [[nodiscard]] QString caption(Control control) const;
    // The Menu key, then the entry of the window's context menu with that text.
    void chooseFromContextMenu(const QString& entry);
    // Client height in pixels that an outer height in twips leaves with the current decorations.
    [[nodiscard]] int clientHeightFor(double outerTwips) const;

    FakeSerialPort port;
    MainWindow window;
    PanelLogic logic{window, port};
};

} // namespace tavo::test
