// SPDX-License-Identifier: GPL-3.0-or-later
// The window against the layout as the panel's documentation gives it, typed here row by row in
// its own words (kind, caption, x, y, w, h in twips, background, font, tab, notes), so that a slip
// in the production table shows up as a difference.

#include "tests/support/printers.h"
#include "ui/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontInfo>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTest>
#include <QWindow>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace tavo {
namespace {

struct Row {
    const char* name;
    const char* kind;
    const char* caption;
    int x, y, w, h;
    const char* background;
    const char* font;
    int tab;
    const char* notes;
};

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

// clang-format off
const Row kExpected[] = {
    {"Frame1", "frame", "", 90, 90, 1440, 1215, "192,192,192", "", 0, ""},
    {"Label1", "label", "POWER", 210, 330, 1095, 255, "192,192,192", "G 9 bold", 0, "text 192,0,0; centred"},
    {"Command17", "button", "ON", 210, 810, 615, 300, "192,255,192", "G 9 bold", 1, ""},
    {"Command18", "button", "OFF", 810, 810, 615, 300, "255,192,192", "G 9 bold", 26, ""},
    {"Frame11", "frame", "", 1590, 345, 2070, 960, "192,192,192", "", 0, ""},
    {"Label21", "label", "INPUT 1 ", 2070, 585, 1215, 255, "192,192,192", "G 9 bold", 0, "centred"},
    {"Command40", "button", "ANALOG", 1680, 930, 960, 300, "192,255,255", "G 8.25 bold", 84, ""},
    {"Command63", "button", "DIGITAL", 2640, 930, 930, 300, "192,255,255", "G 8.25 bold", 72, ""},
    {"Frame2", "frame", "", 3720, 330, 2715, 975, "192,192,192", "", 0, ""},
    {"Label2", "label", "INPUT 2", 3840, 570, 975, 255, "192,192,192", "G 9 bold", 0, ""},
    {"Command28", "button", "RGB", 4800, 570, 615, 300, "192,255,255", "G 8.25 bold", 35, ""},
    {"Command29", "button", "VIDEO", 5520, 570, 795, 300, "192,255,255", "G 8.25 bold", 36, ""},
    {"Command27", "button", "COMPONENT", 4800, 930, 1500, 300, "192,255,255", "G 8.25 bold", 85, ""},
    {"Frame12", "frame", "", 6465, 345, 2985, 975, "192,192,192", "", 0, ""},
    {"Label22", "label", "INPUT 3", 6585, 585, 975, 255, "192,192,192", "G 9 bold", 0, ""},
    {"Command4", "button", "VIDEO", 7545, 585, 780, 300, "192,255,255", "G 8.25 bold", 83, ""},
    {"Command14", "button", "S-VIDEO", 8385, 585, 1005, 300, "192,255,255", "G 8.25 bold", 80, ""},
    {"Command66", "button", "COMPONENT", 7545, 945, 1830, 300, "192,255,255", "G 8.25 bold", 73, ""},
    {"Image1", "image", "", 8280, 0, 1200, 390, "", "", 0, "logo picture: a bitmap of 80 × 26 pixels, 24 bits per pixel, drawn unscaled"},
    {"Frame3", "frame", "", 120, 1320, 1455, 975, "192,192,192", "", 0, ""},
    {"Label4", "label", "AUDIO MUTE", 240, 1560, 1215, 255, "192,192,192", "G 9 bold", 0, "centred"},
    {"Command19", "button", "ON", 240, 1920, 615, 300, "192,255,192", "G 9 bold", 27, ""},
    {"Command20", "button", "OFF", 960, 1920, 495, 300, "255,192,192", "G 9 bold", 28, ""},
    {"Frame4", "frame", "", 1680, 1320, 1455, 975, "192,192,192", "", 0, ""},
    {"Label5", "label", "No Show", 1920, 1560, 1095, 255, "192,192,192", "PG 9 bold", 0, "centred"},
    {"Command21", "button", "ON", 1800, 1920, 615, 300, "192,255,192", "G 9 bold", 29, ""},
    {"Command22", "button", "OFF", 2520, 1920, 495, 300, "255,192,192", "G 9 bold", 30, ""},
    {"Frame7", "frame", "", 3240, 1320, 1455, 975, "192,192,192", "", 0, ""},
    {"Label8", "label", "FREEZE", 3360, 1560, 1215, 255, "192,192,192", "G 9 bold", 0, "centred"},
    {"Command25", "button", "ON", 3360, 1920, 615, 300, "192,255,192", "G 9 bold", 33, ""},
    {"Command26", "button", "OFF", 4080, 1920, 495, 300, "255,192,192", "G 9 bold", 34, ""},
    {"Frame6", "frame", "", 4800, 1320, 1455, 975, "192,192,192", "", 0, ""},
    {"Label7", "label", "MENU", 5040, 1560, 975, 255, "192,192,192", "G 9 bold", 0, "centred"},
    {"Command23", "button", "ON", 4920, 1920, 615, 300, "192,255,192", "G 9 bold", 31, ""},
    {"Command24", "button", "OFF", 5640, 1920, 495, 300, "255,192,192", "G 9 bold", 32, ""},
    {"Frame5", "frame", "", 6360, 1320, 1695, 975, "192,192,192", "", 0, ""},
    {"Label6", "label", "VIDEO  image", 6480, 1560, 1455, 375, "192,192,192", "G 9 bold", 0, "centred"},
    {"Command31", "button", "Normal", 6480, 1920, 735, 300, "192,255,255", "G 9", 37, ""},
    {"Command32", "button", "Wide", 7320, 1920, 615, 300, "192,255,255", "G 9", 38, ""},
    {"Frame10", "frame", "", 8160, 1320, 1215, 1440, "192,192,192", "", 0, ""},
    {"Label20", "label", "LENS SHIFT", 8280, 1560, 975, 495, "192,192,192", "G 8.25 bold", 0, "centred"},
    {"Command59", "button", "↑", 8520, 2040, 492, 252, "255,224,192", "G 8.25", 67, ""},
    {"Command62", "button", "↓", 8520, 2400, 492, 252, "255,224,192", "G 8.25", 68, ""},
    {"Label3", "label", "VOL", 3600, 2520, 495, 255, "192,192,192", "G 9 bold", 0, "centred"},
    {"Command1", "button", "+", 3600, 2880, 375, 255, "255,192,128", "G 9 bold", 5, ""},
    {"Command2", "button", "-", 3600, 3240, 375, 255, "255,192,128", "G 9 bold", 6, ""},
    {"Label13", "label", "Zoom", 4200, 2520, 735, 255, "192,192,192", "G 9", 0, "centred"},
    {"Command15", "button", "+", 4440, 2880, 375, 255, "255,224,192", "G 9", 49, ""},
    {"Command35", "button", "-", 4440, 3240, 375, 255, "255,224,192", "G 9", 50, ""},
    {"Label14", "label", "Focus", 5160, 2520, 735, 255, "192,192,192", "G 9", 0, "centred"},
    {"Command36", "button", "+", 5280, 2880, 375, 255, "255,224,192", "G 9", 52, ""},
    {"Command37", "button", "-", 5280, 3240, 375, 255, "255,224,192", "G 9", 53, ""},
    {"Label17", "label", "D.Zoom", 6000, 2520, 855, 255, "192,192,192", "G 9", 0, "centred"},
    {"Command48", "button", "+", 6240, 2880, 375, 255, "192,255,255", "G 9", 59, ""},
    {"Command49", "button", "-", 6240, 3240, 375, 255, "192,255,255", "G 9", 60, ""},
    {"Label18", "label", "Keystone", 7080, 2520, 975, 255, "192,192,192", "G 9", 0, "centred"},
    {"Command50", "button", "+", 7320, 2880, 375, 255, "192,255,255", "G 9", 62, ""},
    {"Command51", "button", "-", 7320, 3240, 375, 255, "192,255,255", "G 9", 63, ""},
    {"Command5", "button", "↑", 1200, 2520, 855, 375, "255,224,192", "G 9 bold", 17, ""},
    {"Command9", "button", "←", 240, 3000, 855, 375, "255,224,192", "G 9 bold", 21, ""},
    {"Command6", "button", "SELECT", 1200, 3000, 855, 375, "255,128,0", "G 9", 18, ""},
    {"Command8", "button", "→", 2160, 3000, 855, 375, "255,224,192", "G 9 bold", 20, ""},
    {"Command7", "button", "↓", 1200, 3480, 855, 375, "255,224,192", "G 9 bold", 19, ""},
    {"Command13", "button", "A-IMAGE", 8400, 2850, 975, 250, "0,192,192", "G 9", 24, ""},
    {"Command73", "button", "IMAGE", 8400, 3120, 972, 252, "192,192,255", "G 9", 76, ""},
    {"Command39", "button", "P-Timer", 8400, 3390, 975, 255, "192,192,255", "G 9", 82, ""},
    {"Command3", "button", "DISPLAY CLEAR", 8400, 3660, 975, 492, "192,192,255", "G 9", 16, ""},
    {"Command16", "button", "END", 8400, 4320, 975, 375, "192,192,192", "G 9 bold", 25, ""},
    {"Command10", "button", "STAND", 240, 4080, 975, 255, "192,255,255", "G 9", 89, ""},
    {"Command11", "button", "IMAGE1", 240, 4320, 975, 255, "192,255,255", "G 9", 90, ""},
    {"Command43", "button", "IMAGE4", 240, 4560, 975, 255, "192,255,255", "G 9", 95, ""},
    {"Command12", "button", "REAL", 1200, 4080, 975, 255, "192,255,255", "G 9", 91, ""},
    {"Command30", "button", "IMAGE2", 1200, 4320, 975, 255, "192,255,255", "G 9", 92, ""},
    {"Command41", "button", "CINEMA", 2160, 4080, 975, 255, "192,255,255", "G 9", 93, ""},
    {"Command42", "button", "IMAGE3", 2160, 4320, 975, 255, "192,255,255", "G 9", 94, ""},
    {"Command33", "button", "COM", 4080, 4200, 1815, 375, "button face", "PG 9", 39, ""},
    {"Frame8", "frame", "", 3480, 3600, 2775, 1185, "192,192,192", "", 0, "hidden at start"},
    {"Option1", "option", "COM1", 3720, 3840, 1215, 255, "192,192,192", "G 9 bold", 41, ""},
    {"Option2", "option", "COM2", 5040, 3840, 1095, 255, "192,192,192", "G 9 bold", 42, ""},
    {"Frame13", "frame", "", 3600, 4080, 2535, 615, "192,192,192", "", 0, ""},
    {"Option3", "option", "19200", 3720, 4320, 1095, 255, "192,192,192", "G 9 bold", 87, "selected at start"},
    {"Option4", "option", "9600", 5040, 4320, 975, 255, "192,192,192", "G 9 bold", 88, ""},
    {"Frame9", "frame", "", 120, 4920, 6855, 1068, "192,192,192", "", 0, ""},
    {"Label9", "label", "TXD", 240, 5160, 372, 252, "192,192,192", "G 8.25", 0, "right-aligned"},
    {"Label11", "label", "", 720, 5115, 6135, 300, "255,255,255", "PG 9.75 bold", 0, "single border"},
    {"Label10", "label", "RXD", 240, 5520, 375, 300, "192,192,192", "G 8.25", 0, "right-aligned"},
    {"Label12", "label", "", 705, 5520, 6135, 300, "255,255,255", "PG 9.75 bold", 0, "single border"},
    {"Command34", "button", "データを表示する", 7440, 5040, 975, 375, "192,192,192", "G 9", 48, "hidden at start"},
    {"Command44", "button", "STATUS", 7320, 5760, 975, 255, "192,255,255", "G 8.25 bold", 55, ""},
    {"Command46", "button", "L-TIME", 8280, 5760, 1095, 255, "192,255,255", "G 8.25 bold", 57, ""},
    {"Command45", "button", "MODE", 7320, 6000, 975, 255, "192,255,255", "G 8.25 bold", 56, ""},
    {"Command47", "button", "SETTING", 8280, 6000, 1095, 255, "192,255,255", "G 8.25 bold", 58, ""},
    {"Command38", "button", "Temp", 8280, 6240, 1095, 255, "192,255,255", "G 8.25 bold", 81, ""},
    {"Command52", "button", "C01", 120, 6120, 495, 255, "255,192,192", "G 9", 65, ""},
    {"Frame15", "frame", "", 720, 6000, 6255, 492, "192,192,192", "", 0, ""},
    {"Label26", "label", "STATUS", 840, 6204, 732, 180, "192,192,192", "G 8.25", 0, ""},
    {"Label25", "label", "", 1560, 6135, 5295, 285, "255,255,255", "PG 9 bold", 0, "text 255,0,0; single border"},
};
// clang-format on

int px(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

QColor parseColour(const std::string& text) {
    const QStringList parts = QString::fromStdString(text).split(QLatin1Char(','));
    return {parts.at(0).trimmed().toInt(), parts.at(1).trimmed().toInt(), parts.at(2).trimmed().toInt()};
}

bool has(const char* notes, const char* what) {
    return std::string(notes).find(what) != std::string::npos;
}

class LayoutTest : public ::testing::TestWithParam<Row> {
protected:
    MainWindow window;

    [[nodiscard]] QWidget* widget() const { return window.findChild<QWidget*>(QString::fromUtf8(GetParam().name)); }
};

TEST_P(LayoutTest, StandsWhereTheTableSays) {
    const Row& row = GetParam();
    QWidget* w = widget();
    ASSERT_NE(w, nullptr);
    const QRect actual(w->mapTo(&window, QPoint(0, 0)), w->size());
    EXPECT_EQ(actual, QRect(px(row.x), px(row.y), px(row.w), px(row.h)));
}

TEST_P(LayoutTest, HasItsKindAndCaption) {
    const Row& row = GetParam();
    QWidget* w = widget();
    ASSERT_NE(w, nullptr);
    const std::string kind = row.kind;
    const QString caption = QString::fromUtf8(row.caption);
    if (kind == "button") {
        auto* button = qobject_cast<QPushButton*>(w);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), caption);
    } else if (kind == "option") {
        auto* option = qobject_cast<QRadioButton*>(w);
        ASSERT_NE(option, nullptr);
        EXPECT_EQ(option->text(), caption);
    } else if (kind == "label") {
        auto* label = qobject_cast<QLabel*>(w);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), caption);
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
    } else if (kind == "frame") {
        auto* frame = qobject_cast<QFrame*>(w);
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(qobject_cast<QLabel*>(w), nullptr);
        EXPECT_EQ(frame->frameShape(), QFrame::Box);
        EXPECT_EQ(frame->frameShadow(), QFrame::Sunken) << "etched";
    } else if (kind == "image") {
        auto* image = qobject_cast<QLabel*>(w);
        ASSERT_NE(image, nullptr);
        const QPixmap picture = image->pixmap();
        EXPECT_EQ(picture.size(), QSize(80, 26));
        EXPECT_FALSE(picture.hasAlphaChannel());
    } else {
        FAIL() << "unknown kind " << kind;
    }
}

