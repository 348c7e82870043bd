// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ports/controls.h"

#include <array>
#include <cstddef>
#include <cstdint>
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

// The reads' replies by their form, for programs that judge a reply or act on its value rather
// than show it. `body` is always the reply without its closing CR.

// How many characters the key of a table read's reply has (power status, input, mirror); 0 for
// the other reads.
[[nodiscard]] std::size_t statusKeyLength(Control read);

// Whether the whole body is one of the keys of the read's table.
[[nodiscard]] bool isStatusKey(Control read, std::string_view body);

// The first key of the read's table, as an example for messages; empty for reads without a table.
[[nodiscard]] std::string_view exampleStatusKey(Control read);

// What a power status says of the lamp. The status codes combine a phase with a fault: "28" is a
// temperature abnormality while cooling down, "88" one in stand-by.
enum class PowerPhase : std::uint8_t { Standby, CountDown, On, CoolingDown };
enum class PowerFault : std::uint8_t { None, Power, Temperature };

struct PowerCondition {
    // Empty when the status says nothing of the lamp (a power abnormality).
    std::optional<PowerPhase> phase;
    PowerFault fault = PowerFault::None;
};

// The condition a power status key stands for; empty for a body that is no key of the table.
[[nodiscard]] std::optional<PowerCondition> powerCondition(std::string_view body);

// The lamp-time reply: this many digits.
inline constexpr std::size_t kLampHourDigits = 4;

// The temperature reply: three numbers of kTemperatureWidth characters each, one blank between
// them, such as "025.0 031.5 042.0". Each is a decimal number, possibly negative and padded with
// leading blanks. Empty when the body is not laid out so.
inline constexpr std::size_t kTemperatureCount = 3;
inline constexpr std::size_t kTemperatureWidth = 5;
[[nodiscard]] std::optional<std::array<double, kTemperatureCount>> temperatureValues(std::string_view body);

} // namespace tavo
