// SPDX-License-Identifier: GPL-3.0-or-later
#include "process/bounded_number.h"

namespace tavo {

std::optional<int> parseBounded(const QString& text, int low, int high) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

} // namespace tavo