TEST_P(LayoutTest, HasItsColours) {
    const Row& row = GetParam();
    QWidget* w = widget();
    ASSERT_NE(w, nullptr);
    const std::string background = row.background;
    const std::string kind = row.kind;
    if (background.empty()) {
        return; // the image has none
    }
    if (kind == "button") {
        const QColor face =
            background == "button face" ? QApplication::palette(w).color(QPalette::Button) : parseColour(background);
        EXPECT_EQ(w->palette().color(QPalette::Button), face);
    } else {
        EXPECT_TRUE(w->autoFillBackground());
        EXPECT_EQ(w->palette().color(QPalette::Window), parseColour(background));
    }
    const std::string notes = row.notes;
    const auto text = notes.find("text ");
    const QColor textColour = text == std::string::npos
                                  ? QApplication::palette(w).color(QPalette::WindowText)
                                  : parseColour(notes.substr(text + 5, notes.find(';', text) - text - 5));
    EXPECT_EQ(w->palette().color(kind == "button" ? QPalette::ButtonText : QPalette::WindowText), textColour);
}

TEST_P(LayoutTest, HasItsFont) {
    const Row& row = GetParam();
    const std::string font = row.font;
    if (font.empty()) {
        return;
    }
    QWidget* w = widget();
    ASSERT_NE(w, nullptr);
    const QStringList parts = QString::fromStdString(font).split(QLatin1Char(' '));
    const QString family =
        parts.at(0) == QStringLiteral("G") ? QStringLiteral("ＭＳ ゴシック") : QStringLiteral("ＭＳ Ｐゴシック");
    EXPECT_EQ(w->font().family(), family);
    EXPECT_DOUBLE_EQ(w->font().pointSizeF(), parts.at(1).toDouble());
    const bool bold = parts.size() > 2 && parts.at(2) == QStringLiteral("bold");
    EXPECT_EQ(w->font().weight(), bold ? 700 : 400);
    EXPECT_FALSE(w->font().italic());
    EXPECT_FALSE(w->font().underline());
    EXPECT_FALSE(w->font().strikeOut());
}

