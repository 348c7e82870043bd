// SPDX-License-Identifier: GPL-3.0-or-later
// The whole chain on a real pseudo-terminal: window, logic, COM ports and the simulated
// projector at the other end of the line.

#include "serial/com_ports.h"
#include "simulator/pty_projector.h"
#include "tests/support/projector_over_pty.h"
#include "tests/ui/panel_fixture.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <memory>

namespace tavo::test {
namespace {

class SimulatedProjectorTest : public ProjectorOverPty {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startProjector({}));
        logic = std::make_unique<PanelLogic>(window, *port);
        window.setLogic(logic.get());
        logic->start();
        ASSERT_TRUE(window.isVisible());
        window.setOuterHeight(7000);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void TearDown() override { window.setLogic(nullptr); }

    void click(Control control) {
        const QWidget* widget = window.control(control);
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          widget->mapTo(&window, widget->rect().center()));
    }
    [[nodiscard]] QString text(Control label) const { return qobject_cast<QLabel*>(window.control(label))->text(); }

    MainWindow window;
    std::unique_ptr<PanelLogic> logic;
};

TEST_F(SimulatedProjectorTest, StatusReadIsSentAnsweredAndDecoded) {
    QSignalSpy received(projector.get(), &PtyProjector::received);
    click(Control::ReadStatus);
    QByteArray line;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        for (; !received.isEmpty(); received.removeFirst()) {
            line += received.first().at(0).toByteArray();
        }
        return line.endsWith('\r');
    }));
    EXPECT_EQ(line, QByteArrayLiteral("CR0\r"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !text(Control::StatusLine).isEmpty(); }));
    EXPECT_EQ(text(Control::StatusLine), QStringLiteral(" Stand by"));
    EXPECT_FALSE(text(Control::RxdField).isEmpty());
}

TEST_F(SimulatedProjectorTest, HoldRepeatsItsLineOnTheWire) {
    QSignalSpy received(projector.get(), &PtyProjector::received);
    const QWidget* zoomIn = window.control(Control::ZoomIn);
    const QPoint centre = zoomIn->mapTo(&window, zoomIn->rect().center());
    QTest::mousePress(window.windowHandle(), Qt::RightButton, Qt::NoModifier, centre);
    QByteArray wire;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        for (; !received.isEmpty(); received.removeFirst()) {
            wire += received.first().at(0).toByteArray();
        }
        return wire.count('\r') >= 3;
    }));
    QTest::mouseRelease(window.windowHandle(), Qt::RightButton, Qt::NoModifier, centre);
    const QList<QByteArray> lines = wire.split('\r');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        EXPECT_EQ(lines.at(i), QByteArrayLiteral("C47")) << "line " << i;
    }
}

} // namespace
} // namespace tavo::test
