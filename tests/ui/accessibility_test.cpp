// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/control_catalog.h"
#include "tests/ui/panel_fixture.h"
#include "ui/help_window.h"

#include <QAccessible>
#include <QApplication>
#include <QSet>
#include <QTest>
#include <QTextBrowser>
#include <algorithm>

namespace tavo::test {
namespace {

struct Node {
    QAccessible::Role role{};
    QString name;
    QString description;
};

// The tree a screen reader walks, depth first, and its dump for the test's record.
void walk(QAccessibleInterface* node, int depth, std::vector<Node>& nodes, QString& dump) {
    const Node n{.role = node->role(),
                 .name = node->text(QAccessible::Name),
                 .description = node->text(QAccessible::Description)};
    dump += QString(depth * 2, QLatin1Char(' ')) +
            QStringLiteral("%1 \"%2\" (%3)\n").arg(n.role).arg(n.name, n.description);
    nodes.push_back(n);
    for (int i = 0; i < node->childCount(); ++i) {
        walk(node->child(i), depth + 1, nodes, dump);
    }
}

bool isPlainAscii(const QString& text) {
    return std::ranges::all_of(text, [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7f; });
}

using AccessibilityTest = PanelTest;

// Every view, including the collapsed one in which the pane button sits below the window's edge.
TEST_F(AccessibilityTest, ButtonsHaveUniqueEnglishNamesAndSayWhatTheyDoInEveryView) {
    const auto buttonRows = std::ranges::count_if(
        catalog::kEntries, [](const catalog::Entry& entry) { return catalog::isFocusable(entry.kind); });
    // Start, full view ("CLOSE"), collapsed, data view.
    for (int view = 0; view < 4; ++view) {
        if (view == 1) {
            key(Qt::Key_H, Qt::ControlModifier);
        } else if (view == 2) {
            click(Control::PaneButton);
        } else if (view > 2) {
            chooseFromContextMenu(QStringLiteral("Show Data Pane"));
        }
        click(Control::PowerOn);
        port.deliver("\x06");

        std::vector<Node> nodes;
        QString dump;
        walk(QAccessible::queryAccessibleInterface(&window), 0, nodes, dump);
        ::testing::Test::RecordProperty("tree" + std::to_string(view), dump.toStdString());
        SCOPED_TRACE(dump.toStdString());

        QSet<QString> buttons;
        for (const Node& node : nodes) {
            EXPECT_FALSE(node.name.isEmpty()) << node.role;
            EXPECT_TRUE(isPlainAscii(node.name)) << node.name.toStdString();
            if (node.role == QAccessible::PushButton || node.role == QAccessible::RadioButton) {
                EXPECT_FALSE(buttons.contains(node.name)) << node.name.toStdString();
                EXPECT_FALSE(node.description.isEmpty()) << node.name.toStdString();
                buttons.insert(node.name);
            }
        }
        EXPECT_EQ(buttons.size(), buttonRows);
    }
    EXPECT_EQ(window.control(Control::PaneButton)->accessibleName(), QStringLiteral("Hide data"));
    EXPECT_EQ(window.control(Control::RxdField)->accessibleName(), QStringLiteral("Received data"));
}

// A window that takes activation would end a hold, so F1 during a hold opens the help at release.
TEST_F(AccessibilityTest, F1DuringAHoldOpensTheHelpWhenTheHoldEnds) {
    press(Control::VolumeUp);
    key(Qt::Key_F1);
    QTest::qWait(600); // two repeats of VOL +
    EXPECT_EQ(logic.heldButton(), HoldButton::VolumeUp);
    EXPECT_GE(port.writes.size(), 3U);
    EXPECT_EQ(window.helpWindow(), nullptr);

    release(Control::VolumeUp);
    EXPECT_EQ(logic.heldButton(), HoldButton::None);
    ASSERT_TRUE(QTest::qWaitFor([this] { return window.helpWindow() != nullptr; }));
    const HelpWindow* help = window.helpWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(help->windowHandle()));
    EXPECT_FALSE(help->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("C09")));

    // The panel works on beside it, and F1 there brings it back with the focus.
    click(Control::PowerOn);
    EXPECT_EQ(port.writes.back(), "C00\r");
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    key(Qt::Key_F1);
    ASSERT_TRUE(QTest::qWaitForWindowActive(help->windowHandle()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible());
}

} // namespace
} // namespace tavo::test
