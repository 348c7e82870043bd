// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/printers.h"
#include "tests/ui/panel_fixture.h"
#include "ui/device_notice.h"
#include "ui/help_window.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <cmath>

namespace tavo::test {
namespace {

using std::string_literals::operator""s;

const QString kShowData = QStringLiteral("データを表示する");
const QString kHideData = QStringLiteral("データを表示しない");

class ViewTest : public PanelTest {
protected:
    void expectView(double outerTwips, const QString& pane, bool paneShown) {
        EXPECT_EQ(window.height(), clientHeightFor(outerTwips));
        EXPECT_DOUBLE_EQ(window.outerHeight(), std::lround(outerTwips / 15) * 15.0);
        EXPECT_EQ(caption(Control::PaneButton), pane);
        EXPECT_EQ(window.control(Control::PaneButton)->isVisible(), paneShown);
    }
    // In the collapsed view the pane button lies below the window's edge, out of the keyboard's
    // reach; the context menu stands in for it.
    void showDataPaneFromKeyboard() { chooseFromContextMenu(QStringLiteral("Show Data Pane")); }
};

TEST_F(ViewTest, DecorationsAreMeasuredOnceShown) {
    const QMargins d = window.decorations();
    EXPECT_EQ(d.top(), window.geometry().top() - window.frameGeometry().top());
    EXPECT_EQ(d.bottom(), window.frameGeometry().bottom() - window.geometry().bottom());
    EXPECT_EQ(d.left(), window.geometry().left() - window.frameGeometry().left());
}

TEST_F(ViewTest, CtrlHAndThePaneButtonGoThroughAllFourStates) {
    expectView(5350, kShowData, false);

    key(Qt::Key_H, Qt::ControlModifier);
    expectView(7000, QStringLiteral("CLOSE"), true);

    click(Control::PaneButton);
    expectView(5350, kShowData, true);

    showDataPaneFromKeyboard();
    expectView(6645, kHideData, true);

    click(Control::PaneButton);
    expectView(5350, kShowData, true);

    showDataPaneFromKeyboard();
    key(Qt::Key_H, Qt::ControlModifier);
    expectView(7000, QStringLiteral("CLOSE"), true);
    EXPECT_TRUE(port.writes.empty());
}

TEST_F(ViewTest, FullViewShowsTheWholeLayout) {
    key(Qt::Key_H, Qt::ControlModifier);
    EXPECT_GE(window.height(), 441);
}

TEST_F(ViewTest, CtrlHDoesNotActivateTheFocusedButton) {
    ASSERT_EQ(QApplication::focusWidget(), window.control(Control::PowerOn));
    key(Qt::Key_H, Qt::ControlModifier);
    EXPECT_TRUE(port.writes.empty());
    EXPECT_EQ(caption(Control::PaneButton), QStringLiteral("CLOSE"));
}

TEST_F(ViewTest, PaneButtonRestartsThePortPanelTimer) {
    click(Control::PortButton);
    key(Qt::Key_H, Qt::ControlModifier);
    window.setTimerInterval(TimerId::PortPanelHide, 60000);
    click(Control::PaneButton);
    EXPECT_TRUE(window.timer(TimerId::PortPanelHide)->isActive());
    EXPECT_GT(window.timer(TimerId::PortPanelHide)->remainingTime(), 59000) << "counted afresh";
    EXPECT_TRUE(window.control(Control::PortPanel)->isVisible());
}

struct ChordRow {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

void PrintTo(const ChordRow& row, std::ostream* os) {
    *os << row.name;
}

class OtherChordTest : public ViewTest, public ::testing::WithParamInterface<ChordRow> {};

TEST_P(OtherChordTest, ChangesNothing) {
    key(GetParam().key, GetParam().modifiers);
    expectView(5350, kShowData, false);
}

INSTANTIATE_TEST_SUITE_P(Keys, OtherChordTest,
                         ::testing::Values(ChordRow{"PlainH", Qt::Key_H, Qt::NoModifier},
                                           ChordRow{"ShiftH", Qt::Key_H, Qt::ShiftModifier},
                                           ChordRow{"AltH", Qt::Key_H, Qt::AltModifier},
                                           ChordRow{"CtrlShiftH", Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier},
                                           ChordRow{"CtrlAltH", Qt::Key_H, Qt::ControlModifier | Qt::AltModifier},
                                           ChordRow{"CtrlG", Qt::Key_G, Qt::ControlModifier}),
                         tavo::test::RowName{});

// The window as the start-up leaves it, just before it would be shown.
class UnshownWindow : public MainWindow {
public:
    void showWindow() override { shown = true; }
    bool shown = false;
};

TEST(StartupPlacementTest, CentredAcrossTopPlacedForTheFullHeight) {
    FakeSerialPort port;
    UnshownWindow window;
    PanelLogic logic(window, port);
    window.setLogic(&logic);
    logic.start();
    ASSERT_TRUE(window.shown);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    // Before the window is framed: 3-pixel borders and a 19-pixel title bar.
    const int outerWidth = 634 + 6;
    const int fullOuterHeight = 441 + 25;
    EXPECT_EQ(window.pos(), QPoint(static_cast<int>(std::lround((screen.width() - outerWidth) / 2.0)),
                                   static_cast<int>(std::lround((screen.height() - fullOuterHeight) / 2.0))));
    EXPECT_EQ(window.height(), 357 - 25);
    EXPECT_FALSE(window.isVisible());
    window.setLogic(nullptr);
}

TEST(StartupFailureTest, ShowsTheErrorAndNeverTheWindow) {
    FakeSerialPort port;
    port.missingPorts = {1};
    MainWindow window;
    PanelLogic logic(window, port);
    window.setLogic(&logic);
    logic.start();
    QMessageBox* box = questionBox(window);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_EQ(box->text().toStdString(), port.description(1) + " does not exist.");
    EXPECT_FALSE(window.isVisible());
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_TRUE(logic.gaveUpAtStartUp()) << "Escape means Quit";
    EXPECT_FALSE(window.isVisible());
    window.setLogic(nullptr);
}

using NoticeTest = PanelTest;

// Only an open in progress can be cancelled: by the notice's own button or by Escape, and the
// notice takes the focus from no control.
TEST_F(NoticeTest, AnOpenInProgressIsCancelledByItsButtonOrEscape) {
    auto* notice = window.findChild<DeviceNotice*>();
    ASSERT_NE(notice, nullptr);
    QSignalSpy cancelled(notice, &DeviceNotice::cancelRequested);
    key(Qt::Key_Escape);
    window.showNotice("COM1 was disconnected.", Notice::Lasting);
    key(Qt::Key_Escape);
    EXPECT_EQ(notice->cancelButton(), nullptr);
    EXPECT_EQ(cancelled.count(), 0);

    window.showNotice("Connecting to host:4001…", Notice::Progress);
    QPushButton* cancel = notice->cancelButton();
    ASSERT_NE(cancel, nullptr);
    EXPECT_TRUE(cancel->isVisible());
    EXPECT_EQ(notice->geometry().bottom(), window.rect().bottom());
    EXPECT_TRUE(window.rect().contains(QRect(cancel->mapTo(&window, QPoint(0, 0)), cancel->size())));
    EXPECT_EQ(QApplication::focusWidget(), window.control(Control::PowerOn));
    QTest::mouseClick(handle(), Qt::LeftButton, Qt::NoModifier, cancel->mapTo(&window, cancel->rect().center()));
    EXPECT_EQ(cancelled.count(), 1);
    key(Qt::Key_Escape);
    EXPECT_EQ(cancelled.count(), 2);
    EXPECT_TRUE(port.writes.empty());

    window.showNotice("COM1 is back.", Notice::Passing);
    EXPECT_EQ(notice->cancelButton(), nullptr);
    key(Qt::Key_Escape);
    EXPECT_EQ(cancelled.count(), 2);
}

// In the collapsed view, where the status line is out of sight, each click that is not sent
// changes the notice; the port panel shows the port in use after the failed change.
TEST_F(NoticeTest, EachClickNotSentChangesTheCollapsedView) {
    const auto* notice = window.findChild<DeviceNotice*>();
    ASSERT_NE(notice, nullptr);
    port.missingPorts = {2};
    click(Control::PortButton);
    click(Control::Com2Option);
    ASSERT_NE(questionBox(window), nullptr);
    buttonOf(*questionBox(window), QStringLiteral("OK"))->click();
    EXPECT_TRUE(qobject_cast<QRadioButton*>(window.control(Control::Com1Option))->isChecked()) << "the port in use";
    EXPECT_FALSE(notice->isVisible());

    click(Control::PowerOn);
    ASSERT_TRUE(notice->isVisible());
    EXPECT_TRUE(window.rect().contains(notice->geometry()));
    const QString first = notice->text();
    EXPECT_TRUE(first.startsWith(QStringLiteral("Not sent: C00."))) << first.toStdString();
    click(Control::PowerOn);
    EXPECT_NE(notice->text(), first) << "the same click again changes what is seen";
    EXPECT_TRUE(qobject_cast<QLabel*>(window.control(Control::TxdField))->text().isEmpty());
    EXPECT_TRUE(port.writes.empty());

    // A text longer than the status line ends at a word there, and is whole for the tool tip and
    // a screen reader.
    const QString whole =
        QStringLiteral(" Not sent: C00. COM1 (/dev/serial/by-id/usb-Example_Serial_A12345-if00-port0) "
                       "is not open: a port change failed. Choose COM1 again under COM to try "
                       "again, or choose another device (Ctrl+D).");
    window.setLabelText(Control::StatusLine, whole.toStdString());
    const auto* status = qobject_cast<QLabel*>(window.control(Control::StatusLine));
    ASSERT_TRUE(status->text().endsWith(QChar(0x2026))) << status->text().toStdString();
    const QString kept = status->text().chopped(1);
    EXPECT_TRUE(whole.startsWith(kept));
    EXPECT_EQ(whole.at(kept.size()), QLatin1Char(' ')) << "cut at a word: " << kept.toStdString();
    EXPECT_LE(status->fontMetrics().horizontalAdvance(status->text()), status->contentsRect().width());
    EXPECT_EQ(status->accessibleDescription(), whole);
    EXPECT_TRUE(status->toolTip().contains(QStringLiteral("(Ctrl+D).")));
}

using PortChangeTest = PanelTest;

TEST_F(PortChangeTest, FailureShowsAWarningWithOneOkButton) {
    port.missingPorts = {2};
    click(Control::PortButton);
    click(Control::Com2Option);
    const QMessageBox* box = questionBox(window);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    EXPECT_EQ(sortedCaptions(*box), QStringList{QStringLiteral("OK")});
    EXPECT_EQ(box->text().toStdString(), port.description(2) + " does not exist.");
    EXPECT_TRUE(window.control(Control::PortPanel)->isVisible());
}

// COM, its spoken description and the help name the port, its device and its line, also after a
// change of speed or port; the simulated projector by that name, never by its pseudo-terminal.
using DeviceInViewTest = PanelTest;

TEST_F(DeviceInViewTest, ComNamesThePortTheDeviceAndTheLine) {
    FakeDeviceActions actions;
    actions.current = {.com1 = QStringLiteral("rfc2217://10.0.0.7:2001"), .com2 = QStringLiteral("/dev/ttyUSB1")};
    window.setDeviceActions(&actions);
    const QWidget* com = window.control(Control::PortButton);
    const auto named = [com](const QString& inUse) {
        EXPECT_TRUE(com->toolTip().startsWith(inUse + QLatin1Char('\n'))) << com->toolTip().toStdString();
        EXPECT_TRUE(com->accessibleDescription().startsWith(inUse)) << com->accessibleDescription().toStdString();
    };
    named(QStringLiteral("COM1: rfc2217://10.0.0.7:2001, 19200 baud, 8N1"));

    click(Control::PortButton);
    click(Control::Speed9600Option);
    named(QStringLiteral("COM1: rfc2217://10.0.0.7:2001, 9600 baud, 8N1"));
    click(Control::PortButton);
    click(Control::Com2Option);
    named(QStringLiteral("COM2: /dev/ttyUSB1, 9600 baud, 8N1"));
    window.showHelp();
    ASSERT_NE(window.helpWindow(), nullptr);
    EXPECT_TRUE(window.helpWindow()->browser()->toPlainText().contains(
        QStringLiteral("In use now: COM2: /dev/ttyUSB1, 9600 baud, 8N1.")));

    click(Control::PortButton);
    click(Control::Com1Option);
    ASSERT_TRUE(actions.useSimulatedProjector().isEmpty());
    window.setDeviceActions(&actions);
    named(QStringLiteral("COM1: simulated projector, 9600 baud, 8N1"));
    EXPECT_FALSE(com->toolTip().contains(QStringLiteral("/dev/pts")));
    EXPECT_TRUE(window.helpWindow()->browser()->toPlainText().contains(
        QStringLiteral("In use now: COM1: simulated projector, 9600 baud, 8N1.")));
    window.setDeviceActions(nullptr);
}

} // namespace
} // namespace tavo::test
