// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ports/wording.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace tavo {

// The texts as written, in English: for tests, and for output that must be the same in every
// language.
class SourceWording final : public Wording {
public:
    [[nodiscard]] std::string wordsOf(const Phrase& phrase) const override { return phrase.source; }
};

// `pattern` with %1 to %9 replaced by the values in order, in one pass: a value that holds "%2"
// stays as it is. A placeholder without a value is left as written.
[[nodiscard]] std::string fillIn(std::string_view pattern, std::initializer_list<std::string_view> values);

} // namespace tavo