TEST_P(LayoutTest, HasItsAlignmentBorderAndVisibility) {
    const Row& row = GetParam();
    QWidget* w = widget();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->isHidden(), has(row.notes, "hidden at start"));
    if (auto* option = qobject_cast<QRadioButton*>(w)) {
        EXPECT_EQ(option->isChecked(), has(row.notes, "selected at start"));
    }
    auto* label = qobject_cast<QLabel*>(w);
    if (label == nullptr || std::string(row.kind) != "label") {
        return;
    }
    const Qt::Alignment horizontal = label->alignment() & Qt::AlignHorizontal_Mask;
    if (has(row.notes, "centred")) {
        EXPECT_EQ(horizontal, Qt::AlignHCenter);
    } else if (has(row.notes, "right-aligned")) {
        EXPECT_EQ(horizontal, Qt::AlignRight);
    } else {
        EXPECT_EQ(horizontal, Qt::AlignLeft);
    }
    EXPECT_EQ(label->frameShape(), has(row.notes, "single border") ? QFrame::Box : QFrame::NoFrame);
}

TEST_P(LayoutTest, TakesTheFocusOnlyWithATabIndex) {
    const Row& row = GetParam();
    QWidget* w = widget();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ((w->focusPolicy() & Qt::TabFocus) != 0, row.tab > 0);
}

