// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/ui/help_wrapping.h"

#include "core/control_catalog.h"
#include "ui/control_table.h"
#include "ui/help_placement.h"

#include <QAbstractTextDocumentLayout>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextLayout>

namespace tavo::test {
namespace {

constexpr int kWidthStep = 8;

// The width the help is given beside the panel as it starts, centred on a 1280 x 1024 screen, with
// the frame the windows are assumed to have until the window manager tells.
int widthBesideThePanelOn1280(const HelpWindow& help) {
    const QRect screen(0, 0, 1280, 1024);
    const int frameWidth = layout::toPixels(layout::kAssumedDecorationWidth);
    const int frameHeight = layout::toPixels(layout::kAssumedDecorationHeight);
    const QSize panel(layout::toPixels(layout::kClientWidth) + frameWidth,
                      layout::toPixels(layout::kClientHeight) + frameHeight);
    const QRect placed = placeHelp(QRect(QPoint((screen.width() - panel.width()) / 2, 0), panel),
                                   help.size() + QSize(frameWidth, frameHeight), screen);
    return placed.width() - frameWidth;
}

// The captions and codes of every button and option, and the pane button's other captions.
QStringList wholeWords() {
    QStringList words;
    for (const catalog::Entry& entry : catalog::kEntries) {
        if (catalog::isFocusable(entry.kind)) {
            words += QString::fromUtf8(entry.caption);
            words += QString::fromUtf8(catalog::commandOf(entry.control).code());
        }
    }
    for (const catalog::PaneCaption& pane : catalog::kPaneCaptions) {
        words += QString::fromUtf8(pane.caption);
    }
    words.removeAll(QString());
    words.removeDuplicates();
    return words;
}

// A word as the help may write it in running text: with word joiners between its characters and
// its blanks unbreakable.
QRegularExpression writtenAs(const QString& word) {
    QStringList characters;
    for (const QChar c : word) {
        characters += c == QLatin1Char(' ') ? QStringLiteral("[ \\x{00A0}]") : QRegularExpression::escape(c);
    }
    return QRegularExpression(characters.join(QStringLiteral("\\x{2060}?")));
}

// Also false where the text is not laid out at all.
bool onOneLine(const QTextBlock& block, int from, int to) {
    const QTextLayout* layout = block.layout();
    const QTextLine first = layout->lineForTextPosition(from);
    return first.isValid() && first.lineNumber() == layout->lineForTextPosition(to - 1).lineNumber();
}

void findBrokenWords(const QTextDocument& document, const QStringList& words, QStringList& broken) {
    for (const QString& word : words) {
        const QRegularExpression pattern = writtenAs(word);
        for (QTextCursor found = document.find(pattern); !found.isNull(); found = document.find(pattern, found)) {
            const QTextBlock block = found.block();
            if (!onOneLine(block, found.selectionStart() - block.position(), found.selectionEnd() - block.position())) {
                broken += word;
            }
        }
    }
}

// Lines to type are set in a fixed-pitch font.
void findBrokenLinesToType(const QTextDocument& document, QStringList& broken) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().fontFixedPitch() &&
                !onOneLine(block, fragment.position() - block.position(),
                           fragment.position() + fragment.length() - block.position())) {
                broken += fragment.text();
            }
        }
    }
}

// The lines that never wrap and reach past the view's right edge.
void findLinesPastTheEdge(const QTextDocument& document, int view, QStringList& past) {
    const qreal edge = view - document.documentMargin();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (!block.blockFormat().nonBreakableLines()) {
            continue;
        }
        const qreal left = document.documentLayout()->blockBoundingRect(block).left();
        const QTextLayout* layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            if (left + line.x() + line.naturalTextWidth() > edge) {
                past += block.text().mid(line.textStart(), line.textLength()) + QStringLiteral(" (past the edge)");
            }
        }
    }
}

} // namespace

QStringList brokenInNarrowedHelp(HelpWindow& help) {
    const QStringList words = wholeWords();
    const int wanted = help.width();
    const int onA1280Screen = widthBesideThePanelOn1280(help);
    help.show();
    if (!QTest::qWaitForWindowExposed(&help)) {
        return {QStringLiteral("the help was never shown")};
    }
    QStringList found;
    for (int width = kHelpMinimumWidth; width < wanted + kWidthStep; width += kWidthStep) {
        help.resize(std::min(width, wanted), help.height());
        QCoreApplication::sendPostedEvents();
        const QTextDocument& document = *help.browser()->document();
        const int view = help.browser()->viewport()->width();
        if (document.textWidth() != view) {
            found += QStringLiteral("at %1 px: the text is laid out %2 px wide in a view %3 px wide")
                         .arg(help.width())
                         .arg(document.textWidth())
                         .arg(view);
        }
        // Lays the whole text out.
        static_cast<void>(document.documentLayout()->documentSize());
        QStringList broken;
        findBrokenWords(document, words, broken);
        findBrokenLinesToType(document, broken);
        if (help.width() >= onA1280Screen) {
            findLinesPastTheEdge(document, view, broken);
        }
        for (const QString& what : broken) {
            found += QStringLiteral("at %1 px: %2").arg(help.width()).arg(what);
        }
    }
    return found;
}

} // namespace tavo::test
