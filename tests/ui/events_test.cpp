// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/rendering.h"
#include "tests/support/printers.h"
#include "tests/ui/panel_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QWindow>

namespace tavo::test {
namespace {

using std::string_literals::operator""s;

using StartTest = PanelTest;

TEST_F(StartTest, FocusStartsOnPowerOn) {
    EXPECT_EQ(QApplication::focusWidget(), window.control(Control::PowerOn));
}

TEST_F(StartTest, KeyboardActivationOfTheFocusedButtonSends) {
    key(Qt::Key_Space);
    EXPECT_EQ(port.writes, std::vector{"C00\r"s});
}

TEST_F(StartTest, PortPanelHiddenAndCom1Selected) {
    EXPECT_FALSE(window.control(Control::PortPanel)->isVisible());
    EXPECT_TRUE(window.control(Control::PortButton)->isVisible());
    EXPECT_TRUE(qobject_cast<QAbstractButton*>(window.control(Control::Com1Option))->isChecked());
    EXPECT_TRUE(qobject_cast<QAbstractButton*>(window.control(Control::Speed19200Option))->isChecked());
    EXPECT_FALSE(window.control(Control::PaneButton)->isVisible());
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
        OneShotRow{"PowerOn", Control::PowerOn, "C00"}, OneShotRow{"PowerOff", Control::PowerOff, "C02"},
        OneShotRow{"Input1Analog", Control::Input1Analog, "CF INPUT1 ANALOG"},
        OneShotRow{"Input1Digital", Control::Input1Digital, "CF INPUT1 DIGITAL"},
        OneShotRow{"Input2Rgb", Control::Input2Rgb, "CF INPUT2 ANALOG"},
        OneShotRow{"Input2Video", Control::Input2Video, "CF INPUT2 VIDEO"},
        OneShotRow{"Input2Component", Control::Input2Component, "CF INPUT2 YPBPR"},
        OneShotRow{"Input3Video", Control::Input3Video, "CF INPUT3 VIDEO"},
        OneShotRow{"Input3SVideo", Control::Input3SVideo, "CF INPUT3 S-VIDEO"},
        OneShotRow{"Input3Component", Control::Input3Component, "CF INPUT3 YPBPR"},
        OneShotRow{"MuteOn", Control::AudioMuteOn, "C0B"}, OneShotRow{"MuteOff", Control::AudioMuteOff, "C0C"},
        OneShotRow{"NoShowOn", Control::NoShowOn, "C0D"}, OneShotRow{"NoShowOff", Control::NoShowOff, "C0E"},
        OneShotRow{"FreezeOn", Control::FreezeOn, "C43"}, OneShotRow{"FreezeOff", Control::FreezeOff, "C44"},
        OneShotRow{"MenuOn", Control::MenuOn, "C1C"}, OneShotRow{"MenuOff", Control::MenuOff, "C1D"},
        OneShotRow{"VideoNormal", Control::VideoImageNormal, "C0F"},
        OneShotRow{"VideoWide", Control::VideoImageWide, "C10"}, OneShotRow{"AImage", Control::AutoImage, "C89"},
        OneShotRow{"Image", Control::ImageButton, "C27"}, OneShotRow{"PTimer", Control::PTimer, "C8A"},
        OneShotRow{"DisplayClear", Control::DisplayClear, "C1E"},
        OneShotRow{"Stand", Control::PictureStandard, "CF IMAGE STAND"},
        OneShotRow{"Real", Control::PictureReal, "CF IMAGE REAL"},
        OneShotRow{"Cinema", Control::PictureCinema, "CF IMAGE CINEMA"},
        OneShotRow{"Image1", Control::PictureCustom1, "CF IMAGE CUSTOM1"},
        OneShotRow{"Image2", Control::PictureCustom2, "CF IMAGE CUSTOM2"},
        OneShotRow{"Image3", Control::PictureCustom3, "CF IMAGE CUSTOM3"},
        OneShotRow{"Image4", Control::PictureCustom4, "CF IMAGE CUSTOM4"},
        OneShotRow{"Status", Control::ReadStatus, "CR0"}, OneShotRow{"Mode", Control::ReadInput, "CR1"},
        OneShotRow{"LTime", Control::ReadLampTime, "CR3"}, OneShotRow{"Setting", Control::ReadMirror, "CR4"},
        OneShotRow{"Temp", Control::ReadTemperatures, "CR6"}, OneShotRow{"C01", Control::SendC01, "C01"}),
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
    press(Control::ZoomIn, GetParam().button);
    EXPECT_EQ(logic.heldButton(), HoldButton::ZoomIn);
    ASSERT_TRUE(QTest::qWaitFor([&] { return port.writes.size() >= 3; }));
    release(Control::ZoomIn, GetParam().button);
    EXPECT_EQ(logic.heldButton(), HoldButton::None);
    EXPECT_FALSE(window.timer(TimerId::HoldRepeat)->isActive());
    for (const std::string& line : port.writes) {
        EXPECT_EQ(line, "C47\r");
    }
}

TEST_P(HoldMouseTest, ReleaseReachesTheButtonAfterThePointerLeft) {
    press(Control::ZoomIn, GetParam().button);
    ASSERT_EQ(logic.heldButton(), HoldButton::ZoomIn);
    QTest::mouseMove(handle(), centreOf(Control::PowerOn));
    releaseAt(centreOf(Control::PowerOn), GetParam().button);
    EXPECT_EQ(logic.heldButton(), HoldButton::None);
    EXPECT_FALSE(window.timer(TimerId::HoldRepeat)->isActive());
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
    EXPECT_EQ(logic.heldButton(), HoldButton::None);
    QTest::keyRelease(handle(), GetParam().key);
    EXPECT_TRUE(port.writes.empty());
    EXPECT_FALSE(window.timer(TimerId::HoldRepeat)->isActive());
}

INSTANTIATE_TEST_SUITE_P(Keys, HoldKeyboardTest,
                         ::testing::Values(KeyRow{"VolUpSpace", Control::VolumeUp, Qt::Key_Space},
                                           KeyRow{"VolUpReturn", Control::VolumeUp, Qt::Key_Return},
                                           KeyRow{"VolUpEnter", Control::VolumeUp, Qt::Key_Enter},
                                           KeyRow{"CursorUpSpace", Control::CursorUp, Qt::Key_Space},
                                           KeyRow{"SelectReturn", Control::CursorSelect, Qt::Key_Return},
                                           KeyRow{"LensDownSpace", Control::LensShiftDown, Qt::Key_Space}),
                         tavo::test::RowName{});

using HoldCancelTest = PanelTest;

TEST_F(HoldCancelTest, DeactivatingTheWindowStopsTheHold) {
    press(Control::ZoomIn);
    ASSERT_EQ(logic.heldButton(), HoldButton::ZoomIn);
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(logic.heldButton(), HoldButton::None);
    EXPECT_FALSE(window.timer(TimerId::HoldRepeat)->isActive());
    const std::size_t written = port.writes.size();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    release(Control::ZoomIn);
    EXPECT_EQ(port.writes.size(), written);
}

TEST_F(HoldCancelTest, AModalDialogStopsTheHold) {
    press(Control::ZoomIn);
    ASSERT_EQ(logic.heldButton(), HoldButton::ZoomIn);
    QDialog dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return logic.heldButton() == HoldButton::None; }));
    EXPECT_FALSE(window.timer(TimerId::HoldRepeat)->isActive());
}

