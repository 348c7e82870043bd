// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/recent_devices.h"
#include "tests/support/printers.h"
#include "tests/ui/panel_fixture.h"
#include "ui/device_actions.h"
#include "ui/device_chooser.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <optional>
#include <ostream>
#include <unistd.h>

namespace tavo {

void PrintTo(const DeviceChoice& choice, std::ostream* os) {
    *os << "COM1 \"" << choice.com1.toStdString() << "\", COM2 \"" << choice.com2.toStdString() << '"';
}

} // namespace tavo

namespace tavo::test {
namespace {

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
    EXPECT_EQ(chooser.choice().com1, QStringLiteral(" /tmp/projector ")) << "as typed";

    FakeDeviceActions actions;
    actions.current = before;
    ASSERT_TRUE(saveChangedDevices({}, {.com1 = {}, .com2 = QStringLiteral("/dev/ttyUSB9")}).isEmpty());
    EXPECT_TRUE(applyChosenDevices(actions, before, {.com1 = before.com1, .com2 = present[0].stableName}).isEmpty());
    EXPECT_EQ(actions.current.com2, present[0].stableName);
    EXPECT_EQ(loadSavedDevices().choice, (DeviceChoice{.com1 = {}, .com2 = present[0].stableName}))
        << "the command line's COM1 is not saved";
    EXPECT_TRUE(
        applyChosenDevices(actions, actions.current, {.com1 = QStringLiteral("/tmp/projector"), .com2 = {}}).isEmpty());
    EXPECT_EQ(loadSavedDevices().choice, (DeviceChoice{.com1 = QStringLiteral("/tmp/projector"), .com2 = {}}));
}

QByteArray settingsFile() {
    QFile file(settingsFilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Enter with the list focused takes the fields as they are shown, not the highlighted device; the
// entry the user changed is saved, and the other stays byte for byte, trailing blank and all.
TEST_F(ChooserTest, EnterTakesTheFieldsAsShownAndSavingKeepsTheOtherEntryAsTyped) {
    const DeviceChoice saved{.com1 = QStringLiteral("/tmp/projector "), .com2 = QStringLiteral("/dev/ttyS1")};
    ASSERT_TRUE(saveChangedDevices({}, saved).isEmpty());
    EXPECT_EQ(loadSavedDevices().choice, saved);
    const QByteArray before = settingsFile();

    const QList<SerialDevice> present{
        {.path = QStringLiteral("/dev/ttyS0"), .stableName = {}, .description = {}, .maker = {}, .serialNumber = {}}};
    DeviceChooser chooser(saved, present);
    chooser.show();
    auto* list = chooser.findChild<QTreeWidget*>(QStringLiteral("deviceList"));
    ASSERT_NE(list->currentItem(), nullptr) << "a device is highlighted";
    chooser.findChild<QLineEdit*>(QStringLiteral("com2Device"))->setText(QStringLiteral("/dev/ttyUSB0"));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
    const DeviceChoice chosen = chooser.choice();
    EXPECT_EQ(chosen, (DeviceChoice{.com1 = saved.com1, .com2 = QStringLiteral("/dev/ttyUSB0")}));

    FakeDeviceActions actions;
    actions.current = saved;
    EXPECT_TRUE(applyChosenDevices(actions, saved, chosen).isEmpty());
    EXPECT_EQ(loadSavedDevices().choice, chosen);
    const QByteArray after = settingsFile();
    const auto com1Line = [](const QByteArray& file) {
        const auto lines = file.split('\n');
        const auto found = std::ranges::find_if(lines, [](const QByteArray& l) { return l.startsWith("com1="); });
        return found == lines.end() ? QByteArray() : *found;
    };
    EXPECT_FALSE(com1Line(before).isEmpty());
    EXPECT_EQ(com1Line(after), com1Line(before));
}

// A save that fails is told at once with the reason; the panel goes on with the choice, and the
// file is left as it was.
TEST_F(ChooserTest, AFailedSaveIsToldAndTheChoiceStaysInUse) {
    const QString path = settingsFilePath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    // A file the user may not write; root may write any file, so for root a folder in its place.
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_TRUE(QDir().mkpath(path));
    } else {
        ASSERT_TRUE(saveChangedDevices({}, {.com1 = QStringLiteral("/dev/ttyUSB0"), .com2 = {}}).isEmpty());
        ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner));
    }
    const QByteArray before = settingsFile();

