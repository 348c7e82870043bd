// SPDX-License-Identifier: GPL-3.0-or-later
// The whole chain on a real pseudo-terminal: window, logic, COM ports and the simulated
// projector at the other end of the line.

#include "serial/com_ports.h"
#include "simulator/pty_projector.h"
#include "tests/support/projector_over_pty.h"
#include "tests/ui/panel_fixture.h"
#include "ui/exchange_log_model.h"
#include "ui/exchange_log_window.h"

#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <memory>

namespace tavo::test {
namespace {

// Counts the presses of one key that a widget is given.
class KeyPresses : public QObject {
public:
    explicit KeyPresses(Qt::Key key) : key_(key) {}
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == key_) {
            ++count;
        }
        return false;
    }
    int count = 0;

private:
    Qt::Key key_;
};

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

// Ctrl+L opens the exchange log beside the panel with what went over the line, the status read
// decoded; the focused button never sees the key, and the panel's fields and window stay as they
// were.
TEST_F(SimulatedProjectorTest, CtrlLOpensTheLogWithTheExchangesAndLeavesThePanelAsItWas) {
    click(Control::ReadStatus);
    ASSERT_TRUE(QTest::qWaitFor([&] { return text(Control::StatusLine) == QStringLiteral(" Stand by"); }));
    QWidget* focused = window.control(Control::PowerOn);
    focused->setFocus(Qt::OtherFocusReason);
    KeyPresses presses(Qt::Key_L);
    focused->installEventFilter(&presses);
    const QStringList fields{text(Control::TxdField), text(Control::RxdField), text(Control::StatusLine)};
    const QRect geometry = window.frameGeometry();
    QSignalSpy received(projector.get(), &PtyProjector::received);

    QTest::keyClick(window.windowHandle(), Qt::Key_L, Qt::ControlModifier);
    focused->removeEventFilter(&presses);
    EXPECT_EQ(presses.count, 0) << "the focused button never sees Ctrl+L";
    const ExchangeLogWindow* log = window.exchangeLogWindow();
    ASSERT_NE(log, nullptr);
    EXPECT_TRUE(log->isVisible());
    EXPECT_FALSE(log->isModal());
    EXPECT_EQ((QStringList{text(Control::TxdField), text(Control::RxdField), text(Control::StatusLine)}), fields);
    EXPECT_EQ(window.frameGeometry(), geometry);

    const ExchangeLogModel* model = log->model();
    QStringList rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        rows << model->rowText(row);
    }
    const QString time = QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\\tCOM1\\t");
    EXPECT_EQ(rows.filter(QRegularExpression(time + QStringLiteral("sent\\t C R 0 CR \\t$"))).size(), 1)
        << rows.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(rows.filter(QRegularExpression(time + QStringLiteral("reply\\t 8 0 CR \\tStand by$"))).size(), 1);

    QTest::qWait(100);
    EXPECT_TRUE(received.isEmpty()) << "POWER ON had the focus";

    // Saving asks for the file beside the panel, which works on meanwhile.
    const QList<QPushButton*> buttons = log->findChildren<QPushButton*>();
    const auto save = std::ranges::find(buttons, QStringLiteral("&Save…"), &QPushButton::text);
    ASSERT_NE(save, buttons.end());
    (*save)->click();
    auto* dialog = log->findChild<QFileDialog*>(QStringLiteral("ExchangeLogSaveDialog"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    click(Control::ReadStatus);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !received.isEmpty(); })) << "the panel still sends";
    dialog->reject();
}

} // namespace
} // namespace tavo::test
