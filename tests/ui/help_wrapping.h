// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the help breaks in the middle when its window is made narrow: every caption and code of the
// panel's tables and every line to type must stay on one line, and on a 1280 x 1024 screen, where
// the help is narrowed to fit beside the panel, those lines must also fit in its view. Shared by the
// English and the Japanese window tests.

#include "ui/help_window.h"

#include <QStringList>

namespace tavo::test {

// Shows the help at each width from the narrowest it is ever made beside the panel to the width it
// wants, and says at which width what is broken across lines or reaches past the view's right edge.
[[nodiscard]] QStringList brokenInNarrowedHelp(HelpWindow& help);

} // namespace tavo::test
