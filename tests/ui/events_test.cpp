#include "core/rendering.h"
#include "tests/support/printers.h"
#include "tests/ui/panel_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTextDocument>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace tavo::test {
namespace {

using std::string_literals::operator""s;

using StartTest = PanelTest;

TEST_F(StartTest, FocusStartsOnPowerOn) {
    EXPECT_EQ(QApplication::focusWidget(), window.control(Control::Command17));
}

TEST_F(StartTest, KeyboardActivationOfTheFocusedButtonSends) {
    key(Qt::Key_Space);
    EXPECT_EQ(port.writes, std::vector{"C00\r"s});
}

TEST_F(StartTest, PortPanelHiddenAndCom1Selected) {
    EXPECT_FALSE(window.control(Control::Frame8)->isVisible());
    EXPECT_TRUE(window.control(Control::Command33)->isVisible());
    EXPECT_TRUE(qobject_cast<QAbstractButton*>(window.control(Control::Option1))->isChecked());
    EXPECT_TRUE(qobject_cast<QAbstractButton*>(window.control(Control::Option3))->isChecked());
    EXPECT_FALSE(window.control(Control::Command34)->isVisible());
}

struct OneShotRow {
    const char* name;
    Control control;
    const char* code;
};

void PrintTo(const OneShotRow& row, std::ostream* os) {
    *os << row.name;
}

class OneShotClickTest : public PanelTest, public ::testing::WithParamInterface<OneShotRow> {};

TEST_P(OneShotClickTest, ClickWritesItsLine) {
    window.setOuterHeight(7000); // every button within reach of the pointer
    click(GetParam().control);
    EXPECT_EQ(port.writes, std::vector{std::string(GetParam().code) + "\r"});
}

TEST_P(OneShotClickTest, RightClickWritesNothing) {
    window.setOuterHeight(7000);
    click(GetParam().control, Qt::RightButton);
    EXPECT_TRUE(port.writes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, OneShotClickTest,
    ::testing::Values(
        OneShotRow{"PowerOn", Control::Command17, "C00"}, OneShotRow{"PowerOff", Control::Command18, "C02"},
        OneShotRow{"Input1Analog", Control::Command40, "CF INPUT1 ANALOG"},
        OneShotRow{"Input1Digital", Control::Command63, "CF INPUT1 DIGITAL"},
        OneShotRow{"Input2Rgb", Control::Command28, "CF INPUT2 ANALOG"},
        OneShotRow{"Input2Video", Control::Command29, "CF INPUT2 VIDEO"},
        OneShotRow{"Input2Component", Control::Command27, "CF INPUT2 YPBPR"},
        OneShotRow{"Input3Video", Control::Command4, "CF INPUT3 VIDEO"},
        OneShotRow{"Input3SVideo", Control::Command14, "CF INPUT3 S-VIDEO"},
        OneShotRow{"Input3Component", Control::Command66, "CF INPUT3 YPBPR"},
        OneShotRow{"MuteOn", Control::Command19, "C0B"}, OneShotRow{"MuteOff", Control::Command20, "C0C"},
        OneShotRow{"NoShowOn", Control::Command21, "C0D"}, OneShotRow{"NoShowOff", Control::Command22, "C0E"},
        OneShotRow{"FreezeOn", Control::Command25, "C43"}, OneShotRow{"FreezeOff", Control::Command26, "C44"},
        OneShotRow{"MenuOn", Control::Command23, "C1C"}, OneShotRow{"MenuOff", Control::Command24, "C1D"},
        OneShotRow{"VideoNormal", Control::Command31, "C0F"}, OneShotRow{"VideoWide", Control::Command32, "C10"},
        OneShotRow{"AImage", Control::Command13, "C89"}, OneShotRow{"Image", Control::Command73, "C27"},
        OneShotRow{"PTimer", Control::Command39, "C8A"}, OneShotRow{"DisplayClear", Control::Command3, "C1E"},
        OneShotRow{"Stand", Control::Command10, "CF IMAGE STAND"},
        OneShotRow{"Real", Control::Command12, "CF IMAGE REAL"},
        OneShotRow{"Cinema", Control::Command41, "CF IMAGE CINEMA"},
        OneShotRow{"Image1", Control::Command11, "CF IMAGE CUSTOM1"},
        OneShotRow{"Image2", Control::Command30, "CF IMAGE CUSTOM2"},
        OneShotRow{"Image3", Control::Command42, "CF IMAGE CUSTOM3"},
        OneShotRow{"Image4", Control::Command43, "CF IMAGE CUSTOM4"}, OneShotRow{"Status", Control::Command44, "CR0"},
        OneShotRow{"Mode", Control::Command45, "CR1"}, OneShotRow{"LTime", Control::Command46, "CR3"},
        OneShotRow{"Setting", Control::Command47, "CR4"}, OneShotRow{"Temp", Control::Command38, "CR6"},
        OneShotRow{"C01", Control::Command52, "C01"}),
    tavo::test::RowName{});

struct MouseRow {
    const char* name;
    Qt::MouseButton button;
};

void PrintTo(const MouseRow& row, std::ostream* os) {
    *os << row.name;
}

class HoldMouseTest : public PanelTest, public ::testing::WithParamInterface<MouseRow> {};

TEST_P(HoldMouseTest, HoldRepeatsUntilRelease) {
    // Zoom "+": 50 ms repeat.
    press(Control::Command15, GetParam().button);
    EXPECT_EQ(form.heldButton(), 7);
    ASSERT_TRUE(waitUntil([&] { return port.writes.size() >= 3; }));
    release(Control::Command15, GetParam().button);
    EXPECT_EQ(form.heldButton(), 0);
    EXPECT_FALSE(window.timer(TimerId::Timer1)->isActive());
    for (const std::string& line : port.writes) {
        EXPECT_EQ(line, "C47\r");
    }
}

TEST_P(HoldMouseTest, ReleaseReachesTheButtonAfterThePointerLeft) {
    press(Control::Command15, GetParam().button);
    ASSERT_EQ(form.heldButton(), 7);
    QTest::mouseMove(handle(), centreOf(Control::Command17));
    releaseAt(centreOf(Control::Command17), GetParam().button);
    EXPECT_EQ(form.heldButton(), 0);
    EXPECT_FALSE(window.timer(TimerId::Timer1)->isActive());
    EXPECT_EQ(port.writes, std::vector{"C47\r"s}) << "no click on the button released over";
}

INSTANTIATE_TEST_SUITE_P(Buttons, HoldMouseTest,
                         ::testing::Values(MouseRow{"Left", Qt::LeftButton}, MouseRow{"Right", Qt::RightButton},
                                           MouseRow{"Middle", Qt::MiddleButton}),
                         tavo::test::RowName{});

struct KeyRow {
    const char* name;
    Control control;
    Qt::Key key;
};

void PrintTo(const KeyRow& row, std::ostream* os) {
    *os << row.name;
}

class HoldKeyboardTest : public PanelTest, public ::testing::WithParamInterface<KeyRow> {};

TEST_P(HoldKeyboardTest, KeyboardActivationWritesNothing) {
    window.control(GetParam().control)->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), window.control(GetParam().control));
    QTest::keyPress(handle(), GetParam().key);
    EXPECT_EQ(form.heldButton(), 0);
    QTest::keyRelease(handle(), GetParam().key);
    EXPECT_TRUE(port.writes.empty());
    EXPECT_FALSE(window.timer(TimerId::Timer1)->isActive());
}

