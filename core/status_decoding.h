// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavo {

// Turns the visible rendering of a reply (the RXD text) into the status line, given the line the
// reply answers. Empty when the line is no status read or the reply matches no known key; the
// status line then keeps what it showed.
[[nodiscard]] std::optional<std::string> decodeStatus(std::string_view lastSentLine, std::string_view rendering);

// Whether replies to this command code are decoded into the status line; the help and the
// buttons' descriptions say so.
[[nodiscard]] bool isDecodedStatusRead(std::string_view code);

} // namespace tavo
