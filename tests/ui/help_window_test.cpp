// SPDX-License-Identifier: GPL-3.0-or-later
// The help as an English reader sees it beside the panel: nothing of the panel's broken across
// lines at any width it is given there, and the Japanese captions explained.

#include "core/control_catalog.h"
#include "tests/ui/help_wrapping.h"
#include "ui/help_window.h"

#include <QCoreApplication>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace tavo::test {
namespace {

TEST(HelpWindow, CaptionsCodesAndLinesToTypeStayWholeAtEveryWidthBesideThePanel) {
    HelpWindow help;
    const QStringList broken = brokenInNarrowedHelp(help);
    EXPECT_TRUE(broken.isEmpty()) << broken.join(QLatin1Char('\n')).toStdString();
}

TEST(HelpWindow, SaysWhatTheJapaneseCaptionsRead) {
    const HelpWindow help;
    const QString text = help.browser()->toPlainText();
    int explained = 0;
    for (const catalog::PaneCaption& pane : catalog::kPaneCaptions) {
        if (pane.reads.empty()) {
            continue;
        }
        const QString reading =
            QCoreApplication::translate("tavo::HelpText", "(Japanese for “%1”)").arg(QString::fromUtf8(pane.reads));
        // Once in the keys, once in the table of buttons for the caption the button starts with.
        EXPECT_GE(text.count(reading), pane.caption == catalog::captionOf(Control::PaneButton) ? 2 : 1)
            << reading.toStdString();
        ++explained;
    }
    EXPECT_EQ(explained, 2);
}

} // namespace
} // namespace tavo::test
