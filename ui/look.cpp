// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/look.h"

#include "ui/control_table.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

namespace tavo {

void installLookAndFeel() {
    // Fusion fills a button face with its palette colour on every platform; native styles may
    // ignore it, and the panel's groups are told apart by colour.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Without these, fontconfig knows no alias for the two faces and Qt falls back to a Latin
    // sans face with a different width, and the captions no longer fit their buttons.
    QFont::insertSubstitution(QString::fromUtf8(layout::kGothicFamily), QString::fromUtf8(layout::kGothicSubstitute));
    QFont::insertSubstitution(QString::fromUtf8(layout::kPGothicFamily), QString::fromUtf8(layout::kPGothicSubstitute));
}

} // namespace tavo
