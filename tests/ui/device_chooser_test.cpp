// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/recent_devices.h"
#include "tests/support/printers.h"
#include "tests/ui/panel_fixture.h"
#include "ui/device_actions.h"
#include "ui/device_chooser.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

namespace tavo::test {
namespace {

class FakeDeviceActions : public DeviceActions {
public:
    [[nodiscard]] DeviceChoice devices() const override { return current; }
    void setDevices(const DeviceChoice& choice) override { current = choice; }
    [[nodiscard]] QString useSimulatedProjector() override {
        ++simulations;
        onSimulate();
        current.com1 = QStringLiteral("/dev/pts/simulated");
        return {};
    }
    [[nodiscard]] QString simulatedDevice() const override {
        return simulations > 0 ? QStringLiteral("/dev/pts/simulated") : QString();
    }

    DeviceChoice current;
    int simulations = 0;
    std::function<void()> onSimulate = [] {
    };
};

// The user's settings in a directory of the test's own.
class ChooserTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    }
    void TearDown() override { qunsetenv("XDG_CONFIG_HOME"); }

    QTemporaryDir config;
};

TEST_F(ChooserTest, PicksFromTheListOrTypedAndSavesOnlyWhatTheUserChanged) {
    const QList<SerialDevice> present{
        {.path = QStringLiteral("/dev/ttyUSB0"),
         .stableName = QStringLiteral("/dev/serial/by-id/usb-Maker_Adapter_A1-if00-port0"),
         .description = QStringLiteral("USB serial adapter"),
         .maker = QStringLiteral("Maker"),
         .serialNumber = QStringLiteral("A1")},
        {.path = QStringLiteral("/dev/ttyS0"), .stableName = {}, .description = {}, .maker = {}, .serialNumber = {}}};
    // COM1 came from --com1, COM2 from the defaults.
    const DeviceChoice before{.com1 = QStringLiteral("/dev/ttyACM0"), .com2 = QStringLiteral("/dev/ttyS1")};
    DeviceChooser chooser(before, present);
    auto* list = chooser.findChild<QTreeWidget*>(QStringLiteral("deviceList"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("USB serial adapter"));

    list->setCurrentItem(list->topLevelItem(0));
    for (QPushButton* button : chooser.findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("Use as COM&2")) {
            button->click();
        }
    }
    EXPECT_EQ(chooser.choice(), (DeviceChoice{.com1 = before.com1, .com2 = present[0].stableName}));
    chooser.findChild<QLineEdit*>(QStringLiteral("com1Device"))->setText(QStringLiteral(" /tmp/projector "));
    EXPECT_EQ(chooser.choice().com1, QStringLiteral("/tmp/projector"));

    FakeDeviceActions actions;
    actions.current = before;
    saveDevices({.com1 = {}, .com2 = QStringLiteral("/dev/ttyUSB9")});
    applyChosenDevices(actions, before, {.com1 = before.com1, .com2 = present[0].stableName});
    EXPECT_EQ(actions.current.com2, present[0].stableName);
    EXPECT_EQ(loadSavedDevices(), (DeviceChoice{.com1 = {}, .com2 = present[0].stableName}))
        << "the command line's COM1 is not saved";
    applyChosenDevices(actions, actions.current, {.com1 = QStringLiteral("/tmp/projector"), .com2 = {}});
    EXPECT_EQ(loadSavedDevices(), (DeviceChoice{.com1 = QStringLiteral("/tmp/projector"), .com2 = {}}));
}

// The simulated projector is shown by name and never taken for a device called so; devices chosen
// before and absent now are offered after those present.
TEST_F(ChooserTest, NamesTheSimulatedProjectorAndOffersDevicesChosenBefore) {
    const QList<SerialDevice> present{
        {.path = QStringLiteral("/dev/ttyUSB0"), .stableName = {}, .description = {}, .maker = {}, .serialNumber = {}}};
    DeviceChooser chooser({.com1 = QStringLiteral("/dev/pts/6"), .com2 = QStringLiteral("/dev/ttyS1")}, present);
    chooser.setSimulatedDevice(QStringLiteral("/dev/pts/6"));
    EXPECT_EQ(chooser.findChild<QLineEdit*>(QStringLiteral("com1Device"))->text(),
              QStringLiteral("simulated projector"));
    EXPECT_EQ(chooser.choice().com1, QStringLiteral("/dev/pts/6"));

    rememberDevices({QStringLiteral("/dev/ttyUSB0"), QStringLiteral("rfc2217://hall:3000")});
    rememberDevices({QStringLiteral("tcp://hall:3001"), QStringLiteral("rfc2217://hall:3000")});
    EXPECT_EQ(loadRecentDevices(),
              (QStringList{QStringLiteral("tcp://hall:3001"), QStringLiteral("rfc2217://hall:3000"),
                           QStringLiteral("/dev/ttyUSB0")}));
    for (int i = 0; i < 20; ++i) {
        rememberDevices({QStringLiteral("tcp://room%1:4001").arg(i)});
    }
    EXPECT_EQ(loadRecentDevices().size(), kRecentDeviceLimit);
    EXPECT_EQ(loadRecentDevices().front(), QStringLiteral("tcp://room19:4001"));

    chooser.setRecentDevices({QStringLiteral("rfc2217://hall:3000"), QStringLiteral("/dev/ttyUSB0")});
    auto* list = chooser.findChild<QTreeWidget*>(QStringLiteral("deviceList"));
    ASSERT_EQ(list->topLevelItemCount(), 2) << "a device present is listed once";
    EXPECT_EQ(list->topLevelItem(1)->text(0), QStringLiteral("rfc2217://hall:3000"));
}

TEST_F(ChooserTest, StartUpErrorOffersTheChoicesWithQuitAsDefault) {
    FakeSerialPort port;
    port.missingPorts = {1};
    FakeDeviceActions actions;
    actions.onSimulate = [&port] {
        port.missingPorts.clear();
    };
    MainWindow window;
    window.setDeviceActions(&actions);
    PanelLogic logic(window, port);
    window.setLogic(&logic);

    {
        ModalDismisser quit(QStringLiteral("Quit"));
        EXPECT_FALSE(logic.start());
        ASSERT_TRUE(quit.seen());
        EXPECT_EQ(quit.icon, QMessageBox::Critical);
        quit.buttons.sort();
        EXPECT_EQ(quit.buttons, (QStringList{QStringLiteral("Choose Device…"), QStringLiteral("Quit"),
                                             QStringLiteral("Retry"), QStringLiteral("Try Without a Projector")}));
        EXPECT_EQ(quit.defaultButton, QStringLiteral("Quit"));
    }
    {
        ModalDismisser simulate(QStringLiteral("Try Without a Projector"));
        EXPECT_TRUE(logic.start());
        EXPECT_TRUE(simulate.seen());
        EXPECT_EQ(actions.simulations, 1);
        EXPECT_TRUE(port.opened);
    }
    window.setLogic(nullptr);
    window.setDeviceActions(nullptr);
}

} // namespace
} // namespace tavo::test