INSTANTIATE_TEST_SUITE_P(Controls, LayoutTest, ::testing::ValuesIn(kExpected), tavo::test::RowName{});

TEST(LayoutWindowTest, EveryControlOfTheTableIsBuiltAndNothingElseNamed) {
    MainWindow window;
    EXPECT_EQ(std::size(kExpected), 97U);
    for (const Row& row : kExpected) {
        EXPECT_NE(window.findChild<QWidget*>(QString::fromUtf8(row.name)), nullptr) << row.name;
    }
}

TEST(LayoutWindowTest, TitleSizeAndBackground) {
    MainWindow window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("TAVO   R5500 & R730  CONTROL  Ver.1.31"));
    EXPECT_EQ(window.size(), QSize(634, 441));
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(192, 192, 192));
    EXPECT_TRUE(window.autoFillBackground());
}

TEST(LayoutWindowTest, IconHasItsImages) {
    MainWindow window;
    const QList<QSize> sizes = window.windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    const QImage mono(QStringLiteral(":/tavo/icon-32-mono.png"));
    EXPECT_EQ(mono.size(), QSize(32, 32));
    EXPECT_LE(mono.convertToFormat(QImage::Format_Indexed8).colorCount(), 2);
    const QImage logo(QStringLiteral(":/tavo/logo.png"));
    EXPECT_EQ(logo.size(), QSize(80, 26));
    EXPECT_EQ(logo.format(), QImage::Format_RGB32) << "24-bit, no alpha";
}

