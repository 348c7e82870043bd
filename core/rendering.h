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

// The same text in a form that reads back to the very bytes, for programs that print what a
// device sent: printable ASCII as it is, a backslash doubled, any other byte as \xNN (two upper
// case hex digits), e.g. "80\x0D", "\x1B[31m".
[[nodiscard]] std::string escapedText(std::string_view text);

} // namespace tavo
