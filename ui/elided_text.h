// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One line of a longer text for a field that has room for one: cut after the last whole word that
// fits, with an ellipsis. Where it is used, the whole text is in the tool tip and the accessible
// description.

#include <QString>

class QFontMetrics;

namespace tavo {

// The text as it is when it fits `width` pixels; else cut at a word, or where it must be when no
// blank comes early enough.
[[nodiscard]] QString elidedAtWord(const QString& text, const QFontMetrics& metrics, int width);

} // namespace tavo