TEST(LayoutWindowTest, TabOrderFollowsTabIndices) {
    MainWindow window;
    std::map<int, QWidget*> byTab;
    for (const Row& row : kExpected) {
        if (row.tab > 0) {
            byTab[row.tab] = window.findChild<QWidget*>(QString::fromUtf8(row.name));
        }
    }
    std::vector<QWidget*> expected;
    for (const auto& [tab, w] : byTab) {
        expected.push_back(w);
    }
    std::vector<QWidget*> chain;
    QWidget* w = expected.front();
    do {
        if (std::find(expected.begin(), expected.end(), w) != expected.end()) {
            chain.push_back(w);
        }
        w = w->nextInFocusChain();
    } while (w != expected.front() && chain.size() < expected.size());
    ASSERT_EQ(chain.size(), expected.size());
    for (std::size_t i = 0; i < chain.size(); ++i) {
        EXPECT_EQ(chain[i]->objectName(), expected[i]->objectName()) << "position " << i;
    }
}

TEST(LayoutWindowTest, FacesResolveToTheirStandIns) {
    QFont gothic(QStringLiteral("ＭＳ ゴシック"));
    gothic.setPointSizeF(9);
    QFont pgothic(QStringLiteral("ＭＳ Ｐゴシック"));
    pgothic.setPointSizeF(9);
    EXPECT_EQ(QFontInfo(gothic).family(), QStringLiteral("IPAGothic"));
    EXPECT_EQ(QFontInfo(pgothic).family(), QStringLiteral("IPAPGothic"));
}