TEST_F(HoldCancelTest, DisablingTheButtonStopsTheHold) {
    press(Control::ZoomIn);
    ASSERT_EQ(logic.heldButton(), HoldButton::ZoomIn);
    window.control(Control::ZoomIn)->setEnabled(false);
    EXPECT_EQ(logic.heldButton(), HoldButton::None);
    EXPECT_FALSE(window.timer(TimerId::HoldRepeat)->isActive());
}

TEST_F(HoldCancelTest, HidingTheWindowStopsTheHold) {
    press(Control::ZoomIn);
    ASSERT_EQ(logic.heldButton(), HoldButton::ZoomIn);
    window.hide();
    EXPECT_EQ(logic.heldButton(), HoldButton::None);
    EXPECT_FALSE(window.timer(TimerId::HoldRepeat)->isActive());
}

TEST_F(HoldCancelTest, LosingTheFocusStopsTheHold) {
    press(Control::ZoomIn);
    ASSERT_EQ(logic.heldButton(), HoldButton::ZoomIn);
    ASSERT_EQ(QApplication::focusWidget(), window.control(Control::ZoomIn));
    window.control(Control::PowerOn)->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(logic.heldButton(), HoldButton::None);
}

TEST_F(HoldCancelTest, ASecondMouseButtonPressesAgainAndEachReleaseEnds) {
    press(Control::VolumeUp, Qt::LeftButton);
    press(Control::VolumeUp, Qt::RightButton);
    EXPECT_EQ(port.writes, (std::vector{"C09\r"s, "C09\r"s}));
    release(Control::VolumeUp, Qt::RightButton);
    EXPECT_EQ(logic.heldButton(), HoldButton::None);
    release(Control::VolumeUp, Qt::LeftButton);
    EXPECT_EQ(logic.heldButton(), HoldButton::None);
    EXPECT_EQ(port.writes.size(), 2U);
}

using ReplyTest = PanelTest;

TEST_F(ReplyTest, MarkupInAReplyIsShownLiterally) {
    click(Control::ReadStatus);
    port.deliver("<b>x</b>");
    auto* rxd = qobject_cast<QLabel*>(window.control(Control::RxdField));
    const QString expected = QString::fromStdString(visibleRendering("<b>x</b>"));
    ASSERT_TRUE(expected.contains(QLatin1Char('<')));
    EXPECT_EQ(rxd->text(), expected);
    EXPECT_EQ(rxd->textFormat(), Qt::PlainText);
    EXPECT_EQ(rxd->accessibleDescription(), expected);
}

TEST_F(ReplyTest, LabelsShowTagsAsText) {
    window.setLabelText(Control::StatusLine, "<b>x</b>");
    auto* status = qobject_cast<QLabel*>(window.control(Control::StatusLine));
    EXPECT_EQ(status->text(), QStringLiteral("<b>x</b>"));
    EXPECT_EQ(status->textFormat(), Qt::PlainText);
}

TEST_F(ReplyTest, ToolTipsShowTheWholeTextWithTagsEscaped) {
    window.setLabelText(Control::StatusLine, " <b>x</b> & a long port failure text");
    auto* status = qobject_cast<QLabel*>(window.control(Control::StatusLine));
    QTextDocument shown;
    shown.setHtml(status->toolTip());
    EXPECT_EQ(shown.toPlainText(), QStringLiteral("<b>x</b> & a long port failure text"));
    window.setLabelText(Control::StatusLine, "");
    EXPECT_TRUE(status->toolTip().isEmpty());
}

TEST_F(ReplyTest, SentLineShownAndAnnounced) {
    click(Control::PowerOn);
    auto* txd = qobject_cast<QLabel*>(window.control(Control::TxdField));
    EXPECT_EQ(txd->text(), QString::fromStdString(visibleRendering("C00\r")));
    EXPECT_EQ(txd->accessibleName(), QStringLiteral("Transmitted data"));
    EXPECT_EQ(txd->accessibleDescription(), txd->text());
}

} // namespace
} // namespace tavo::test