INSTANTIATE_TEST_SUITE_P(Keys, HoldKeyboardTest,
                         ::testing::Values(KeyRow{"VolUpSpace", Control::Command1, Qt::Key_Space},
                                           KeyRow{"VolUpReturn", Control::Command1, Qt::Key_Return},
                                           KeyRow{"VolUpEnter", Control::Command1, Qt::Key_Enter},
                                           KeyRow{"CursorUpSpace", Control::Command5, Qt::Key_Space},
                                           KeyRow{"SelectReturn", Control::Command6, Qt::Key_Return},
                                           KeyRow{"LensDownSpace", Control::Command62, Qt::Key_Space}),
                         tavo::test::RowName{});

using HoldCancelTest = PanelTest;

TEST_F(HoldCancelTest, DeactivatingTheWindowStopsTheHold) {
    press(Control::Command15);
    ASSERT_EQ(form.heldButton(), 7);
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(form.heldButton(), 0);
    EXPECT_FALSE(window.timer(TimerId::Timer1)->isActive());
    const std::size_t written = port.writes.size();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    release(Control::Command15);
    EXPECT_EQ(port.writes.size(), written);
}

TEST_F(HoldCancelTest, AModalDialogStopsTheHold) {
    press(Control::Command15);
    ASSERT_EQ(form.heldButton(), 7);
    QDialog dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    EXPECT_TRUE(waitUntil([&] { return form.heldButton() == 0; }));
    EXPECT_FALSE(window.timer(TimerId::Timer1)->isActive());
}

