// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/ui/panel_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace tavo::test {

QString FakeDeviceActions::useSimulatedProjector() {
    ++simulations;
    onSimulate();
    current.com1 = QStringLiteral("/dev/pts/simulated");
    return {};
}

QString FakeDeviceActions::simulatedDevice() const {
    return simulations > 0 ? QStringLiteral("/dev/pts/simulated") : QString();
}

QMessageBox* questionBox(const MainWindow& window) {
    return qobject_cast<QMessageBox*>(window.question());
}

QAbstractButton* buttonOf(const QMessageBox& box, const QString& caption) {
    const QList<QAbstractButton*> buttons = box.buttons();
    const auto found = std::ranges::find(buttons, caption, &QAbstractButton::text);
    return found == buttons.end() ? nullptr : *found;
}

QStringList sortedCaptions(const QMessageBox& box) {
    QStringList captions;
    for (const QAbstractButton* button : box.buttons()) {
        captions << button->text();
    }
    captions.sort();
    return captions;
}

void PanelTest::SetUp() {
    window.setLogic(&logic);
    logic.start();
    ASSERT_TRUE(window.isVisible()) << "start-up did not show the window";
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    port.writes.clear();
}

void PanelTest::TearDown() {
    window.setLogic(nullptr);
}

QWindow* PanelTest::handle() const {
    return window.windowHandle();
}

QPoint PanelTest::centreOf(Control control) const {
    const QWidget* widget = window.control(control);
    return widget->mapTo(&window, widget->rect().center());
}

void PanelTest::press(Control control, Qt::MouseButton button) {
    QTest::mousePress(handle(), button, Qt::NoModifier, centreOf(control));
}

void PanelTest::releaseAt(QPoint where, Qt::MouseButton button) {
    QTest::mouseRelease(handle(), button, Qt::NoModifier, where);
}

void PanelTest::release(Control control, Qt::MouseButton button) {
    releaseAt(centreOf(control), button);
}

void PanelTest::click(Control control, Qt::MouseButton button) {
    QTest::mouseClick(handle(), button, Qt::NoModifier, centreOf(control));
}

void PanelTest::key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(handle(), key, modifiers);
}

QString PanelTest::caption(Control control) const {
    return qobject_cast<QAbstractButton*>(window.control(control))->text();
}

void PanelTest::chooseFromContextMenu(const QString& entry) {
    key(Qt::Key_Menu);
    QMenu* menu = window.contextMenu();
    ASSERT_NE(menu, nullptr) << "the Menu key opens no menu";
    QAction* chosen = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text() == entry) {
            chosen = action;
        }
    }
    ASSERT_NE(chosen, nullptr) << "no entry " << entry.toStdString();
    menu->close();
    chosen->trigger();
}

int PanelTest::clientHeightFor(double outerTwips) const {
    const QMargins d = window.decorations();
    return static_cast<int>(std::lround(outerTwips / 15)) - d.top() - d.bottom();
}

} // namespace tavo::test
