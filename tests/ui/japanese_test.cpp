// SPDX-License-Identifier: GPL-3.0-or-later
// Run with LANG=ja_JP.UTF-8 and the translations installed as the programs install them: the
// user's texts are Japanese, the panel's own captions are not translated.

#include "core/control_catalog.h"
#include "core/panel_logic.h"
#include "serial/com_ports.h"
#include "serial/device_factory.h"
#include "tests/ui/help_wrapping.h"
#include "tests/ui/panel_fixture.h"
#include "ui/control_table.h"
#include "ui/device_actions.h"
#include "ui/device_chooser.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/panel_port_advisor.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLocale>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace tavo::test {
namespace {

class NoDevices : public DeviceActions {
public:
    [[nodiscard]] DeviceChoice devices() const override { return {}; }
    void setDevices(const DeviceChoice& /*choice*/) override {}
    [[nodiscard]] QString useSimulatedProjector() override { return {}; }
    [[nodiscard]] QString simulatedDevice() const override { return {}; }
};

QString shownText(const QWidget* widget) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return button->text();
    }
    const auto* label = qobject_cast<const QLabel*>(widget);
    return label != nullptr ? label->text() : QString();
}

TEST(Japanese, PortFailureAndChooserSpeakJapaneseWhileTheCaptionsStay) {
    ASSERT_EQ(QLocale::system().uiLanguages().value(0).left(2), QStringLiteral("ja")) << "run with LANG=ja_JP.UTF-8";

    // The real port layer, on a device that is not there.
    const QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    const QString missing = empty.filePath(QStringLiteral("ttyUSB9"));
    const PanelPortAdvisor advisor;
    ComPorts port({missing, missing}, makeDevice, advisor);
    NoDevices actions;
    MainWindow window;
    window.setDeviceActions(&actions);
    PanelLogic logic(window, port);
    window.setLogic(&logic);
    {
        ModalDismisser quit(QStringLiteral("終了"));
        EXPECT_FALSE(logic.start());
        ASSERT_TRUE(quit.seen()) << "no start-up error, or no Quit in Japanese";
        EXPECT_TRUE(
            quit.text.startsWith(QStringLiteral("COM1 (%1) を開けません: デバイスが存在しません。").arg(missing)))
            << quit.text.toStdString();
        quit.buttons.sort();
        // Retry is Qt's own standard button, in Qt's own translation.
        EXPECT_EQ(quit.buttons,
                  (QStringList{QStringLiteral("デバイスを選択…"), QStringLiteral("プロジェクターなしで試す"),
                               QStringLiteral("再試行"), QStringLiteral("終了")}));
    }
    window.setLogic(nullptr);
    window.setDeviceActions(nullptr);

    EXPECT_EQ(window.windowTitle(), QString::fromUtf8(layout::kTitle));
    for (const catalog::Entry& entry : catalog::kEntries) {
        if (!entry.caption.empty()) {
            EXPECT_EQ(shownText(window.control(entry.control)), QString::fromUtf8(entry.caption))
                << window.control(entry.control)->objectName().toStdString();
        }
    }

    DeviceChooser chooser({.com1 = QStringLiteral("/dev/ttyS0"), .com2 = QStringLiteral("/dev/ttyS1")}, {});
    EXPECT_EQ(chooser.windowTitle(), QStringLiteral("デバイスの選択"));
    const auto* list = chooser.findChild<QTreeWidget*>(QStringLiteral("deviceList"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("デバイス"));
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_TRUE(list->topLevelItem(0)->text(0).startsWith(QStringLiteral("シリアルデバイスが見つかりません")))
        << list->topLevelItem(0)->text(0).toStdString();
}

// Japanese breaks lines between any two characters, so the Japanese captions are where the help is
// most easily broken; and a Japanese reader needs no word on what they say.
TEST(Japanese, HelpKeepsCaptionsWholeAndLeavesTheJapaneseOnesUnexplained) {
    HelpWindow help;
    const QStringList broken = brokenInNarrowedHelp(help);
    EXPECT_TRUE(broken.isEmpty()) << broken.join(QLatin1Char('\n')).toStdString();

    const QString text = help.browser()->toPlainText();
    for (const catalog::PaneCaption& pane : catalog::kPaneCaptions) {
        if (pane.reads.empty()) {
            continue;
        }
        const QString reads = QCoreApplication::translate("tavo::catalog", std::string(pane.reads).c_str());
        EXPECT_EQ(reads, QString::fromUtf8(pane.caption)) << "the caption's words are the Japanese reader's own";
        const QString reading = QCoreApplication::translate("tavo::HelpText", "(Japanese for “%1”)").arg(reads);
        EXPECT_NE(reading, QStringLiteral("(Japanese for “%1”)").arg(reads)) << "not translated";
        EXPECT_FALSE(text.contains(reading)) << reading.toStdString();
    }
}

} // namespace
} // namespace tavo::test
