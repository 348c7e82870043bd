// SPDX-License-Identifier: GPL-3.0-or-later
// What Qt 6 does on its own, which the hold buttons are built around. Should a Qt release change
// one of these, the reason for the matching code in the hold button goes away with it.

#include "tests/ui/panel_fixture.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace tavo::test {
namespace {

class PlainButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        top.resize(200, 100);
        button = new QPushButton(QStringLiteral("plain"), &top);
        button->setGeometry(10, 10, 100, 30);
        top.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&top));
        top.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&top));
    }
    QWidget top;
    QPushButton* button = nullptr;
    const QPoint centre{60, 25};
};

TEST_F(PlainButtonTest, ReactsToTheLeftButtonOnly) {
    QSignalSpy pressed(button, &QPushButton::pressed);
    QTest::mouseClick(top.windowHandle(), Qt::RightButton, Qt::NoModifier, centre);
    QTest::mouseClick(top.windowHandle(), Qt::MiddleButton, Qt::NoModifier, centre);
    EXPECT_EQ(pressed.count(), 0);
    QTest::mouseClick(top.windowHandle(), Qt::LeftButton, Qt::NoModifier, centre);
    EXPECT_EQ(pressed.count(), 1);
}

TEST_F(PlainButtonTest, AutoRepeatEmitsReleasedOnEveryTick) {
    button->setAutoRepeat(true);
    button->setAutoRepeatDelay(10);
    button->setAutoRepeatInterval(10);
    QSignalSpy released(button, &QPushButton::released);
    QTest::mousePress(top.windowHandle(), Qt::LeftButton, Qt::NoModifier, centre);
    EXPECT_TRUE(QTest::qWaitFor([&] { return released.count() >= 2; }));
    QTest::mouseRelease(top.windowHandle(), Qt::LeftButton, Qt::NoModifier, centre);
}

TEST(QtTimerFactTest, SetIntervalRestartsARunningTimer) {
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.start(60000);
    timer.setInterval(60000);
    const int before = timer.remainingTime();
    timer.setInterval(1000);
    EXPECT_GT(before, 1000);
    EXPECT_LE(timer.remainingTime(), 1000);
}

} // namespace
} // namespace tavo::test
