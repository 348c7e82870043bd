// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

namespace tavo {

// A whole number given on a command line, if it is one and lies from `low` to `high`.
[[nodiscard]] std::optional<int> parseBounded(const QString& text, int low, int high);

} // namespace tavo
