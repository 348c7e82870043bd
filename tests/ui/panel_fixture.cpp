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
#include <cmath>
#include <utility>

namespace tavo::test {

ModalDismisser::ModalDismisser(QString press) : press_(std::move(press)) {
    QTimer::singleShot(0, [this] { poll(); });
}

void ModalDismisser::poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
        QTimer::singleShot(10, [this] { poll(); });
        return;
    }
    seen_ = true;
    text = box->text();
    icon = box->icon();
    buttonCount = static_cast<int>(box->buttons().size());
    QAbstractButton* chosen = nullptr;
    for (QAbstractButton* button : box->buttons()) {
        buttons << button->text();
        if (button->text() == press_) {
            chosen = button;
        }
    }
    if (box->defaultButton() != nullptr) {
        defaultButton = box->defaultButton()->text();
    }
    if (chosen != nullptr) {
        chosen->click();
    } else {
        box->accept();
    }
}

void PanelTest::SetUp() {
    window.setLogic(&logic);
    ASSERT_TRUE(logic.start());
    window.show();
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
