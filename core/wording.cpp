// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/wording.h"

#include <cstddef>

namespace tavo {

std::string fillIn(std::string_view pattern, std::initializer_list<std::string_view> values) {
    std::string text;
    text.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next >= '1' && next <= '9') {
            const auto n = static_cast<std::size_t>(next - '1');
            if (n < values.size()) {
                text += *(values.begin() + n);
                ++i;
                continue;
            }
        }
        text += pattern[i];
    }
    return text;
}

} // namespace tavo
