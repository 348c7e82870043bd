// SPDX-License-Identifier: GPL-3.0-or-later
// The warning of a failed port change asks without waiting: every way out of it is an answer, and
// afterwards everything names the port in use.

#include "tests/support/printers.h"
#include "tests/ui/panel_fixture.h"
#include "ui/device_chooser.h"
#include "ui/device_notice.h"

#include <QAbstractEventDispatcher>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <ostream>

namespace tavo::test {
namespace {

class PortWarningTest : public PanelTest {
protected:
    void SetUp() override {
        // The device chooser reads the devices chosen before from the user's settings.
        ASSERT_TRUE(config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        actions.current = {.com1 = QStringLiteral("/dev/ttyS0"), .com2 = QStringLiteral("/dev/ttyS1")};
        window.setDeviceActions(&actions);
        PanelTest::SetUp();
        port.missingPorts = {2};
    }
    void TearDown() override {
        PanelTest::TearDown();
        window.setDeviceActions(nullptr);
        qunsetenv("XDG_CONFIG_HOME");
    }

    // COM, then COM2, which fails: the warning it asks.
    QMessageBox* failChangeToCom2() {
        click(Control::PortButton);
        click(Control::Com2Option);
        QMessageBox* box = questionBox(window);
        return box != nullptr && box->isVisible() ? box : nullptr;
    }
    [[nodiscard]] bool com1Chosen() const {
        return qobject_cast<QRadioButton*>(window.control(Control::Com1Option))->isChecked();
    }
    [[nodiscard]] QString status() const { return qobject_cast<QLabel*>(window.control(Control::StatusLine))->text(); }
    [[nodiscard]] const DeviceNotice& notice() const { return *window.findChild<DeviceNotice*>(); }

    QTemporaryDir config;
    FakeDeviceActions actions;
};

struct WayOut {
    const char* name;
    void (*leave)(QMessageBox& box, const MainWindow& window);
};

void PrintTo(const WayOut& row, std::ostream* os) {
    *os << row.name;
}

class EveryWayOut : public PortWarningTest, public ::testing::WithParamInterface<WayOut> {};

TEST_P(EveryWayOut, IsAnAnswerAndAClickAfterItIsToldInTheCollapsedView) {
    QMessageBox* box = failChangeToCom2();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(logic.sessionState(), SessionState::AskingAfterChange);
    GetParam().leave(*box, window);
    EXPECT_EQ(window.question(), nullptr);
    EXPECT_EQ(logic.sessionState(), SessionState::Settled);
    EXPECT_TRUE(com1Chosen()) << "the radio shows the port in use";

    ASSERT_DOUBLE_EQ(window.outerHeight(), std::lround(kCollapsedHeight / 15) * 15.0);
    click(Control::PowerOn);
    EXPECT_TRUE(port.writes.empty());
    ASSERT_TRUE(notice().isVisible());
    EXPECT_EQ(notice().text(), QStringLiteral("Not sent: C00. COM1 is not open."));
    EXPECT_EQ(status(), QStringLiteral(" Not sent: C00. COM1 is not open."));

    // Ctrl+D offers to open the port in use again; Cancel there leaves things as they are. The
    // offscreen platform hands the activation back to no window once the dialog is gone.
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    key(Qt::Key_D, Qt::ControlModifier);
    const QList<DeviceChooser*> choosers = window.findChildren<DeviceChooser*>();
    const auto shown = std::ranges::find_if(choosers, &QWidget::isVisible);
    ASSERT_NE(shown, choosers.end());
    DeviceChooser* chooser = *shown;
    EXPECT_EQ(chooser->findChild<QLabel*>(QStringLiteral("portToOpen"))->text(),
              QStringLiteral("OK opens COM1 again with the device given."));
    chooser->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    click(Control::PowerOn);
    EXPECT_EQ(notice().text(), QStringLiteral("Not sent: C00 (2 in a row). COM1 is not open."));
}

INSTANTIATE_TEST_SUITE_P(PortWarning, EveryWayOut,
                         ::testing::Values(WayOut{"Ok",
                                                  [](QMessageBox& box, const MainWindow& /*window*/) {
                                                      buttonOf(box, QStringLiteral("OK"))->click();
                                                  }},
                                           WayOut{"Escape",
                                                  [](QMessageBox& box, const MainWindow& /*window*/) {
                                                      QTest::keyClick(&box, Qt::Key_Escape);
                                                  }},
                                           // As the window manager's close button does it.
                                           WayOut{"CloseButton",
                                                  [](QMessageBox& box, const MainWindow& /*window*/) {
                                                      box.windowHandle()->close();
                                                  }},
                                           // As the X server tells of a window destroyed by another program.
                                           WayOut{"DestroyedFromOutside",
                                                  [](QMessageBox& box, const MainWindow& /*window*/) {
                                                      std::array<std::uint8_t, 32> destroyNotify{17};
                                                      const auto id = static_cast<std::uint32_t>(box.internalWinId());
                                                      std::memcpy(&destroyNotify[8], &id, sizeof id);
                                                      qintptr result = 0;
                                                      QAbstractEventDispatcher::instance()->filterNativeEvent(
                                                          "xcb_generic_event_t", destroyNotify.data(), &result);
                                                      QCoreApplication::processEvents();
                                                  }},
                                           WayOut{"ChooserCancelled",
                                                  [](QMessageBox& box, const MainWindow& window) {
                                                      buttonOf(box, chooseDeviceCommand())->click();
                                                      auto* chooser = qobject_cast<DeviceChooser*>(window.question());
                                                      ASSERT_NE(chooser, nullptr);
                                                      QTest::keyClick(chooser, Qt::Key_Escape);
                                                  }}),
                         RowName{});

// While the warning waits, the panel's timers run on as ever: the port panel hides itself.
TEST_F(PortWarningTest, TimersRunWhileTheWarningWaits) {
    window.setTimerInterval(TimerId::PortPanelHide, 200);
    QMessageBox* box = failChangeToCom2();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window.control(Control::PortPanel)->isVisible(); }));
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(logic.sessionState(), SessionState::AskingAfterChange);
    buttonOf(*box, QStringLiteral("OK"))->click();
    EXPECT_TRUE(com1Chosen());
}

// A far end that keeps refusing the line settings shows one warning, with its latest reason.
TEST_F(PortWarningTest, RefusalsShowOneWarningAtATime) {
    for (const char* refusal : {"COM1 refused 9600 baud.", "COM1 refused 9600 baud again."}) {
        port.refusal = refusal;
        port.notify(PortEvent::SettingsRefused);
    }
    QList<QMessageBox*> shown = window.findChildren<QMessageBox*>();
    shown.removeIf([](const QMessageBox* box) { return !box->isVisible(); });
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown.front()->text(), QStringLiteral("COM1 refused 9600 baud again."));
    EXPECT_EQ(window.question(), nullptr) << "it asks nothing";
}

} // namespace
} // namespace tavo::test