TEST_F(HoldCancelTest, DisablingTheButtonStopsTheHold) {
    press(Control::Command15);
    ASSERT_EQ(form.heldButton(), 7);
    window.control(Control::Command15)->setEnabled(false);
    EXPECT_EQ(form.heldButton(), 0);
    EXPECT_FALSE(window.timer(TimerId::Timer1)->isActive());
}

TEST_F(HoldCancelTest, HidingTheWindowStopsTheHold) {
    press(Control::Command15);
    ASSERT_EQ(form.heldButton(), 7);
    window.hide();
    EXPECT_EQ(form.heldButton(), 0);
    EXPECT_FALSE(window.timer(TimerId::Timer1)->isActive());
}

TEST_F(HoldCancelTest, LosingTheFocusStopsTheHold) {
    press(Control::Command15);
    ASSERT_EQ(form.heldButton(), 7);
    ASSERT_EQ(QApplication::focusWidget(), window.control(Control::Command15));
    window.control(Control::Command17)->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(form.heldButton(), 0);
}

TEST_F(HoldCancelTest, ASecondMouseButtonPressesAgainAndEachReleaseEnds) {
    press(Control::Command1, Qt::LeftButton);
    press(Control::Command1, Qt::RightButton);
    EXPECT_EQ(port.writes, (std::vector{"C09\r"s, "C09\r"s}));
    release(Control::Command1, Qt::RightButton);
    EXPECT_EQ(form.heldButton(), 0);
    release(Control::Command1, Qt::LeftButton);
    EXPECT_EQ(form.heldButton(), 0);
    EXPECT_EQ(port.writes.size(), 2U);
}

using ReplyTest = PanelTest;

TEST_F(ReplyTest, MarkupInAReplyIsShownLiterally) {
    click(Control::Command44);
    port.deliver("<b>x</b>");
    auto* rxd = qobject_cast<QLabel*>(window.control(Control::Label12));
    const QString expected = QString::fromStdString(visibleRendering("<b>x</b>"));
    ASSERT_TRUE(expected.contains(QLatin1Char('<')));
    EXPECT_EQ(rxd->text(), expected);
    EXPECT_EQ(rxd->textFormat(), Qt::PlainText);
    EXPECT_EQ(rxd->accessibleName(), expected);
}

TEST_F(ReplyTest, LabelsShowTagsAsText) {
    window.setLabelText(Control::Label25, "<b>x</b>");
    auto* status = qobject_cast<QLabel*>(window.control(Control::Label25));
    EXPECT_EQ(status->text(), QStringLiteral("<b>x</b>"));
    EXPECT_EQ(status->textFormat(), Qt::PlainText);
}

TEST_F(ReplyTest, ToolTipsShowTheWholeTextWithTagsEscaped) {
    window.setLabelText(Control::Label25, " <b>x</b> & a long port failure text");
    auto* status = qobject_cast<QLabel*>(window.control(Control::Label25));
    QTextDocument shown;
    shown.setHtml(status->toolTip());
    EXPECT_EQ(shown.toPlainText(), QStringLiteral("<b>x</b> & a long port failure text"));
    window.setLabelText(Control::Label25, "");
    EXPECT_TRUE(status->toolTip().isEmpty());
}

TEST_F(ReplyTest, SentLineShownAndAnnounced) {
    click(Control::Command17);
    auto* txd = qobject_cast<QLabel*>(window.control(Control::Label11));
    EXPECT_EQ(txd->text(), QString::fromStdString(visibleRendering("C00\r")));
    EXPECT_EQ(txd->accessibleName(), txd->text());
}

TEST(AccessibleNameTest, ArrowButtonsSayWhatTheyDo) {
    MainWindow window;
    EXPECT_EQ(window.control(Control::Command5)->accessibleName(), QStringLiteral("Cursor up"));
    EXPECT_EQ(window.control(Control::Command7)->accessibleName(), QStringLiteral("Cursor down"));
    EXPECT_EQ(window.control(Control::Command9)->accessibleName(), QStringLiteral("Cursor left"));
    EXPECT_EQ(window.control(Control::Command8)->accessibleName(), QStringLiteral("Cursor right"));
    EXPECT_EQ(window.control(Control::Command59)->accessibleName(), QStringLiteral("Lens shift up"));
    EXPECT_EQ(window.control(Control::Command62)->accessibleName(), QStringLiteral("Lens shift down"));
}

} // namespace
} // namespace tavo::test