bool isWindowed(const QWidget* w) {
    return qobject_cast<const QAbstractButton*>(w) != nullptr ||
           (qobject_cast<const QFrame*>(w) != nullptr && qobject_cast<const QLabel*>(w) == nullptr);
}

TEST(LayoutWindowTest, WindowedControlsLieAboveLabelsAndTheImage) {
    MainWindow window;
    const QList<QWidget*> containers = window.findChildren<QWidget*>() << &window;
    for (QWidget* container : containers) {
        bool windowedSeen = false;
        // children() runs from the bottom of the stack to the top.
        for (QObject* child : container->children()) {
            auto* w = qobject_cast<QWidget*>(child);
            if (w == nullptr || w->objectName().isEmpty()) {
                continue;
            }
            if (isWindowed(w)) {
                windowedSeen = true;
            } else {
                EXPECT_FALSE(windowedSeen) << w->objectName().toStdString() << " above a windowed control";
            }
        }
    }
}

TEST(LayoutWindowTest, PortPanelCoversTheComButtonAndFrame12TheLogosFoot) {
    MainWindow window;
    window.control(Control::PortPanel)->show();
    const QWidget* com = window.control(Control::PortButton);
    const QWidget* top = window.childAt(com->geometry().center());
    ASSERT_NE(top, nullptr);
    EXPECT_TRUE(top == window.control(Control::PortPanel) || window.control(Control::PortPanel)->isAncestorOf(top));
    // Frame12 starts 345 twips down, the logo ends at 390: its lowest three pixels are covered.
    EXPECT_EQ(window.childAt(QPoint(px(8600), px(375))), window.control(Control::Input3Frame));
    EXPECT_EQ(window.childAt(QPoint(px(8600), px(300))), window.control(Control::Logo));
}

struct LineRow {
    const char* name;
    int x1, y1, x2, y2;
};

TEST(LayoutWindowTest, CursorPadLinesAreDrawn) {
    const LineRow lines[] = {
        {"Line1", 1080, 2400, 1080, 2880}, {"Line2", 2160, 2400, 2160, 2880}, {"Line7", 1080, 2400, 2160, 2400},
        {"Line8", 120, 2880, 1080, 2880},  {"Line9", 2160, 2880, 3120, 2880}, {"Line6", 120, 2880, 120, 3480},
        {"Line3", 3120, 2880, 3120, 3480}, {"Line10", 120, 3480, 1080, 3480}, {"Line12", 2160, 3480, 3120, 3480},
        {"Line5", 1080, 3480, 1080, 3960}, {"Line4", 2160, 3480, 2160, 3960}, {"Line11", 1080, 3960, 2160, 3960},
    };
    MainWindow window;
    const QImage picture = window.grab().toImage();
    const QColor blue(128, 128, 255);
    for (const LineRow& line : lines) {
        const QPoint middle(px((line.x1 + line.x2) / 2), px((line.y1 + line.y2) / 2));
        // A 2-pixel line covers the pixel on one side of its centre or the other.
        const bool vertical = line.x1 == line.x2;
        const QPoint before = middle - (vertical ? QPoint(1, 0) : QPoint(0, 1));
        const bool drawn = picture.pixelColor(middle) == blue || picture.pixelColor(before) == blue;
        EXPECT_TRUE(drawn) << line.name;
    }
    EXPECT_EQ(picture.pixelColor(px(600), px(2640)), QColor(192, 192, 192)) << "background beside the cross";
}

} // namespace
} // namespace tavo
