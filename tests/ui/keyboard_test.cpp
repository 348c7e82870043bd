// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard in each view: Tab and Shift+Tab keep to the controls in view, in tab order, and a
// control out of sight sends nothing, whatever gives it the focus.

#include "core/control_catalog.h"
#include "tests/support/printers.h"
#include "tests/ui/panel_fixture.h"
#include "ui/control_table.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <algorithm>
#include <vector>

namespace tavo::test {
namespace {

enum class View { Start, Full, Collapsed, Data, PortPanel };

struct ViewRow {
    const char* name;
    View view;
    // Out of sight in this view on every platform: never focused, and activating them sends
    // nothing.
    std::vector<Control> outOfSight;
};

void PrintTo(const ViewRow& row, std::ostream* os) {
    *os << row.name;
}

const std::vector<Control> kBottomBlock{Control::ReadStatus, Control::ReadLampTime,     Control::ReadInput,
                                        Control::ReadMirror, Control::ReadTemperatures, Control::SendC01};

class KeyboardTest : public PanelTest, public ::testing::WithParamInterface<ViewRow> {
protected:
    void enter(View view) {
        switch (view) {
        case View::Start:
            break;
        case View::Full:
            key(Qt::Key_H, Qt::ControlModifier);
            break;
        case View::Collapsed:
            key(Qt::Key_H, Qt::ControlModifier);
            click(Control::PaneButton);
            break;
        case View::Data:
            key(Qt::Key_H, Qt::ControlModifier);
            click(Control::PaneButton);
            chooseFromContextMenu(QStringLiteral("Show Data Pane"));
            break;
        case View::PortPanel:
            window.setTimerInterval(TimerId::PortPanelHide, 60000);
            click(Control::PortButton);
            break;
        }
    }

    // The controls of the tab order that take the focus by Tab (of a group of option buttons, the
    // toolkit lets only the selected one), lie wholly in the window as the view leaves it, and are
    // not under the port panel.
    [[nodiscard]] std::vector<QWidget*> inViewInTabOrder() const {
        std::vector<const layout::ControlRow*> rows;
        for (const layout::ControlRow& row : layout::kControls) {
            if (row.tab > 0) {
                rows.push_back(&row);
            }
        }
        std::ranges::sort(rows, {}, &layout::ControlRow::tab);
        const QWidget* portPanel = window.control(Control::PortPanel);
        const QRect portPanelRect = portPanel->isVisible() ? portPanel->geometry() : QRect();
        std::vector<QWidget*> shown;
        for (const layout::ControlRow* row : rows) {
            QWidget* widget = window.control(row->control);
            const QRect rect(widget->mapTo(&window, QPoint(0, 0)), widget->size());
            const bool underPortPanel = row->control != Control::PortPanel && !portPanel->isAncestorOf(widget) &&
                                        rect.intersects(portPanelRect);
            const bool tabbable = (widget->focusPolicy() & Qt::TabFocus) != 0;
            if (tabbable && widget->isVisible() && window.rect().contains(rect) && !underPortPanel) {
                shown.push_back(widget);
            }
        }
        return shown;
    }

    // The focus after each of `count` presses of the key.
    [[nodiscard]] std::vector<QWidget*> walk(Qt::Key key, Qt::KeyboardModifiers modifiers, std::size_t count) {
        std::vector<QWidget*> visited;
        for (std::size_t i = 0; i < count; ++i) {
            this->key(key, modifiers);
            visited.push_back(QApplication::focusWidget());
        }
        return visited;
    }
};

TEST_P(KeyboardTest, TabAndShiftTabVisitWhatIsInViewInTabOrder) {
    enter(GetParam().view);
    const std::vector<QWidget*> expected = inViewInTabOrder();
    for (const Control control : GetParam().outOfSight) {
        EXPECT_EQ(std::ranges::count(expected, window.control(control)), 0) << "meant to be out of sight";
    }
    ASSERT_EQ(std::ranges::count(expected, window.control(Control::PowerOn)), 1);

    window.control(Control::PowerOn)->setFocus(Qt::OtherFocusReason);
    const std::vector<QWidget*> forward = walk(Qt::Key_Tab, Qt::NoModifier, expected.size());
    const std::vector<QWidget*> backward = walk(Qt::Key_Tab, Qt::ShiftModifier, expected.size());
    const auto start = std::ranges::find(expected, window.control(Control::PowerOn)) - expected.begin();
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::size_t ahead = (start + i + 1) % expected.size();
        const std::size_t behind = (start + 2 * expected.size() - i - 1) % expected.size();
        ASSERT_EQ(forward[i], expected[ahead])
            << "Tab " << i + 1 << " reached " << forward[i]->objectName().toStdString();
        ASSERT_EQ(backward[i], expected[behind])
            << "Shift+Tab " << i + 1 << " reached " << backward[i]->objectName().toStdString();
    }

    // Nothing out of sight acts, whatever gave it the focus (a program, an assistive tool).
    for (const Control control : GetParam().outOfSight) {
        window.control(control)->setFocus(Qt::OtherFocusReason);
        key(Qt::Key_Space);
        key(Qt::Key_Return);
    }
    EXPECT_TRUE(port.writes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Views, KeyboardTest,
    ::testing::Values(ViewRow{.name = "Start", .view = View::Start, .outOfSight = kBottomBlock},
                      ViewRow{.name = "Full", .view = View::Full, .outOfSight = {}},
                      ViewRow{.name = "Collapsed", .view = View::Collapsed, .outOfSight = kBottomBlock},
                      ViewRow{.name = "Data", .view = View::Data, .outOfSight = {}},
                      ViewRow{.name = "PortPanel", .view = View::PortPanel, .outOfSight = {Control::PortButton}}),
    tavo::test::RowName{});

// A focused control that goes out of sight hands the focus on; the keys of the context menu open
// it at the focused control.
using FocusTest = PanelTest;

TEST_F(FocusTest, LeavesWhatGoesOutOfSightAndTheMenuKeysOpenTheMenuThere) {
    key(Qt::Key_H, Qt::ControlModifier);
    window.control(Control::PaneButton)->setFocus(Qt::TabFocusReason);
    key(Qt::Key_Space);
    ASSERT_EQ(caption(Control::PaneButton), QStringLiteral("データを表示する")) << "collapsed";
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_TRUE(window.rect().contains(
        QRect(QApplication::focusWidget()->mapTo(&window, QPoint(0, 0)), QApplication::focusWidget()->size())));

    window.control(Control::PortButton)->setFocus(Qt::TabFocusReason);
    key(Qt::Key_Space);
    EXPECT_EQ(QApplication::focusWidget(), window.control(Control::Com1Option)) << "COM is under the port panel";

    const QWidget* focused = window.control(Control::Com1Option);
    const QPoint at = focused->mapToGlobal(focused->rect().center());
    for (const QKeyCombination chord : {QKeyCombination(Qt::Key_Menu), QKeyCombination(Qt::SHIFT | Qt::Key_F10)}) {
        key(chord.key(), chord.keyboardModifiers());
        QMenu* menu = window.contextMenu();
        ASSERT_NE(menu, nullptr) << "no menu for " << QKeySequence(chord).toString().toStdString();
        EXPECT_TRUE(menu->isVisible());
        EXPECT_LE((menu->geometry().topLeft() - at).manhattanLength(), 2) << "at the focused control";
        menu->close();
    }
    EXPECT_TRUE(port.writes.empty());
}

} // namespace
} // namespace tavo::test