    FakeDeviceActions actions;
    actions.current = {.com1 = QStringLiteral("/dev/ttyUSB0"), .com2 = QStringLiteral("/dev/ttyS1")};
    std::optional<ChooserOutcome> outcome;
    DeviceChooser* chooser = chooseDevices(actions, nullptr, 1, [&outcome](ChooserOutcome o) { outcome = o; });
    ASSERT_TRUE(chooser->isVisible());
    EXPECT_FALSE(outcome) << "opened, not run";
    chooser->findChild<QLineEdit*>(QStringLiteral("com1Device"))->setText(QStringLiteral("/tmp/projector"));
    QTest::keyClick(chooser->findChild<QLineEdit*>(QStringLiteral("com1Device")), Qt::Key_Return);
    EXPECT_EQ(outcome, ChooserOutcome::Chosen);
    EXPECT_EQ(actions.current.com1, QStringLiteral("/tmp/projector"));

    QMessageBox* told = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QStringLiteral("unsavedChoice") && widget->isVisible()) {
            told = qobject_cast<QMessageBox*>(widget);
        }
    }
    ASSERT_NE(told, nullptr) << "the failed save is not told";
    EXPECT_TRUE(told->text().contains(path + (root ? QStringLiteral(" is a folder") : QStringLiteral(" is read-only"))))
        << told->text().toStdString();
    EXPECT_TRUE(told->text().contains(QStringLiteral("used until the panel ends"))) << told->text().toStdString();
    told->close();
    EXPECT_EQ(settingsFile(), before);
}

// A settings file far larger than any the panel writes is neither read nor changed.
TEST_F(ChooserTest, AnOversizedSettingsFileIsLeftAlone) {
    const QString path = settingsFilePath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.write("[devices]\ncom1=/dev/ttyUSB0\n") > 0);
    ASSERT_TRUE(file.resize(kMaxSettingsFileBytes + 1));
    file.close();

    const SavedDevices saved = loadSavedDevices();
    EXPECT_EQ(saved.choice, DeviceChoice{});
    EXPECT_TRUE(saved.problem.contains(path + QStringLiteral(" is larger than 1 MB"))) << saved.problem.toStdString();
    const QString failure = saveChangedDevices({}, {.com1 = {}, .com2 = QStringLiteral("/dev/ttyUSB1")});
    EXPECT_TRUE(failure.contains(QStringLiteral("larger than 1 MB"))) << failure.toStdString();
    EXPECT_EQ(QFileInfo(path).size(), kMaxSettingsFileBytes + 1);
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

    logic.start();
    QMessageBox* box = questionBox(window);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_EQ(sortedCaptions(*box), (QStringList{QStringLiteral("Choose Device…"), QStringLiteral("Quit"),
                                                 QStringLiteral("Retry"), QStringLiteral("Try Without a Projector")}));
    ASSERT_NE(box->defaultButton(), nullptr);
    EXPECT_EQ(box->defaultButton()->text(), QStringLiteral("Quit"));
    EXPECT_FALSE(window.isVisible());

    // The chooser's Cancel goes back to the error, which still stands.
    buttonOf(*box, QStringLiteral("Choose Device…"))->click();
    auto* chooser = qobject_cast<DeviceChooser*>(window.question());
    ASSERT_NE(chooser, nullptr);
    chooser->reject();
    box = questionBox(window);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text().toStdString(), port.description(1) + " does not exist.");

    buttonOf(*box, QStringLiteral("Try Without a Projector"))->click();
    EXPECT_EQ(actions.simulations, 1);
    EXPECT_TRUE(port.opened);
    EXPECT_TRUE(window.isVisible()) << "shown once the port is open";
    EXPECT_EQ(window.question(), nullptr);
    EXPECT_FALSE(logic.gaveUpAtStartUp());
    window.setLogic(nullptr);
    window.setDeviceActions(nullptr);
}

} // namespace
} // namespace tavo::test
