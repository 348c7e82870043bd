// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <iterator>
#include <ranges>

namespace tavo {

// Whether no two elements of a table agree on the projected member; for compile-time checks of
// the constant tables, which are small enough for the quadratic walk.
template <std::ranges::forward_range Range, class Projection = std::identity>
constexpr bool allDistinct(const Range& range, Projection projection = {}) {
    for (auto i = std::ranges::begin(range); i != std::ranges::end(range); ++i) {
        for (auto j = std::next(i); j != std::ranges::end(range); ++j) {
            if (std::invoke(projection, *i) == std::invoke(projection, *j)) {
                return false;
            }
        }
    }
    return true;
}

} // namespace tavo
