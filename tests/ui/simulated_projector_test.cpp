// The whole chain on a real pseudo-terminal: window, logic, host serial port and the simulated
// projector at the other end of the line.

#include "serial/host_serial_port.h"
#include "serial/pty_projector.h"
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
        form = std::make_unique<Form1>(window, *port);
        window.setForm(form.get());
        ASSERT_TRUE(form->load());
        window.setOuterHeight(7000);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void TearDown() override { window.setForm(nullptr); }

    void click(Control control) {
        const QWidget* widget = window.control(control);
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          widget->mapTo(&window, widget->rect().center()));
    }
    [[nodiscard]] QString text(Control label) const { return qobject_cast<QLabel*>(window.control(label))->text(); }

    MainWindow window;
    std::unique_ptr<Form1> form;
};

TEST_F(SimulatedProjectorTest, StatusReadIsSentAnsweredAndDecoded) {
    QSignalSpy received(projector.get(), &PtyProjector::received);
    click(Control::Command44);
    QByteArray line;
    ASSERT_TRUE(waitUntil([&] {
        for (; !received.isEmpty(); received.removeFirst()) {
            line += received.first().at(0).toByteArray();
        }
        return line.endsWith('\r');
    }));
    EXPECT_EQ(line, QByteArrayLiteral("CR0\r"));
    EXPECT_TRUE(waitUntil([&] { return !text(Control::Label25).isEmpty(); }));
    EXPECT_EQ(text(Control::Label25), QStringLiteral(" Stand by"));
    EXPECT_FALSE(text(Control::Label12).isEmpty());
}

TEST_F(SimulatedProjectorTest, HoldRepeatsItsLineOnTheWire) {
    QSignalSpy received(projector.get(), &PtyProjector::received);
    const QWidget* zoomIn = window.control(Control::Command15);
    const QPoint centre = zoomIn->mapTo(&window, zoomIn->rect().center());
    QTest::mousePress(window.windowHandle(), Qt::RightButton, Qt::NoModifier, centre);
    QByteArray wire;
    ASSERT_TRUE(waitUntil([&] {
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
