// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tavo {

// The visible rendering of a sent or received text, as the data pane shows it: one leading space,
// then per character a token or the character and a space. Control characters never reach a label
// raw, and every byte of an exchange stays visible. Each char is one received byte.
[[nodiscard]] std::string visibleRendering(std::string_view text);

// The same text for logs and diagnostics: printable ASCII as it is, the line's control characters
// by name and any other byte in hex, e.g. "C00<CR>", "<ACK><CR>", "<FF>".
[[nodiscard]] std::string spelledOut(std::string_view text);

} // namespace tavo
