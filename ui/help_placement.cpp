// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help_placement.h"

#include <algorithm>
#include <array>

namespace tavo {

namespace {

qint64 area(const QRect& rect) {
    return rect.isEmpty() ? 0 : qint64{rect.width()} * rect.height();
}

} // namespace

QRect placeHelp(const QRect& panel, const QSize& wanted, const QRect& available) {
    const int width = std::min(wanted.width(), available.width());
    const int height = std::min(wanted.height(), available.height());
    // Exclusive edges, so that widths add up.
    const int availableEnd = available.x() + available.width();
    const int availableBottom = available.y() + available.height();
    const int panelEnd = panel.x() + panel.width();
    const int top = std::clamp(panel.y(), available.y(), availableBottom - height);

    const int roomRight = availableEnd - panelEnd - kHelpGap;
    const int roomLeft = panel.x() - available.x() - kHelpGap;
    const bool rightFirst = roomRight >= roomLeft;
    const int room = std::max(roomRight, roomLeft);
    if (room >= std::min(width, kHelpMinimumWidth)) {
        const int w = std::min(width, room);
        const int x = rightFirst ? panelEnd + kHelpGap : panel.x() - kHelpGap - w;
        return {x, top, w, height};
    }

    // No side has room: the corner of the available area, or the panel's height, that covers least.
    const std::array xs{rightFirst ? availableEnd - width : available.x(),
                        rightFirst ? available.x() : availableEnd - width};
    const std::array ys{top, available.y(), availableBottom - height};
    QRect best;
    qint64 bestOverlap = -1;
    for (const int y : ys) {
        for (const int x : xs) {
            const QRect candidate(x, y, width, height);
            const qint64 overlap = area(candidate.intersected(panel));
            if (bestOverlap < 0 || overlap < bestOverlap) {
                best = candidate;
                bestOverlap = overlap;
            }
        }
    }
    return best;
}

QRect placeLog(const QRect& panel, const QSize& wanted, const QRect& available) {
    const int width = std::min(wanted.width(), available.width());
    const int height = std::min(wanted.height(), available.height());
    const int availableEnd = available.x() + available.width();
    const int availableBottom = available.y() + available.height();
    const int panelEnd = panel.x() + panel.width();
    const int panelBottom = panel.y() + panel.height();

    const int roomBeside = std::max(availableEnd - panelEnd, panel.x() - available.x()) - kHelpGap;
    if (roomBeside >= std::min(width, kLogMinimumWidth)) {
        return placeHelp(panel, wanted, available);
    }
    const int roomBelow = availableBottom - panelBottom - kHelpGap;
    const int roomAbove = panel.y() - available.y() - kHelpGap;
    const int room = std::max(roomBelow, roomAbove);
    if (room >= std::min(height, kLogMinimumHeight)) {
        const int h = std::min(height, room);
        const int x = std::clamp(panel.x(), available.x(), availableEnd - width);
        const int y = roomBelow >= roomAbove ? panelBottom + kHelpGap : panel.y() - kHelpGap - h;
        return {x, y, width, h};
    }
    return placeHelp(panel, wanted, available);
}

} // namespace tavo
