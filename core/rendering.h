#pragma once

#include <string>
#include <string_view>

namespace tavo {

// The visible rendering of a sent or received text: one leading space, then per character a token
// or the character and a space. Control characters never reach a label raw, and every byte of an
// exchange stays visible. Each char is one received byte.
[[nodiscard]] std::string visibleRendering(std::string_view text);

} // namespace tavo
