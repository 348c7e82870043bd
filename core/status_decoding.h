// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ports/controls.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavo {

// Turns the visible rendering of a reply (the RXD text) into the status line, given the line the
// reply answers. Empty when the line is no status read or the reply matches no known key; the
// status line then keeps what it showed.
[[nodiscard]] std::optional<std::string> decodeStatus(std::string_view lastSentLine, std::string_view rendering);

// The status read button whose command line this is (code and CR), if any.
[[nodiscard]] std::optional<Control> statusReadOf(std::string_view line);

// A reply to a status read, decoded from the received characters themselves with the same tables
// the status line uses, for programs that need the values rather than the panel's line.
struct StatusReply {
    Control read = Control::ReadStatus;
    // Power, input and mirror: the table entry's text without the status line's leading blank.
    std::string_view state;
    // Lamp time: its one field; temperatures: S1, S2, S3. Cut from the reply as the status line
    // cuts them, unchecked; a field past the end of the reply is short or empty.
    std::vector<std::string_view> values;
};

// Empty when the line is no status read or a table read's reply matches no entry. The views point
// into `reply`.
[[nodiscard]] std::optional<StatusReply> decodeReply(std::string_view line, std::string_view reply);

// Whether replies to this command code are decoded into the status line; the help and the
// buttons' descriptions say so.
[[nodiscard]] bool isDecodedStatusRead(std::string_view code);

} // namespace tavo
