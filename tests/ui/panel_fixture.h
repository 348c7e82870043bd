// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A shown, loaded panel on a fake serial port, and the mouse and keyboard driven through the
// platform window as a user's input arrives, so that Qt's own routing (grabs, focus, key preview)
// is part of what is tested.

#include "core/panel_logic.h"
#include "tests/support/fake_serial_port.h"
#include "ui/device_actions.h"
#include "ui/main_window.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

class QAbstractButton;
class QMessageBox;
class QWindow;

namespace tavo::test {

// The device choices carried out in memory; "Try Without a Projector" puts a simulated device
// behind COM1.
class FakeDeviceActions : public DeviceActions {
public:
    [[nodiscard]] DeviceChoice devices() const override { return current; }
    void setDevices(const DeviceChoice& choice) override { current = choice; }
    [[nodiscard]] QString useSimulatedProjector() override;
    [[nodiscard]] QString simulatedDevice() const override;

    DeviceChoice current;
    int simulations = 0;
    std::function<void()> onSimulate = [] {
    };
};

// The message box of the question the window asks now, if any.
[[nodiscard]] QMessageBox* questionBox(const MainWindow& window);
// Its button with that caption.
[[nodiscard]] QAbstractButton* buttonOf(const QMessageBox& box, const QString& caption);
[[nodiscard]] QStringList sortedCaptions(const QMessageBox& box);

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
