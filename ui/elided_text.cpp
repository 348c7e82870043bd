// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/elided_text.h"

#include <QFontMetrics>

namespace tavo {

QString elidedAtWord(const QString& text, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width) {
        return text;
    }
    const QString ellipsis(QChar(0x2026));
    const QString cut = metrics.elidedText(text, Qt::ElideRight, width);
    QString kept = cut.endsWith(ellipsis) ? cut.chopped(1) : cut;
    if (kept.size() < text.size() && !text.at(kept.size()).isSpace()) {
        const qsizetype blank = kept.lastIndexOf(QLatin1Char(' '));
        if (blank > 0 && !kept.left(blank).trimmed().isEmpty()) {
            kept.truncate(blank);
        }
    }
    while (!kept.isEmpty() && kept.back().isSpace()) {
        kept.chop(1);
    }
    return kept + ellipsis;
}

} // namespace tavo
